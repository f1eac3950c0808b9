// soundgen.cpp: soundgen <outdir> [theme] writes the game's sound effects to <outdir>/sounds and its music
// track to <outdir>/music, the same bytes on every run; a built-in theme gets its own music, and its own
// retuned effects where it has them.
#include <cstdio>
#include <filesystem>
#include <string>

#include "effects.h"
#include "music.h"
#include "ogg.h"
#include "synth.h"
#include "wav.h"

namespace {

// Neon's effects are brighter and shorter, paper's lower, softer and longer; contrast keeps classic's.
double Retuning(const std::string& theme) {
  if (theme == "neon") return 1.19;
  if (theme == "paper") return 0.84;
  return 1;
}

// Plays the sound faster (higher) or slower (lower) by linear interpolation; slower also loses its top.
synth::Buffer Retuned(const synth::Buffer& in, double rate) {
  synth::Buffer out(static_cast<size_t>(in.size() / rate));
  float low = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double at = i * rate;
    const size_t k = static_cast<size_t>(at);
    const float a = in[k], b = k + 1 < in.size() ? in[k + 1] : 0.0f;
    const float v = static_cast<float>(a + (b - a) * (at - k));
    low += (v - low) * (rate < 1 ? 0.45f : 1.0f);
    out[i] = low;
  }
  return out;
}

bool WriteEffects(const std::filesystem::path& dir, const std::string& theme) {
  const double rate = Retuning(theme);
  if (rate == 1 && !theme.empty()) return true;
  for (const effects::Effect& effect : effects::All()) {
    std::string path = (dir / effect.file).string();
    synth::Buffer sound = effects::Finish(effect);
    if (rate != 1) {
      sound = Retuned(sound, rate);
      synth::FadeEdges(sound, 0.0008, 0.012);
    }
    if (!wav::Write(path, sound, 1, synth::kRate)) {
      std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
      return false;
    }
  }
  return true;
}

bool WriteMusic(const std::filesystem::path& dir, const std::string& theme) {
  std::string path = (dir / "rebounder.ogg").string();
  if (!ogg::WriteVorbis(path, music::Render(music::Compose(theme)), synth::kRate, 0.4f, "Rebounder")) {
    std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string theme = argc == 3 ? argv[2] : "";
  if (argc != 2 && !(argc == 3 && (theme == "neon" || theme == "paper" || theme == "contrast"))) {
    std::fprintf(stderr, "usage: soundgen <outdir> [neon|paper|contrast]\n");
    return 2;
  }
  std::filesystem::path out(argv[1]);
  std::error_code error;
  if (Retuning(theme) != 1 || theme.empty()) std::filesystem::create_directories(out / "sounds", error);
  std::filesystem::create_directories(out / "music", error);
  if (error) {
    std::fprintf(stderr, "soundgen: cannot create directories under %s\n", argv[1]);
    return 1;
  }
  return WriteEffects(out / "sounds", theme) && WriteMusic(out / "music", theme) ? 0 : 1;
}
