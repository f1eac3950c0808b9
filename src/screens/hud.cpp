// The play-field frame with its animated beams, the backdrop, the HUD strip
// (score, energy, lives), framed boxes and the in-game messages.
#include "screens/hud.h"

#include <algorithm>
#include <cstdio>

#include "base/clock.h"
#include "base/globals.h"
#include "field/paddle.h"
#include "media/catalogue.h"
#include "media/font.h"
#include "platform/keymap.h"
#include "screens/bonuscard.h"
#include "session/level.h"
#include "session/players.h"

namespace {
constexpr int Tile = 20;
constexpr int FieldSize = 480;
constexpr int BeamWindow = 8;

// Source offset of a box cell along one axis. Corner tiles are found from the
// skin's far border, edge and centre tiles at the fixed 20/40 offsets.
int TileSource(int cell, int cells, bool corner, int skinSize) {
  if (cell == 0) return 0;
  if (cell < cells - 1) return Tile;
  return corner ? skinSize - Tile : 2 * Tile;
}

// The message box spans x 160..319; each message stands at its own fixed x.
struct TMessage {
  TGameState state;
  const char* text;
  int x;
};
const TMessage Messages[] = {
    {gsNewBall, "get ready", 198}, {gsGameOver, "game over", 197}, {gsGameDone, "well done", 197}};
constexpr int MessageY = 299;
// The score's slot in the HUD picture, and where the player's name gets one.
constexpr SDL_Rect HudSlot = {36, 11, 84, 18};
constexpr int NameSlotX = 138;
constexpr int MessageBoxLeft = 160;
constexpr int MessageBoxRight = 320;
// Play frozen by the pause key says so in the same box, over any other message.
constexpr const char* PausedText = "paused";

// A play-test frozen because the player looked away says how to go on: its
// Escape leaves for the editor instead of resuming.
constexpr int PlayTestHintY = 340;
std::string PlayTestHint() { return BoundKeyName(kaPause) + " goes on, Escape back to the editor"; }

int PausedX() { return (MessageBoxLeft + MessageBoxRight - TextWidth(Game.fontMenu, PausedText)) / 2; }

void DrawMessageBox(int x, const char* text) {
  DrawBox(Game.sprMessage, 8, 14, 8, 3);
  DrawText(Game.fontMenu, x, MessageY, text);
}

// In a hot-seat game the field names the player at play.
std::string PlayerAtPlay() {
  return HotSeatGame() ? HotSeat.players[static_cast<size_t>(HotSeat.turn)].name : "";
}

// A message that names the player, in a box as wide as it needs.
void DrawNamedMessage(const std::string& text) {
  int n = (TextWidth(Game.fontMenu, text) + Tile - 1) / Tile;
  if (n % 2 != 0) ++n;
  n = std::max(n, 6);
  DrawBox(Game.sprMessage, (24 - n) / 2 - 1, 14, n + 2, 3);
  DrawText(Game.fontMenu, (FieldSize - TextWidth(Game.fontMenu, text)) / 2, MessageY, text);
}

void DrawLevelTitle() {
  const std::string player = PlayerAtPlay();
  const std::string title = player.empty() ? LevelTitle() : player + ": " + LevelTitle();
  const int wName = TextWidth(Game.fontMenu, Game.levelName);
  const int wTitle = TextWidth(Game.fontMenu, title);
  int n = std::max(wTitle, wName) / Tile;
  if (n % 2 != 0) ++n;
  DrawBox(Game.sprMessage, (24 - n) / 2 - 2, 12, n + 4, 5);
  DrawText(Game.fontMenu, (FieldSize - wTitle) / 2, 259, title);
  DrawText(Game.fontMenu, (FieldSize - wName) / 2, 299, Game.levelName);
}

void DrawStateMessage() {
  if (Game.playPaused) {
    DrawMessageBox(PausedX(), PausedText);
    if (Game.playTesting) {
      const std::string hint = PlayTestHint();
      DrawText(Game.fontScore, (FieldSize - TextWidth(Game.fontScore, hint)) / 2, PlayTestHintY, hint);
    }
    return;
  }
  if (DrawBonusCard()) return;
  if (Game.gameState == gsFirstBall) DrawLevelTitle();
  const std::string player = PlayerAtPlay();
  if (!player.empty() && Game.gameState == gsNewBall) {
    DrawNamedMessage(player + ": get ready");
    return;
  }
  for (const TMessage& m : Messages)
    if (m.state == Game.gameState) DrawMessageBox(m.x, m.text);
}

void DrawWallRun(SDL_Surface* wall, bool vertical, int fixed, int from, int to) {
  const int step = vertical ? wall->h : wall->w;
  for (int at = from; at < to; at += step) {
    if (vertical)
      DrawSprite(wall, fixed, at);
    else
      DrawSprite(wall, at, fixed);
  }
}

void DrawBeam(SDL_Surface* beam, int phase, int from, int to, int y) {
  for (int x = from; x < to; x += BeamWindow) DrawSpriteWindow(beam, phase, 0, BeamWindow, BeamWindow, x, y);
}

SDL_Surface* BottomBeam() {
  switch (Game.paddle->size) {
    case psLarge:
      return Game.sprBeamGreen;
    case psSmall:
      return Game.sprBeamRed;
    case psNormal:
      break;
  }
  return Game.sprBeamBlue;
}

// A box skin cut to any size: its edges and corners, its middle tiled.
struct TSpan {
  int from, at, length;
};
std::vector<TSpan> Spans(int size, int skinSize) {
  const int tile = std::max(1, skinSize / 3);  // a skin of any size, even one too small to be a box
  const int head = std::min(tile, size / 2), tail = std::min(tile, size - head);
  std::vector<TSpan> spans = {{0, 0, head}};
  for (int at = head; at < size - tail; at += tile)
    spans.push_back({tile, at, std::min(tile, size - tail - at)});
  spans.push_back({skinSize - tail, size - tail, tail});
  return spans;
}

}  // namespace

