// mastering.h: how loud the effects and the music may be. SDL_mixer adds every playing channel to the music
// and clamps the sum. Sounds started in the same tick start in the same mixing block, sample for sample: a
// cracked brick broken on its corner starts its knock, two explosions and a capsule launch at once, and the
// same sound twice adds up in phase. So four copies of the loudest effect over the music's peak must stay
// under full scale.
#pragma once

namespace mastering {

constexpr int kEffectsAtOnce = 4;
constexpr float kMusicPeak = 0.2f;  // -14 dBFS: the music keeps its balance with the effects
// What the music leaves, shared out, with half a decibel spare for the Vorbis encoder's overshoot.
constexpr float kEffectPeak = (0.944f - kMusicPeak) / kEffectsAtOnce;  // 0.186, -14.6 dBFS
// Effects are levelled this much above the ceiling; the limiter takes back what then sticks out above it,
// mostly brief spikes, so the sounds keep their attack (crest factors change by 1.4 dB at most).
constexpr float kEffectDriveDb = 1.5f;

}  // namespace mastering
