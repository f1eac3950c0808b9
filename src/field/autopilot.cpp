// CAutopilot: a seeded player for the real game, headless or in the window.
#include "field/autopilot.h"

#include <cmath>
#include <cstdlib>

#include "base/globals.h"
#include "field/ball.h"
#include "field/bonus.h"
#include "field/bonusstage.h"
#include "field/paddle.h"

namespace {
// Where a ball's centre turns at the walls: a radius inside them.
constexpr double LeftTurn = 28, RightTurn = 452, TopTurn = 28;
// The paddle meets a falling ball whose centre is within 16 px above its own.
constexpr int BandAbovePaddle = 12;
// As far as a quick hand moves a mouse in one tick.
constexpr int MaxStep = 30;
constexpr int CapsuleFall = 3;
constexpr int CapsuleReach = 16;

double Fold(double x) {
  const double width = RightTurn - LeftTurn;
  double u = std::fmod(x - LeftTurn, 2 * width);
  if (u < 0) u += 2 * width;
  if (u > width) u = 2 * width - u;
  return LeftTurn + u;
}
}  // namespace

bool PredictLanding(const CBall& ball, double& ticks, double& x) {
  const CPaddle& paddle = *Game.paddle;
  const double r = ball.angle * M_PI / 180.0;
  const double vx = std::cos(r) * ball.speed, vy = std::sin(r) * ball.speed;
  const double band = paddle.y - BandAbovePaddle;
  if (ball.stuck || std::fabs(vy) < 1e-6 || ball.y >= paddle.y) return false;
  if (vy > 0)
    ticks = std::max(0.0, (band - ball.y) / vy);
  else
    ticks = (ball.y - TopTurn) / -vy + (band - TopTurn) / -vy;
  x = Fold(ball.x + vx * ticks);
  return true;
}

CAutopilot::CAutopilot(uint32_t seed) : state(0x9E3779B97F4A7C15ull ^ (seed * 0xD1B54A32D192ED03ull)) {
  if (state == 0) state = 1;
  waitTicks = Next(25);
  rest = 60 + Next(361);
}

int CAutopilot::Next(int n) {
  state ^= state >> 12;
  state ^= state << 25;
  state ^= state >> 27;
  const uint32_t r = static_cast<uint32_t>((state * 0x2545F4914F6CDD1Dull) >> 32);
  return n > 0 ? static_cast<int>(r % static_cast<uint32_t>(n)) : 0;
}

int CAutopilot::ChooseTarget() {
  // A bonus stage says where to stand, unless it is played with balls.
  if (Game.bonusStage && Game.gameState == gsBallInGame) {
    const int stand = Game.bonusStage->PilotTarget();
    if (stand >= 0) return stand;
  }
  const CPaddle& paddle = *Game.paddle;
  const int h = paddle.HalfWidth();
  const CBall* first = nullptr;
  double firstTicks = 0, firstX = paddle.x;
  for (int i = 0; i < Game.balls.Count(); ++i) {
    double t, x;
    if (PredictLanding(*Game.balls[i], t, x) && (!first || t < firstTicks)) {
      first = Game.balls[i];
      firstTicks = t;
      firstX = x;
    }
  }
  // A new aim for every new flight: where on the paddle this ball will land.
  if (first != aimedBall || (first && first->angle != aimedAngle)) {
    const int reach = (3 * h) / 4;
    aim = Next(2 * reach + 1) - reach;
    aimedBall = first;
    aimedAngle = first ? first->angle : -1;
    if (!first) rest = 60 + Next(361);
  }
  // Fetch the lowest capsule that can be caught and still leave time for the ball.
  const CBonus* capsule = nullptr;
  for (int i = 0; i < Game.bonuses.Count(); ++i) {
    const CBonus* c = Game.bonuses[i];
    if (c->y > paddle.y + CapsuleReach) continue;
    const double fall = std::max(0, paddle.y - CapsuleReach - c->y) / double(CapsuleFall);
    const double there = std::abs(c->x - paddle.x) / double(MaxStep);
    const double back = std::abs(firstX - c->x) / double(MaxStep);
    const bool reachable = there <= fall + (2 * CapsuleReach) / CapsuleFall;
    const bool timeLeft = !first || firstTicks > std::max(fall, there) + back + 4;
    if (reachable && timeLeft && (!capsule || c->y > capsule->y)) capsule = c;
  }
  if (capsule) return capsule->x;
  if (first) return static_cast<int>(firstX) + aim;
  return rest;
}

bool CAutopilot::WantsFire() {
  bool wanted = Game.gameState == gsFirstBall || Game.gameState == gsNewBall || Game.gameState == gsGameDone;
  for (int i = 0; i < Game.balls.Count() && Game.gameState == gsBallInGame; ++i)
    wanted = wanted || Game.balls[i]->stuck;
  if (Game.bonusStage && Game.gameState == gsBallInGame) return Game.bonusStage->PilotFires();
  if (!wanted) return false;
  if (waitTicks > 0) {
    --waitTicks;
    return false;
  }
  waitTicks = Next(25);
  return true;
}

bool CAutopilot::Tick() {
  if (Game.programState != psGame) return false;
  CPaddle& paddle = *Game.paddle;
  target = ChooseTarget();
  int step = target - paddle.x;
  if (step > MaxStep) step = MaxStep;
  if (step < -MaxStep) step = -MaxStep;
  // The mouse rule divides by 2 (by 5 when slowed) and mirrors when reversed.
  if (step != 0) paddle.MouseMove(step * (paddle.slow ? 5 : 2) * paddle.direction);
  return WantsFire();
}
