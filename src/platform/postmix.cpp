// The post-mix gain and look-ahead peak limiter.
#include "platform/postmix.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float LookAheadSeconds = 0.0015f;
constexpr float FullScale = 32768.0f;
}  // namespace

CPostMix::CPostMix(int rate, float gainDb, float ceilingDb, float releaseMs)
    : gain(std::pow(10.0f, gainDb / 20.0f)),
      ceiling(FullScale * std::pow(10.0f, ceilingDb / 20.0f)),
      recover(1.0f - std::exp(-1000.0f / (releaseMs * static_cast<float>(rate)))),
      window(std::clamp(static_cast<int>(LookAheadSeconds * static_cast<float>(rate)) + 1, 2, MaxWindow)) {
  std::fill(needed, needed + MaxWindow, 1.0f);
  std::fill(smoothed, smoothed + MaxWindow, 1.0f);
  // Windowed-sinc interpolation at a quarter, a half and three quarters of
  // the way from the measured frame to the next.
  for (int phase = 0; phase < Phases; ++phase)
    for (int j = 0; j < Taps; ++j) {
      const double u = (phase + 1) / 4.0 - (j - (Taps / 2 - 1));
      const double sinc = std::sin(M_PI * u) / (M_PI * u);
      const double hann = 0.5 * (1 + std::cos(M_PI * u / (Taps / 2)));
      taps[phase][j] = static_cast<float>(sinc * hann);
    }
}

// The level of a frame is its true peak: the larger of its own samples and
// the peaks of the waveform between it and its neighbours, found at three
// points between samples (four times oversampling, as loudness meters do),
// since the converter that plays the sound draws the curve between samples.
float CPostMix::TruePeak() {
  const float(*x)[2] = recent;
  float peak = 0.0f;
  for (int c = 0; c < 2; ++c) {
    // The eight newest frames are the taps; the fifth newest is measured.
    peak = std::max(peak, std::fabs(x[(recentAt + Taps / 2 - 1) % Taps][c]));
    for (int phase = 0; phase < Phases; ++phase) {
      float v = 0.0f;
      for (int j = 0; j < Taps; ++j) v += taps[phase][j] * x[(recentAt + j) % Taps][c];
      peak = std::max(peak, std::fabs(v));
    }
  }
  return peak;
}

// Each frame's gain is the lowest any frame of the look-ahead window needs,
// released slowly upwards, then averaged over the window: the gain glides
// down over the look-ahead before a peak instead of jumping, and an average
// of values that all cover the peak never exceeds what the peak needs.
void CPostMix::Process(Sint16* samples, int frames) {
  for (int f = 0; f < frames; ++f) {
    Sint16* frame = samples + 2 * f;
    recent[recentAt][0] = frame[0] * gain;
    recent[recentAt][1] = frame[1] * gain;
    recentAt = (recentAt + 1) % Taps;
    // The peaks between the measured frame and the next count for both.
    const float between = TruePeak();
    const float level = std::max(between, betweenBefore);
    betweenBefore = between;
    needed[at] = level > ceiling ? ceiling / level : 1.0f;
    float hold = 1.0f;
    for (int i = 0; i < window; ++i) hold = std::min(hold, needed[i]);
    envelope = std::min(hold, envelope + (1.0f - envelope) * recover);
    smoothed[at] = envelope;
    float sum = 0.0f;
    for (int i = 0; i < window; ++i) sum += smoothed[i];
    const float applied = std::min(1.0f, sum / static_cast<float>(window));
    const float* measured = recent[(recentAt + Taps / 2 - 1) % Taps];
    delayed[at][0] = measured[0];
    delayed[at][1] = measured[1];
    at = (at + 1) % window;
    // The oldest frame of the window, the one every gain averaged has seen.
    const float outLeft = delayed[at][0] * applied, outRight = delayed[at][1] * applied;
    frame[0] = static_cast<Sint16>(std::lrint(std::clamp(outLeft, -ceiling, ceiling)));
    frame[1] = static_cast<Sint16>(std::lrint(std::clamp(outRight, -ceiling, ceiling)));
  }
}

void CPostMix::Callback(void* stage, Uint8* stream, int bytes) {
  static_cast<CPostMix*>(stage)->Process(reinterpret_cast<Sint16*>(stream), bytes / 4);
}
