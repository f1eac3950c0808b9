// CPlayCheck: the rules of the play field checked after every tick.
#include "session/playcheck.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "base/globals.h"
#include "field/ball.h"
#include "field/bonus.h"
#include "field/brick.h"
#include "field/floater.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "session/level.h"

namespace {
constexpr size_t MaxNoted = 10;
constexpr int FullEnergy = 40000;

// The paddle test of a ball's update, made before it runs.
bool WillMeetPaddle(const CBall& ball) {
  const CPaddle& paddle = *Game.paddle;
  const int h = paddle.HalfWidth();
  const bool down = std::sin(ball.angle * M_PI / 180.0) * ball.speed >= 0;
  return ball.stuck || (down && paddle.y - 16 <= ball.y && ball.y < paddle.y && paddle.x - h <= ball.x &&
                        ball.x <= paddle.x + h);
}
}  // namespace

void CPlayCheck::Break(const std::string& what) {
  ++brokenCount;
  if (broken.size() < MaxNoted) broken.push_back("tick " + std::to_string(tick) + ": " + what);
}

void CPlayCheck::BeforeTick() {
  bricksBefore.clear();
  for (int i = 0; i < Game.bricks.Count(); ++i)
    bricksBefore.push_back({Game.bricks[i], Game.bricks[i]->colour});
  ballsBefore.clear();
  for (int i = 0; i < Game.balls.Count(); ++i) {
    const CBall* ball = Game.balls[i];
    int untouched = 0;
    for (const TBallState& t : tracked)
      if (t.ball == ball) untouched = t.untouched;
    ballsBefore.push_back({ball, ball->x, ball->y, ball->speed, untouched, WillMeetPaddle(*ball)});
  }
  capsulesBefore.clear();
  capsuleKinds.clear();
  for (int i = 0; i < Game.bonuses.Count(); ++i)
    if (Game.bonuses[i]->y + 3 <= 480) {  // one that falls out of the field this tick was not caught
      capsulesBefore.push_back(Game.bonuses[i]);
      capsuleKinds.push_back(Game.bonuses[i]->kind);
    }
  floatersBefore.clear();
  for (int i = 0; i < Game.floaters.Count(); ++i) floatersBefore.push_back(Game.floaters[i]);
  livesBefore = Game.lives;
}

// A lost life clears capsules and floaters; otherwise a capsule gone was
// caught and a floater gone was zapped.
void CPlayCheck::CountWhatLeftPlay() {
  if (Game.lives < livesBefore) return;
  for (size_t i = 0; i < capsulesBefore.size(); ++i)
    if (!Game.bonuses.Contains(capsulesBefore[i])) {
      ++capsulesCaught;
      kindsCaught |= 1u << capsuleKinds[i];
    }
  for (const CFloater* f : floatersBefore) floatersZapped += !Game.floaters.Contains(f);
}

// Bricks only leave the list, never move within it, so the lists before and
// after the tick are walked side by side.
bool CPlayCheck::HitBreakableBricks(std::vector<const CBall*>& hitters) {
  bool any = false;
  int j = 0;
  for (const TBrickState& b : bricksBefore) {
    const CBrick* now = j < Game.bricks.Count() ? Game.bricks[j] : nullptr;
    if (now != b.brick) continue;  // removed: it had been destroyed a tick before
    ++j;
    if (now->colour == b.colour || now->special == bsSolid) continue;
    any = true;
    ++hits;
    // A ball tests a brick two steps ahead of where it stood.
    for (const TBallState& s : ballsBefore)
      if (std::fabs(now->x - s.x) <= 25 + 2 * s.speed && std::fabs(now->y - s.y) <= 17 + 2 * s.speed)
        hitters.push_back(s.ball);
  }
  return any;
}

void CPlayCheck::CheckBall(const CBall& ball, bool updated) {
  std::ostringstream where;
  where << "ball at (" << ball.x << ", " << ball.y << ") heading " << ball.angle << " speed " << ball.speed;
  if (!std::isfinite(ball.x) || !std::isfinite(ball.y)) return Break(where.str() + ": position not a number");
  // A ball turns a radius inside the side walls (x 20 and 460) and the top
  // (y 20); only one launched from a small paddle pushed against a wall may
  // start a pixel closer.
  if (ball.x < 27 || ball.x > 453 || ball.y < 28 || ball.y > 480) Break(where.str() + ": outside the field");
  if (std::abs(ball.speed - Game.baseBallSpeed) > 1) Break(where.str() + ": speed out of range");
  // A new ball keeps its raw launch heading until its first update clamps it
  // (and may take the place in memory of a ball lost in the same tick).
  const bool launched = !updated || (ball.y == Game.paddle->y - 4 && ball.angle >= 240 && ball.angle < 300);
  if (!launched && ClampAngle(ball.angle) != ball.angle) Break(where.str() + ": heading not clamped");
  if (ball.type > btMagnet) Break(where.str() + ": unknown type");
}

