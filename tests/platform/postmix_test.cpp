// The stage after the mixer: gain, ceiling and release judged on bursts,
// sweeps and silence fed in callback-sized blocks; and the stereo balance
// of a sound by where it was made.
#include "platform/postmix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "media/catalogue.h"

namespace {
constexpr int Rate = 22050;
constexpr double Gain = 9.0;

using TSamples = std::vector<Sint16>;

// Feeds the stage in blocks of varying size, as the audio callback does.
TSamples Feed(CPostMix& stage, TSamples samples) {
  const int frames = static_cast<int>(samples.size() / 2);
  for (int at = 0, block = 1; at < frames; at += block, block = block % 1031 + 97)
    stage.Process(samples.data() + 2 * at, std::min(block, frames - at));
  return samples;
}

void AddTone(TSamples& s, double seconds, double fromHz, double toHz, double dbfs) {
  const int n = static_cast<int>(seconds * Rate);
  const double amplitude = 32767 * std::pow(10.0, dbfs / 20);
  double phase = 0;
  for (int i = 0; i < n; ++i) {
    phase += 2 * M_PI * fromHz * std::pow(toHz / fromHz, static_cast<double>(i) / n) / Rate;
    const Sint16 v = static_cast<Sint16>(std::lround(amplitude * std::sin(phase)));
    s.push_back(v);
    s.push_back(static_cast<Sint16>(-v));
  }
}

int Peak(const TSamples& s, size_t from = 0, size_t to = SIZE_MAX) {
  int peak = 0;
  for (size_t i = from; i < std::min(to, s.size()); ++i) peak = std::max(peak, std::abs(int{s[i]}));
  return peak;
}

double Db(double ratio) { return 20 * std::log10(ratio); }

TEST(PostMixTest, SilenceStaysSilent) {
  CPostMix stage(Rate, Gain);
  TSamples loud;
  AddTone(loud, 0.2, 200, 200, 0);
  Feed(stage, loud);
  const TSamples quiet = Feed(stage, TSamples(2 * Rate, 0));
  EXPECT_EQ(Peak(quiet, 2 * stage.LookAheadFrames()), 0);
}

TEST(PostMixTest, QuietSoundGetsTheGainAndLoudOnesStayUnderTheCeiling) {
  CPostMix stage(Rate, Gain);
  // A quiet tone; then bursts like eight explosions at once, in full-scale
  // square waves and sweeps over the whole band; then the quiet tone again.
  TSamples in;
  AddTone(in, 0.5, 440, 440, -30);
  const size_t quietEnd = in.size();
  for (int burst = 0; burst < 6; ++burst) {
    for (int i = 0; i < Rate / 20; ++i) {
      const Sint16 v = (i / 40) % 2 ? 32767 : -32768;
      in.insert(in.end(), {v, v});
    }
    in.resize(in.size() + 2 * Rate / 20, 0);
  }
  AddTone(in, 1.0, 30, 10000, 0);
  AddTone(in, 1.0, 10000, 30, -6);
  const size_t loudEnd = in.size();
  AddTone(in, 1.0, 440, 440, -30);
  const TSamples out = Feed(stage, in);

  const double ceiling = 32768 * std::pow(10.0, -1.5 / 20);
  EXPECT_LE(Peak(out), std::lround(ceiling));
  EXPECT_EQ(std::count(out.begin(), out.end(), 32767) + std::count(out.begin(), out.end(), -32768), 0);
  // Before the bursts the tone is just louder by the gain.
  EXPECT_NEAR(Db(Peak(out, quietEnd / 2, quietEnd) / double(Peak(in, 0, quietEnd))), Gain, 0.1);
  // The sweeps are held at the ceiling, not far below it.
  EXPECT_GT(Peak(out, loudEnd - Rate, loudEnd), ceiling * 0.9);
  // The gain comes back with an 80 ms release: nearly all of it 0.3 s after
  // the last loud sound, and all of it after half a second.
  const size_t soon = loudEnd + 2 * (Rate * 3 / 10), later = loudEnd + Rate;
  EXPECT_GT(Db(Peak(out, soon, soon + Rate / 10) / double(Peak(in, quietEnd / 2, quietEnd))), Gain - 1.0);
  EXPECT_NEAR(Db(Peak(out, later, later + Rate / 2) / double(Peak(in, quietEnd / 2, quietEnd))), Gain, 0.1);
}

TEST(PostMixTest, SoundsArePannedByWhereTheyAreMade) {
  const TPan middle = PanAt(240), left = PanAt(0), right = PanAt(479), past = PanAt(-50);
  EXPECT_EQ(middle.left, 255);
  EXPECT_EQ(middle.right, 255);
  EXPECT_EQ(left.left, 255);
  EXPECT_NEAR(left.right, 26, 1);  // a tenth at the field's edge
  EXPECT_NEAR(right.left, 26, 1);
  EXPECT_EQ(right.right, 255);
  EXPECT_EQ(past.right, left.right);
  // Where a ball meets a side wall (its centre at 28 or 452) the far side
  // is at least 13 dB down, clearly to that side.
  for (const TPan wall : {PanAt(28), PanAt(452)})
    EXPECT_LE(20 * std::log10(std::min(wall.left, wall.right) / 255.0), -13.0);
  EXPECT_EQ(PanAt(28).left, PanAt(452).right) << "both walls alike";
}
}  // namespace
