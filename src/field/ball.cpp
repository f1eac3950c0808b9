// CBall: one step of a ball per world update, and the heading rules.
//
// Positions are 32-bit floats; every integer test truncates toward zero.
// Headings are integer degrees from +x toward +y (0 right, 90 down).
#include "field/ball.h"

#include <cmath>
#include <cstdint>

#include "base/globals.h"
#include "base/random.h"
#include "field/brick.h"
#include "field/floater.h"
#include "field/paddle.h"
#include "media/catalogue.h"
#include "platform/keymap.h"

namespace {
constexpr int Radius = 8;
constexpr int LeftWall = 20;
constexpr int RightWall = 460;
constexpr int TopWall = 20;
constexpr int LossLine = 425;

double Radians(int angle) { return angle * M_PI / 180.0; }

int Normalise(int a) {
  while (a < 0) a += 360;
  while (a > 360) a -= 360;
  return a;
}

int WallSurface(int nx, int ny) {
  int surface = -1;
  if (nx + Radius > RightWall) {
    surface = 270;
    PlaySound(Game.sndPing, nx);
  }
  if (nx - Radius < LeftWall) {
    surface = 90;
    PlaySound(Game.sndPing, nx);
  }
  if (ny - Radius < TopWall) {
    surface = 180;
    PlaySound(Game.sndPing, nx);
  }
  return surface;
}

// Computed in double precision, stored as floats.
void Move(int angle, int speed, float& x, float& y) {
  const double r = Radians(angle);
  x = static_cast<float>(x + std::cos(r) * speed);
  y = static_cast<float>(y + std::sin(r) * speed);
}

// Walls are tested first, but a brick, the paddle or a floater may then
// choose a heading that runs the ball into a wall it is already against: a
// brick's side face beside the top wall, a paddle bounce next to a side wall,
// a reversal just under the top. Such a ball could slide along the wall and
// out of the field. So the chosen step is tested against the walls once more,
// and a wall it would run into turns the ball as well, as in a corner: a
// ball's edge never goes past a wall it is heading for, that is its centre
// stays within x 28..452 and y >= 28 in whole pixels (a ball launched from a
// small paddle pushed to a wall starts a pixel nearer and moves away). Every
// other case keeps the usual walls-then-bricks-then-paddle result.
int KeepOffTheWalls(float x, float y, int angle, int speed) {
  Move(angle, speed, x, y);
  const int nx = static_cast<int>(x), ny = static_cast<int>(y);
  const bool right = angle < 90 || angle > 270;
  const bool left = angle > 90 && angle < 270;
  const bool up = angle > 180 && angle < 360;
  int a = angle;
  if ((right && nx + Radius > RightWall) || (left && nx - Radius < LeftWall)) a = 180 - a;
  if (up && ny - Radius < TopWall) a = 360 - a;
  return a == angle ? angle : ClampAngle(a);
}
}  // namespace

void StepVector(int angle, int speed, float& dx, float& dy) {
  const double r = Radians(angle);
  dx = static_cast<float>(std::cos(r) * speed);
  dy = static_cast<float>(std::sin(r) * speed);
}

CBall::CBall(int x, int y, TBallType type)
    : x(static_cast<float>(x)),
      y(static_cast<float>(y)),
      speed(Game.baseBallSpeed),
      angle(240 + Random(60)),
      type(type),
      stuck(false),
      prevX(this->x),
      prevY(this->y) {}

void CBall::Update() {
  prevX = x;
  prevY = y;
  movedTick = Game.tickCount;
  if (stuck && (BoundKeyHeld(kaFire) || Game.fireHeld || Game.firePressed)) {
    stuck = false;
    PlaySound(Game.sndPing, static_cast<int>(x));
  }
  if (stuck) {
    x = static_cast<float>(Game.paddle->x);
    return;
  }

  float dx, dy;
  StepVector(angle, speed, dx, dy);
  const int nx = static_cast<int>(x + dx);
  const int ny = static_cast<int>(y + dy);

  int surface = WallSurface(nx, ny);

  for (int i = 0; i < Game.bricks.Count(); ++i) {
    CBrick* brick = Game.bricks[i];
    if (type == btFire && brick->special != bsSolid) {
      brick->Collide(nx, ny, dx, dy, Radius);
      continue;
    }
    const int code = brick->Collide(nx, ny, dx, dy, Radius);
    if (code != -1) {
      surface = code;
      break;
    }
  }

  if (dy >= 0) {
    const CPaddle& paddle = *Game.paddle;
    const int h = paddle.HalfWidth();
    if (paddle.y - 8 <= y + 8 && y + 8 < paddle.y + 8 && paddle.x - h <= x && x <= paddle.x + h) {
      surface = 0;
      ++Game.paddleHits;
      const int64_t offset = static_cast<int64_t>(paddle.x - static_cast<int>(x)) * 45 / h;
      angle = static_cast<int>(angle + offset);
      PlaySound(Game.sndPing, nx);
      if (type == btMagnet) {
        stuck = true;
        y = static_cast<float>(paddle.y);
      }
    }
  }

  bool floaterHit = false;
  Game.floaters.WalkForward([&](CFloater* f) {
    if (!floaterHit && f->CheckBallHit(nx, ny, Radius) != -1) floaterHit = true;
  });

  if (floaterHit)
    angle = angle + 180;
  else if (surface >= 0)
    angle = ReflectAngle(angle, surface);
  angle = ClampAngle(angle);
  angle = KeepOffTheWalls(x, y, angle, speed);
  Move(angle, speed, x, y);

  if (ny + Radius > LossLine) {
    SpawnBallLost(static_cast<int>(x), static_cast<int>(y));
    Game.balls.Remove(this);
  }
}

// Between two steps the ball is on the straight line of the second: both
// ends lie inside the field and outside any brick it has not reached, and so
// does every point between them.
void CBall::DrawnAt(float share, int& drawnX, int& drawnY) const {
  if (stuck) share = 1;
  drawnX = static_cast<int>(Between(prevX, x, movedTick, share));
  drawnY = static_cast<int>(Between(prevY, y, movedTick, share));
}

void CBall::Draw(float share) {
  int drawnX, drawnY;
  DrawnAt(share, drawnX, drawnY);
  DrawSprite(type == btFire ? Game.sprBallFire : Game.sprBall, drawnX - 8, drawnY - 8);
}

int ReflectAngle(int angle, int surface) {
  int a = (surface == 0 || surface == 180) ? 360 - angle : 180 - angle;
  a = a + Random(2) - 1;
  return Normalise(a);
}

int ClampAngle(int angle) {
  int a = Normalise(angle);
  if (180 <= a && a < 195) a = 195;
  if (165 < a && a < 180) a = 165;
  if (0 <= a && a < 15) a = 15;
  if (345 < a && a < 360) a = 345;
  if (80 < a && a <= 90) a = 80;
  if (90 <= a && a < 100) a = 100;
  if (260 < a && a <= 270) a = 260;
  if (270 <= a && a < 280) a = 280;
  return a;
}
