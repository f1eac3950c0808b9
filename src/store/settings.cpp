// The settings file settings.conf: lines "key = value", read leniently (a
// line that cannot be used is skipped with one line on standard error) and
// written atomically.
#include "store/settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "base/globals.h"
#include "platform/display.h"
#include "platform/echo.h"
#include "platform/keymap.h"

namespace {
const char* const SettingsFile = "settings.conf";
// Far beyond any file the game writes; a bigger one is not a settings file.
constexpr off_t MostBytes = 64 * 1024;

// The settings as the file holds them, so that unchanged settings are not
// written again (and a missing file stays missing).
std::string savedText;

const char* const KeyEntries[KeyActionCount] = {"key_left", "key_right", "key_fire", "key_pause"};

// A line of the file as a complaint shows it: it may hold anything.
std::string Quoted(const std::string& line) { return "\"" + Echoed(line) + "\""; }

std::string Trimmed(const std::string& s) {
  const char* const space = " \t\r\n";
  const size_t first = s.find_first_not_of(space);
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(space) - first + 1);
}

bool ReadWhole(const std::string& text, int low, int high, int& value) {
  if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  const int v = std::stoi(text);
  if (v < low || v > high) return false;
  value = v;
  return true;
}

bool ReadSwitch(const std::string& text, bool& value) {
  if (text == "on" || text == "yes" || text == "true") return (value = true);
  if (text == "off" || text == "no" || text == "false") return !(value = false);
  return false;
}

// A key line read, waiting for the whole file before its conflicts are judged.
struct TKeyLine {
  int number;
  std::string line;
  TKeyAction action;
  SDLKey key;
};

// Sets the entry `name` from `value`; "" when done, else what was wrong. A
// key is only checked on its own here, and kept in `keyLines`.
std::string Apply(const std::string& name, const std::string& value, TSettings& s, TKeyLine& keyLine,
                  std::vector<TKeyLine>& keyLines) {
  if (name == "effects_volume" || name == "music_volume") {
    int& volume = name[0] == 'e' ? s.effectsVolume : s.musicVolume;
    return ReadWhole(value, 0, MaxVolume, volume) ? "" : "a volume is a whole number from 0 to 10";
  }
  if (name == "mouse_speed") {
    for (int i = 0; i < MouseRateCount; ++i)
      if (value == MouseRates[i].text) {
        s.controls.mouseRate = i;
        return "";
      }
    return "the mouse speeds are 0.5, 0.75, 1, 1.25, 1.5, 2, 2.5, 3 and 4";
  }
  if (name == "scale")
    return ParseScale(value, s.scale) ? "" : "a scale is auto, fill or a whole number from 1 to 8";
  if (name == "frame_rate") {
    int rate = 0;
    for (int r : FrameRates)
      if (value == std::to_string(r)) rate = r;
    if (rate == 0 && value != "display") return "the frame rates are display, 40, 60, 120 and 144";
    s.frameRate = rate;
    return "";
  }
  if (name == "theme") {
    if (!ThemeNameShape(value)) return "a theme is the name of a built-in theme or of a folder in themes/";
    s.theme = value;
    return "";
  }
  if (name == "music_in_play") return ReadSwitch(value, s.musicInPlay) ? "" : "music_in_play is on or off";
  if (name == "bonus_stages") return ReadSwitch(value, s.bonusStages) ? "" : "bonus_stages is on or off";
  for (int a = 0; a < KeyActionCount; ++a) {
    if (name != KeyEntries[a]) continue;
    SDLKey key;
    if (!KeyFromName(value, key)) return "no key is called that";
    // Against no other action: only the kept keys and keys that cannot be told apart.
    TControls alone;
    for (SDLKey& k : alone.keys) k = SDLK_UNKNOWN;
    const std::string refusal = BindingRefusal(alone, static_cast<TKeyAction>(a), key);
    if (!refusal.empty()) return refusal;
    keyLine.action = static_cast<TKeyAction>(a);
    keyLine.key = key;
    keyLines.push_back(keyLine);
    return "";
  }
  return "no such setting";
}

