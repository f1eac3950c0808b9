// effects.cpp: the list of effect files and the finishing pass every effect goes through.
#include "effects.h"

#include <cmath>

#include "mastering.h"

namespace effects {

const std::vector<Effect>& All() {
  static const std::vector<Effect> kAll = {
      {"ping.wav", Ping, 0.9f, 7.5f},
      {"pong.wav", Pong, 0.9f, 10.5f},
      {"solid.wav", Solid, 0.9f, 4.0f},
      {"brick_explosion.wav", BrickExplosion, 0.9f, 5.5f},
      {"bonus_launch.wav", BonusLaunch, 0.75f},
      {"bonus_pickup.wav", BonusPickup, 0.8f},
      {"ball_lost.wav", BallLost, 0.9f},
      {"floater_enter.wav", FloaterEnter, 0.8f},
      {"floater_zapp.wav", FloaterZapp, 0.85f},
      {"extra_ball.wav", ExtraBall, 0.85f},
      {"extra_life.wav", ExtraLife, 0.85f},
      {"fireball.wav", Fireball, 0.9f},
      {"large_paddle.wav", LargePaddle, 0.85f},
      {"small_paddle.wav", SmallPaddle, 0.85f},
      {"magnet.wav", Magnet, 0.85f},
      {"speed_up.wav", SpeedUp, 0.8f},
      {"speed_down.wav", SpeedDown, 0.8f},
      {"reverse.wav", Reverse, 0.85f},
      {"game_over.wav", GameOver, 0.9f},
      {"game_done.wav", GameDone, 0.9f},
      {"menu_step.wav", MenuStep, 0.55f},
      {"menu_select.wav", MenuSelect, 0.7f},
  };
  return kAll;
}

synth::Buffer Finish(const Effect& effect) {
  synth::Buffer buffer = effect.make();
  synth::HighPass(buffer, 30.0);
  synth::FadeEdges(buffer, 0.0008, 0.012);
  // `peak` sets each effect's level against the others; the loudest, at 0.9, is driven a little past the
  // ceiling that leaves room for four at once over the music.
  const float drive = std::pow(10.0f, effect.driveDb / 20.0f);
  synth::Normalise(buffer, effect.peak / 0.9f * mastering::kEffectPeak * drive);
  synth::Limit(buffer, mastering::kEffectPeak);
  return buffer;
}

}  // namespace effects
