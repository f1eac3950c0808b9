// The help pages: every power-up's icon with its label (once), turning the
// pages by keys, clicks and the pad, what they tell of every mode, and every
// page standing above its marks.
#include "menus/help.h"

#include <string>
#include <vector>

#include "base/globals.h"
#include "game/joystick.h"
#include "tests/menus/menutest.h"
#include "tests/screencheck.h"

using Help = MenuTest;

namespace {
TEST_F(Help, HelpShowsEveryBonusIconWithItsLabel) {
  const struct {
    SDL_Surface* TGameGlobals::*icon;
    int x, y;
  } icons[] = {
      {&TGameGlobals::sprBonusBall, 80, 240},        {&TGameGlobals::sprBonusMagnet, 240, 240},
      {&TGameGlobals::sprBonusNormal, 80, 256},      {&TGameGlobals::sprBonusQuestion, 240, 256},
      {&TGameGlobals::sprBonusPaddleLarge, 80, 272}, {&TGameGlobals::sprBonusSpeedUp, 240, 272},
      {&TGameGlobals::sprBonusPaddleSmall, 80, 288}, {&TGameGlobals::sprBonusSpeedDown, 240, 288},
      {&TGameGlobals::sprBonusFire, 80, 304},        {&TGameGlobals::sprBonusLife, 240, 304},
      {&TGameGlobals::sprBonusReverse, 80, 320},     {&TGameGlobals::sprBonusPaddleSpeed, 240, 320},
  };
  Show(msHelp);
  for (const auto& i : icons) EXPECT_TRUE(SpriteShown(Game.*(i.icon), i.x, i.y)) << i.x << "," << i.y;
  EXPECT_TRUE(TextShown(Game.fontScore, "magnet (sticky ball)", 276, 240));
  EXPECT_TRUE(TextShown(Game.fontScore, "reverse paddle", 116, 320));
  EXPECT_TRUE(SpriteShown(Game.sprFloater, 80, 352));
  EXPECT_TRUE(TextShown(Game.fontScore, "bubble (bounces ball)", 116, 352));
  // Every picture ends before its label: capsules in both columns, and the bubble.
  const SDL_Rect capsule = InkBounds(Game.sprBonus), bubble = InkBounds(Game.sprFloater);
  EXPECT_LT(80 + capsule.x + capsule.w, 116);
  EXPECT_LT(80 + bubble.x + bubble.w, 116);
  for (const auto& i : icons) {
    const SDL_Rect ink = InkBounds(Game.*(i.icon));
    EXPECT_LT(i.x + ink.x + ink.w, i.x + 36) << i.x << "," << i.y;
  }
}

TEST_F(Help, HelpPagesTurnByKeysClicksAndThePad) {
  auto pageShown = [](int page) {
    const std::string number = std::to_string(page) + " / " + std::to_string(HelpPageCount());
    return TextShown(Game.fontScore, number, (480 - TextWidth(Game.fontScore, number)) / 2, 452);
  };
  Game.menuCursor = 4;
  PressKey(SDLK_RETURN);
  ASSERT_EQ(Game.menuState, msHelp);
  played.clear();
  PressKey(SDLK_LEFT);
  EXPECT_TRUE(played.empty()) << "no page before the first";
  const std::vector<TMenuTarget> marks = MenuTargets(msHelp);
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_FALSE(marks[0].choosable);
  Click(marks[1].area.x + 4, marks[1].area.y + 4);
  Show(msHelp);
  EXPECT_TRUE(pageShown(2));
  PressKey(SDLK_RIGHT);
  Show(msHelp);
  EXPECT_TRUE(pageShown(3));
  EXPECT_TRUE(SpriteShown(Game.sprFloater, 40, 320));
  Game.event = SDL_Event{};
  Game.event.type = SDL_JOYHATMOTION;
  Game.event.jhat.value = SDL_HAT_RIGHT;
  DispatchEvent();
  Show(msHelp);
  EXPECT_TRUE(pageShown(4)) << "the d-pad turns the pages too";
  for (int page = 5; page <= HelpPageCount(); ++page) {
    PressKey(SDLK_RIGHT);
    Show(msHelp);
    EXPECT_TRUE(pageShown(page));
  }
  played.clear();
  PressKey(SDLK_RIGHT);
  EXPECT_TRUE(played.empty()) << "no page after the last";
  EXPECT_EQ(Game.menuCursor, 4);
  PressKey(SDLK_ESCAPE);
  PressKey(SDLK_RETURN);
  Show(msHelp);
  EXPECT_TRUE(pageShown(1)) << "the help opens on its first page";
}

TEST_F(Help, HelpTellsOfEveryModeAndListsTheCapsulesOnce) {
  std::string all;
  for (const TFixedText& t : HelpFixedTexts()) all += t.text + "\n";
  for (const char* told : {"E opens the level editor",
                           "save it into a level set",
                           "play it (escape comes back)",
                           "enter or a click plays its game again",
                           "stop watching",
                           "Any key or click ends the demo",
                           "hot seat",
                           "how many, 1 to 4",
                           "passes the turn",
                           "daily and random sets",
                           "seed",
                           "--generate SEED DIR",
                           "--levels DIR",
                           "frame rate",
                           "display",
                           "continue",
                           "goes on exactly where you stopped",
                           "on the theme row of options, settings.",
                           "rebounder/themes/",
                           "what you leave out comes from classic",
                           "as high as the screen, still sharp"})
    EXPECT_NE(all.find(told), std::string::npos) << told;
  for (const char* capsule : {"extra ball", "slow down ball", "reverse paddle"}) {
    const size_t first = all.find(capsule);
    EXPECT_NE(first, std::string::npos) << capsule;
    EXPECT_EQ(all.find(capsule, first + 1), std::string::npos) << capsule << " is listed twice";
  }
  EXPECT_EQ(all.find("floater"), std::string::npos) << "the player's word is bubble";
}

TEST_F(Help, EveryHelpLineEndsAboveThePageMarks) {
  const std::vector<TFixedText> texts = HelpFixedTexts();
  ASSERT_GT(texts.size(), 2u);
  // The page numbers ("2 / 6") and the marks "<" and ">" stand at 446 and below.
  for (const TFixedText& t : texts) {
    if (t.text.find(" / ") != std::string::npos || t.text == "<" || t.text == ">") continue;
    EXPECT_LE(t.y + 16, 446) << "\"" << t.text << "\" at " << t.y;
  }
}
}  // namespace
