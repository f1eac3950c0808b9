// CBonus: falling power-up capsules, the catch test and the twelve effects.
#pragma once
#include <SDL/SDL.h>

#include "base/types.h"

class CBonus {
public:
  int x, y;
  TBrickBonus kind;
  int prevY;           // before its last fall, to draw it between ticks
  int movedTick = -1;  // the tick of that fall

  CBonus(int x, int y, TBrickBonus kind) : x(x), y(y), kind(kind), prevY(y) {}
  // Falls 3 px; removes (and destroys) itself below the field.
  void Update();
  void Draw(float share = 1);
  // Applies the power and removes (destroys) the capsule when within reach.
  void TryCatch(int paddleX, int paddleY);
};

// The icon sprite of a kind, or nullptr for bbNone and unknown kinds.
SDL_Surface* BonusIcon(TBrickBonus kind);
void SetBallType(TBallType t);
void SetBallSpeed(int v);
