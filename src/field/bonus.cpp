// CBonus: falling power-up capsules, the catch test and the twelve effects.
#include "field/bonus.h"

#include <cmath>
#include <cstdlib>

#include "base/globals.h"
#include "base/random.h"
#include "field/ball.h"
#include "field/paddle.h"
#include "field/score.h"
#include "field/world.h"
#include "media/catalogue.h"

namespace {
constexpr int FallStep = 3;
constexpr int FieldBottom = 480;
constexpr int ReachX = 32;
constexpr int ReachY = 16;
constexpr int FullEnergy = 40000;

// What a mystery capsule may turn into: never a life, a handicap or another mystery.
bool MysteryOutcome(int kind) {
  switch (kind) {
    case bbBall:
    case bbNormal:
    case bbPaddleLarge:
    case bbPaddleSmall:
    case bbFire:
    case bbMagnet:
    case bbSpeedUp:
    case bbSpeedDown:
      return true;
    default:
      return false;
  }
}

struct TCatchResult {
  bool known;
  uint32_t points;
  Mix_Chunk* sound;
};

// Applies the effect of a caught kind. A kind outside the enumeration (a stray
// byte in a level file) does nothing at all.
TCatchResult ApplyEffect(TBrickBonus kind, int paddleX, int paddleY) {
  CPaddle& paddle = *Game.paddle;
  switch (kind) {
    case bbBall:
      Game.balls.Add(new CBall(paddleX, paddleY - 4, Game.ballType));
      return {true, 10, Game.sndExtraBall};
    case bbNormal:
      ResetPowers();
      return {true, 0, Game.sndBonusPickup};
    case bbPaddleLarge:
      paddle.size = psLarge;
      return {true, 10, Game.sndLargePaddle};
    case bbPaddleSmall:
      paddle.size = psSmall;
      return {true, 20, Game.sndSmallPaddle};
    case bbFire:
      SetBallType(btFire);
      return {true, 10, Game.sndFireball};
    case bbMagnet:
      SetBallType(btMagnet);
      return {true, 20, Game.sndMagnet};
    case bbSpeedUp:
      SetBallSpeed(Game.ballSpeed + 1);
      return {true, 30, Game.sndSpeedUp};
    case bbSpeedDown:
      SetBallSpeed(Game.ballSpeed - 1);
      return {true, 10, Game.sndSpeedDown};
    case bbLife:
      if (Game.lives < 5) ++Game.lives;
      return {true, 0, Game.sndExtraLife};
    case bbReverse:
      paddle.direction = -paddle.direction;
      return {true, 75, Game.sndReverse};
    case bbPaddleSpeed:
      paddle.slow = true;
      return {true, 50, Game.sndSpeedDown};
    default:
      return {false, 0, nullptr};
  }
}
}  // namespace

void CBonus::Update() {
  prevY = y;
  movedTick = Game.tickCount;
  y += FallStep;
  if (y > FieldBottom) Game.bonuses.Remove(this);
}

void CBonus::Draw(float share) {
  const int drawnY = static_cast<int>(std::lround(Between(prevY, y, movedTick, share)));
  DrawSprite(Game.sprBonus, x - 16, drawnY - 8);
  DrawSprite(BonusIcon(kind), x - 16, drawnY - 8);
}

void CBonus::TryCatch(int paddleX, int paddleY) {
  if (std::abs(x - paddleX) > ReachX || std::abs(y - paddleY) > ReachY) return;
  if (kind == bbQuestion) {
    do kind = static_cast<TBrickBonus>(Random(13));
    while (!MysteryOutcome(kind));
  }
  const TCatchResult result = ApplyEffect(kind, paddleX, paddleY);
  if (result.known) {
    if (result.points > 0) AddScore(result.points, paddleX, paddleY, true);
    PlaySound(result.sound, paddleX);
    if (kind != bbNormal && kind != bbLife) Game.energy = FullEnergy;
  }
  Game.bonuses.Remove(this);
}

SDL_Surface* BonusIcon(TBrickBonus kind) {
  switch (kind) {
    case bbBall:
      return Game.sprBonusBall;
    case bbNormal:
      return Game.sprBonusNormal;
    case bbPaddleLarge:
      return Game.sprBonusPaddleLarge;
    case bbPaddleSmall:
      return Game.sprBonusPaddleSmall;
    case bbFire:
      return Game.sprBonusFire;
    case bbMagnet:
      return Game.sprBonusMagnet;
    case bbQuestion:
      return Game.sprBonusQuestion;
    case bbSpeedUp:
      return Game.sprBonusSpeedUp;
    case bbSpeedDown:
      return Game.sprBonusSpeedDown;
    case bbLife:
      return Game.sprBonusLife;
    case bbReverse:
      return Game.sprBonusReverse;
    case bbPaddleSpeed:
      return Game.sprBonusPaddleSpeed;
    default:
      return nullptr;  // bbNone, and power-up bytes a level file made up
  }
}

void SetBallType(TBallType t) {
  Game.ballType = t;
  Game.balls.WalkBackward([t](CBall* ball) {
    ball->type = t;
    ball->stuck = false;
  });
}

void SetBallSpeed(int v) {
  Game.ballSpeed = v;
  if (Game.ballSpeed <= Game.baseBallSpeed - 1) Game.ballSpeed = Game.baseBallSpeed - 1;
  if (Game.ballSpeed >= Game.baseBallSpeed + 1) Game.ballSpeed = Game.baseBallSpeed + 1;
  Game.balls.WalkBackward([](CBall* ball) { ball->speed = Game.ballSpeed; });
}
