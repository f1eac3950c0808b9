// instruments.h: the pitched voices and drums of the music; the jingles among the effects play them too.
// Every call renders one note, release tail included, as a mono buffer.
#pragma once

#include <cstdint>

#include "synth.h"

namespace instruments {

// gate: how long the note is held, in seconds; velocity 0..1.
synth::Buffer Lead(double midi, double gate, float velocity);
synth::Buffer Harmony(double midi, double gate, float velocity);
synth::Buffer Bass(double midi, double gate, float velocity);
synth::Buffer Pluck(double midi, double gate, float velocity);
synth::Buffer Pad(double midi, double gate, float velocity);
synth::Buffer Bell(double midi, double gate, float velocity);

synth::Buffer Kick(float velocity);
synth::Buffer Snare(float velocity, uint32_t seed);
synth::Buffer Hat(float velocity, uint32_t seed, bool open);
synth::Buffer Crash(float velocity, uint32_t seed);

}  // namespace instruments