// The keys of the whole file, judged together so that the order of the lines
// does not matter (swapped keys load as they were saved): each action takes
// its last line; two actions left on one key give that key to the action the
// file did not rebind, else to the earlier line, and the other line is
// refused. An earlier line of an action is refused only when its key is
// another action's in the end.
void SettleKeys(const std::vector<TKeyLine>& lines, TControls& controls,
                std::vector<std::pair<int, std::string>>& complaints) {
  const TControls before = controls;
  int last[KeyActionCount];
  for (int& l : last) l = -1;
  for (size_t i = 0; i < lines.size(); ++i) last[lines[i].action] = static_cast<int>(i);
  for (int a = 0; a < KeyActionCount; ++a)
    if (last[a] >= 0) controls.keys[a] = lines[static_cast<size_t>(last[a])].key;
  for (bool settled = false; !settled;) {
    settled = true;
    for (int a = 0; a < KeyActionCount && settled; ++a)
      for (int b = 0; b < KeyActionCount && settled; ++b) {
        if (a == b || last[a] < 0 || controls.keys[a] != controls.keys[b]) continue;
        if (last[b] > last[a]) continue;  // `b` is the later line: the pair is met again the other way round
        // `a` is refused: its line is the later one, or `b` keeps its own key.
        const TKeyLine& line = lines[static_cast<size_t>(last[a])];
        complaints.push_back(
            {line.number, Quoted(line.line) + ": " + BindingRefusal(controls, line.action, line.key)});
        controls.keys[a] = before.keys[a];
        last[a] = -1;
        settled = false;
      }
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    const TKeyLine& line = lines[i];
    if (last[line.action] == static_cast<int>(i) || line.key == controls.keys[line.action]) continue;
    const std::string refusal = BindingRefusal(controls, line.action, line.key);
    if (!refusal.empty()) complaints.push_back({line.number, Quoted(line.line) + ": " + refusal});
  }
}
// Reads the file when it is a plain file of a sensible size; `why` stays
// empty when there is no file at all. Non-blocking, so that a named pipe in
// its place cannot hang the game.
bool ReadSettingsFile(const std::string& path, std::string& text, std::string& why) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno != ENOENT) why = std::strerror(errno);
    return false;
  }
  struct stat st;
  if (fstat(fd, &st) != 0)
    why = std::strerror(errno);
  else if (!S_ISREG(st.st_mode))
    why = S_ISDIR(st.st_mode) ? "is a folder" : "is not a plain file";
  else if (st.st_size > MostBytes)
    why = "is too big for a settings file";
  if (!why.empty()) {
    close(fd);
    return false;
  }
  text.resize(static_cast<size_t>(st.st_size));
  size_t got = 0;
  while (got < text.size()) {
    const ssize_t n = read(fd, &text[got], text.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  if (got < text.size()) why = "cannot be read";
  close(fd);
  return got == text.size();
}
}  // namespace

void ParseSettings(const std::string& text, TSettings& settings, std::vector<std::string>& complaints) {
  std::vector<std::pair<int, std::string>> numbered;
  std::vector<TKeyLine> keyLines;
  size_t start = 0;
  for (int number = 1; start < text.size(); ++number) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == '#') continue;
    const size_t equals = line.find('=');
    std::string why = "expected \"name = value\"";
    TKeyLine keyLine{number, line, kaLeft, SDLK_UNKNOWN};
    if (equals != std::string::npos)
      why = Apply(Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)), settings, keyLine,
                  keyLines);
    if (!why.empty()) numbered.push_back({number, Quoted(line) + ": " + why});
  }
  SettleKeys(keyLines, settings.controls, numbered);
  std::stable_sort(numbered.begin(), numbered.end(),
                   [](const auto& x, const auto& y) { return x.first < y.first; });
  for (const auto& [number, complaint] : numbered)
    complaints.push_back("line " + std::to_string(number) + ": " + complaint);
}

std::string SettingsText(const TSettings& s) {
  std::string text = "# Rebounder's settings; the six on/off options are kept in options.dat.\n";
  text += "effects_volume = " + std::to_string(s.effectsVolume) + "\n";
  text += "music_volume = " + std::to_string(s.musicVolume) + "\n";
  text += std::string("mouse_speed = ") + MouseRates[s.controls.mouseRate].text + "\n";
  for (int a = 0; a < KeyActionCount; ++a)
    text += std::string(KeyEntries[a]) + " = " + KeyName(s.controls.keys[a]) + "\n";
  text += "scale = " + ScaleText(s.scale) + "\n";
  text += std::string("music_in_play = ") + (s.musicInPlay ? "on" : "off") + "\n";
  text += "frame_rate = " + (s.frameRate == 0 ? std::string("display") : std::to_string(s.frameRate)) + "\n";
  text += "theme = " + s.theme + "\n";
  text += std::string("bonus_stages = ") + (s.bonusStages ? "on" : "off") + "\n";
  return text;
}

void LoadSettings() {
  Game.settings = TSettings();
  savedText = SettingsText(Game.settings);
  const std::string path = ConfigFilePath(SettingsFile);
  std::string text, why;
  if (!ReadSettingsFile(path, text, why)) {
    if (!why.empty())
      std::fprintf(stderr, "rebounder: %s: %s; the default settings are used\n", path.c_str(), why.c_str());
    return;
  }
  std::vector<std::string> complaints;
  ParseSettings(text, Game.settings, complaints);
  savedText = SettingsText(Game.settings);
  for (const std::string& c : complaints)
    std::fprintf(stderr, "rebounder: %s %s; ignored\n", path.c_str(), c.c_str());
}

TSaveResult SaveSettings() {
  if (PlayerFilesKept()) return {};
  const std::string text = SettingsText(Game.settings);
  if (text == savedText) return {};
  std::string error;
  if (!WriteFileAtomically(ConfigFilePath(SettingsFile), std::vector<unsigned char>(text.begin(), text.end()),
                           error))
    return TSaveResult::Failed("the settings", error);
  savedText = text;
  return {};
}
