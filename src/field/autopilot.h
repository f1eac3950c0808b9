// CAutopilot: a seeded player that never tires. It follows the ball that
// will come down first and meets it at a random point of the paddle, fetches
// capsules when there is time, and presses fire to launch, to release a held
// ball and to go on after a cleared level. It steers only through the
// paddle's mouse rule, and asks its caller to tap fire, which the caller
// sends through its input as a touchpad tap arrives, so the game it plays is
// the real one, headless or in the window.
#pragma once
#include <cstdint>

class CBall;

class CAutopilot {
public:
  explicit CAutopilot(uint32_t seed);
  // Once per logic tick, before it, while the game screen is shown. True
  // when it taps fire now (a press and its release). Never on the game-over
  // screen: leaving it is the caller's choice.
  bool Tick();
  // The paddle x the autopilot is heading for this tick.
  int Target() const { return target; }

private:
  uint64_t state;
  int aim = 0;  // offset from the paddle centre where the ball is to land
  const CBall* aimedBall = nullptr;
  int aimedAngle = -1;
  int waitTicks = 0;  // a little hesitation before launching or releasing
  int rest = 240;     // where to wait while no ball is on its way down
  int target = 240;

  int Next(int n);
  int ChooseTarget();
  bool WantsFire();
};

// Where a ball will cross the paddle's band and after how many ticks, with
// side-wall bounces folded in (bricks and floaters are not foreseen).
// False for a ball that will not come down to the paddle.
bool PredictLanding(const CBall& ball, double& ticks, double& x);
