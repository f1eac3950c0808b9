// The side panels beside the play field, drawn in the frame's own chrome (the
// message-box skin, the menu and score fonts, capsules and energy segments)
// into two strip pictures that are redrawn only when their contents change.
#include "screens/panels.h"

#include <algorithm>
#include <cstring>

#include "base/globals.h"
#include "field/bonusstage.h"
#include "field/paddle.h"
#include "media/catalogue.h"
#include "media/theme.h"
#include "platform/display.h"
#include "screens/hud.h"
#include "session/level.h"
#include "session/players.h"
#include "store/highscores.h"

namespace {
// A bonus stage is named where a level is.
std::string ShownLevelName() {
  return Game.bonusStage ? BonusKindTitle(Game.bonusStage->kind) : Game.levelName;
}
constexpr int StripHeight = 480;
constexpr int RightStrip = 560;
constexpr int Inset = 6;  // the message skin's border
constexpr int CardTile = 20;
// The strips are the picture's 80 columns beside the field, or wider where
// the picture fills a wider screen: the cards then span the room there is.
int stripWidth = FieldLeft;
int CardWidth() { return stripWidth / CardTile * CardTile; }
int CardLeft() { return (stripWidth - CardWidth()) / 2; }
// Text kept a few pixels off the border, so that it never seems to touch it.
int TextWidthMax() { return CardWidth() - 2 * (Inset + 3); }
constexpr int LineStep = 15;
constexpr int BarSegments = 13;  // 13 energy segments 5 px apart fill the card's inside
constexpr int FullEnergy = 40000;

bool shown = true;
bool onScreen = false;  // the strips of the screen hold panels (or the editor's palettes), not black

// One strip: its picture and the description of what it shows, so that it is
// drawn again only when that changes.
struct TStrip {
  SDL_Surface* picture = nullptr;
  std::string drawn;
};
TStrip left, right;

// The routines of the catalogue and the fonts draw on Game.screen at
// play-field x + 80; pointing it at a strip picture draws there instead.
class TDrawInto {
public:
  explicit TDrawInto(SDL_Surface* target) : saved(Game.screen) { Game.screen = target; }
  ~TDrawInto() { Game.screen = saved; }

private:
  SDL_Surface* saved;
};

constexpr int X(int stripX) { return stripX - 80; }

// Text centred on the card at y. Too wide, it is set a pixel tighter between
// letters, and only if it is still too wide cut at the end: "PLAYER 2" and
// "PLAYER 3" stay told apart. A heading is never cut: the widest ("players")
// spills a pixel or two into the margin.
void CentredTight(const CFont& font, std::string text, int y, bool mayCut = true) {
  const auto width = [&font](const std::string& t, int tighten) {
    return TextWidth(font, t) - tighten * std::max(0, static_cast<int>(t.size()) - 1);
  };
  const int tighten = TextWidth(font, text) > TextWidthMax() ? 1 : 0;
  while (mayCut && !text.empty() && width(text, tighten) > TextWidthMax()) text.pop_back();
  int x = (stripWidth - width(text, tighten)) / 2;
  for (char c : text) {
    const std::string letter(1, c);
    DrawText(font, X(x), y, letter);
    x += TextWidth(font, letter) - tighten;
  }
}

void Card(int row, int rows, const std::string& heading) {
  DrawBoxAt(Game.sprMessage, X(CardLeft()), CardTile * row, CardWidth() / CardTile, rows);
  CentredTight(Game.fontMenu, heading, 20 * row + 6, false);
}

// Centred lines of the score font from y; returns the y after them.
int Lines(const std::vector<std::string>& lines, int y) {
  for (const std::string& line : lines) {
    DrawText(Game.fontScore, X((stripWidth - TextWidth(Game.fontScore, line)) / 2), y, line);
    y += LineStep;
  }
  return y;
}

// The value stands under the heading; a card of three rows has it higher.
void BigValue(int row, const std::string& value, int drop = 44) {
  const int w = TextWidth(Game.fontMenu, value);
  DrawText(Game.fontMenu, X((stripWidth - w) / 2), 20 * row + drop, value);
}

std::string BestName() {
  if (Game.highScores.Count() == 0) return "";
  std::string name = Game.highScores[0]->name;
  name.erase(name.find_last_not_of(' ') + 1);
  return name;
}

uint32_t BestScore() { return Game.highScores.Count() > 0 ? Game.highScores[0]->score : 0; }

// The powers the right panel lists, in its order, each with its capsule icon.
struct TPower {
  SDL_Surface* TGameGlobals::*icon;
  bool (*inForce)();
};
const TPower Powers[] = {
    {&TGameGlobals::sprBonusFire, [] { return Game.ballType == btFire; }},
    {&TGameGlobals::sprBonusMagnet, [] { return Game.ballType == btMagnet; }},
    {&TGameGlobals::sprBonusPaddleLarge, [] { return Game.paddle->size == psLarge; }},
    {&TGameGlobals::sprBonusPaddleSmall, [] { return Game.paddle->size == psSmall; }},
    {&TGameGlobals::sprBonusSpeedUp, [] { return Game.ballSpeed > Game.baseBallSpeed; }},
    {&TGameGlobals::sprBonusSpeedDown, [] { return Game.ballSpeed < Game.baseBallSpeed; }},
    {&TGameGlobals::sprBonusReverse, [] { return Game.paddle->direction < 0; }},
    {&TGameGlobals::sprBonusPaddleSpeed, [] { return Game.paddle->slow; }},
};

// Powers outlive the energy only until the next tick of play takes them
// away, so without energy none is listed.
std::vector<const TPower*> PowersInForce() {
  std::vector<const TPower*> powers;
  if (Game.energy <= 0) return powers;
  for (const TPower& p : Powers)
    if (p.inForce()) powers.push_back(&p);
  return powers;
}

int LitSegments() { return (std::min(Game.energy, FullEnergy) * BarSegments + FullEnergy - 1) / FullEnergy; }

// The best of the table: the score to beat. An editor's play-test is of a
// level no table holds yet.
void DrawBest(int row, int rows) {
  Card(row, rows, "best");
  // A player's set has no best before its first game is over.
  const bool none = Game.highScores.Count() == 0 || Game.playTesting;
  const std::string best = none ? "none yet" : std::to_string(BestScore());
  const int y = Lines(WrapText(Game.fontScore, none ? "" : BestName(), TextWidthMax()), 20 * row + 38);
  Lines(WrapText(Game.fontScore, best, TextWidthMax()), y);
}

// While a recording is watched, the best's card tells how far it has played.
void DrawReplayCard(int row, int rows) {
  Card(row, rows, "replay");
  const int y = Lines({Game.viewerCard.state}, 20 * row + 36);
  SDL_Rect bar = {static_cast<Sint16>(CardLeft() + Inset + 3), static_cast<Sint16>(y + 2),
                  static_cast<Uint16>(TextWidthMax()), 5};
  SDL_FillRect(Game.screen, &bar, SDL_MapRGB(Game.screen->format, 64, 64, 96));
  bar.w = static_cast<Uint16>(bar.w * std::clamp(Game.viewerCard.played, 0, 1000) / 1000);
  SDL_FillRect(Game.screen, &bar, SDL_MapRGB(Game.screen->format, 255, 208, 64));
  Lines({Game.viewerCard.time}, y + 11);
}

void DrawLastCard(int row, int rows) {
  if (Game.viewerCard.shown)
    DrawReplayCard(row, rows);
  else
    DrawBest(row, rows);
}

// A hot-seat game lists every player under the level, the one at play in
// the menu font, each with their score and their lives (or "out"); the lap
// and the best follow in shorter cards.
constexpr int PlayersRow = 6, PlayerStep = 45, HotSeatLapRow = 17, HotSeatBestRow = 20;

void DrawPlayers() {
  Card(PlayersRow, HotSeatLapRow - PlayersRow, "players");
  int y = 20 * PlayersRow + 36;
  for (int i = 0; i < static_cast<int>(HotSeat.players.size()); ++i, y += PlayerStep) {
    const std::string& name = HotSeat.players[static_cast<size_t>(i)].name;
    const bool atPlay = i == HotSeat.turn;
    const bool large = atPlay && TextWidth(Game.fontMenu, name) <= TextWidthMax();
    const CFont& font = large ? Game.fontMenu : Game.fontScore;
    CentredTight(font, name, y - (large ? 3 : 0));
    // The player at play is marked at both ends of their lives' line.
    if (atPlay) {
      DrawSprite(Game.sprEnergyBar, X(CardLeft() + Inset + 1), y + 2 * LineStep + 1);
      DrawSprite(Game.sprEnergyBar, X(CardLeft() + CardWidth() - Inset - 4), y + 2 * LineStep + 1);
    }
    Lines({std::to_string(PlayerScore(i))}, y + LineStep);
    const int lives = PlayerLives(i);
    if (lives <= 0 || lives > 5) {
      Lines({lives <= 0 ? std::string("out") : "x" + std::to_string(lives)}, y + 2 * LineStep);
      continue;
    }
    const int left = (stripWidth - 10 * lives) / 2;
    // The life picture's ink is its lowest ten rows.
    for (int k = 0; k < lives; ++k) DrawSprite(Game.sprLife, X(left + 10 * k), y + 2 * LineStep - 13);
  }
}

void DrawLap(int row, int rows) {
  Card(row, rows, "lap");
  BigValue(row, std::to_string(LevelLap()), rows < 4 ? 30 : 44);
}

void DrawHotSeatLeft() {
  Card(0, PlayersRow, "level");
  const int y = Lines(WrapText(Game.fontScore, ShownLevelName(), TextWidthMax()), 40) + 4;
  Lines(WrapText(Game.fontScore, LevelPlace(), TextWidthMax()), y);
  DrawPlayers();
  DrawLap(HotSeatLapRow, HotSeatBestRow - HotSeatLapRow);
  DrawLastCard(HotSeatBestRow, 24 - HotSeatBestRow);
}

void DrawLeft() {
  if (HotSeatGame()) {
    DrawHotSeatLeft();
    return;
  }
  Card(0, 14, "level");
  int y = Lines(WrapText(Game.fontScore, ShownLevelName(), TextWidthMax()), 40) + 8;
  Lines(WrapText(Game.fontScore, LevelPlace(), TextWidthMax()), y);
  DrawLap(14, 5);
  DrawLastCard(19, 5);
}

void DrawRight() {
  Card(0, 14, "powers");
  const int lit = LitSegments();
  int y = 40;
  for (const TPower* power : PowersInForce()) {
    const int icon = (stripWidth - Game.sprBonus->w) / 2;
    DrawSprite(Game.sprBonus, X(icon), y);
    DrawSprite(Game.*(power->icon), X(icon), y);
    const int bar = (stripWidth - 5 * BarSegments + 1) / 2;
    for (int i = 0; i < lit; ++i) DrawSprite(Game.sprEnergyBar, X(bar + 5 * i), y + 20);
    y += 40;
  }
  Card(14, 5, "balls");
  BigValue(14, std::to_string(Game.balls.Count()));
  Card(19, 5, "speed");
  BigValue(19, std::to_string(Game.ballSpeed));
}

std::string LeftContents() {
  std::string players;
  for (int i = 0; i < static_cast<int>(HotSeat.players.size()); ++i)
    players += HotSeat.players[static_cast<size_t>(i)].name + (i == HotSeat.turn ? "*" : " ") +
               std::to_string(PlayerScore(i)) + " " + std::to_string(PlayerLives(i)) + '\n';
  return players + ShownLevelName() + '\n' + LevelPlace() + '\n' + std::to_string(LevelLap()) + '\n' +
         BestName() + '\n' + std::to_string(BestScore()) + (Game.playTesting ? "\ntest" : "") +
         (Game.viewerCard.shown
              ? Game.viewerCard.state + Game.viewerCard.time + std::to_string(Game.viewerCard.played)
              : "");
}

std::string RightContents() {
  std::string s;
  for (const TPower* power : PowersInForce()) s += static_cast<char>('a' + (power - Powers));
  return s + '\n' + std::to_string(LitSegments()) + ' ' + std::to_string(Game.balls.Count()) + ' ' +
         std::to_string(Game.ballSpeed);
}

void Refresh(TStrip& strip, const std::string& contents, void (*draw)()) {
  if (strip.picture && strip.picture->w != stripWidth) {
    SDL_FreeSurface(strip.picture);
    strip.picture = nullptr;
  }
  // Another theme draws the same contents in its own pictures and colours.
  const std::string shown = CurrentTheme() + '\n' + contents;
  if (!strip.picture) {
    strip.picture = SDL_CreateRGBSurface(SDL_SWSURFACE, stripWidth, StripHeight, 8, 0, 0, 0, 0);
    if (!strip.picture) return;
  } else if (strip.drawn == shown) {
    return;
  }
  strip.drawn = shown;
  SDL_SetColors(strip.picture, Game.palette, 0, 256);
  TDrawInto into(strip.picture);
  SDL_FillRect(strip.picture, nullptr, 0);
  draw();
}

// Row copies of a strip picture (or black, when null) into the window. A
// wide strip reaches past the picture's edge into the screen's surface that
// holds the picture in its middle and shares its pixel rows.
void CopyStrip(SDL_Surface* picture, int x) {
  SDL_Surface* screen = Game.screen;
  const int room = SideRoom();
  if (screen->format->BytesPerPixel != 1 || x < -room || screen->w + room < x + stripWidth) return;
  if (SDL_MUSTLOCK(screen) && SDL_LockSurface(screen) != 0) return;
  for (int y = 0; y < StripHeight && y < screen->h; ++y) {
    Uint8* row = static_cast<Uint8*>(screen->pixels) + y * screen->pitch + x;
    if (picture)
      std::memcpy(row, static_cast<const Uint8*>(picture->pixels) + y * picture->pitch, stripWidth);
    else
      std::memset(row, 0, stripWidth);
  }
  if (SDL_MUSTLOCK(screen)) SDL_UnlockSurface(screen);
}
}  // namespace

