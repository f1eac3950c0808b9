// soundgen.cpp: soundgen <outdir> writes the game's sound effects to <outdir>/sounds and its music track to
// <outdir>/music, the same bytes on every run.
#include <cstdio>
#include <filesystem>
#include <string>

#include "effects.h"
#include "music.h"
#include "ogg.h"
#include "synth.h"
#include "wav.h"

namespace {

bool WriteEffects(const std::filesystem::path& dir) {
  for (const effects::Effect& effect : effects::All()) {
    std::string path = (dir / effect.file).string();
    if (!wav::Write(path, effects::Finish(effect), 1, synth::kRate)) {
      std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
      return false;
    }
  }
  return true;
}

bool WriteMusic(const std::filesystem::path& dir) {
  std::string path = (dir / "rebounder.ogg").string();
  if (!ogg::WriteVorbis(path, music::Render(music::Compose()), synth::kRate, 0.4f, "Rebounder")) {
    std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: soundgen <outdir>\n");
    return 2;
  }
  std::filesystem::path out(argv[1]);
  std::error_code error;
  std::filesystem::create_directories(out / "sounds", error);
  std::filesystem::create_directories(out / "music", error);
  if (error) {
    std::fprintf(stderr, "soundgen: cannot create directories under %s\n", argv[1]);
    return 1;
  }
  return WriteEffects(out / "sounds") && WriteMusic(out / "music") ? 0 : 1;
}
