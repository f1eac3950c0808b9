// The settings file settings.conf: lines "key = value", read leniently (a
// line that cannot be used is skipped with one line on standard error) and
// written atomically.
#include "store/settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/globals.h"
#include "platform/display.h"
#include "platform/keymap.h"

namespace {
const char* const SettingsFile = "settings.conf";
// Far beyond any file the game writes; a bigger one is not a settings file.
constexpr off_t MostBytes = 64 * 1024;

// The settings as the file holds them, so that unchanged settings are not
// written again (and a missing file stays missing).
std::string savedText;

const char* const KeyEntries[KeyActionCount] = {"key_left", "key_right", "key_fire", "key_pause"};

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

// Sets the entry `name` from `value`; "" when done, else what was wrong.
std::string Apply(const std::string& name, const std::string& value, TSettings& s) {
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
    return ParseScale(value, s.scale) ? "" : "a scale is auto or a whole number from 1 to 8";
  if (name == "frame_rate") {
    int rate = 0;
    for (int r : FrameRates)
      if (value == std::to_string(r)) rate = r;
    if (rate == 0 && value != "display") return "the frame rates are display, 40, 60, 120 and 144";
    s.frameRate = rate;
    return "";
  }
  if (name == "music_in_play") return ReadSwitch(value, s.musicInPlay) ? "" : "music_in_play is on or off";
  for (int a = 0; a < KeyActionCount; ++a) {
    if (name != KeyEntries[a]) continue;
    SDLKey key;
    if (!KeyFromName(value, key)) return "no key is called that";
    const std::string refusal = BindingRefusal(s.controls, static_cast<TKeyAction>(a), key);
    if (!refusal.empty()) return refusal;
    s.controls.keys[a] = key;
    return "";
  }
  return "no such setting";
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
  size_t start = 0;
  for (int number = 1; start < text.size(); ++number) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == '#') continue;
    const size_t equals = line.find('=');
    std::string why = "expected \"name = value\"";
    if (equals != std::string::npos)
      why = Apply(Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)), settings);
    if (!why.empty()) complaints.push_back("line " + std::to_string(number) + ": \"" + line + "\": " + why);
  }
}

std::string SettingsText(const TSettings& s) {
  std::string text = "# Rebounder's settings; the six on/off options are kept in options.dat.\n";
  text += "effects_volume = " + std::to_string(s.effectsVolume) + "\n";
  text += "music_volume = " + std::to_string(s.musicVolume) + "\n";
  text += std::string("mouse_speed = ") + MouseRates[s.controls.mouseRate].text + "\n";
  for (int a = 0; a < KeyActionCount; ++a)
    text += std::string(KeyEntries[a]) + " = " + KeyName(s.controls.keys[a]) + "\n";
  text += "scale = " + (s.scale == 0 ? std::string("auto") : std::to_string(s.scale)) + "\n";
  text += std::string("music_in_play = ") + (s.musicInPlay ? "on" : "off") + "\n";
  text += "frame_rate = " + (s.frameRate == 0 ? std::string("display") : std::to_string(s.frameRate)) + "\n";
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
