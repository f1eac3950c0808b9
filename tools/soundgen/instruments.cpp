// instruments.cpp: lead, harmony, bass, pluck, pad and bell voices, and the synthesised drum kit.
#include "instruments.h"

#include <cmath>

using synth::Buffer;

namespace instruments {

namespace {

// Vibrato that fades in after the note has sounded for a moment, as a player would add it.
double Vibrato(double t, double depthSemitones, double rate) {
  double fadeIn = synth::Smooth(t - 0.12, 0.2);
  return std::pow(2.0, depthSemitones * fadeIn * std::sin(2.0 * synth::kPi * rate * t) / 12.0);
}

}  // namespace

Buffer Lead(double midi, double gate, float velocity) {
  const double release = 0.09;
  double freq = synth::MidiFreq(midi);
  synth::Oscillator a, b(0.31);
  synth::Svf filter;
  return synth::Make(gate + release, [&](double t) {
    double f = freq * Vibrato(t, 0.22, 5.6);
    float tone = a.Square(f * 1.0029, 0.25) + 0.8f * b.Square(f * 0.9971, 0.4);
    filter.Set(1800.0 + 3200.0 * std::exp(-t / 0.09) + 8.0 * freq, 1.1);
    return velocity * 0.5f * synth::Adsr(t, 0.006, 0.12, 0.72, release, gate) * filter.Low(tone);
  });
}

Buffer Harmony(double midi, double gate, float velocity) {
  const double release = 0.12;
  double freq = synth::MidiFreq(midi);
  synth::Oscillator a, b(0.5);
  synth::Svf filter;
  filter.Set(2600.0, 0.8);
  return synth::Make(gate + release, [&](double t) {
    double f = freq * Vibrato(t, 0.15, 5.2);
    float tone = a.Triangle(f) + 0.35f * b.Square(f * 1.004, 0.5);
    return velocity * 0.5f * synth::Adsr(t, 0.015, 0.2, 0.65, release, gate) * filter.Low(tone);
  });
}

Buffer Bass(double midi, double gate, float velocity) {
  const double release = 0.05;
  double freq = synth::MidiFreq(midi);
  synth::Oscillator saw, sub;
  synth::Svf filter;
  return synth::Make(gate + release, [&](double t) {
    filter.Set(260.0 + 2200.0 * velocity * std::exp(-t / 0.07), 2.6);
    float tone = filter.Low(saw.Saw(freq)) + 0.55f * sub.Sine(freq * 0.5);
    return velocity * 0.55f * synth::Adsr(t, 0.003, 0.14, 0.6, release, gate) * tone;
  });
}

Buffer Pluck(double midi, double gate, float velocity) {
  double freq = synth::MidiFreq(midi);
  synth::Oscillator osc;
  synth::Svf filter;
  return synth::Make(gate + 0.18, [&](double t) {
    filter.Set(900.0 + 3500.0 * std::exp(-t / 0.04), 1.4);
    float env = synth::AttackDecay(t, 0.002, 0.07) * (t < gate ? 1.0f : std::exp(-(t - gate) / 0.03f));
    return velocity * 0.45f * env * filter.Low(osc.Square(freq, 0.5));
  });
}

Buffer Pad(double midi, double gate, float velocity) {
  const double release = 0.35;
  double freq = synth::MidiFreq(midi);
  synth::Oscillator a(0.1), b(0.6), c(0.35);
  synth::Svf filter;
  filter.Set(1100.0, 0.7);
  return synth::Make(gate + release, [&](double t) {
    float tone = a.Saw(freq * 0.9952) + b.Saw(freq * 1.0048) + 0.6f * c.Saw(freq * 2.001);
    return velocity * 0.22f * synth::Adsr(t, 0.25, 0.5, 0.8, release, gate) * filter.Low(tone);
  });
}

// Inharmonic partials give a struck-metal glockenspiel colour.
Buffer Bell(double midi, double gate, float velocity) {
  double freq = synth::MidiFreq(midi);
  synth::Oscillator p1, p2, p3;
  return synth::Make(gate + 0.4, [&](double t) {
    float body = p1.Sine(freq) * synth::AttackDecay(t, 0.002, 0.35);
    float ring = p2.Sine(freq * 2.76) * synth::AttackDecay(t, 0.001, 0.09);
    float shine = p3.Sine(freq * 5.40) * synth::AttackDecay(t, 0.001, 0.03);
    return velocity * 0.5f * (body + 0.4f * ring + 0.2f * shine);
  });
}

Buffer Kick(float velocity) {
  synth::Oscillator body;
  synth::Rng rng(7);
  return synth::Make(0.32, [&](double t) {
    double freq = 48.0 + 130.0 * std::exp(-t / 0.028);
    float thump = body.Sine(freq) * synth::AttackDecay(t, 0.001, 0.16);
    float click = rng.Bipolar() * synth::AttackDecay(t, 0.0005, 0.003);
    return velocity * (0.95f * thump + 0.3f * click);
  });
}

Buffer Snare(float velocity, uint32_t seed) {
  synth::Oscillator tone;
  synth::Rng rng(seed);
  synth::Svf filter;
  filter.Set(3200.0, 0.9);
  return synth::Make(0.26, [&](double t) {
    float body = tone.Sine(185.0 + 40.0 * std::exp(-t / 0.01)) * synth::AttackDecay(t, 0.001, 0.045);
    float noise = filter.Process(rng.Bipolar()).band * synth::AttackDecay(t, 0.001, 0.085);
    return velocity * (0.6f * body + 1.1f * noise);
  });
}

Buffer Hat(float velocity, uint32_t seed, bool open) {
  synth::Rng rng(seed);
  synth::Svf filter;
  filter.Set(7600.0, 0.8);
  double tau = open ? 0.16 : 0.022;
  return synth::Make(open ? 0.45 : 0.09, [&](double t) {
    return velocity * 0.55f * filter.High(rng.Bipolar()) * synth::AttackDecay(t, 0.0008, tau);
  });
}

Buffer Crash(float velocity, uint32_t seed) {
  synth::Rng rng(seed);
  synth::Svf high, shimmer;
  high.Set(4200.0, 0.7);
  shimmer.Set(6400.0, 3.0);
  return synth::Make(1.8, [&](double t) {
    float n = high.High(rng.Bipolar());
    float colour = n + 0.6f * shimmer.Band(n);
    return velocity * 0.5f * colour * synth::AttackDecay(t, 0.002, 0.5);
  });
}

}  // namespace instruments
