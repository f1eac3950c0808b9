// effects_jingle.cpp: the game-over and level-done jingles and the two menu sounds.
#include <cmath>

#include "effects.h"
#include "instruments.h"

using synth::Buffer;

namespace effects {

namespace {

struct JingleNote {
  double at, gate, midi;
};

Buffer PlayNotes(const JingleNote* notes, int count, Buffer (*voice)(double, double, float), float velocity) {
  Buffer out;
  for (int i = 0; i < count; ++i)
    synth::MixInto(out, voice(notes[i].midi, notes[i].gate, velocity), notes[i].at);
  return out;
}

}  // namespace

// Game over: a falling minor phrase that settles, with a sigh of vibrato, on a low A minor chord.
Buffer GameOver() {
  static const JingleNote kMelody[] = {
      {0.00, 0.16, 76}, {0.20, 0.16, 72}, {0.40, 0.16, 69}, {0.60, 0.26, 68}, {0.90, 0.75, 69}};
  static const JingleNote kChord[] = {{0.00, 0.55, 45}, {0.60, 0.26, 40}, {0.90, 0.75, 33}};
  static const JingleNote kPad[] = {{0.90, 0.7, 57}, {0.90, 0.7, 60}, {0.90, 0.7, 64}};
  Buffer out = PlayNotes(kMelody, 5, instruments::Lead, 0.9f);
  synth::MixInto(out, PlayNotes(kChord, 3, instruments::Bass, 0.9f), 0.0);
  synth::MixInto(out, PlayNotes(kPad, 3, instruments::Harmony, 0.45f), 0.0);
  out.resize(synth::Samples(1.8), 0.0f);
  return out;
}

// Level done: a bright fanfare, a triplet run up to a held C major chord with a snare roll.
Buffer GameDone() {
  static const JingleNote kMelody[] = {{0.00, 0.08, 67}, {0.10, 0.08, 72}, {0.20, 0.08, 76},
                                       {0.30, 0.22, 79}, {0.56, 0.08, 76}, {0.68, 0.70, 84}};
  static const JingleNote kHarmony[] = {
      {0.30, 0.22, 74}, {0.56, 0.08, 72}, {0.68, 0.70, 79}, {0.68, 0.70, 76}};
  static const JingleNote kBass[] = {{0.00, 0.26, 36}, {0.30, 0.22, 43}, {0.68, 0.70, 36}};
  Buffer out = PlayNotes(kMelody, 6, instruments::Lead, 0.9f);
  synth::MixInto(out, PlayNotes(kHarmony, 4, instruments::Harmony, 0.5f), 0.0);
  synth::MixInto(out, PlayNotes(kBass, 3, instruments::Bass, 0.9f), 0.0);
  for (int i = 0; i < 6; ++i)
    synth::MixInto(out, instruments::Snare(0.2f + 0.06f * i, 300 + i), 0.3 + 0.06 * i);
  synth::MixInto(out, instruments::Crash(0.3f, 399), 0.68);
  out.resize(synth::Samples(1.7), 0.0f);
  return out;
}

// Cursor moved: a tiny, dry tick.
Buffer MenuStep() {
  synth::Oscillator osc;
  synth::Rng rng(211);
  synth::Svf filter;
  filter.Set(5000.0, 1.0);
  return synth::Make(0.05, [&](double t) {
    float tone = osc.Sine(2350.0) * synth::AttackDecay(t, 0.0005, 0.01);
    float click = filter.High(rng.Bipolar()) * synth::AttackDecay(t, 0.0003, 0.002);
    return tone + 0.6f * click;
  });
}

// Entry chosen: a confirming two-step blip, up a fifth.
Buffer MenuSelect() {
  synth::Oscillator osc;
  synth::Svf filter;
  filter.Set(3800.0, 1.0);
  return synth::Make(0.16, [&](double t) {
    double freq = t < 0.055 ? 880.0 : 1320.0;
    float first =
        synth::AttackDecay(t, 0.002, 0.05) * static_cast<float>(std::fmin(1.0, (0.055 - t) / 0.004));
    float env = t < 0.055 ? first : synth::AttackDecay(t - 0.055, 0.003, 0.045);
    return env * filter.Low(osc.Square(freq, 0.3));
  });
}

}  // namespace effects