void DrawBand(SDL_Surface* skin, const SDL_Rect& band) {
  for (const TSpan& x : Spans(band.w, skin->w))
    for (const TSpan& y : Spans(band.h, skin->h))
      DrawSpriteWindow(skin, x.from, y.from, x.length, y.length, band.x + x.at, band.y + y.at);
}

void DrawBox(SDL_Surface* skin, int column, int row, int width, int height) {
  DrawBoxAt(skin, Tile * column, Tile * row, width, height);
}

void DrawBoxAt(SDL_Surface* skin, int x, int y, int width, int height) {
  for (int j = 0; j < height; ++j) {
    const bool edgeRow = j == 0 || j == height - 1;
    for (int i = 0; i < width; ++i) {
      const bool edgeColumn = i == 0 || i == width - 1;
      const int sx = TileSource(i, width, edgeRow, skin->w);
      const int sy = TileSource(j, height, edgeColumn, skin->h);
      DrawSpriteWindow(skin, sx, sy, Tile, Tile, x + Tile * i, y + Tile * j);
    }
  }
}

void DrawHud() {
  DrawSprite(Game.sprHud, 0, 432);
  // The score is unsigned: "%u" keeps scores past two billion from printing negative.
  char score[16];
  std::snprintf(score, sizeof score, "%8u", static_cast<unsigned>(Game.score));
  DrawText(Game.fontScore, 43, 447, score);
  if (!DrawBonusTime())
    for (int i = 0; i < Game.energy / 2000; ++i) DrawSprite(Game.sprEnergyBar, 244 + 5 * i, 447);
  for (int k = 0; k < Game.lives; ++k) DrawSprite(Game.sprLife, 405 - 10 * k, 433);
  // A hot-seat game names the player at play in a slot like the score's,
  // laid over the grille between the score and the energy.
  const std::string player = PlayerAtPlay();
  if (!player.empty()) {
    DrawSpriteWindow(Game.sprHud, HudSlot.x, HudSlot.y, HudSlot.w, HudSlot.h, NameSlotX, 432 + HudSlot.y);
    const std::string shown = FittedText(Game.fontScore, player, HudSlot.w - 8);
    DrawText(Game.fontScore, NameSlotX + (HudSlot.w - TextWidth(Game.fontScore, shown)) / 2, 447, shown);
  }
  DrawStateMessage();
}

