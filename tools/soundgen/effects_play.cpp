// effects_play.cpp: sounds of the ball, the bricks, the capsules and the floaters.
#include <cmath>

#include "effects.h"
#include "instruments.h"

using synth::Buffer;

namespace effects {

// Wall and paddle: a bright, glassy tick that bends down a hair as it dies.
Buffer Ping() {
  synth::Oscillator a, b, c;
  return synth::Make(0.13, [&](double t) {
    double bend = 1.0 + 0.04 * std::exp(-t / 0.008);
    float tone = a.Sine(1760.0 * bend) * synth::AttackDecay(t, 0.001, 0.035);
    tone += 0.45f * b.Sine(3520.0 * bend * 1.004) * synth::AttackDecay(t, 0.001, 0.018);
    tone += 0.25f * c.Sine(5290.0 * bend) * synth::AttackDecay(t, 0.0005, 0.008);
    return tone;
  });
}

// Brick: a hollow wood-block knock, far lower and duller than the ping.
Buffer Pong() {
  synth::Oscillator body, overtone;
  synth::Rng rng(21);
  synth::Svf knock;
  knock.Set(1100.0, 4.0);
  return synth::Make(0.16, [&](double t) {
    double bend = 1.0 + 0.12 * std::exp(-t / 0.006);
    float tone = body.Sine(392.0 * bend) * synth::AttackDecay(t, 0.001, 0.045);
    tone += 0.35f * overtone.Sine(392.0 * 3.93 * bend) * synth::AttackDecay(t, 0.0005, 0.008);
    tone += 0.9f * knock.Band(rng.Bipolar()) * synth::AttackDecay(t, 0.0005, 0.006);
    return tone;
  });
}

// Solid brick: struck steel, a cluster of inharmonic partials with uneven decays.
Buffer Solid() {
  static const double kRatios[] = {1.0, 1.593, 2.136, 2.296, 2.653, 2.918, 3.6, 4.07};
  static const double kDecays[] = {0.22, 0.17, 0.12, 0.14, 0.08, 0.07, 0.05, 0.04};
  synth::Oscillator partials[8];
  synth::Rng rng(33);
  synth::Svf hit;
  hit.Set(3000.0, 0.8);
  return synth::Make(0.45, [&](double t) {
    float ring = 0.0f;
    for (int i = 0; i < 8; ++i) {
      ring += partials[i].Sine(610.0 * kRatios[i]) * synth::AttackDecay(t, 0.0008, kDecays[i]) /
              (1.0f + 0.3f * i);
    }
    float clank = hit.High(rng.Bipolar()) * synth::AttackDecay(t, 0.0005, 0.01);
    return ring + 0.8f * clank;
  });
}

// Brick destroyed: a noise burst whose filter closes, a low thump under it and scattered crackle.
Buffer BrickExplosion() {
  synth::Rng rng(44), crackleRng(45);
  synth::Svf blast, crackleFilter;
  crackleFilter.Set(2500.0, 2.0);
  synth::Oscillator thump;
  return synth::Make(0.55, [&](double t) {
    blast.Set(synth::ExpSweep(6000.0, 220.0, t, 0.4), 1.2);
    float noise = blast.Low(rng.Bipolar()) * synth::AttackDecay(t, 0.002, 0.12);
    float boom = thump.Sine(synth::ExpSweep(120.0, 38.0, t, 0.15)) * synth::AttackDecay(t, 0.002, 0.07);
    float spark = crackleRng.Unit() < 0.012 * std::exp(-t / 0.18) ? crackleRng.Bipolar() * 6.0f : 0.0f;
    return 1.2f * noise + 0.8f * boom + 0.5f * crackleFilter.Band(spark);
  });
}

// Capsule released: a round, rising bloop, like a bubble let go.
Buffer BonusLaunch() {
  synth::Oscillator osc, shine;
  return synth::Make(0.24, [&](double t) {
    double freq = synth::ExpSweep(260.0, 820.0, t, 0.14);
    float env = synth::AttackDecay(t, 0.004, 0.07);
    float tone = osc.Sine(freq) + 0.25f * shine.Sine(freq * 2.0);
    return env * tone;
  });
}

// Capsule caught: two quick bright chime notes, up a fourth.
Buffer BonusPickup() {
  Buffer out = instruments::Bell(83.0, 0.05, 0.8f);
  synth::MixInto(out, instruments::Bell(88.0, 0.08, 1.0f), 0.055);
  out.resize(synth::Samples(0.3), 0.0f);
  return out;
}

// Ball lost: a falling, wobbling wail that sinks into a dull thud.
Buffer BallLost() {
  synth::Oscillator osc, sub;
  synth::Svf filter;
  synth::Rng rng(71);
  synth::Svf thud;
  thud.Set(300.0, 1.0);
  return synth::Make(0.62, [&](double t) {
    double wobble = std::pow(2.0, 0.6 * std::sin(2.0 * synth::kPi * 9.0 * t) / 12.0);
    double freq = synth::ExpSweep(700.0, 90.0, t, 0.5) * wobble;
    filter.Set(synth::ExpSweep(3500.0, 350.0, t, 0.5), 2.0);
    float wail = filter.Low(osc.Square(freq, 0.35) + 0.5f * sub.Saw(freq * 0.5));
    float env = synth::Adsr(t, 0.01, 0.3, 0.75, 0.12, 0.48);
    float bump = thud.Low(rng.Bipolar()) * (t > 0.44 ? synth::AttackDecay(t - 0.44, 0.005, 0.05) : 0.0f);
    return env * wail + 1.5f * bump;
  });
}

// Floater appears: an eerie shimmer that swells and rises, with a fast tremolo.
Buffer FloaterEnter() {
  synth::Oscillator carrier, modulator, twin;
  return synth::Make(0.55, [&](double t) {
    double freq = synth::ExpSweep(520.0, 1040.0, t, 0.5);
    double index = 2.5 * (1.0 - synth::Smooth(t, 0.5));
    float fm = carrier.Sine(freq + index * freq * modulator.Sine(freq * 1.5));
    float tone = fm + 0.6f * twin.Sine(freq * 1.007);
    float tremolo = 0.65f + 0.35f * static_cast<float>(std::sin(2.0 * synth::kPi * 14.0 * t));
    return synth::Adsr(t, 0.12, 0.3, 0.8, 0.15, 0.4) * tremolo * tone;
  });
}

// Floater destroyed: an electric zap, a buzzing saw hopping down in pitch with ring-modulated static.
Buffer FloaterZapp() {
  synth::Oscillator saw, chop, ring;
  synth::Rng rng(91), hop(92);
  synth::Svf filter;
  filter.Set(5000.0, 1.2);
  double jump = 1.0;
  int counter = 0;
  return synth::Make(0.36, [&](double t) {
    if (++counter % 160 == 0) jump = 0.7 + 0.6 * hop.Unit();
    double freq = synth::ExpSweep(1900.0, 160.0, t, 0.3) * jump;
    float buzz = filter.Low(saw.Saw(freq) * (0.6f + 0.4f * chop.Square(75.0, 0.5)));
    float statics = rng.Bipolar() * ring.Sine(1250.0) * synth::AttackDecay(t, 0.001, 0.04);
    return synth::AttackDecay(t, 0.002, 0.1) * buzz + 0.5f * statics;
  });
}

}  // namespace effects
