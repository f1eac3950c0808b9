// CPostMix: the last stage of the game's sound, after SDL_mixer has added up
// the channels and the music. The sounds keep their headroom so that the
// mixer's sum never clips; this stage adds the gain that brings the game to
// its loudness, and a look-ahead limiter keeps the result under a ceiling.
#pragma once
#include <SDL/SDL.h>

class CPostMix {
public:
  // rate: frames a second; release: how fast the gain comes back after a peak.
  CPostMix(int rate, float gainDb, float ceilingDb = -1.5f, float releaseMs = 80.0f);
  // Interleaved stereo 16-bit samples, in place. The output lags the input
  // by the look-ahead; state carries over from one call to the next, and
  // nothing is allocated, so it may run in the audio callback.
  void Process(Sint16* samples, int frames);
  int LookAheadFrames() const { return window - 1 + Taps / 2; }

  // Hands SDL_mixer's post-mix hook (Mix_SetPostMix) to a stage.
  static void Callback(void* stage, Uint8* stream, int bytes);

private:
  static constexpr int MaxWindow = 256;
  static constexpr int Taps = 8, Phases = 3;
  float TruePeak();
  float gain, ceiling, recover;
  int window;  // frames of look-ahead, plus one
  int at = 0;
  float envelope = 1.0f;
  float delayed[MaxWindow][2] = {};
  float needed[MaxWindow];     // the gain each input frame needs to stay under the ceiling
  float smoothed[MaxWindow];   // the held, released gains the output averages
  float recent[Taps][2] = {};  // the newest frames, after the gain
  int recentAt = 0;
  float taps[Phases][Taps];
  float betweenBefore = 0.0f;
};
