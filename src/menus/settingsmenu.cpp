// The settings screen, opened from the options: volumes, mouse speed, the
// keys of play, the window's scale, music in play, the frame rate and the theme. Left and right change
// a value at once, Enter chooses, a key row waits for the new key.
#include "menus/settingsmenu.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/globals.h"
#include "media/catalogue.h"
#include "media/font.h"
#include "media/notice.h"
#include "media/theme.h"
#include "platform/display.h"
#include "platform/keymap.h"
#include "screens/hud.h"
#include "store/settings.h"

namespace {
enum TSettingRow {
  srEffects,
  srMusic,
  srMouse,
  srLeft,
  srRight,
  srFire,
  srPause,
  srDefaults,
  srScale,
  srMusicInPlay,
  srFrameRate,
  srTheme,
  srBonusStages,
  SettingRowCount
};
const char* const RowTexts[SettingRowCount] = {
    "effects volume", "music volume", "mouse speed",   "left key",   "right key", "fire key",    "pause key",
    "defaults",       "scale",        "music in play", "frame rate", "theme",     "bonus stages"};
// What the bottom line says while a row is highlighted.
const char* const RowHints[SettingRowCount] = {
    "left/right: quieter/louder, 10 is full",
    "left/right: quieter/louder, 10 is full",
    "left/right: slower/faster paddle",
    "Enter, then press the new key",
    "Enter, then press the new key",
    "Enter, then press the new key",
    "Enter, then press the new key",
    "Enter: the four keys as they were at first",
    "left/right: picture size; fill: the screen's height",
    "left/right: keep the menu music in play",
    "left/right: pictures a second, display: the screen's",
    "left/right: the look and sound; your own: see the help",
    "left/right: a bonus stage after every fifth level",
};

constexpr int FieldRight = 480;
constexpr int LabelX = 56;
constexpr int ValueRight = 424;  // values end here, inside the highlight box
constexpr int BoxColumn = 2;     // the highlight box spans x 40..439
constexpr int BoxWidth = 20;
constexpr int FirstRowY = 44;  // row r stands at FirstRowY + RowPitch·r
constexpr int RowPitch = 31;
constexpr int BoxTextY = 8;  // the row's text below the top of its box
constexpr int TitleY = 8;
constexpr int HintY = 452;
constexpr int MessageTicks = 120;  // three seconds

bool capturing = false;
std::string message;  // a refusal, shown instead of the hint for a while
int messageUntil = 0;

int RowY(int row) { return FirstRowY + RowPitch * row; }

constexpr int Tile = 20;
SDL_Rect RowArea(int row) {
  return {BoxColumn * Tile, static_cast<Sint16>(RowY(row) - BoxTextY), BoxWidth * Tile, RowPitch};
}

// The frame rates in the order Left and Right step through them: the
// display's own (0), then the fixed ones.
int FrameRateIndex(int rate) {
  for (int i = 0; i < FrameRateCount; ++i)
    if (FrameRates[i] == rate) return i + 1;
  return 0;
}
int FrameRateAt(int index) { return index == 0 ? 0 : FrameRates[index - 1]; }

TKeyAction ActionOfRow(int row) { return static_cast<TKeyAction>(row - srLeft); }
bool IsKeyRow(int row) { return row >= srLeft && row <= srPause; }

std::string ValueText(int row) {
  const TSettings& s = Game.settings;
  switch (row) {
    case srEffects:
      return std::to_string(s.effectsVolume);
    case srMusic:
      return std::to_string(s.musicVolume);
    case srMouse:
      return std::string(MouseRates[s.controls.mouseRate].text) + "x";
    case srScale:
      return s.scale <= 0 ? ScaleText(s.scale) : std::to_string(s.scale) + "x";
    case srFrameRate:
      return s.frameRate == 0 ? "display" : std::to_string(s.frameRate);
    case srTheme:
      return CurrentTheme();
    default:
      return IsKeyRow(row) ? KeyName(s.controls.keys[ActionOfRow(row)]) : "";
  }
}

void Say(const std::string& text) {
  message = text;
  messageUntil = Game.tickCount + MessageTicks;
}

// Moves `value` one step within low..high; past the end, back to the start
// when `wrap` is set, else false.
bool Step(int& value, int step, int low, int high, bool wrap) {
  if (value + step >= low && value + step <= high)
    value += step;
  else if (wrap)
    value = low;
  else
    return false;
  return true;
}

// The next scale the picture fits at, in the window or full screen as it is
// now, applied at once: auto, the whole scales that fit, then fill; past
// fill, automatic when `wrap` is set.
bool StepScale(int step, bool wrap) {
  std::vector<int> order = {0};
  for (int n = 1; n <= MaxScale; ++n)
    if (ScaleFitsScreen(n, Game.optFullscreen.value)) order.push_back(n);
  order.push_back(FillScale);
  const auto at = std::find(order.begin(), order.end(), Game.settings.scale);
  const int to = (at == order.end() ? 0 : static_cast<int>(at - order.begin())) + step;
  if ((to < 0 || to >= static_cast<int>(order.size())) && !wrap) return false;
  const int next = to < 0 || to >= static_cast<int>(order.size()) ? 0 : order[static_cast<size_t>(to)];
  if (next == Game.settings.scale) return false;
  Game.settings.scale = next;
  ChangeScale(next);
  Game.optFullscreen.applied = false;
  ApplyVideoSettings();
  return true;
}

// Changes the value of the cursor row by one step; false when it cannot move.
bool ChangeValue(int step, bool wrap) {
  TSettings& s = Game.settings;
  switch (Game.menuCursor) {
    case srEffects:
      if (!Step(s.effectsVolume, step, 0, MaxVolume, wrap)) return false;
      ApplySoundVolumes();
      // A sample of the new loudness, played instead of the menu's own sound.
      PlaySound(Game.sndPong);
      return true;
    case srMusic:
      if (!Step(s.musicVolume, step, 0, MaxVolume, wrap)) return false;
      ApplySoundVolumes();
      break;
    case srMouse:
      if (!Step(s.controls.mouseRate, step, 0, MouseRateCount - 1, wrap)) return false;
      break;
    case srScale:
      if (!StepScale(step, wrap)) return false;
      break;
    case srMusicInPlay:
      s.musicInPlay = !s.musicInPlay;
      break;
    case srBonusStages:
      s.bonusStages = !s.bonusStages;
      break;
    case srFrameRate: {
      int index = FrameRateIndex(s.frameRate);
      if (!Step(index, step, 0, FrameRateCount, wrap)) return false;
      s.frameRate = FrameRateAt(index);
      break;
    }
    case srTheme: {
      // Taken at once, so the field behind the menu shows it before the player leaves.
      const std::vector<std::string> names = ThemeNames();
      int index = static_cast<int>(std::find(names.begin(), names.end(), CurrentTheme()) - names.begin());
      if (index == static_cast<int>(names.size())) index = 0;
      if (!Step(index, step, 0, static_cast<int>(names.size()) - 1, wrap)) return false;
      s.theme = names[index];
      UseTheme(s.theme);
      break;
    }
    default:
      return false;
  }
  PlaySound(Game.sndMenuStep);
  return true;
}

void Choose() {
  const int row = Game.menuCursor;
  if (IsKeyRow(row)) {
    PlaySound(Game.sndMenuSelect);
    capturing = true;
    message.clear();
  } else if (row == srDefaults) {
    PlaySound(Game.sndMenuSelect);
    const int rate = Game.settings.controls.mouseRate;
    Game.settings.controls = TControls();
    Game.settings.controls.mouseRate = rate;
    Say("the keys are as they were at first");
  } else {
    ChangeValue(+1, true);
  }
}

void TakeKey(SDLKey key) {
  const TKeyAction action = ActionOfRow(Game.menuCursor);
  const std::string refusal = BindingRefusal(Game.settings.controls, action, key);
  if (!refusal.empty()) {
    // Still waiting: the player can try another key or keep the old one.
    Say(refusal);
    return;
  }
  PlaySound(Game.sndMenuSelect);
  Game.settings.controls.keys[action] = key;
  capturing = false;
  message.clear();
}

void DrawRow(int row) {
  const int y = RowY(row);
  DrawText(Game.fontMenu, LabelX, y, RowTexts[row]);
  if (row == srMusicInPlay || row == srBonusStages) {
    const bool on = row == srMusicInPlay ? Game.settings.musicInPlay : Game.settings.bonusStages;
    SDL_Surface* mark = on ? Game.sprCheckOn : Game.sprCheckOff;
    DrawSprite(mark, ValueRight - mark->w, y + 4);
    return;
  }
  const bool waiting = capturing && row == Game.menuCursor;
  // The row waiting for a key blinks like the name being typed in the table.
  const bool bright = (Game.tickCount / 8) % 2 != 0;
  const std::string value = waiting ? "?" : ValueText(row);
  const CFont& font = waiting && !bright ? Game.fontMenuDark : Game.fontMenu;
  DrawText(font, ValueRight - TextWidth(font, value), y, value);
}

std::string BottomLine() {
  if (!message.empty() && Game.tickCount < messageUntil) return message;
  if (capturing)
    return std::string("press a key for ") + KeyActionName(ActionOfRow(Game.menuCursor)) +
           ", Escape keeps the old one";
  return RowHints[Game.menuCursor];
}

int CentredX(const CFont& font, const std::string& text) { return (FieldRight - TextWidth(font, text)) / 2; }
}  // namespace

