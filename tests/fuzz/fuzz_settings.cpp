// Fuzz target: settings.conf, read as at start-up, then written and read
// back: every line the game cannot use gets a complaint of one line, and what
// the game writes it reads back the same, without a complaint.
#include <string>
#include <vector>

#include "base/globals.h"
#include "fuzzenv.h"
#include "platform/datafile.h"
#include "store/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StartFuzzGame();
  const std::string text(reinterpret_cast<const char*>(data), size);
  TSettings read;
  std::vector<std::string> complaints;
  ParseSettings(text, read, complaints);
  // A complaint quotes the line it refuses with its control bytes escaped.
  for (const std::string& c : complaints)
    for (unsigned char b : c)
      if (b < 32 || b == 127) Finding("a complaint must be one line of printable text, got: " + c);
  const std::string written = SettingsText(read);
  TSettings again;
  std::vector<std::string> refused;
  ParseSettings(written, again, refused);
  if (!refused.empty()) Finding("the game refuses the settings it wrote: " + refused[0]);
  if (SettingsText(again) != written) Finding("the settings do not read back as they were written");

  // The same through the file, as the game starts and quits.
  std::string error;
  const std::string path = ConfigFilePath("settings.conf");
  if (!WriteFileAtomically(path, TBytes(data, data + size), error)) Finding(error);
  LoadSettings();
  if (size <= 64 * 1024 && SettingsText(Game.settings) != written)
    Finding("the file and its text read as other settings");
  Game.settings.effectsVolume = (Game.settings.effectsVolume + 1) % 11;
  if (!SaveSettings()) Finding("the settings could not be saved");
  const TSettings saved = Game.settings;
  LoadSettings();
  if (SettingsText(Game.settings) != SettingsText(saved)) Finding("saved settings do not load back");
  return 0;
}
