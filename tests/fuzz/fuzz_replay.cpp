// Fuzz target: a replay file, read by the game's replay reader and, when it
// is accepted, played headless for a while through the real dispatch.
#include "fuzzenv.h"
#include "game/playback.h"
#include "replay/replay.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StartFuzzGame();
  TReplay replay;
  std::string error;
  if (!ParseReplay(std::string(reinterpret_cast<const char*>(data), size), replay, error)) {
    if (error.empty() || error.find('\n') != std::string::npos)
      Finding("a refusal must be one line, got: " + error);
    return 0;
  }
  // What is accepted is written so that it reads back the same.
  const std::string text = ReplayText(replay);
  TReplay again;
  if (!ParseReplay(text, again, error)) Finding("a replay as written is refused: " + error);
  if (ReplayText(again) != text) Finding("a replay reads back differently from what was written");

  // A long pass runs in slices, so the ticks are bounded however the passes are made.
  CPlayback playback(replay);
  int ticks = 0;
  for (int pass = 0; !playback.Done() && ticks < 3000; ++pass) {
    ticks += playback.Step(pass % 8 == 0);
    if (!playback.Mismatch().empty() && playback.Done()) break;
  }
  return 0;
}
