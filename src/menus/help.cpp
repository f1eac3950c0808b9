// The help pages. The first is the one-page overview; the others explain the
// keys as they are bound now, each capsule, the bubbles, the level editor,
// the recordings of the table and the demo, the themes and the settings. A row of marks at the bottom
// turns the pages, by the Left and Right keys or a click.
#include "menus/help.h"

#include <string>

#include "base/globals.h"
#include "media/catalogue.h"
#include "platform/keymap.h"

namespace {
constexpr int FieldRight = 480;
int page = 0;

struct TLine {
  const CFont* font;
  int x, y;
  std::string text;
  int limit;
};

struct TIcon {
  SDL_Surface* TGameGlobals::*sprite;
  int x, y;
  const char* label;
};

// The overview: two columns of capsules with their names.
constexpr int LegendColumn = 240;
constexpr int LabelOffset = 36;
// The 32-pixel bubble stands in the icon column, like the capsules, so that
// it ends before its label.
constexpr int BubbleX = 80;
const TIcon Legend[] = {
    {&TGameGlobals::sprBonusBall, 80, 240, "extra ball"},
    {&TGameGlobals::sprBonusMagnet, 240, 240, "magnet (sticky ball)"},
    {&TGameGlobals::sprBonusNormal, 80, 256, "reset powers"},
    {&TGameGlobals::sprBonusQuestion, 240, 256, "mystery powerup"},
    {&TGameGlobals::sprBonusPaddleLarge, 80, 272, "large paddle"},
    {&TGameGlobals::sprBonusSpeedUp, 240, 272, "speed up ball"},
    {&TGameGlobals::sprBonusPaddleSmall, 80, 288, "small paddle"},
    {&TGameGlobals::sprBonusSpeedDown, 240, 288, "slow down ball"},
    {&TGameGlobals::sprBonusFire, 80, 304, "fire ball"},
    {&TGameGlobals::sprBonusLife, 240, 304, "extra paddle"},
    {&TGameGlobals::sprBonusReverse, 80, 320, "reverse paddle"},
    {&TGameGlobals::sprBonusPaddleSpeed, 240, 320, "slow down paddle"},
};

// The capsules page: one row each, with a few words.
constexpr int CapsuleFirstY = 168, CapsuleStep = 21, CapsuleIconX = 24, CapsuleNameX = 64,
              CapsuleWordsX = 188;
const struct {
  SDL_Surface* TGameGlobals::*sprite;
  const char* name;
  const char* words;
} Capsules[] = {
    {&TGameGlobals::sprBonusBall, "extra ball", "one more ball joins in"},
    {&TGameGlobals::sprBonusNormal, "reset powers", "every power ends, good or bad"},
    {&TGameGlobals::sprBonusPaddleLarge, "large paddle", "a wider paddle"},
    {&TGameGlobals::sprBonusPaddleSmall, "small paddle", "a narrower paddle, more points"},
    {&TGameGlobals::sprBonusFire, "fire ball", "the ball ploughs through bricks"},
    {&TGameGlobals::sprBonusMagnet, "magnet", "the ball sticks; fire lets it go"},
    {&TGameGlobals::sprBonusQuestion, "mystery", "one of the first eight, by chance"},
    {&TGameGlobals::sprBonusSpeedUp, "speed up ball", "a faster ball, more points"},
    {&TGameGlobals::sprBonusSpeedDown, "slow down ball", "a slower ball"},
    {&TGameGlobals::sprBonusLife, "extra paddle", "one more life, five at most"},
    {&TGameGlobals::sprBonusReverse, "reverse paddle", "left steers right; another undoes it"},
    {&TGameGlobals::sprBonusPaddleSpeed, "slow paddle", "the paddle moves slower"},
};

// The bubbles page: the bubble itself, then its text.
constexpr int BubbleIconX = 40, BubbleIconY = 176;

// The marks along the bottom: previous, page number, next.
constexpr int MarkY = 446, PreviousX = 176, NextX = 292, NumberY = 452;
constexpr int MarkPad = 8;

// A page of keys and what they do, under headings: rows whose key is empty
// are headings, rows whose text is empty are lines of text across the page,
// and a row with neither is a small gap.
struct TKeyRow {
  std::string key;
  const char* what;
};
constexpr int KeyColumn = 40, WhatColumn = 168;

void AddKeyRows(std::vector<TLine>& lines, int y, std::initializer_list<TKeyRow> rows) {
  for (const TKeyRow& k : rows) {
    if (k.key.empty() && *k.what == 0) {
      y += 8;
    } else if (k.key.empty()) {
      lines.push_back({&Game.fontMenu, 24, y, k.what, FieldRight});
      y += 28;
    } else if (*k.what == 0) {
      lines.push_back({&Game.fontScore, 24, y, k.key, FieldRight});
      y += 16;
    } else {
      lines.push_back({&Game.fontScore, KeyColumn, y, k.key, WhatColumn});
      lines.push_back({&Game.fontScore, WhatColumn, y, k.what, FieldRight});
      y += 16;
    }
  }
}

std::vector<TLine> PageLines(int which) {
  const CFont* score = &Game.fontScore;
  const CFont* heading = &Game.fontMenu;
  std::vector<TLine> lines;
  auto add = [&lines](const CFont* font, int x, int y, const std::string& text, int limit) {
    lines.push_back({font, x, y, text, limit});
  };
  switch (which) {
    case 0:
      add(score, 80, 192, "Left/right cursor keys or mouse move paddle", FieldRight);
      add(score, 80, 208, "Spacebar or left mouse button release ball", FieldRight);
      for (const TIcon& icon : Legend)
        add(score, icon.x + LabelOffset, icon.y, icon.label,
            icon.x < LegendColumn ? LegendColumn : FieldRight);
      add(score, BubbleX + LabelOffset, 352, "bubble (bounces ball)", FieldRight);
      add(score, 80, 384, "You lose powerups when energy bar is depleted", FieldRight);
      add(score, 80, 416, "Escape enters/exits menu", FieldRight);
      break;
    case 1:
      // The keys as bound now: the settings screen can change four of them.
      AddKeyRows(lines, 136,
                 {
                     {"", "playing"},
                     {BoundKeyName(kaLeft), "move the paddle left (or the mouse)"},
                     {BoundKeyName(kaRight), "move the paddle right"},
                     {BoundKeyName(kaFire), "launch a ball (or a mouse button)"},
                     {"escape", "pause into the menu, and resume"},
                     {BoundKeyName(kaPause) + ", pause", "freeze play, and go on"},
                     {"n", "skip the level (asks); the score goes to 0"},
                     {"f11, alt+enter", "full screen or a window"},
                     {"", "menus"},
                     {"up, down", "move (or point, or the wheel)"},
                     {"enter", "choose (or a click)"},
                     {"escape", "go back (or the right button)"},
                     {"left, right", "turn these pages"},
                     {"", "gamepad"},
                     {"stick, d-pad", "move the paddle, move in menus"},
                     {"south (A)", "fire; choose in menus"},
                     {"east (B), start", "go back; pause and resume"},
                 });
      break;
    case 2: {
      add(heading, 24, 136, "capsules", FieldRight);
      int y = CapsuleFirstY;
      for (const auto& c : Capsules) {
        add(score, CapsuleNameX, y + 2, c.name, CapsuleWordsX);
        add(score, CapsuleWordsX, y + 2, c.words, FieldRight);
        y += CapsuleStep;
      }
      add(score, 24, 424, "Powers last while the energy bar lasts, 40 s of play.", FieldRight);
      break;
    }
    case 3: {
      add(heading, 24, 136, "bubbles", FieldRight);
      const char* const text[] = {
          "Bubbles float into the later levels",
          "and drift about the field.",
          "A ball that touches one bursts it",
          "for 75 points and flies back",
          "the way it came.",
          "Bubbles never harm you; they leave",
          "when the last ball is lost or the",
          "level ends.",
      };
      int y = BubbleIconY;
      for (const char* t : text) {
        add(score, BubbleIconX + 48, y, t, FieldRight);
        y += 16;
      }
      add(score, 24, 344, "The energy bar below the field shows how long the", FieldRight);
      add(score, 24, 360, "powers of the capsules last. Catching one fills it.", FieldRight);
      break;
    }
    case 4:
      AddKeyRows(lines, 136,
                 {
                     {"", "your own levels"},
                     {"On the new game screen E opens the level editor.", ""},
                     {"", ""},
                     {"mouse", "left paints, right erases"},
                     {"arrows, space", "move the cursor, paint"},
                     {"delete", "erase"},
                     {"page up, down", "the next brick or power-up"},
                     {"tab", "paint bricks or power-ups"},
                     {"u, r", "undo, redo"},
                     {"m, n", "mirror it, name it"},
                     {"s", "save it into a level set"},
                     {"t", "play it (escape comes back)"},
                     {"c", "time it with the autopilot"},
                     {"escape", "leave the editor"},
                     {"", ""},
                     {"A level needs 20 bricks the ball can reach.", ""},
                     {"Left and right on the new game screen choose", ""},
                     {"the set; each set has its own high scores.", ""},
                 });
      break;
    case 5:
      AddKeyRows(lines, 136,
                 {
                     {"", "replays"},
                     {"Each game that enters the high scores is kept.", ""},
                     {"In the table up and down choose a row, and", ""},
                     {"enter or a click plays its game again.", ""},
                     {"", ""},
                     {"space, p", "pause the replay, and go on"},
                     {"1, 2, 3", "normal speed, 4 or 16 times"},
                     {"f", "faster, then back"},
                     {"escape, q", "stop watching"},
                     {"", ""},
                     {"", "demo"},
                     {"Left for 30 seconds, the main menu shows the", ""},
                     {"best game of the table, or plays a level by", ""},
                     {"itself. Any key or click ends the demo.", ""},
                 });
      break;
    case 6:
      AddKeyRows(lines, 136,
                 {
                     {"", "themes"},
                     {"A theme changes the pictures, the letters and", ""},
                     {"the sounds, never the game itself. Choose one", ""},
                     {"on the theme row of options, settings.", ""},
                     {"", ""},
                     {"classic", "the game's own look"},
                     {"neon", "light tubes on dark glass"},
                     {"paper", "ink and washes on paper"},
                     {"contrast", "plain, strong colours for weak sight"},
                     {"", ""},
                     {"", "your own"},
                     {"Put pictures and sounds in a folder in", ""},
                     {"~/.local/share/rebounder/themes/, named as the", ""},
                     {"game's own; what you leave out comes from classic.", ""},
                     {"docs/themes.md tells every file and its size.", ""},
                 });
      break;
    case 7:
      AddKeyRows(lines, 136,
                 {
                     {"", "settings"},
                     {"Options, then settings, holds these rows.", ""},
                     {"", ""},
                     {"volumes", "effects and music, 0 to 10"},
                     {"mouse speed", "how far the paddle follows"},
                     {"keys", "left, right, fire and pause"},
                     {"scale", "auto, 1x up to what fits, fill"},
                     {"fill", "as high as the screen, still sharp"},
                     {"music in play", "the music goes on in play"},
                     {"frame rate", "the display's, 40, 60, 120, 144"},
                     {"theme", "the look: pictures and sounds"},
                     {"", ""},
                     {"Auto is the largest whole scale, but a full", ""},
                     {"screen it leaves over a tenth black fills.", ""},
                 });
      break;
    default:
      break;
  }
  return lines;
}

std::string PageNumber(int which) {
  return std::to_string(which + 1) + " / " + std::to_string(HelpPageCount);
}

SDL_Rect MarkArea(int x) {
  return {static_cast<Sint16>(x - MarkPad), static_cast<Sint16>(MarkY - MarkPad / 2), 16 + 2 * MarkPad, 32};
}
}  // namespace

