// The new game screen's players line and names line: their keys, clicks and
// drawing. The names last for the run, so the next game finds them again.
#include "menus/playerlines.h"

#include <algorithm>

#include "base/globals.h"
#include "media/catalogue.h"
#include "media/font.h"
#include "screens/hud.h"
#include "session/players.h"
#include "store/highscores.h"

namespace {
constexpr int FieldRight = 480;
// Each line stands in a band of its own under the difficulties; the focused
// one is lit with the menus' highlight.
constexpr int PlayersBandY = 400, NamesBandY = 420, BandHeight = 20, TextDrop = 5, BandPad = 8;
constexpr int NameGap = 16;
const char* const NamesLabel = "names:";

enum TFocus { fcDifficulty, fcCount, fcNames };
TFocus focus = fcDifficulty;
int count = 1;
int nameAt = 0;  // the name the name-entry keys edit
std::string names[MostPlayers];
bool named = false;

void NameDefaults() {
  if (named) return;
  named = true;
  names[0] = DefaultName();
  for (int i = 1; i < MostPlayers; ++i) names[i] = "PLAYER " + std::to_string(i + 1);
}

std::string Default(int i) { return i == 0 ? DefaultName() : "PLAYER " + std::to_string(i + 1); }

// Left and Right answer only the focused line, which alone shows its arrows.
std::string ArrowedCountLine() { return "< players: " + std::to_string(count) + " >"; }
std::string CountLine() {
  return focus == fcCount ? ArrowedCountLine() : "players: " + std::to_string(count);
}

// The names as drawn, the one being edited with its cursor, and where each starts.
std::vector<std::string> ShownNames(bool cursor) {
  std::vector<std::string> shown;
  for (int i = 0; i < count; ++i)
    shown.push_back(names[i] + (cursor && focus == fcNames && i == nameAt ? "_" : ""));
  return shown;
}

// Where the label and each name start; the label is the first.
std::vector<int> NameStarts(const std::vector<std::string>& shown) {
  int width =
      (TextWidth(Game.fontScore, NamesLabel) + NameGap) + NameGap * (static_cast<int>(shown.size()) - 1);
  for (const std::string& s : shown) width += TextWidth(Game.fontScore, s);
  int x = (FieldRight - width) / 2;
  std::vector<int> starts = {x};
  x += TextWidth(Game.fontScore, NamesLabel) + NameGap;
  for (const std::string& s : shown) {
    starts.push_back(x);
    x += TextWidth(Game.fontScore, s) + NameGap;
  }
  return starts;
}

void Step(int& value, int by, int low, int high) {
  const int next = value + by;
  if (next < low || next > high) return;
  value = next;
  PlaySound(Game.sndMenuStep);
}

void EditName(SDLKey key, SDLMod mod) {
  std::string& name = names[nameAt];
  const char c = NameKeyChar(key, mod);
  if (c && name.size() < MostPlayerNameLength && !(c == ' ' && name.empty())) {
    name += c;
    PlaySound(Game.sndMenuSelect);
  } else if (key == SDLK_BACKSPACE && !name.empty()) {
    name.pop_back();
    PlaySound(Game.sndMenuSelect);
  }
}
}  // namespace

bool PlayerLinesKey(SDLKey key, SDLMod mod) {
  NameDefaults();
  const bool up = key == SDLK_UP, down = key == SDLK_DOWN, tab = key == SDLK_TAB;
  const bool left = key == SDLK_LEFT, right = key == SDLK_RIGHT;
  const TFocus below = count > 1 ? fcNames : fcDifficulty;
  switch (focus) {
    case fcDifficulty:
      if (!tab) return false;
      focus = fcCount;
      break;
    case fcCount:
      if (left || right) {
        Step(count, left ? -1 : 1, 1, MostPlayers);
        return true;
      }
      if (!down && !tab) return up;
      focus = below;
      break;
    case fcNames:
      if (left || right) {
        Step(nameAt, left ? -1 : 1, 0, count - 1);
        return true;
      }
      if (key == SDLK_RETURN || key == SDLK_ESCAPE) return false;
      if (!up && !down && !tab) {
        EditName(key, mod);
        return true;
      }
      focus = up ? fcCount : fcDifficulty;
      break;
  }
  PlaySound(Game.sndMenuStep);
  return true;
}

bool ClickPlayerLinesAt(int x, int y) {
  NameDefaults();
  const int countWidth = TextWidth(Game.fontScore, ArrowedCountLine()) + 2 * BandPad;
  if (y >= PlayersBandY && y < PlayersBandY + BandHeight && x >= (FieldRight - countWidth) / 2 &&
      x < (FieldRight + countWidth) / 2) {
    focus = fcCount;
    Step(count, x < FieldRight / 2 ? -1 : 1, 1, MostPlayers);
    return true;
  }
  if (count < 2 || y < NamesBandY || y >= NamesBandY + BandHeight) return false;
  const std::vector<std::string> shown = ShownNames(false);
  const std::vector<int> starts = NameStarts(shown);
  for (int i = 0; i < count; ++i)
    if (x >= starts[i + 1] && x < starts[i + 1] + TextWidth(Game.fontScore, shown[i]) + NameGap / 2) {
      focus = fcNames;
      nameAt = i;
      PlaySound(Game.sndMenuStep);
      return true;
    }
  return false;
}

void DrawPlayerLines() {
  NameDefaults();
  if (count < 2 && focus == fcNames) focus = fcCount;
  nameAt = std::min(nameAt, count - 1);
  const auto band = [](int y, int from, int width) {
    DrawBand(Game.sprMenu, {static_cast<Sint16>(from - BandPad), static_cast<Sint16>(y),
                            static_cast<Uint16>(width + 2 * BandPad), BandHeight});
  };
  const std::string line = CountLine();
  const int x = (FieldRight - TextWidth(Game.fontScore, line)) / 2;
  if (focus == fcCount) band(PlayersBandY, x, TextWidth(Game.fontScore, line));
  DrawText(Game.fontScore, x, PlayersBandY + TextDrop, line);
  if (count < 2) return;
  const bool bright = (Game.tickCount / 8) % 2 != 0;
  const std::vector<std::string> shown = ShownNames(bright);
  const std::vector<int> starts = NameStarts(ShownNames(false));
  if (focus == fcNames) {
    const std::string last = ShownNames(false).back();
    band(NamesBandY, starts[0], starts.back() + TextWidth(Game.fontScore, last) - starts[0]);
  }
  DrawText(Game.fontScore, starts[0], NamesBandY + TextDrop, NamesLabel);
  for (int i = 0; i < count; ++i) DrawText(Game.fontScore, starts[i + 1], NamesBandY + TextDrop, shown[i]);
}

bool DifficultiesFocused() { return focus == fcDifficulty; }

std::string TabOrderHint() {
  return count > 1 ? "Tab: difficulty > players > names" : "Tab: difficulty > players";
}

void ResetPlayerLinesFocus() { focus = fcDifficulty; }

void ForgetPlayerLines() {
  focus = fcDifficulty;
  count = 1;
  nameAt = 0;
  named = false;
}

bool TypingPlayerName() { return focus == fcNames && Game.menuState == msNewGame; }

int ChosenPlayerCount() { return count; }

std::vector<std::string> ChosenPlayers() {
  NameDefaults();
  std::vector<std::string> chosen;
  if (count < 2) return chosen;
  for (int i = 0; i < count; ++i) chosen.push_back(names[i].empty() ? Default(i) : names[i]);
  return chosen;
}
