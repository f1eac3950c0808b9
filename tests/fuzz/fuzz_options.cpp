// Fuzz target: options.dat, loaded, saved and loaded again.
#include "base/globals.h"
#include "fuzzenv.h"
#include "store/options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StartFuzzGame();
  WriteScratchFile("options.dat", data, size);
  const bool loaded = Accepted("options.dat", LoadOptions);
  if (loaded != (size >= 6)) Finding("an options file of " + std::to_string(size) + " bytes was mishandled");
  if (!loaded) return 0;
  if (!SaveOptions()) Finding("the options could not be saved");
  const TBytes saved = ReadScratchFile("options.dat");
  if (saved.size() != 6) Finding("the saved options file is not 6 bytes");
  for (size_t i = 0; i < 6; ++i)
    if (saved[i] != (data[i] == 1 ? 1 : 0)) Finding("option " + std::to_string(i) + " changed on the way");
  return 0;
}
