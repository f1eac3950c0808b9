// Fuzz target: a level map file, loaded by the game's level loader and played.
#include "base/globals.h"
#include "fuzzenv.h"
#include "session/level.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StartFuzzGame();
  WriteScratchFile("maps/fuzz.map", data, size);
  Game.programState = psGame;
  Game.lives = 3;
  const bool loaded = Accepted("maps//fuzz.map", [] { LoadLevel("fuzz", 2, 40); });
  if (loaded != (size >= static_cast<size_t>(LevelFileBytes)))
    Finding("a map of " + std::to_string(size) + " bytes was " + (loaded ? "accepted" : "refused"));
  if (loaded) PlayTicks(150);
  return 0;
}
