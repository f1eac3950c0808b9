// The help pages about playing. The overview is the game's first help page:
// the controls and every capsule at a glance; the capsules and bubbles page
// tells what the overview's names leave out.
#include "menus/playpages.h"

#include "base/globals.h"
#include "media/catalogue.h"
#include "platform/keymap.h"

namespace {
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

// The bubbles' part of their page: the bubble itself, then its text.
constexpr int BubbleIconX = 40, BubbleIconY = 320;
}  // namespace

std::vector<THelpLine> OverviewPage() {
  const CFont* score = &Game.fontScore;
  std::vector<THelpLine> lines = {
      {score, 80, 192, "Left/right cursor keys or mouse move paddle", HelpFieldRight},
      {score, 80, 208, "Spacebar or left mouse button release ball", HelpFieldRight},
  };
  for (const TIcon& icon : Legend)
    lines.push_back({score, icon.x + LabelOffset, icon.y, icon.label,
                     icon.x < LegendColumn ? LegendColumn : HelpFieldRight});
  lines.push_back({score, BubbleX + LabelOffset, 352, "bubble (bounces ball)", HelpFieldRight});
  lines.push_back({score, 80, 384, "You lose powerups when energy bar is depleted", HelpFieldRight});
  lines.push_back({score, 80, 416, "Escape enters/exits menu", HelpFieldRight});
  return lines;
}

void OverviewPictures() {
  DrawSprite(Game.sprFloater, BubbleX, 352);
  for (const TIcon& icon : Legend) {
    DrawSprite(Game.sprBonus, icon.x, icon.y);
    DrawSprite(Game.*(icon.sprite), icon.x, icon.y);
  }
}

// The keys as bound now: the settings screen can change four of them.
std::vector<THelpLine> KeysPage() {
  return KeyRowLines(136, {
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
}

// Page 1 names every capsule; this page says what the names leave out.
std::vector<THelpLine> CapsulesAndBubblesPage() {
  std::vector<THelpLine> lines =
      KeyRowLines(136, {
                           {"", "capsules"},
                           {"Broken bricks may drop a capsule: catch it with", ""},
                           {"the paddle for its power (page 1 shows them all).", ""},
                           {"Powers last while the energy bar lasts, 40 s of", ""},
                           {"play; each catch fills it. The mystery is one of", ""},
                           {"the first eight, by chance; a second reverse", ""},
                           {"undoes the first; five lives at most. A small", ""},
                           {"paddle and a fast ball score more.", ""},
                       });
  lines.push_back({&Game.fontMenu, 24, BubbleIconY - 36, "bubbles", HelpFieldRight});
  const char* const text[] = {
      "Bubbles float into the later levels and",    "drift about the field. A ball that touches",
      "one bursts it for 75 points and flies back", "the way it came. Bubbles never harm you;",
      "they leave when the last ball is lost or",   "the level ends.",
  };
  int y = BubbleIconY;
  for (const char* t : text) {
    lines.push_back({&Game.fontScore, BubbleIconX + 48, y, t, HelpFieldRight});
    y += 16;
  }
  return lines;
}

void BubblePicture() { DrawSprite(Game.sprFloater, BubbleIconX, BubbleIconY); }

std::vector<THelpLine> EditorPage() {
  return KeyRowLines(136, {
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
}

std::vector<THelpLine> ReplaysPage() {
  return KeyRowLines(136, {
                              {"", "replays"},
                              {"Each game that enters the high scores is kept.", ""},
                              {"In the table up and down choose a row, and", ""},
                              {"enter or a click plays its game again (right", ""},
                              {"after a game over a click goes back instead).", ""},
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
}
