// CBrick: one cell of the level grid, its hit test and what a hit does, plus
// the small effect routines that bricks and balls start.
#pragma once
#include <SDL/SDL.h>

#include "base/types.h"

// The sprite a brick of this colour is drawn with; null for no brick.
SDL_Surface* BrickSprite(TBrickColour colour);

class CBrick {
public:
  int x, y;
  TBrickColour colour;
  TBrickSpecial special;
  TBrickBonus bonus;
  int flash;

  CBrick(int x, int y, TBrickColour colour, TBrickSpecial special, TBrickBonus bonus);
  void Draw();
  // May remove (and so destroy) this brick; touch nothing of it afterwards.
  void Update();
  // Surface code 0, 90, 180 or 270 of the face hit, or -1 for no contact.
  int Collide(int nx, int ny, float dx, float dy, int radius);
};

void SpawnExplosion(int x, int y);
void SpawnBallLost(int x, int y);
void SpawnFloaterZapp(int x, int y);
void ReleaseBonus(int x, int y, TBrickBonus bonus);