void DrawSidePanels() {
  // The editor draws its palettes and keys in the strips itself; the screen
  // after it finds them to blank.
  if (Game.programState == psEditor) {
    onScreen = true;
    return;
  }
  if (Game.programState != psGame || !shown) {
    if (onScreen) {
      CopyStrip(nullptr, FieldLeft - stripWidth);
      CopyStrip(nullptr, RightStrip);
      onScreen = false;
    }
    return;
  }
  stripWidth = FieldLeft + SideRoom();
  Refresh(left, LeftContents(), DrawLeft);
  Refresh(right, RightContents(), DrawRight);
  if (!left.picture || !right.picture) return;
  CopyStrip(left.picture, FieldLeft - stripWidth);
  CopyStrip(right.picture, RightStrip);
  onScreen = true;
}

void SetSidePanelsShown(bool show) { shown = show; }

std::string LevelPlace() {
  if (Game.bonusStage) return "bonus stage";
  const int count = LevelCount();
  int index = Game.levelIndex;
  if (index < 0) {
    const auto& list = Game.levelList;
    const auto found = std::find(list.begin(), list.end(), Game.levelName);
    if (found == list.end()) return TierName(0);
    index = static_cast<int>(found - list.begin());
  }
  return TierName(index / count) + " " + std::to_string(index % count + 1) + "/" + std::to_string(count);
}

int LevelLap() { return std::max(Game.levelIndex, 0) / LevelCount() + 1; }

std::vector<std::string> WrapText(const CFont& font, const std::string& text, int width) {
  std::vector<std::string> lines;
  std::string line;
  auto fits = [&](const std::string& s) { return TextWidth(font, s) <= width; };
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = std::min(text.find(' ', at), text.size());
    std::string word = text.substr(at, end - at);
    at = end + 1;
    if (word.empty()) continue;
    const std::string joined = line.empty() ? word : line + " " + word;
    if (fits(joined)) {
      line = joined;
      continue;
    }
    if (!line.empty()) lines.push_back(line);
    line.clear();
    // A word wider than a whole line is cut, with a hyphen, where it stops fitting.
    while (!fits(word)) {
      size_t n = 1;
      while (n + 1 < word.size() && fits(word.substr(0, n + 1) + "-")) ++n;
      lines.push_back(word.substr(0, n) + "-");
      word.erase(0, n);
    }
    line = word;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}
