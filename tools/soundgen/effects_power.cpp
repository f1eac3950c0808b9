// effects_power.cpp: one sound per power-up, each with a character of its own.
#include <cmath>

#include "effects.h"
#include "instruments.h"

using synth::Buffer;

namespace effects {

// Extra ball: two springy "boing" chirps, the second higher, as if a ball split in two.
Buffer ExtraBall() {
  auto boing = [](double base) {
    synth::Oscillator osc, octave;
    return synth::Make(0.16, [&](double t) {
      double spring = 1.0 + 0.35 * std::exp(-t / 0.03) * std::cos(2.0 * synth::kPi * 28.0 * t);
      double freq = base * spring * synth::ExpSweep(0.8, 1.0, t, 0.03);
      float tone = osc.Triangle(freq) + 0.3f * octave.Sine(freq * 2.0);
      return synth::AttackDecay(t, 0.003, 0.06) * tone;
    });
  };
  Buffer out = boing(523.0);
  synth::MixInto(out, boing(784.0), 0.13);
  return out;
}

// Extra life: a rising major arpeggio ending on a held, shimmering top note.
Buffer ExtraLife() {
  static const double kNotes[] = {72, 76, 79, 84, 88};
  Buffer out(synth::Samples(0.62), 0.0f);
  for (int i = 0; i < 5; ++i) {
    double gate = i < 4 ? 0.05 : 0.28;
    synth::MixInto(out, instruments::Lead(kNotes[i], gate, 0.8f + 0.05f * i), 0.065 * i);
    synth::MixInto(out, instruments::Bell(kNotes[i] + 12.0, 0.02, 0.35f), 0.065 * i);
  }
  out.resize(synth::Samples(0.62));
  return out;
}

// Fire ball: a roaring whoosh that swells and fades, with a crackling fire in it.
Buffer Fireball() {
  synth::Rng air(111), pops(112);
  synth::Svf whoosh, roar, crackle;
  roar.Set(180.0, 0.9);
  crackle.Set(3200.0, 3.0);
  return synth::Make(0.6, [&](double t) {
    double sweep =
        t < 0.22 ? synth::ExpSweep(350.0, 3200.0, t, 0.22) : synth::ExpSweep(3200.0, 700.0, t - 0.22, 0.38);
    whoosh.Set(sweep, 2.2);
    float n = air.Bipolar();
    float body = whoosh.Band(n) * synth::Adsr(t, 0.16, 0.25, 0.5, 0.2, 0.4);
    float rumble = roar.Low(n) * 2.5f * synth::Adsr(t, 0.05, 0.3, 0.4, 0.2, 0.4);
    float pop = pops.Unit() < 0.006 ? pops.Bipolar() * 8.0f : 0.0f;
    float spark = crackle.Band(pop) * static_cast<float>(synth::Smooth(t, 0.08)) * (t < 0.55 ? 1.0f : 0.0f);
    return 1.4f * body + 0.8f * rumble + 0.35f * spark;
  });
}

namespace {

// Thick detuned saws whose pitch and filter follow a sweep: inflating or deflating.
Buffer Inflate(double fromHz, double toHz, double fromCut, double toCut) {
  synth::Oscillator a, b(0.4), c(0.7);
  synth::Svf filter;
  return synth::Make(0.42, [&](double t) {
    double freq = synth::ExpSweep(fromHz, toHz, t, 0.34);
    filter.Set(synth::ExpSweep(fromCut, toCut, t, 0.34), 3.0);
    float stretch = 0.85f + 0.15f * static_cast<float>(std::sin(2.0 * synth::kPi * 18.0 * t));
    float tone = a.Saw(freq * 0.994) + b.Saw(freq * 1.006) + 0.7f * c.Square(freq * 0.5, 0.5);
    return synth::Adsr(t, 0.02, 0.2, 0.8, 0.08, 0.34) * stretch * filter.Low(tone);
  });
}

// Beeps gated faster or slower while their pitch sweeps, like a motor winding up or down.
Buffer Siren(double fromHz, double toHz, double fromRate, double toRate, double seconds) {
  synth::Oscillator osc, shine;
  double gatePhase = 0.0;
  return synth::Make(seconds, [&](double t) {
    double freq = synth::ExpSweep(fromHz, toHz, t, seconds * 0.9);
    gatePhase += synth::ExpSweep(fromRate, toRate, t, seconds * 0.9) / synth::kRate;
    double within = gatePhase - std::floor(gatePhase);
    float gate = static_cast<float>(within < 0.6 ? std::sin(synth::kPi * within / 0.6) : 0.0);
    float tone = osc.Sine(freq) + 0.3f * shine.Triangle(freq);
    return synth::Adsr(t, 0.01, 0.3, 0.85, 0.08, seconds - 0.08) * gate * tone;
  });
}

}  // namespace

Buffer LargePaddle() { return Inflate(90.0, 260.0, 300.0, 4200.0); }

Buffer SmallPaddle() { return Inflate(300.0, 100.0, 4200.0, 280.0); }

// Magnet: a low electric hum that wobbles in pitch and tone.
Buffer Magnet() {
  synth::Oscillator saw, square, sub;
  synth::Svf filter;
  return synth::Make(0.6, [&](double t) {
    double lfo = std::sin(2.0 * synth::kPi * 8.5 * t);
    double freq = 110.0 * (1.0 + 0.03 * lfo);
    filter.Set(700.0 + 500.0 * lfo, 4.0);
    float tone =
        filter.Low(saw.Saw(freq) + 0.5f * square.Square(freq * 2.0, 0.3)) + 0.5f * sub.Sine(freq * 0.5);
    return synth::Adsr(t, 0.04, 0.2, 0.85, 0.12, 0.48) * tone;
  });
}

Buffer SpeedUp() { return Siren(320.0, 1500.0, 9.0, 38.0, 0.45); }

Buffer SpeedDown() { return Siren(1500.0, 300.0, 38.0, 8.0, 0.5); }

// Reverse: a plucked chord played backwards, swelling in and cut off, with a swoop on top.
Buffer Reverse() {
  synth::Oscillator a, b, c, swoop;
  synth::Rng rng(181);
  synth::Svf filter;
  filter.Set(1800.0, 1.5);
  Buffer pluck = synth::Make(0.42, [&](double t) {
    float env = synth::AttackDecay(t, 0.001, 0.11);
    float chord = a.Saw(330.0) + b.Saw(415.3) + c.Saw(494.0);
    return env * (filter.Low(chord) + 0.3f * rng.Bipolar() * synth::AttackDecay(t, 0.001, 0.01));
  });
  Buffer out = synth::Reversed(pluck);
  Buffer sweep = synth::Make(0.42, [&](double t) {
    double freq = 600.0 * std::pow(2.0, std::sin(2.0 * synth::kPi * t / 0.42) * 0.7);
    return 0.35f * swoop.Sine(freq) * static_cast<float>(synth::Smooth(t, 0.2));
  });
  synth::MixInto(out, sweep, 0.0);
  return out;
}

}  // namespace effects
