// The fuzz targets' shared start-up and checks.
#include "fuzzenv.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/globals.h"
#include "base/random.h"
#include "field/ball.h"
#include "field/paddle.h"
#include "game/mainloop.h"
#include "session/gameflow.h"

namespace fs = std::filesystem;

namespace {
std::string scratch;

uint32_t FixedSeconds() { return 4242; }

void RemoveScratch() {
  std::error_code ignored;
  if (!scratch.empty()) fs::remove_all(scratch, ignored);
}
}  // namespace

void StartFuzzGame() {
  if (!scratch.empty()) return;
  char folder[] = "/tmp/rebounder-fuzz-XXXXXX";
  if (!mkdtemp(folder)) Finding("cannot make a scratch folder");
  scratch = folder;
  std::atexit(RemoveScratch);
  for (const char* assets : {"sprites", "sounds", "music", "fonts"})
    fs::create_directory_symlink(fs::path(REBOUNDER_GAME_DIR) / assets, scratch + "/" + assets);
  fs::create_directory(scratch + "/maps");
  if (chdir(folder) != 0) Finding("cannot enter the scratch folder");
  setenv("HOME", folder, 1);
  setenv("XDG_DATA_HOME", folder, 1);
  setenv("REBOUNDER_DATA_DIR", folder, 1);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  // No audio device at all: a mixing thread would outlive the fuzzer's exit.
  setenv("SDL_AUDIODRIVER", "none", 1);
  SetSecondsSource(FixedSeconds);
  StartUp();
}

void WriteScratchFile(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) Finding("cannot write " + path);
}

TBytes ReadScratchFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Finding(const std::string& what) {
  std::fprintf(stderr, "FINDING: %s\n", what.c_str());
  std::abort();
}

void CheckRefusal(const std::string& file, const std::string& message) {
  if (message.empty() || message.find('\n') != std::string::npos || message.find(file) == std::string::npos)
    Finding("a refusal must be one line naming " + file + ", got: " + message);
}

void PlayTicks(int ticks) {
  Game.fireHeld = true;
  for (int t = 0; t < ticks; ++t) {
    // The paddle follows the first ball, so that play goes on long enough to break things.
    if (!Game.balls.Empty()) {
      Game.paddle->x = static_cast<int>(Game.balls[0]->x);
      Game.paddle->Clamp();
    }
    LogicTick();
    if (Game.programState == psGame) CheckGameFlow();
    if (t % 8 == 0) DrawStateFrame();
  }
  Game.fireHeld = false;
}
