// CPaddle: keyboard and mouse steering, clamping, capsule pickup and drawing.
#include "field/paddle.h"

#include <cmath>

#include "base/globals.h"
#include "field/ball.h"
#include "field/bonus.h"
#include "media/catalogue.h"
#include "platform/keymap.h"

CPaddle::CPaddle(int x, int y) : x(x), y(y), size(psNormal), direction(1), slow(false), prevX(x), restX(x) {}

SDL_Surface* CPaddle::Sprite() const {
  switch (size) {
    case psLarge:
      return Game.sprPaddleLarge;
    case psSmall:
      return Game.sprPaddleSmall;
    default:
      return Game.sprPaddle;
  }
}

SDL_Surface* CPaddle::MagnetSprite() const {
  switch (size) {
    case psLarge:
      return Game.sprPaddleLargeMagnet;
    case psSmall:
      return Game.sprPaddleSmallMagnet;
    default:
      return Game.sprPaddleMagnet;
  }
}

// The collision area reaches two pixels beyond each end of the sprite.
int CPaddle::HalfWidth() const { return Sprite()->w / 2 + 2; }

void CPaddle::Clamp() {
  const int m = (5 * HalfWidth()) / 4;
  if (x < m) x = m;
  if (x > 480 - m) x = 480 - m;
}

void CPaddle::MouseMove(int offset) {
  const int d = offset * direction;
  x += slow ? d / 5 : d / 2;
  Clamp();
}

void CPaddle::SteerByMouse(int pointerPixels, int& carry, int num, int den) {
  const int unit = slow ? 5 : 2;
  carry += pointerPixels * num;
  const int steps = carry / (unit * den);
  carry -= steps * unit * den;
  MouseMove(steps * unit);
}

void CPaddle::ClearPowers() {
  size = psNormal;
  direction = 1;
  slow = false;
}

void CPaddle::Update() {
  prevX = restX;
  movedTick = Game.tickCount;
  int step = direction * 6;
  if (slow) step /= 2;
  if (BoundKeyHeld(kaRight)) x += step;
  if (BoundKeyHeld(kaLeft)) x -= step;
  Clamp();
  restX = x;
  const int cx = x, cy = y;
  Game.bonuses.WalkBackward([cx, cy](CBonus* bonus) { bonus->TryCatch(cx, cy); });
}

void CPaddle::Draw(float share) {
  const int h = HalfWidth();
  const int drawnX = static_cast<int>(std::lround(Between(prevX, x, movedTick, share)));
  DrawSprite(Sprite(), drawnX - h, y - 8);
  const CBall* first = Game.balls.First();
  if (first && first->type == btMagnet) DrawSprite(MagnetSprite(), drawnX - h + 2, y - 24 + Game.beamPhase);
}
