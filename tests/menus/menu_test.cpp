// The menu screens: cursor and sound rules, Escape through the real input
// dispatch, pause and resume, options toggling and the drawn screens.
#include "menus/menu.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "base/globals.h"
#include "field/ball.h"
#include "field/particles.h"
#include "game/input.h"
#include "game/mainloop.h"
#include "media/catalogue.h"
#include "media/theme.h"
#include "menus/settingsmenu.h"
#include "screens/hud.h"
#include "screens/question.h"
#include "store/highscores.h"
#include "tests/menus/menutest.h"
#include "tests/screencheck.h"
#include "tests/testenv.h"

namespace {
const struct {
  TMenuState state;
  int rows;
} CursorScreens[] = {{msMain, 7}, {msNewGame, 5}, {msOptions, 7}, {msSettings, 13}};

TEST_F(MenuTest, CursorStopsSilentlyAtTheFirstAndLastRows) {
  for (const auto& s : CursorScreens) {
    Game.menuState = s.state;
    Game.menuCursor = 0;
    PressKey(SDLK_UP);
    EXPECT_EQ(Game.menuCursor, 0) << s.state;
    Game.menuCursor = s.rows - 1;
    PressKey(SDLK_DOWN);
    EXPECT_EQ(Game.menuCursor, s.rows - 1) << s.state;
    EXPECT_TRUE(played.empty()) << s.state << ": " << PlayedNames();

    PressKey(SDLK_UP);
    EXPECT_EQ(Game.menuCursor, s.rows - 2) << s.state;
    Game.menuCursor = 0;
    PressKey(SDLK_DOWN);
    EXPECT_EQ(Game.menuCursor, 1) << s.state;
    EXPECT_EQ(PlayedCount(Game.sndMenuStep), 2) << s.state;
    played.clear();
  }
}

TEST_F(MenuTest, HighlightBoxFollowsTheCursor) {
  const struct {
    TMenuState state;
    int cursor, y;
  } cases[] = {{msMain, 3, 300}, {msNewGame, 2, 280}, {msOptions, 5, 360}};
  for (const auto& c : cases) {
    Game.menuCursor = c.cursor;
    Show(c.state);
    // Only the box's left columns: the row texts start to the right of them.
    EXPECT_TRUE(WindowShown(Game.sprMenu, 0, 0, 8, 20, 120, c.y)) << c.state;
    EXPECT_TRUE(WindowShown(Game.sprMenu, 0, Game.sprMenu->h - 20, 8, 20, 120, c.y + 20)) << c.state;
    EXPECT_FALSE(WindowShown(Game.sprMenu, 0, 0, 8, 20, 120, c.y - 40)) << c.state;
  }
}

TEST_F(MenuTest, ContinueIsDarkAndInertWithoutAPausedGame) {
  Game.menuCursor = 0;
  Show(msMain);
  EXPECT_TRUE(TextShown(Game.fontMenuDark, "continue", 200, 188));
  EXPECT_FALSE(TextShown(Game.fontMenu, "continue", 200, 188));
  PressKey(SDLK_RETURN);
  EXPECT_EQ(Game.programState, psMenu);
  EXPECT_EQ(Game.menuState, msMain);
  EXPECT_EQ(Game.menuCursor, 0);
  EXPECT_TRUE(OnlySelectPlayed()) << PlayedNames();

  Game.returnState = psGame;
  Show(msMain);
  EXPECT_TRUE(TextShown(Game.fontMenu, "continue", 200, 188));
}

TEST_F(MenuTest, EnterOnTheMainRowsOpensTheirScreens) {
  const struct {
    int row;
    TMenuState state;
    int cursor;
    TProgramState program;
  } cases[] = {{1, msNewGame, 0, psMenu}, {2, msOptions, 0, psMenu}, {3, msHighScores, 3, psMenu},
               {4, msHelp, 4, psMenu},    {5, msCredits, 5, psMenu}, {6, msMain, 6, psExit}};
  for (const auto& c : cases) {
    Game.programState = psMenu;
    Game.menuState = msMain;
    Game.menuCursor = c.row;
    played.clear();
    PressKey(SDLK_RETURN);
    EXPECT_EQ(Game.menuState, c.state) << c.row;
    EXPECT_EQ(Game.menuCursor, c.cursor) << c.row;
    EXPECT_EQ(Game.programState, c.program) << c.row;
    EXPECT_TRUE(OnlySelectPlayed()) << PlayedNames() << c.row;
  }
}

// What a choice changed, to compare a click with Enter.
struct TMenuOutcome {
  TProgramState program;
  TMenuState screen;
  int cursor, levelIndex;
  std::vector<bool> options;
  std::vector<int> settings;
  bool operator==(const TMenuOutcome& o) const {
    return program == o.program && screen == o.screen && cursor == o.cursor && levelIndex == o.levelIndex &&
           options == o.options && settings == o.settings;
  }
};

TMenuOutcome Outcome() {
  std::vector<bool> options;
  for (COption* o : {&Game.optFullscreen, &Game.optMusic, &Game.optSound, &Game.optBackground, &Game.optStars,
                     &Game.optExplosions})
    options.push_back(o->value);
  const TSettings& s = Game.settings;
  return {Game.programState,
          Game.menuState,
          Game.menuCursor,
          Game.levelIndex,
          options,
          {s.effectsVolume, s.musicVolume, s.controls.mouseRate, s.scale, s.musicInPlay, CapturingKey()}};
}

TEST_F(MenuTest, AClickOnEveryRowChoosesWhatEnterChooses) {
  for (TProgramState paused : {psMenu, psGame}) {
    for (const auto& s : CursorScreens) {
      for (int row = 0; row < s.rows; ++row) {
        auto reset = [&](int cursor) {
          Game.programState = psMenu;
          Game.question = qnNone;
          Game.returnState = paused;
          Game.gameState = gsNewBall;
          Game.settings = TSettings();
          if (CurrentTheme() != ClassicTheme) UseTheme(ClassicTheme);  // the theme row takes the next
          if (s.state == msSettings) OpenSettings();
          Game.menuState = s.state;
          Game.menuCursor = cursor;
          Game.levelIndex = 7;
          Game.fireHeld = false;
          for (COption* o : {&Game.optFullscreen, &Game.optMusic, &Game.optSound, &Game.optBackground,
                             &Game.optStars, &Game.optExplosions})
            o->value = true;
          played.clear();
        };
        reset(row);
        PressKey(SDLK_RETURN);
        const TMenuOutcome byKey = Outcome();
        // By name: the theme row loads another theme's sounds each time.
        const std::string keySounds = PlayedNames();
        reset((row + 1) % s.rows);
        const std::vector<TMenuTarget> targets = MenuTargets(s.state);
        ASSERT_GE(static_cast<int>(targets.size()), s.rows) << s.state;
        ASSERT_EQ(targets[row].row, row) << s.state;
        const SDL_Rect& area = targets[row].area;
        Mouse(SDL_MOUSEMOTION, area.x + area.w - 1, area.y + area.h - 1);
        EXPECT_EQ(Game.menuCursor, row) << s.state << " row " << row;
        EXPECT_EQ(PlayedCount(Game.sndMenuStep), 1) << s.state << " row " << row;
        played.clear();
        Click(area.x, area.y);
        const bool greyed = s.state == msMain && row == 0 && paused != psGame;
        EXPECT_EQ(targets[row].choosable, !greyed);
        if (greyed) {
          EXPECT_EQ(Outcome(), byKey) << "a greyed row is not chosen";
          EXPECT_TRUE(played.empty()) << PlayedNames();
          continue;
        }
        EXPECT_EQ(Outcome(), byKey) << s.state << " row " << row << " paused " << int(paused);
        EXPECT_EQ(PlayedNames(), keySounds) << s.state << " row " << row;
        EXPECT_FALSE(Game.fireHeld) << "a click in the menu is not the game's fire";
      }
    }
  }
}

TEST_F(MenuTest, WheelMovesRightClickAndStrayClicksGoBack) {
  Game.menuState = msNewGame;
  Game.menuCursor = 0;
  Click(0, 0, SDL_BUTTON_WHEELUP);
  EXPECT_EQ(Game.menuCursor, 0);
  EXPECT_TRUE(played.empty());
  Click(0, 0, SDL_BUTTON_WHEELDOWN);
  Click(0, 0, SDL_BUTTON_WHEELDOWN);
  EXPECT_EQ(Game.menuCursor, 2);
  EXPECT_EQ(PlayedCount(Game.sndMenuStep), 2);
  EXPECT_EQ(Game.menuState, msNewGame);

  const struct {
    TMenuState from;
    int x, y;
    Uint8 button;
    int cursorAfter;
  } cases[] = {{msNewGame, 240, 300, SDL_BUTTON_RIGHT, 1},    {msOptions, 20, 200, SDL_BUTTON_LEFT, 2},
               {msOptions, 400, 170, SDL_BUTTON_LEFT, 2},     {msHelp, 240, 300, SDL_BUTTON_LEFT, 4},
               {msHighScores, 100, 200, SDL_BUTTON_RIGHT, 4}, {msCredits, 100, 200, SDL_BUTTON_LEFT, 4}};
  for (const auto& c : cases) {
    Game.menuState = c.from;
    Game.menuCursor = 4;
    Click(c.x, c.y, c.button);
    EXPECT_EQ(Game.menuState, msMain) << c.from;
    EXPECT_EQ(Game.menuCursor, c.cursorAfter) << c.from;
  }
  // A stray click never ends a name being typed; the right button keeps it.
  Game.score = 1000;
  Game.newScoreRank = RankScore();
  Game.menuState = msNewHighScore;
  Game.typedName = "AB";
  Click(20, 20);
  EXPECT_EQ(Game.menuState, msNewHighScore);
  Click(20, 20, SDL_BUTTON_RIGHT);
  EXPECT_EQ(Game.menuState, msHighScores);
  EXPECT_EQ(Game.highScores[0]->name, "AB        ");
  // The "done" mark beside the row finishes it as Enter does.
  Game.score = 2000;
  Game.newScoreRank = RankScore();
  Game.menuState = msNewHighScore;
  Game.typedName = "CD";
  const std::vector<TMenuTarget> marks = MenuTargets(msNewHighScore);
  ASSERT_EQ(marks.size(), 1u);
  Click(marks[0].area.x + 1, marks[0].area.y + 1);
  EXPECT_EQ(Game.menuState, msHighScores);
  EXPECT_EQ(Game.highScores[0]->name, "CD        ");
}

TEST_F(MenuTest, KeysWithoutARoleDoNothing) {
  const struct {
    TMenuState state;
    SDLKey key;
  } cases[] = {{msMain, SDLK_SPACE},      {msNewGame, SDLK_SPACE}, {msHighScores, SDLK_SPACE},
               {msHighScores, SDLK_LEFT}, {msHelp, SDLK_UP},       {msHelp, SDLK_RETURN},
               {msCredits, SDLK_SPACE},   {msCredits, SDLK_DOWN},  {msMain, SDLK_LEFT}};
  for (const auto& c : cases) {
    Game.menuState = c.state;
    Game.menuCursor = 2;
    PressKey(c.key);
    EXPECT_EQ(Game.menuState, c.state);
    EXPECT_EQ(Game.menuCursor, 2);
    EXPECT_EQ(Game.programState, psMenu);
  }
  EXPECT_TRUE(played.empty()) << PlayedNames();
}

TEST_F(MenuTest, EscapeGoesBackToTheMainMenuWithItsCursorRule) {
  const struct {
    TMenuState from;
    int cursorBefore, cursorAfter;
  } cases[] = {{msNewGame, 3, 1}, {msOptions, 4, 2}, {msHighScores, 3, 3}, {msHelp, 4, 4}, {msCredits, 5, 5}};
  for (const auto& c : cases) {
    Game.menuState = c.from;
    Game.menuCursor = c.cursorBefore;
    played.clear();
    PressKey(SDLK_ESCAPE);
    EXPECT_EQ(Game.menuState, msMain) << c.from;
    EXPECT_EQ(Game.menuCursor, c.cursorAfter) << c.from;
    EXPECT_TRUE(OnlySelectPlayed()) << PlayedNames() << c.from;
  }
}

TEST_F(MenuTest, EscapeDoesNothingOnMainWithoutAGameNorOnGameOver) {
  PressKey(SDLK_ESCAPE);
  EXPECT_EQ(Game.programState, psMenu);
  EXPECT_EQ(Game.menuCursor, 1);

  Game.programState = psGame;
  Game.gameState = gsGameOver;
  PressKey(SDLK_ESCAPE);
  EXPECT_EQ(Game.programState, psGame);
  EXPECT_EQ(Game.gameState, gsGameOver);
  EXPECT_TRUE(played.empty()) << PlayedNames();
}

TEST_F(MenuTest, PauseThroughOptionsAndBackResumesTheSameGame) {
  Game.programState = psGame;
  Game.gameState = gsNewBall;
  PressKey(SDLK_ESCAPE);
  ASSERT_EQ(Game.programState, psMenu);
  EXPECT_EQ(Game.returnState, psGame);
  EXPECT_EQ(Game.menuCursor, 0);
  for (SDLKey k : {SDLK_DOWN, SDLK_DOWN, SDLK_RETURN}) PressKey(k);
  ASSERT_EQ(Game.menuState, msOptions);
  PressKey(SDLK_ESCAPE);
  EXPECT_EQ(Game.menuState, msMain);
  EXPECT_EQ(Game.menuCursor, 2);
  EXPECT_EQ(Game.programState, psMenu) << "the game must stay paused";
  for (SDLKey k : {SDLK_UP, SDLK_UP, SDLK_RETURN}) PressKey(k);
  EXPECT_EQ(Game.programState, psGame);
  EXPECT_EQ(Game.gameState, gsNewBall);

  PressKey(SDLK_ESCAPE);
  PressKey(SDLK_ESCAPE);
  EXPECT_EQ(Game.programState, psGame) << "Escape on the main menu resumes a paused game";
}

// Closing the window or choosing "exit" during a game, in play or paused,
// asks in a box that holds the game still: y, Enter or a click on "yes"
// leaves; n, Escape or a click on "no" goes back as it was. Without a game,
// or once it is over, the window closes at once.
TEST_F(MenuTest, LeavingDuringAGameAsksFirst) {
  auto send = [](Uint8 type, int x, int y) {
    Game.event = SDL_Event{};
    Game.event.type = type;
    Game.event.button.button = SDL_BUTTON_LEFT;
    Game.event.button.x = static_cast<Uint16>(x);
    Game.event.button.y = static_cast<Uint16>(y);
    DispatchEvent();
  };
  const int yesX = 80 + 130, noX = 80 + 290, markY = 270;  // window positions of the marks
  Game.programState = psGame;
  Game.gameState = gsBallInGame;
  Game.balls.Add(new CBall(240, 200, btNormal));
  send(SDL_QUIT, 0, 0);
  ASSERT_EQ(Game.question, qnQuit);
  EXPECT_FALSE(Game.quitRequested);
  const float x = Game.balls[0]->x, y = Game.balls[0]->y;
  LogicTick();
  EXPECT_EQ(Game.balls[0]->x, x);
  EXPECT_EQ(Game.balls[0]->y, y);
  DrawStateFrame();
  for (const TFixedText& t : QuestionFixedTexts()) {
    const bool quitBox = t.text == "quit? your game will be kept" || t.text == "yes" || t.text == "no";
    EXPECT_TRUE(!quitBox || TextShown(*t.font, t.text, t.x, t.y)) << t.text;
  }
  send(SDL_MOUSEBUTTONDOWN, yesX, markY + 40);  // below the marks: nothing
  EXPECT_EQ(Game.question, qnQuit);
  send(SDL_MOUSEBUTTONDOWN, noX, markY);
  EXPECT_EQ(Game.question, qnNone);
  EXPECT_FALSE(Game.quitRequested);
  EXPECT_EQ(Game.programState, psGame);
  send(SDL_QUIT, 0, 0);
  PressKey(SDLK_RETURN);
  EXPECT_TRUE(Game.quitRequested);

  Game.quitRequested = false;
  Game.programState = psMenu;
  Game.returnState = psGame;
  Game.menuCursor = 6;
  PressKey(SDLK_RETURN);
  EXPECT_EQ(Game.question, qnQuit);
  EXPECT_EQ(Game.programState, psMenu);
  PressKey(SDLK_ESCAPE);
  EXPECT_EQ(Game.question, qnNone);
  EXPECT_EQ(Game.programState, psMenu) << "the Escape that answers does not resume";
  PressKey(SDLK_RETURN);
  send(SDL_MOUSEBUTTONDOWN, yesX, markY);
  EXPECT_TRUE(Game.quitRequested);

  for (TProgramState state : {psIntro, psMenu, psGame}) {
    Game.quitRequested = false;
    Game.programState = state;
    Game.returnState = psMenu;
    Game.gameState = gsGameOver;
    send(SDL_QUIT, 0, 0);
    EXPECT_TRUE(Game.quitRequested) << int(state);
    EXPECT_EQ(Game.question, qnNone);
  }
}

TEST_F(MenuTest, ChoosingADifficultyStartsAtItsTier) {
  Game.menuState = msNewGame;
  Game.menuCursor = 3;
  Game.score = 900;
  PressKey(SDLK_RETURN);
  EXPECT_EQ(Game.programState, psGame);
  EXPECT_EQ(Game.levelIndex, 120);
  EXPECT_EQ(Game.levelName, Game.levelList[0]);
  EXPECT_EQ(LevelTitle(), "crazy-1");
  EXPECT_EQ(Game.score, 0u);
  EXPECT_EQ(Game.returnState, psMenu);
  EXPECT_TRUE(OnlySelectPlayed()) << PlayedNames();
}

TEST_F(MenuTest, OptionRowsToggleTheirOwnOption) {
  COption* rows[] = {&Game.optFullscreen, &Game.optMusic, &Game.optSound,
                     &Game.optBackground, &Game.optStars, &Game.optExplosions};
  Game.menuState = msOptions;
  for (int r = 0; r < 6; ++r) {
    Game.menuCursor = r;
    PressKey(r % 2 ? SDLK_SPACE : SDLK_RETURN);
    for (int o = 0; o < 6; ++o) EXPECT_EQ(rows[o]->value, o != r) << "row " << r << " option " << o;
    // Fullscreen and music act through the video settings, which mark them applied.
    if (r < 2) {
      EXPECT_TRUE(rows[r]->applied) << "row " << r << ": the change was not applied";
    }
    PressKey(SDLK_RETURN);
    EXPECT_TRUE(rows[r]->value);
  }
  ASSERT_NE(Game.screen, nullptr);
  EXPECT_EQ(Game.screen->clip_rect.x, 80) << "a new video mode must keep the field clip";
  EXPECT_EQ(Game.screen->format->palette->colors[200].r, Game.sprHud->format->palette->colors[200].r);
}

TEST_F(MenuTest, SelectSoundPlaysBeforeTheSoundOptionChanges) {
  Game.menuState = msOptions;
  Game.menuCursor = 2;
  Game.optSound.value = false;
  PressKey(SDLK_RETURN);
  EXPECT_TRUE(Game.optSound.value);
  EXPECT_TRUE(played.empty()) << "switching the sound on is not yet heard";
  PressKey(SDLK_RETURN);
  EXPECT_FALSE(Game.optSound.value);
  EXPECT_TRUE(OnlySelectPlayed()) << PlayedNames();
}

TEST_F(MenuTest, OptionsShowTheirCheckBoxesInMenuOrder) {
  Game.optFullscreen.value = false;
  Game.optMusic.value = false;
  Game.optStars.value = false;
  Show(msOptions);
  const bool on[] = {false, false, true, true, false, true};
  for (int r = 0; r < 6; ++r)
    EXPECT_TRUE(SpriteShown(on[r] ? Game.sprCheckOn : Game.sprCheckOff, 328, 172 + 40 * r)) << r;
  EXPECT_TRUE(TextShown(Game.fontMenu, "fullscreen", 136, 168));
  EXPECT_TRUE(TextShown(Game.fontMenu, "explosions", 136, 368));
}

TEST_F(MenuTest, TitleAndVersionShowExceptOnOptionsAndCredits) {
  for (TMenuState s : {msMain, msNewGame, msOptions, msHighScores, msHelp, msCredits}) {
    Show(s);
    const bool expected = s != msOptions && s != msCredits;
    EXPECT_EQ(SpriteShown(Game.sprTitle, 40, 32), expected) << s;
    EXPECT_EQ(TextShown(Game.fontScore, "v1.2", 424, 114), expected) << s;
  }
}

TEST_F(MenuTest, TableShowsNamesAndScoresRightAlignedWithZeroBlank) {
  Game.highScores[0]->name = "ALICE     ";
  Game.highScores[0]->score = 7;
  Game.highScores[1]->score = 4000000000u;
  Game.highScores[2]->score = 0;
  ClearWindow(0);
  Show(msHighScores);
  EXPECT_TRUE(TextShown(Game.fontMenu, "ALICE", 80, 184));
  EXPECT_TRUE(GlyphShown(Game.fontMenu, '7', 300 + 9 * 8, 184));
  EXPECT_TRUE(TextShown(Game.fontMenu, "4000000000", 300, 212));
  ClearWindow(0);
  TScreenShot clear;
  Show(msHighScores);
  EXPECT_TRUE(clear.SameAsNow(300, 240, 180, 28)) << "a zero score shows blank";
  EXPECT_TRUE(TextShown(Game.fontMenu, "125", 300 + 7 * 8, 184 + 28 * 5));
}

TEST_F(MenuTest, NewEntryRowBlinksBetweenBrightWithCursorAndDark) {
  Game.newScoreRank = 3;
  Game.typedName = "AB";
  const int cursorX = 80 + TextWidth(Game.fontMenu, "AB");
  for (int tick : {8, 15, 24}) {
    Game.tickCount = tick;
    Show(msNewHighScore);
    EXPECT_TRUE(TextShown(Game.fontMenu, "AB_", 80, 240)) << tick;
    EXPECT_TRUE(TextShown(Game.fontMenu, "200", 300 + 7 * 8, 240)) << tick;
  }
  for (int tick : {0, 7, 16}) {
    Game.tickCount = tick;
    Show(msNewHighScore);
    EXPECT_TRUE(TextShown(Game.fontMenuDark, "AB", 80, 240)) << tick;
    EXPECT_FALSE(GlyphShown(Game.fontMenuDark, '_', cursorX, 240)) << tick;
    EXPECT_FALSE(GlyphShown(Game.fontMenu, '_', cursorX, 240)) << tick;
    EXPECT_TRUE(TextShown(Game.fontMenuDark, "200", 300 + 7 * 8, 240)) << tick;
  }
  EXPECT_TRUE(TextShown(Game.fontMenu, "VORTEX", 80, 184)) << "other rows are not affected";
}

TEST_F(MenuTest, SpaceLeavingGameOverOpensAnEmptyNameEntry) {
  Game.programState = psGame;
  Game.gameState = gsGameOver;
  Game.score = 30;
  PressKey(SDLK_SPACE);
  ASSERT_EQ(Game.menuState, msNewHighScore);
  EXPECT_EQ(Game.newScoreRank, 10);
  EXPECT_EQ(Game.menuCursor, 3);
  EXPECT_EQ(Game.typedName, "") << "the space that left the game must not start the name";
  Game.tickCount = 8;
  Show(msNewHighScore);
  EXPECT_TRUE(TextShown(Game.fontMenu, DefaultName() + "_", 80, 184 + 28 * 9))
      << "the name it is saved under";
  PressKey(SDLK_a);
  PressKey(SDLK_ESCAPE);
  EXPECT_EQ(Game.menuState, msHighScores) << "Escape keeps the name typed so far";
  EXPECT_EQ(Game.highScores[9]->name, "A         ");
}

// Right after a game over its new rows are lit, and a click (perhaps the one
// that left the game) goes back to the menu rather than into a replay.
TEST_F(MenuTest, AfterAGameItsRowsAreLitAndAClickGoesBack) {
  const auto lit = [](int row) { return PixelAt(80 + 60 + 2, 180 + 28 * row + 14) != 0; };
  Game.litTableRows = {1, 4};
  Game.tableAfterGame = true;
  Show(msHighScores);
  EXPECT_TRUE(lit(1));
  EXPECT_TRUE(lit(4));
  EXPECT_FALSE(lit(2));
  Click(200, 184 + 28 * 2);
  EXPECT_EQ(Game.menuState, msMain);
  // Reached through the menu, the table plays a row's game on a click.
  Game.menuCursor = 3;
  PressKey(SDLK_RETURN);
  ASSERT_EQ(Game.menuState, msHighScores);
  EXPECT_FALSE(Game.tableAfterGame);
  EXPECT_TRUE(Game.litTableRows.empty());
}

TEST_F(MenuTest, NOnTheNameEntryTypesNAndAdvancesTheLevel) {
  Game.menuState = msNewHighScore;
  Game.newScoreRank = 2;
  Game.levelIndex = 5;
  Game.score = 300;
  PressKey(SDLK_n);
  EXPECT_EQ(Game.typedName, "N");
  EXPECT_EQ(Game.levelIndex, 6);
  EXPECT_EQ(Game.score, 0u);
  EXPECT_EQ(Game.menuState, msNewHighScore);
}

TEST_F(MenuTest, NameEntryPromptStandsBetweenTitleAndTable) {
  const struct {
    const CFont* font;
    int y;
    const char* text;
  } prompt[] = {{&Game.fontMenu, 132, "new high score!"},
                {&Game.fontScore, 160, "type your name, then press Enter"}};
  const int titleBottom = 32 + Game.sprTitle->h, versionBottom = 114 + Game.fontScore.glyphs['v'].h;
  Game.newScoreRank = 4;
  for (TMenuState state : {msNewHighScore, msHighScores}) {
    ClearWindow(0);
    Show(state);
    for (const auto& p : prompt) {
      const int x = (480 - TextWidth(*p.font, p.text)) / 2;
      EXPECT_EQ(TextShown(*p.font, p.text, x, p.y), state == msNewHighScore) << p.text;
      EXPECT_GE(p.y, std::max(titleBottom, versionBottom)) << p.text;
      EXPECT_LE(p.y + p.font->glyphs['A'].h, 184) << p.text;
    }
    EXPECT_TRUE(TextShown(Game.fontMenu, "VORTEX", 80, 184)) << state;
  }
}
}  // namespace