void DrawFrame() {
  SDL_Surface* wallV = Game.sprWallV;
  DrawWallRun(wallV, true, 0, 16, FieldSize);
  DrawWallRun(wallV, true, FieldSize - wallV->w, 16, FieldSize);
  DrawWallRun(Game.sprWallH, false, 0, 16, 368);
  // The gate's beam runs a phase behind the bottom one.
  DrawBeam(Game.sprBeamBlue, (Game.beamPhase + 15) % 16, 368, 448, 4);
  // The gate's beam ends in emitters, like the bottom one.
  DrawSprite(Game.sprBeamerLeft, 368, 4);
  DrawSprite(Game.sprBeamerRight, 440, 4);
  DrawWallRun(Game.sprWallH, false, 0, 448, 464);
  DrawSprite(Game.sprCornerLeft, 0, 0);
  DrawSprite(Game.sprCornerRight, 464, 0);
  DrawBeam(BottomBeam(), Game.beamPhase, 15, 456, 416);
  DrawSprite(Game.sprBeamerLeft, 16, 416);
  DrawSprite(Game.sprBeamerRight, 456, 416);
}

void AnimateBeams() {
  if (!Game.playPaused) Game.beamPhase = (Game.beamPhase + 1) % 16;
}

// The backdrop covers the field's lower half; the upper half takes the colour
// of its top left pixel (black in classic, the page in a paper theme).
void DrawBackground() {
  SDL_Rect upper = {80, 0, FieldSize, FieldSize / 2};
  const SDL_Surface* backdrop = Game.sprBackground;
  const bool indexed = backdrop && backdrop->format->BytesPerPixel == 1 && !SDL_MUSTLOCK(backdrop);
  FillScreenRect(&upper, indexed ? *static_cast<const Uint8*>(backdrop->pixels) : 0);
  DrawSprite(Game.sprBackground, 0, 240);
}

std::string TierName(int tier) {
  static const char* const names[] = {"newbie", "experienced", "master", "crazy", "AAARGH"};
  if (tier < 0 || tier > 4) return "beyond AAARGH";
  return names[tier];
}

std::string FittedText(const CFont& font, std::string text, int width) {
  while (!text.empty() && TextWidth(font, text) > width) text.pop_back();
  return text;
}

std::string LevelTitle() {
  const int count = LevelCount();
  return TierName(Game.levelIndex / count) + "-" + std::to_string(Game.levelIndex % count + 1);
}

std::vector<TFixedText> HudFixedTexts() {
  std::vector<TFixedText> texts;
  for (const TMessage& m : Messages)
    texts.push_back({&Game.fontMenu, m.x, MessageY, m.text, MessageBoxRight});
  texts.push_back({&Game.fontMenu, PausedX(), MessageY, PausedText, MessageBoxRight});
  return texts;
}

namespace {
constexpr int NoticeTextRoom = 400;  // inside the box's frame

std::string Fitted(const std::string& text) { return FittedText(Game.fontScore, text, NoticeTextRoom); }
}  // namespace

// The notice is a framed box of two lines at the head of the field. Saves
// happen on the menu screens, where only the title is drawn there: the box
// hides no menu row and no row of the table being named.
// Differences in unsigned arithmetic, so a clock wrap cannot keep it forever.
void DrawNotice() {
  if (Game.noticeLines[0].empty() || static_cast<int32_t>(Game.noticeUntil - GetTicks()) <= 0) return;
  DrawBox(Game.sprMessage, 1, 1, 22, 4);
  for (int line = 0; line < 2; ++line) {
    const std::string text = Fitted(Game.noticeLines[line]);
    DrawText(Game.fontScore, (FieldSize - TextWidth(Game.fontScore, text)) / 2, 36 + 22 * line, text);
  }
}
