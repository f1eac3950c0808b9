// CBrick: drawing, the per-tick update, the collision test with a ball, and
// the effect routines started by bricks and balls.
#include "field/brick.h"

#include "base/globals.h"
#include "field/bonus.h"
#include "field/particles.h"
#include "field/score.h"
#include "media/catalogue.h"

namespace {

template <class TSystem>
void SpawnEffect(int x, int y, SDL_Surface* sprite) {
  TSystem* system = new TSystem();
  system->Create(x, y, sprite);
  Game.effects.Add(system);
}
}  // namespace

CBrick::CBrick(int x, int y, TBrickColour colour, TBrickSpecial special, TBrickBonus bonus)
    : x(x), y(y), colour(colour), special(special), bonus(bonus), flash(0) {}

SDL_Surface* BrickSprite(TBrickColour colour) {
  switch (colour) {
    case bcGray:
      return Game.sprBrickGray;
    case bcBlue:
      return Game.sprBrickBlue;
    case bcGreen:
      return Game.sprBrickGreen;
    case bcPurple:
      return Game.sprBrickPurple;
    case bcRed:
      return Game.sprBrickRed;
    case bcYellow:
      return Game.sprBrickYellow;
    case bcWhite:
      return Game.sprBrickWhite;
    case bcCracked:
      return Game.sprBrickCracked;
    default:
      return nullptr;  // bcNone, and colour bytes a level file made up
  }
}

void CBrick::Draw() {
  DrawSprite(BrickSprite(colour), x - 16, y - 8);
  if (flash > 0) DrawSprite(Game.sprMask, x - 16, y - 8);
}

void CBrick::Update() {
  if (flash > 0) --flash;
  if (colour == bcNone) Game.bricks.Remove(this);
}

int CBrick::Collide(int nx, int ny, float dx, float dy, int radius) {
  if (colour == bcNone) return -1;
  const float px = nx + dx;
  const float py = ny + dy;
  const bool crackedBreakable = special != bsSolid && colour == bcCracked;
  int result = -1;
  if (x - 16 <= px && px <= x + 16) {
    if (dy >= 0) {
      if (y - 8 <= py + radius && py + radius <= y + 8) {
        result = 0;
        if (crackedBreakable) SpawnExplosion(nx, y - 8);
      }
    } else if (y - 8 <= py - radius && py - radius <= y + 8) {
      result = 180;
      if (crackedBreakable) SpawnExplosion(nx, y + 8);
    }
  }
  if (y - 8 <= py && py <= y + 8) {
    if (dx >= 0) {
      if (x - 16 <= px + radius && px + radius <= x + 16) {
        result = 90;
        if (crackedBreakable) SpawnExplosion(x - 16, ny);
      }
    } else if (x - 16 <= px - radius && px - radius <= x + 16) {
      result = 270;
      if (crackedBreakable) SpawnExplosion(x + 16, ny);
    }
  }
  if (result == -1) return -1;
  flash = 4;
  if (special == bsSolid) {
    PlaySound(Game.sndSolid, nx);
    return result;
  }
  AddScore(colour == bcCracked ? 20 : 10, nx, ny, false);
  if (colour == bcCracked) {
    ReleaseBonus(x, y, bonus);
    colour = bcNone;
  } else {
    colour = bcCracked;
  }
  PlaySound(Game.sndPong, nx);
  return result;
}

void SpawnExplosion(int x, int y) {
  PlaySound(Game.sndBrickExplosion, x);
  SpawnEffect<CSpark>(x, y, Game.sprSpark);
}

void SpawnBallLost(int x, int y) {
  PlaySound(Game.sndBallLost, x);
  SpawnEffect<CSpark>(x, y, Game.sprZapp);
}

void SpawnFloaterZapp(int x, int y) {
  PlaySound(Game.sndFloaterZapp, x);
  SpawnEffect<CSpark>(x, y, Game.sprFloaterZapp);
}

void ReleaseBonus(int x, int y, TBrickBonus bonus) {
  if (bonus == bbNone) return;
  PlaySound(Game.sndBonusLaunch, x);
  Game.bonuses.Add(new CBonus(x, y, bonus));
  SpawnEffect<CFall>(x, y, Game.sprFall);
}
