// CPaddle: the player's bat, its steering, clamping, capsule pickup and drawing.
#pragma once
#include <SDL/SDL.h>

#include "base/types.h"

class CPaddle {
public:
  int x, y;
  TPaddleSize size;
  int direction;
  bool slow;
  // Where the paddle stood after the tick before the last one, and after the
  // last one: it is drawn between them, the mouse's moves included.
  int prevX, restX;
  int movedTick = -1;

  CPaddle(int x, int y);
  SDL_Surface* Sprite() const;
  SDL_Surface* MagnetSprite() const;
  int HalfWidth() const;
  // Keeps the centre within 5/4 of the half width from either side.
  void Clamp();
  // Mouse steering by a pointer offset from the warp point.
  void MouseMove(int offset);
  // Mouse steering at num/den times the rate of MouseMove: the pointer pixels
  // short of a whole paddle pixel (times num) wait in `carry` for the next movement.
  void SteerByMouse(int pointerPixels, int& carry, int num, int den);
  // Back to normal size, steering and speed.
  void ClearPowers();
  void Update();
  void Draw(float share = 1);
};
