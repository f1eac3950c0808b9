// music.h: the game's music track: its score as a list of note events, and the renderer that plays it.
#pragma once

#include <string>
#include <vector>

namespace music {

enum class Voice { kLead, kHarmony, kBell, kBass, kPluck, kPad, kKick, kSnare, kHat, kOpenHat, kCrash };

// Times are in sixteenth-note steps from the start of the song.
struct Event {
  Voice voice;
  int step;
  int length;
  int midi;
  float velocity;
  float pan;  // -1 left .. 1 right
};

struct Song {
  int bpm;
  int steps;
  std::vector<Event> events;
};

// The track of a built-in theme ("classic" and "" give the game's own): the same tunes, each theme
// arranged at its own tempo, key and groove and in its own instruments.
Song Compose(const std::string& theme = "");

// Interleaved stereo at synth::kRate. Notes still ringing at the end are wrapped onto the start, so the track
// loops without a seam.
std::vector<float> Render(const Song& song);

}  // namespace music
