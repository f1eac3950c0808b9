// The six on/off settings and their file options.dat: one byte per option,
// 1 for on, in the order background, stars, explosions, music, sound,
// fullscreen.
#include "store/options.h"

#include <cstdio>
#include <string>
#include <vector>

#include "base/globals.h"
#include "platform/datafile.h"
#include "platform/fatal.h"

namespace {
const char* const OptionsFile = "options.dat";

// The options in the file's order.
std::vector<COption*> FileOrder() {
  return {&Game.optBackground, &Game.optStars, &Game.optExplosions,
          &Game.optMusic,      &Game.optSound, &Game.optFullscreen};
}
}  // namespace

void LoadOptions() {
  const std::vector<COption*> options = FileOrder();
  for (COption* option : options) *option = COption::Create(true);
  if (FileExists(DataFilePath(OptionsFile))) {
    const std::vector<unsigned char> bytes = ReadFileBytes(DataFilePath(OptionsFile), options.size());
    // Only a 1 is on: a damaged byte falls back to off rather than to a guess.
    for (size_t i = 0; i < options.size(); ++i) options[i]->SetValue(bytes[i] == 1);
  }
  for (COption* option : options) option->Stored(option->value);
}

TSaveResult SaveOptions() {
  if (PlayerFilesKept()) return {};
  const std::string path = DataFilePath(OptionsFile);
  const std::vector<COption*> options = FileOrder();
  CDataLock lock;
  // What the file holds now; where it cannot be read, what this copy last
  // knew it to hold.
  std::vector<unsigned char> inFile;
  try {
    if (FileExists(path)) inFile = ReadFileHead(path, options.size());
  } catch (const TFatalError&) {
  }
  std::vector<unsigned char> bytes;
  for (size_t i = 0; i < options.size(); ++i)
    bytes.push_back(
        options[i]->SavedValue(i < inFile.size() ? inFile[i] == 1 : options[i]->StoredValue()) ? 1 : 0);
  std::string error;
  if (!WriteFileAtomically(path, bytes, error)) return TSaveResult::Failed("the options", error);
  for (size_t i = 0; i < options.size(); ++i) options[i]->Stored(bytes[i] == 1);
  return {};
}
