// The loudest moment the mixer meets: eight sound effects, one on each
// channel, started in the same tick over the music. SDL_mixer starts them in
// the same mixing block, scales each by the channel volume, adds it to the
// decoded music and clamps; with the generated sounds and music no sample may
// reach full scale, even where the music peaks.
#include <SDL/SDL_mixer.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "base/globals.h"
#include "media/catalogue.h"
#include "platform/audiostart.h"
#include "tests/testenv.h"

namespace {
using TSamples = std::vector<int>;  // interleaved stereo, as the mixer holds it

// The music as SDL_mixer gets it: libvorbisfile's 16-bit little-endian output.
TSamples DecodeMusic(const char* path) {
  OggVorbis_File file;
  TSamples out;
  if (ov_fopen(path, &file) != 0) return out;
  char buffer[8192];
  int section = 0;
  long got;
  while ((got = ov_read(&file, buffer, sizeof buffer, 0, 2, 1, &section)) > 0)
    for (long i = 0; i + 1 < got; i += 2)
      out.push_back(
          static_cast<Sint16>(static_cast<Uint8>(buffer[i]) | static_cast<Uint8>(buffer[i + 1]) << 8));
  ov_clear(&file);
  return out;
}

// A loaded chunk is already in the mixer's format (stereo, 16-bit); a
// channel plays it at the channel volume.
TSamples ChunkSamples(const Mix_Chunk* chunk) {
  const Sint16* s = reinterpret_cast<const Sint16*>(chunk->abuf);
  TSamples out(s, s + chunk->alen / 2);
  for (int& v : out) v = v * ChannelVolume / MIX_MAX_VOLUME;
  return out;
}

struct TMix {
  int fullScale = 0;  // samples the clamp held at full scale
  int peak = 0;       // the largest magnitude before clamping
};

// Music first, then each channel added and clamped in turn, as the mixer does;
// the music is placed so that its largest sample of the effects' sign falls on
// the effects' own peak.
TMix MixOverMusicPeak(const TSamples& music, const std::vector<TSamples>& effects) {
  TSamples sum(0);
  for (const TSamples& e : effects) {
    if (sum.size() < e.size()) sum.resize(e.size(), 0);
    for (size_t i = 0; i < e.size(); ++i) sum[i] += e[i];
  }
  size_t at = 0;
  for (size_t i = 0; i < sum.size(); ++i)
    if (std::abs(sum[i]) > std::abs(sum[at])) at = i;
  const int sign = sum[at] < 0 ? -1 : 1;
  size_t loudest = at % 2;
  for (size_t i = at % 2; i < music.size(); i += 2)
    if (sign * music[i] > sign * music[loudest]) loudest = i;
  const size_t start = (loudest + music.size() - at) % music.size();

  TMix result;
  for (size_t i = 0; i < sum.size(); ++i) {
    int out = music[(start + i) % music.size()];
    int unclamped = out;
    for (const TSamples& e : effects) {
      if (i >= e.size()) continue;
      unclamped += e[i];
      out = std::clamp(out + e[i], -32768, 32767);
    }
    result.peak = std::max(result.peak, std::abs(unclamped));
    if (out == 32767 || out == -32768) ++result.fullScale;
  }
  return result;
}

double Dbfs(int peak) { return 20 * std::log10(peak / 32768.0); }

class MixTest : public GameTest {};

TEST_F(MixTest, EightEffectsAtOnceOverTheMusicStayUnderFullScale) {
  const TSamples music = DecodeMusic("music//rebounder.ogg");
  ASSERT_GT(music.size(), 22050u * 2 * 10) << "the music track decodes to at least ten seconds";
  // The mixer aligns sounds started together, so one sound eight times adds
  // up in phase: the worst any eight can do. A brick broken on its corner
  // starts these four at once, and a fire ball can break two such at once.
  std::vector<std::pair<std::string, std::vector<TSamples>>> moments;
  for (const TSoundEntry& e : SoundCatalogue) {
    ASSERT_NE(Game.*e.field, nullptr) << e.path;
    moments.push_back(
        {std::string("eight times ") + e.path, std::vector<TSamples>(8, ChunkSamples(Game.*e.field))});
  }
  moments.push_back({"brick broken on its corner",
                     {ChunkSamples(Game.sndPong), ChunkSamples(Game.sndBrickExplosion),
                      ChunkSamples(Game.sndBrickExplosion), ChunkSamples(Game.sndBonusLaunch),
                      ChunkSamples(Game.sndPong), ChunkSamples(Game.sndBrickExplosion),
                      ChunkSamples(Game.sndBrickExplosion), ChunkSamples(Game.sndBonusLaunch)}});
  int worst = 0;
  for (const auto& [name, effects] : moments) {
    const TMix mix = MixOverMusicPeak(music, effects);
    EXPECT_EQ(mix.fullScale, 0) << name;
    EXPECT_LT(mix.peak, 32767) << name << " peaks at " << Dbfs(mix.peak) << " dBFS";
    worst = std::max(worst, mix.peak);
  }
  std::printf("loudest moment: %.2f dBFS\n", Dbfs(worst));
}
}  // namespace
