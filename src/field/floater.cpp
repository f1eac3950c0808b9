// CFloater: the bubbles that enter through the top gate, drift, bounce and
// send back a ball that zaps them.
#include "field/floater.h"

#include <cmath>
#include <cstdlib>

#include "base/globals.h"
#include "field/brick.h"
#include "field/particles.h"
#include "field/score.h"
#include "media/catalogue.h"

namespace {
constexpr int GateX = 410;
constexpr int GlideTicks = 32;
constexpr int DriftPhase = 64;
constexpr int MinX = 16, MaxX = 464, MinY = 16, MaxY = 380;
constexpr uint32_t ZapPoints = 75;
constexpr int Reverse = 180;
}  // namespace

CFloater::CFloater(SDL_Surface* sprite)
    : x(GateX),
      y(0),
      dx(0),
      dy(0),
      sprite(sprite),
      radius(sprite ? sprite->w / 2 : 0),
      entering(true),
      counter(0) {
  y = -radius;
  prevX = x;
  prevY = y;
}

void CFloater::Update() {
  prevX = x;
  prevY = y;
  movedTick = Game.tickCount;
  if (entering) {
    // Half a sine wave over the glide: 64 px in all, slow at both ends.
    y += static_cast<int>(std::trunc(4.0 * std::sin(M_PI * counter / GlideTicks)));
    if (counter >= GlideTicks) entering = false;
  } else {
    if (counter == DriftPhase) {
      dx = RandomNonZero(3);
      dy = RandomNonZero(3);
      counter = 0;
    }
    x += dx;
    y += dy;
    if (x < MinX) dx = -dx;
    if (x > MaxX) dx = -dx;
    if (y < MinY) dy = -dy;
    if (y > MaxY) dy = -dy;
  }
  ++counter;
}

void CFloater::Draw(float share) {
  DrawSprite(sprite, static_cast<int>(std::lround(Between(prevX, x, movedTick, share))) - radius,
             static_cast<int>(std::lround(Between(prevY, y, movedTick, share))) - radius);
}

int CFloater::CheckBallHit(int nx, int ny, int r) {
  if (std::abs(x - nx) >= radius + r || std::abs(y - ny) >= radius + r) return -1;
  SpawnFloaterZapp(x, y);
  // The removal may destroy this floater at once: touch no member after it.
  Game.floaters.Remove(this);
  AddScore(ZapPoints, nx, ny, true);
  return Reverse;
}

void SpawnFloaters() {
  if (Game.floaterTimer < Game.floaterInterval) return;
  if (Game.floaters.Count() < Game.maxFloaters) {
    Game.floaters.Add(new CFloater(Game.sprFloater));
    PlaySound(Game.sndFloaterEnter, GateX);
  }
  Game.floaterTimer = 0;
}
