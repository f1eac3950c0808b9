// effects.h: the game's 22 sound effects, each a function that synthesises its raw waveform.
#pragma once

#include <string>
#include <vector>

#include "synth.h"

namespace effects {

struct Effect {
  const char* file;
  synth::Buffer (*make)();
  float peak;  // level against the other effects, 0.9 the loudest
  // Decibels driven into the limiter past that peak: the frequent short knocks and ticks are pressed
  // harder so that they are heard about 4 dB under the loudest effects while keeping to the same peak.
  float driveDb = 1.5f;
};

const std::vector<Effect>& All();

// Removes DC and rumble, fades the edges so the file starts and ends at silence, and normalises.
synth::Buffer Finish(const Effect& effect);

// Ball, bricks, capsules and floaters.
synth::Buffer Ping();
synth::Buffer Pong();
synth::Buffer Solid();
synth::Buffer BrickExplosion();
synth::Buffer BonusLaunch();
synth::Buffer BonusPickup();
synth::Buffer BallLost();
synth::Buffer FloaterEnter();
synth::Buffer FloaterZapp();

// Power-ups.
synth::Buffer ExtraBall();
synth::Buffer ExtraLife();
synth::Buffer Fireball();
synth::Buffer LargePaddle();
synth::Buffer SmallPaddle();
synth::Buffer Magnet();
synth::Buffer SpeedUp();
synth::Buffer SpeedDown();
synth::Buffer Reverse();

// Jingles and menu.
synth::Buffer GameOver();
synth::Buffer GameDone();
synth::Buffer MenuStep();
synth::Buffer MenuSelect();

}  // namespace effects