void CPlayCheck::CheckLists() {
  const int n = LevelCount();
  if (Game.levelIndex >= 0 && Game.baseBallSpeed != 4 + Game.levelIndex / (2 * n))
    Break("base ball speed " + std::to_string(Game.baseBallSpeed) + " wrong for the level");
  if (Game.energy < 0 || Game.energy > FullEnergy) Break("energy " + std::to_string(Game.energy));
  if (Game.lives < 0 || Game.lives > 5) Break("lives " + std::to_string(Game.lives));
  const bool waiting = Game.gameState == gsFirstBall || Game.gameState == gsNewBall;
  if (waiting && !Game.balls.Empty()) Break("a ball in play while waiting for a launch");
  if (Game.gameState == gsBallInGame && Game.balls.Empty()) Break("ball play without a ball");
  if (Game.gameState == gsBallLost) Break("the lost-ball state outlived the game-flow check");
  for (int i = 0; i < Game.balls.Count(); ++i)
    for (int j = i + 1; j < Game.balls.Count(); ++j)
      if (Game.balls[i] == Game.balls[j]) Break("a ball listed twice");
  bool breakableLeft = false;
  for (int i = 0; i < Game.bricks.Count(); ++i) {
    const CBrick* b = Game.bricks[i];
    if (b->colour > bcCracked || b->special > bsSolid || (b->special == bsSolid) != (b->colour == bcGray))
      Break("brick with colour " + std::to_string(b->colour) + " special " + std::to_string(b->special));
    if (b->special != bsSolid && b->colour != bcNone) breakableLeft = true;
  }
  if (Game.gameState == gsGameDone && breakableLeft) Break("level done with breakable bricks left");
  for (int i = 0; i < Game.bonuses.Count(); ++i) {
    const CBonus* c = Game.bonuses[i];
    if (c->kind == bbNone || c->kind > bbPaddleSpeed || c->y > 480) Break("capsule out of place or unknown");
  }
  if (Game.floaters.Count() > Game.maxFloaters) Break("more floaters than the level allows");
  for (int i = 0; i < Game.floaters.Count(); ++i)
    if (Game.floaters[i]->radius <= 0) Break("floater without a size");
  for (int i = 0; i < Game.effects.Count(); ++i) {
    const CParticleSystem* effect = Game.effects[i];
    if (effect->particles.Count() <= 0 || effect->particles.Count() > 8)
      Break("effect with a wrong particle count");
    for (int j = 0; j < effect->particles.Count(); ++j)
      if (effect->particles[j]->life > 48) Break("particle living too long");
  }
}

void CPlayCheck::AfterTick() {
  ++tick;
  std::vector<const CBall*> hitters;
  const bool hit = HitBreakableBricks(hitters);
  CountWhatLeftPlay();
  if (Game.gameState == gsBallInGame) {
    stretch = hit ? 0 : stretch + 1;
    longest = std::max(longest, stretch);
  } else {
    stretch = 0;
  }

  std::vector<TBallState> next;
  for (int i = 0; i < Game.balls.Count(); ++i) {
    const CBall* ball = Game.balls[i];
    int untouched = 0;
    bool updated = false;
    for (const TBallState& s : ballsBefore)
      if (s.ball == ball) {
        untouched = s.meetsPaddle ? 0 : s.untouched + (Game.gameState == gsBallInGame);
        updated = true;
      }
    CheckBall(*ball, updated);
    if (std::find(hitters.begin(), hitters.end(), ball) != hitters.end()) untouched = 0;
    if (untouched == MaxUntouchedTicks)
      Break("a ball went ten minutes without touching a breakable brick or the paddle");
    next.push_back({ball, ball->x, ball->y, ball->speed, untouched, false});
  }
  tracked.swap(next);
  CheckLists();
}
