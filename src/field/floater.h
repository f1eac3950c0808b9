// CFloater: the bubbles that enter through the top gate, drift, bounce and
// send back a ball that zaps them.
#pragma once
#include <SDL/SDL.h>

class CFloater {
public:
  int x, y, dx, dy;
  SDL_Surface* sprite;
  int radius;
  bool entering;
  int counter;
  int prevX, prevY;    // before its last move, to draw it between ticks
  int movedTick = -1;  // the tick of that move

  explicit CFloater(SDL_Surface* sprite);
  void Update();
  void Draw(float share = 1);
  // 180 when the ball at (nx, ny) zapped this floater (which is then destroyed), else -1.
  int CheckBallHit(int nx, int ny, int r);
};

void SpawnFloaters();