void OpenSettings() {
  Game.menuState = msSettings;
  Game.menuCursor = 0;
  capturing = false;
  message.clear();
}

void DrawSettings() {
  DrawText(Game.fontMenu, CentredX(Game.fontMenu, "settings"), TitleY, "settings");
  const SDL_Rect box = RowArea(Game.menuCursor);
  DrawBoxAt(Game.sprMenu, box.x, box.y, box.w / Tile, 2);
  for (int r = 0; r < SettingRowCount; ++r) DrawRow(r);
  const std::string line = BottomLine();
  DrawText(Game.fontScore, CentredX(Game.fontScore, line), HintY, line);
}

void HandleSettingsKey(SDLKey key) {
  if (capturing) {
    TakeKey(key);
    return;
  }
  const int row = Game.menuCursor;
  if ((key == SDLK_UP && row > 0) || (key == SDLK_DOWN && row < SettingRowCount - 1)) {
    PlaySound(Game.sndMenuStep);
    Game.menuCursor += key == SDLK_UP ? -1 : 1;
  } else if (key == SDLK_LEFT || key == SDLK_RIGHT) {
    ChangeValue(key == SDLK_LEFT ? -1 : +1, false);
  } else if (key == SDLK_RETURN) {
    Choose();
  }
}

bool CapturingKey() { return Game.menuState == msSettings && capturing; }

void SettingsEscape() {
  PlaySound(Game.sndMenuSelect);
  if (capturing) {
    capturing = false;
    message.clear();
    return;
  }
  ReportSave(SaveSettings());
  Game.menuState = msOptions;
  Game.menuCursor = 6;
}

void AddSettingsTargets(std::vector<TMenuTarget>& targets) {
  if (capturing) return;
  for (int r = 0; r < SettingRowCount; ++r) targets.push_back({RowArea(r), r, SDLK_RETURN, true});
}

std::vector<TFixedText> SettingsFixedTexts() {
  std::vector<TFixedText> texts;
  for (int r = 0; r < SettingRowCount; ++r)
    texts.push_back({&Game.fontMenu, LabelX, RowY(r), RowTexts[r], 300});
  for (const char* hint : RowHints)
    texts.push_back({&Game.fontScore, CentredX(Game.fontScore, hint), HintY, hint, FieldRight});
  return texts;
}
