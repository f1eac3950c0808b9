// synth.cpp: noise, oscillators, envelopes, filters and buffer tools.
#include "synth.h"

#include <algorithm>
#include <cmath>

namespace synth {

int Samples(double seconds) { return static_cast<int>(std::lround(seconds * kRate)); }

double MidiFreq(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

uint32_t Rng::Next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

float Rng::Unit() { return static_cast<float>(Next() >> 8) / 16777216.0f; }

float Rng::Bipolar() { return Unit() * 2.0f - 1.0f; }

namespace {

// Polynomial correction around a waveform jump; keeps saw and pulse free of audible aliasing.
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

}  // namespace

double Oscillator::Advance(double freq) {
  double before = phase_;
  step_ = std::min(std::fabs(freq) / kRate, 0.49);
  phase_ += step_;
  if (phase_ >= 1.0) phase_ -= 1.0;
  return before;
}

float Oscillator::Sine(double freq) { return static_cast<float>(std::sin(2.0 * kPi * Advance(freq))); }

float Oscillator::Saw(double freq) {
  double t = Advance(freq);
  return static_cast<float>(2.0 * t - 1.0 - PolyBlep(t, step_));
}

float Oscillator::Square(double freq, double width) {
  double t = Advance(freq);
  // Centred on zero: a narrow pulse would otherwise carry DC that the envelope turns into thumps.
  double v = (t < width ? 1.0 : -1.0) + 1.0 - 2.0 * width;
  v += PolyBlep(t, step_);
  v -= PolyBlep(std::fmod(t + 1.0 - width, 1.0), step_);
  return static_cast<float>(v);
}

float Oscillator::Triangle(double freq) {
  double t = Advance(freq);
  return static_cast<float>(t < 0.5 ? 4.0 * t - 1.0 : 3.0 - 4.0 * t);
}

void Svf::Set(double cutoff, double q) {
  cutoff = std::clamp(cutoff, 10.0, 0.45 * kRate);
  double g = std::tan(kPi * cutoff / kRate);
  k_ = 1.0 / q;
  a1_ = 1.0 / (1.0 + g * (g + k_));
  a2_ = g * a1_;
  a3_ = g * a2_;
}

Svf::Out Svf::Process(float x) {
  double v3 = x - ic2_;
  double v1 = a1_ * ic1_ + a2_ * v3;
  double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
  ic1_ = 2.0 * v1 - ic1_;
  ic2_ = 2.0 * v2 - ic2_;
  return {static_cast<float>(v2), static_cast<float>(v1), static_cast<float>(x - k_ * v1 - v2)};
}

void OnePole::Set(double cutoff) { a_ = 1.0 - std::exp(-2.0 * kPi * cutoff / kRate); }

float OnePole::Low(float x) {
  y_ += a_ * (x - y_);
  return static_cast<float>(y_);
}

float AttackDecay(double t, double attack, double tau) {
  if (t < attack) return static_cast<float>(t / attack);
  return static_cast<float>(std::exp(-(t - attack) / tau));
}

float Adsr(double t, double attack, double decay, double sustain, double release, double gate) {
  auto held = [&](double u) {
    if (u < attack) return u / attack;
    return sustain + (1.0 - sustain) * std::exp(-(u - attack) / decay);
  };
  if (t < gate) return static_cast<float>(held(t));
  double after = t - gate;
  if (after >= release) return 0.0f;
  return static_cast<float>(held(gate) * (1.0 - after / release) * (1.0 - after / release));
}

double ExpSweep(double from, double to, double t, double duration) {
  double x = std::clamp(t / duration, 0.0, 1.0);
  return from * std::pow(to / from, x);
}

double Smooth(double t, double duration) {
  double x = std::clamp(t / duration, 0.0, 1.0);
  return x * x * (3.0 - 2.0 * x);
}

void MixInto(Buffer& dst, const Buffer& src, double atSeconds, float gain) {
  size_t at = static_cast<size_t>(Samples(atSeconds));
  if (dst.size() < at + src.size()) dst.resize(at + src.size(), 0.0f);
  for (size_t i = 0; i < src.size(); ++i) dst[at + i] += gain * src[i];
}

Buffer Reversed(const Buffer& in) { return Buffer(in.rbegin(), in.rend()); }

void HighPass(Buffer& buffer, double cutoff) {
  Svf filter;
  filter.Set(cutoff, 0.7071);
  for (float& s : buffer) s = filter.High(s);
}

void FadeEdges(Buffer& buffer, double fadeIn, double fadeOut) {
  size_t n = buffer.size();
  size_t in = std::min(n, static_cast<size_t>(Samples(fadeIn)));
  size_t out = std::min(n, static_cast<size_t>(Samples(fadeOut)));
  for (size_t i = 0; i < in; ++i) buffer[i] *= static_cast<float>(0.5 - 0.5 * std::cos(kPi * i / in));
  for (size_t i = 0; i < out; ++i) {
    buffer[n - 1 - i] *= static_cast<float>(0.5 - 0.5 * std::cos(kPi * i / out));
  }
}

float Peak(const Buffer& buffer) {
  float peak = 0.0f;
  for (float s : buffer) peak = std::max(peak, std::fabs(s));
  return peak;
}

void Normalise(Buffer& buffer, float peak) {
  float current = Peak(buffer);
  if (current <= 0.0f) return;
  float gain = peak / current;
  for (float& s : buffer) s *= gain;
}

void Limit(Buffer& buffer, float ceiling) {
  const size_t n = buffer.size(), ahead = static_cast<size_t>(Samples(0.0015));
  std::vector<double> need(n, 1.0);
  for (size_t i = 0; i < n; ++i) {
    const double a = std::fabs(buffer[i]);
    if (a > ceiling) need[i] = ceiling / a;
  }
  // The lowest gain due within the next two look-ahead spans, then averaged over one span: the average over
  // any span that contains a peak never exceeds the gain that peak needs.
  std::vector<double> lowest(n, 1.0);
  for (size_t i = 0; i < n; ++i)
    for (size_t k = i; k < std::min(n, i + 2 * ahead + 1); ++k) lowest[i] = std::min(lowest[i], need[k]);
  // Before the first sample the window holds the first sample's gain: a sound whose peak comes within the
  // look-ahead of its start is already turned down when it starts.
  if (n == 0) return;
  const double recover = 1.0 - std::exp(-1.0 / (0.04 * kRate));
  double gain = 1.0, sum = lowest[0] * static_cast<double>(ahead + 1);
  for (size_t i = 0; i < n; ++i) {
    sum += lowest[i] - lowest[i > ahead ? i - ahead - 1 : 0];
    const double smooth = std::min(1.0, sum / static_cast<double>(ahead + 1));
    gain = std::min(smooth, gain + (1.0 - gain) * recover);
    buffer[i] = static_cast<float>(buffer[i] * gain);
  }
}

}  // namespace synth
