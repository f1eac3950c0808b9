// render.cpp: plays the score through the instruments into a stereo buffer that loops seamlessly, adds echo
// and room to the mix and levels the result.
#include <cmath>
#include <cstdint>

#include "instruments.h"
#include "mastering.h"
#include "music.h"
#include "synth.h"

namespace music {

namespace {

using Channel = std::vector<float>;

struct Mix {
  Channel left, right, echoSend, roomSend;
};

struct VoiceSetting {
  float gain, echo, room;
};

// Indexed by Voice.
const VoiceSetting kSettings[] = {
    {0.55f, 0.30f, 0.25f},  // lead
    {0.42f, 0.25f, 0.30f},  // harmony
    {0.50f, 0.40f, 0.35f},  // bell
    {0.75f, 0.00f, 0.00f},  // bass
    {0.28f, 0.15f, 0.20f},  // pluck
    {0.35f, 0.00f, 0.30f},  // pad
    {0.95f, 0.00f, 0.03f},  // kick
    {0.85f, 0.05f, 0.30f},  // snare
    {0.50f, 0.00f, 0.05f},  // closed hat
    {0.42f, 0.00f, 0.10f},  // open hat
    {0.30f, 0.00f, 0.10f},  // crash
};
static_assert(sizeof(kSettings) / sizeof(kSettings[0]) == static_cast<size_t>(Voice::kCrash) + 1);

synth::Buffer Play(const Event& e, double stepSeconds, uint32_t seed) {
  double gate = e.length * stepSeconds * 0.9;
  switch (e.voice) {
    case Voice::kLead:
      return instruments::Lead(e.midi, gate, e.velocity);
    case Voice::kHarmony:
      return instruments::Harmony(e.midi, gate, e.velocity);
    case Voice::kBell:
      return instruments::Bell(e.midi, gate, e.velocity);
    case Voice::kBass:
      return instruments::Bass(e.midi, e.length * stepSeconds * 0.8, e.velocity);
    case Voice::kPluck:
      return instruments::Pluck(e.midi, stepSeconds * 0.7, e.velocity);
    case Voice::kPad:
      return instruments::Pad(e.midi, e.length * stepSeconds, e.velocity);
    case Voice::kKick:
      return instruments::Kick(e.velocity);
    case Voice::kSnare:
      return instruments::Snare(e.velocity, seed);
    case Voice::kHat:
      return instruments::Hat(e.velocity, seed, false);
    case Voice::kOpenHat:
      return instruments::Hat(e.velocity, seed, true);
    case Voice::kCrash:
      return instruments::Crash(e.velocity, seed);
  }
  return {};
}

// Adds a note at its place; whatever runs past the end continues from the start.
void Place(Mix& mix, const Event& e, const synth::Buffer& sound, size_t at) {
  const VoiceSetting& setting = kSettings[static_cast<int>(e.voice)];
  double angle = (e.pan + 1.0) * synth::kPi / 4.0;
  float gl = setting.gain * static_cast<float>(std::cos(angle));
  float gr = setting.gain * static_cast<float>(std::sin(angle));
  size_t length = mix.left.size();
  for (size_t i = 0; i < sound.size(); ++i) {
    size_t j = (at + i) % length;
    mix.left[j] += gl * sound[i];
    mix.right[j] += gr * sound[i];
    mix.echoSend[j] += setting.gain * setting.echo * sound[i];
    mix.roomSend[j] += setting.gain * setting.room * sound[i];
  }
}

// Ping-pong echo running around the loop: the second lap starts with the echoes of the first one's end, which
// is what a listener hears when the track repeats.
void AddEcho(Mix& mix, size_t delay, float feedback) {
  size_t length = mix.left.size();
  Channel wetL(length, 0.0f), wetR(length, 0.0f);
  for (int lap = 0; lap < 2; ++lap) {
    for (size_t i = 0; i < length; ++i) {
      size_t from = (i + length - delay) % length;
      wetL[i] = mix.echoSend[from] + feedback * wetR[from];
      wetR[i] = feedback * wetL[from];
    }
  }
  synth::OnePole darkL, darkR;
  darkL.Set(3000.0);
  darkR.Set(3000.0);
  for (int lap = 0; lap < 2; ++lap) {
    for (size_t i = 0; i < length; ++i) {
      float l = darkL.Low(wetL[i]), r = darkR.Low(wetR[i]);
      if (lap == 1) mix.left[i] += l, mix.right[i] += r;
    }
  }
}

// A damped feedback comb: the building block of the room.
class Comb {
public:
  Comb(size_t delay, float feedback) : line_(delay, 0.0f), feedback_(feedback) {}
  float Process(float x) {
    float out = line_[pos_];
    damped_ = 0.6f * out + 0.4f * damped_;
    line_[pos_] = x + feedback_ * damped_;
    pos_ = (pos_ + 1) % line_.size();
    return out;
  }

private:
  Channel line_;
  float feedback_, damped_ = 0.0f;
  size_t pos_ = 0;
};

class Allpass {
public:
  explicit Allpass(size_t delay) : line_(delay, 0.0f) {}
  float Process(float x) {
    float delayed = line_[pos_];
    line_[pos_] = x + 0.5f * delayed;
    pos_ = (pos_ + 1) % line_.size();
    return delayed - 0.5f * x;
  }

private:
  Channel line_;
  size_t pos_ = 0;
};

// A short room for one side; the two sides use different lengths so the room sounds wide. It runs over two
// laps of the loop, keeping the second, so the start already carries the tail of the end.
Channel Room(const Channel& send, size_t spread) {
  static const size_t kCombs[] = {557, 593, 641, 677};
  static const size_t kAllpasses[] = {278, 170};
  std::vector<Comb> combs;
  for (size_t d : kCombs) combs.emplace_back(d + spread, 0.78f);
  std::vector<Allpass> allpasses;
  for (size_t d : kAllpasses) allpasses.emplace_back(d + spread / 2);
  Channel out(send.size());
  for (int lap = 0; lap < 2; ++lap) {
    for (size_t i = 0; i < send.size(); ++i) {
      float sum = 0.0f;
      for (Comb& c : combs) sum += c.Process(send[i]);
      for (Allpass& a : allpasses) sum = a.Process(sum);
      out[i] = 0.25f * sum;
    }
  }
  return out;
}

void AddRoom(Mix& mix) {
  Channel l = Room(mix.roomSend, 0), r = Room(mix.roomSend, 23);
  for (size_t i = 0; i < mix.left.size(); ++i) mix.left[i] += l[i], mix.right[i] += r[i];
}

// Removes any DC and sub-bass rumble; run over two laps of the loop like the echo.
void BlockDc(Channel& channel) {
  synth::Svf filter;
  filter.Set(25.0, 0.7071);
  Channel out(channel.size());
  for (int lap = 0; lap < 2; ++lap) {
    for (size_t i = 0; i < channel.size(); ++i) out[i] = filter.High(channel[i]);
  }
  channel.swap(out);
}

// Gentle saturation above a knee keeps drum peaks from setting the whole track's level.
float Soften(float x) {
  const float knee = 0.7f;
  float a = std::fabs(x);
  if (a <= knee) return x;
  float over = (a - knee) / (1.0f - knee);
  float shaped = knee + (1.0f - knee) * std::tanh(over);
  return x < 0 ? -shaped : shaped;
}

Channel Master(const Mix& mix) {
  float peak = 0.0f;
  for (size_t i = 0; i < mix.left.size(); ++i) {
    peak = std::fmax(peak, std::fmax(std::fabs(mix.left[i]), std::fabs(mix.right[i])));
  }
  float drive = peak > 0.0f ? 1.1f / peak : 1.0f;
  // The softened peak lands exactly on the music's share of the mixer's headroom.
  const float level = mastering::kMusicPeak / Soften(1.1f);
  Channel out(mix.left.size() * 2);
  for (size_t i = 0; i < mix.left.size(); ++i) {
    out[2 * i] = level * Soften(drive * mix.left[i]);
    out[2 * i + 1] = level * Soften(drive * mix.right[i]);
  }
  return out;
}

}  // namespace

std::vector<float> Render(const Song& song) {
  double stepSeconds = 60.0 / song.bpm / 4.0;
  size_t stepSamples = static_cast<size_t>(synth::Samples(stepSeconds));
  size_t length = stepSamples * song.steps;
  Mix mix{Channel(length, 0.0f), Channel(length, 0.0f), Channel(length, 0.0f), Channel(length, 0.0f)};
  uint32_t seed = 1000;
  for (const Event& e : song.events) Place(mix, e, Play(e, stepSeconds, ++seed), e.step * stepSamples);
  AddEcho(mix, stepSamples * 3, 0.38f);
  AddRoom(mix);
  BlockDc(mix.left);
  BlockDc(mix.right);
  return Master(mix);
}

}  // namespace music
