// synth.h: the sound building blocks shared by the effects and the music: a seeded noise source, band-limited
// oscillators, envelopes, filters and whole-buffer tools.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace synth {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

using Buffer = std::vector<float>;

int Samples(double seconds);
double MidiFreq(double midi);

// xorshift32: small, fast and the same on every machine, so every run writes the same bytes.
class Rng {
public:
  explicit Rng(uint32_t seed) : state_(seed ? seed : 0x9e3779b9u) {}
  uint32_t Next();
  float Unit();     // [0, 1)
  float Bipolar();  // [-1, 1)

private:
  uint32_t state_;
};

// One oscillator keeps its phase; each call produces one sample and advances by the given frequency.
class Oscillator {
public:
  explicit Oscillator(double phase = 0.0) : phase_(phase) {}
  float Sine(double freq);
  float Saw(double freq);
  float Square(double freq, double width = 0.5);
  float Triangle(double freq);

private:
  double Advance(double freq);
  double phase_;
  double step_ = 0.0;
};

// Topology-preserving state variable filter: stays stable while the cutoff sweeps every sample.
class Svf {
public:
  struct Out {
    float low, band, high;
  };
  void Set(double cutoff, double q);
  Out Process(float x);
  float Low(float x) { return Process(x).low; }
  float Band(float x) { return Process(x).band; }
  float High(float x) { return Process(x).high; }

private:
  double k_ = 1.0, a1_ = 0.0, a2_ = 0.0, a3_ = 0.0;
  double ic1_ = 0.0, ic2_ = 0.0;
};

class OnePole {
public:
  void Set(double cutoff);
  float Low(float x);
  float High(float x) { return x - Low(x); }

private:
  double a_ = 1.0, y_ = 0.0;
};

// Envelopes, all in seconds.
float AttackDecay(double t, double attack, double tau);
float Adsr(double t, double attack, double decay, double sustain, double release, double gate);
double ExpSweep(double from, double to, double t, double duration);
double Smooth(double t, double duration);  // 0..1 with an S-shaped ramp

// Calls fn(t) once per sample for the given duration.
template <typename Fn>
Buffer Make(double seconds, Fn fn) {
  Buffer out(Samples(seconds));
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = fn(static_cast<double>(i) / kRate);
  return out;
}

void MixInto(Buffer& dst, const Buffer& src, double atSeconds, float gain = 1.0f);
Buffer Reversed(const Buffer& in);
void HighPass(Buffer& buffer, double cutoff);
void FadeEdges(Buffer& buffer, double fadeIn, double fadeOut);
float Peak(const Buffer& buffer);
void Normalise(Buffer& buffer, float peak);
// Look-ahead peak limiter: no sample leaves above the ceiling. The gain falls smoothly over the 1.5 ms before
// a peak and recovers over about 40 ms, so it takes spikes off without clicks or pumping.
void Limit(Buffer& buffer, float ceiling);

}  // namespace synth
