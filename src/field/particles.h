// Particle systems: sparks, rising debris, floating score numbers and the star field.
#pragma once
#include <SDL/SDL.h>

#include <cstdint>
#include <string>

#include "base/objectlist.h"

class CParticle {
public:
  int x, y, dx, dy, life;
  int prevX, prevY;  // before its system's last tick, to draw it between ticks
  CParticle(int x, int y, int dx, int dy, int life)
      : x(x), y(y), dx(dx), dy(dy), life(life), prevX(x), prevY(y) {}
};

class CParticleSystem {
public:
  TObjectList<CParticle> particles;
  SDL_Surface* sprite = nullptr;
  int movedTick = -1;  // the tick of the last Update

  virtual ~CParticleSystem() = default;
  virtual void Create(int x, int y, SDL_Surface* sprite);
  // One tick of motion; a system left without particles removes itself from
  // Game.effects, so the caller must not touch it afterwards.
  virtual void Update();
  virtual void Draw(float share = 1);
  // A particle's place `share` of a tick after the system's last update.
  int DrawnX(const CParticle* p, float share) const;
  int DrawnY(const CParticle* p, float share) const;
};

class CSpark : public CParticleSystem {
public:
  void Create(int x, int y, SDL_Surface* sprite) override;
};

class CFall : public CParticleSystem {
public:
  void Create(int x, int y, SDL_Surface* sprite) override;
};

class CStars : public CParticleSystem {
public:
  void Create(int x, int y, SDL_Surface* sprite) override;
  void Update() override;
};

class CScore : public CParticleSystem {
public:
  std::string text;
  void Create(int x, int y, uint32_t points);
  void Draw(float share = 1) override;
};

int RandomNonZero(int n);
void UpdateEffects();
