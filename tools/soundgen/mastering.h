// mastering.h: how loud the effects and the music may be. SDL_mixer adds every playing channel to the music
// and clamps the sum. Sounds started in the same tick start in the same mixing block, sample for sample: a
// cracked brick broken on its corner starts its knock, two explosions and a capsule launch at once, and the
// same sound twice adds up in phase. So four copies of the loudest effect over the music's peak must stay
// under full scale (the game also plays every channel a little quieter, and eight fit); the game raises the
// whole mix after mixing.
#pragma once

namespace mastering {

constexpr int kEffectsAtOnce = 4;
// The music's peak where it balances the effects as heard before the game's gain after mixing.
constexpr float kMusicBalancePeak = 0.2f;  // -14 dBFS
// What the music leaves, shared out, with half a decibel spare for the Vorbis encoder's overshoot.
constexpr float kEffectPeak = (0.944f - kMusicBalancePeak) / kEffectsAtOnce;  // 0.186, -14.6 dBFS
// The game's gain after mixing raises the music with the effects by 9 dB; the track is made 12 dB under
// its balance so that it plays 3 dB under it, quietly beneath the effects.
constexpr float kMusicPeak = kMusicBalancePeak * 0.251f;  // -26 dBFS

}  // namespace mastering
