// Particle systems: sparks, rising debris, floating score numbers and the star field.
#include "field/particles.h"

#include <cmath>

#include "base/globals.h"
#include "base/random.h"
#include "media/catalogue.h"
#include "media/font.h"

namespace {
constexpr int SparkCount = 8;
constexpr int FallCount = 6;
constexpr int EffectLife = 48;
constexpr int ScoreLife = 32;
constexpr int StarCount = 64;
constexpr int StarWarmUp = 256;
}  // namespace

void CParticleSystem::Create(int, int, SDL_Surface* sprite) {
  particles.Clear();
  this->sprite = sprite;
}

void CParticleSystem::Update() {
  movedTick = Game.tickCount;
  particles.WalkBackward([this](CParticle* p) {
    p->prevX = p->x;
    p->prevY = p->y;
    p->x += p->dx;
    p->y += p->dy;
    if (p->life > 0) --p->life;
    if (p->life == 0) particles.Remove(p);
  });
  // Outside a walk of Game.effects this destroys the system at once.
  if (particles.Empty()) Game.effects.Remove(this);
}

int CParticleSystem::DrawnX(const CParticle* p, float share) const {
  return static_cast<int>(std::lround(Between(p->prevX, p->x, movedTick, share)));
}

int CParticleSystem::DrawnY(const CParticle* p, float share) const {
  return static_cast<int>(std::lround(Between(p->prevY, p->y, movedTick, share)));
}

void CParticleSystem::Draw(float share) {
  if (!sprite) return;
  for (int i = particles.Count() - 1; i >= 0; --i) {
    const CParticle* p = particles[i];
    DrawSprite(sprite, DrawnX(p, share) - sprite->w / 2, DrawnY(p, share) - sprite->h / 2);
  }
}

void CSpark::Create(int x, int y, SDL_Surface* sprite) {
  CParticleSystem::Create(x, y, sprite);
  for (int i = 0; i < SparkCount; ++i) {
    const int dy = RandomNonZero(3);
    const int dx = RandomNonZero(3);
    particles.Add(new CParticle(x, y, dx, dy, EffectLife));
  }
}

void CFall::Create(int x, int y, SDL_Surface* sprite) {
  CParticleSystem::Create(x, y, sprite);
  for (int i = 0; i < FallCount; ++i) particles.Add(new CParticle(x, y, 0, -(Random(3) + 1), EffectLife));
}

void CStars::Create(int x, int y, SDL_Surface* sprite) {
  CParticleSystem::Create(x, y, sprite);
  for (int i = 0; i < StarWarmUp; ++i) Update();
}

void CStars::Update() {
  if (particles.Count() < StarCount) {
    const int dx = 1 + Random(8);
    const int y = Random(480);
    particles.Add(new CParticle(0, y, dx, 0, -1));
  }
  CParticleSystem::Update();
  for (int i = particles.Count() - 1; i >= 0; --i)
    if (particles[i]->x > 480) particles[i]->x = particles[i]->prevX = 0;
}

void CScore::Create(int x, int y, uint32_t points) {
  CParticleSystem::Create(x, y, nullptr);
  text = std::to_string(points);
  particles.Add(new CParticle(x, y, 1, -1, ScoreLife));
}

void CScore::Draw(float share) {
  for (int i = particles.Count() - 1; i >= 0; --i)
    DrawText(Game.fontScore, DrawnX(particles[i], share), DrawnY(particles[i], share), text);
}

int RandomNonZero(int n) {
  int r;
  do r = Random(2 * n + 1) - n;
  while (r == 0);
  return r;
}

void UpdateEffects() {
  Game.effects.WalkBackward([](CParticleSystem* system) { system->Update(); });
}
