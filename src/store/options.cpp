// The six on/off settings and their file options.dat: one byte per option,
// 1 for on, in the order background, stars, explosions, music, sound,
// fullscreen.
#include "store/options.h"

#include <cstdio>
#include <string>
#include <vector>

#include "shell/globals.h"
#include "store/datafile.h"

namespace {
const char* const OptionsFile = "options.dat";

// The options in the file's order.
std::vector<COption*> FileOrder() {
  return {&Game.optBackground, &Game.optStars, &Game.optExplosions,
          &Game.optMusic,      &Game.optSound, &Game.optFullscreen};
}
}  // namespace

COption COption::Create(bool value) {
  COption option;
  option.SetValue(value);
  return option;
}

void COption::SetValue(bool v) {
  value = v;
  applied = false;
  runOnly = false;
}

void COption::OverrideForThisRun(bool v) {
  if (!runOnly) fileValue = value;
  runOnly = true;
  value = v;
  applied = false;
}

void LoadOptions() {
  const std::vector<COption*> options = FileOrder();
  for (COption* option : options) *option = COption::Create(true);
  if (!FileExists(DataFilePath(OptionsFile))) return;
  const std::vector<unsigned char> bytes = ReadFileBytes(DataFilePath(OptionsFile), options.size());
  // Only a 1 is on: a damaged byte falls back to off rather than to a guess.
  for (size_t i = 0; i < options.size(); ++i) options[i]->SetValue(bytes[i] == 1);
}

TSaveResult SaveOptions() {
  if (PlayerFilesKept()) return {};
  std::vector<unsigned char> bytes;
  for (const COption* option : FileOrder()) bytes.push_back(option->SavedValue() ? 1 : 0);
  std::string error;
  if (WriteFileAtomically(DataFilePath(OptionsFile), bytes, error)) return {};
  return TSaveResult::Failed("the options", error);
}