void OpenHelp() { page = 0; }

bool TurnHelpPage(int step) {
  const int target = page + step;
  if (target < 0 || target >= HelpPageCount) return false;
  PlaySound(Game.sndMenuStep);
  page = target;
  return true;
}

void DrawHelp() {
  if (page == 0) {
    DrawSprite(Game.sprFloater, BubbleX, 352);
    for (const TIcon& icon : Legend) {
      DrawSprite(Game.sprBonus, icon.x, icon.y);
      DrawSprite(Game.*(icon.sprite), icon.x, icon.y);
    }
  } else if (page == 2) {
    int y = CapsuleFirstY;
    for (const auto& c : Capsules) {
      DrawSprite(Game.sprBonus, CapsuleIconX, y);
      DrawSprite(Game.*(c.sprite), CapsuleIconX, y);
      y += CapsuleStep;
    }
  } else if (page == 3) {
    DrawSprite(Game.sprFloater, BubbleIconX, BubbleIconY);
  }
  for (const TLine& line : PageLines(page)) DrawText(*line.font, line.x, line.y, line.text);
  DrawText(page > 0 ? Game.fontMenu : Game.fontMenuDark, PreviousX, MarkY, "<");
  DrawText(page < HelpPageCount - 1 ? Game.fontMenu : Game.fontMenuDark, NextX, MarkY, ">");
  const std::string number = PageNumber(page);
  DrawText(Game.fontScore, (FieldRight - TextWidth(Game.fontScore, number)) / 2, NumberY, number);
}

void AddHelpTargets(std::vector<TMenuTarget>& targets) {
  targets.push_back({MarkArea(PreviousX), -1, SDLK_LEFT, page > 0});
  targets.push_back({MarkArea(NextX), -1, SDLK_RIGHT, page < HelpPageCount - 1});
}

std::vector<TFixedText> HelpFixedTexts() {
  std::vector<TFixedText> texts;
  for (int p = 0; p < HelpPageCount; ++p) {
    for (const TLine& line : PageLines(p))
      texts.push_back({line.font, line.x, line.y, line.text, line.limit});
    const std::string number = PageNumber(p);
    texts.push_back(
        {&Game.fontScore, (FieldRight - TextWidth(Game.fontScore, number)) / 2, NumberY, number, NextX});
  }
  texts.push_back({&Game.fontMenu, PreviousX, MarkY, "<", PreviousX + 16 + MarkPad});
  texts.push_back({&Game.fontMenu, NextX, MarkY, ">", NextX + 16 + MarkPad});
  return texts;
}
