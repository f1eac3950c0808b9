// Particle systems, the star field and scoring.
#include <cstdint>
#include <set>
#include <vector>

#include "base/globals.h"
#include "field/brick.h"
#include "field/particles.h"
#include "field/score.h"
#include "game/mainloop.h"
#include "media/font.h"
#include "tests/testenv.h"

namespace {
class EffectsTest : public GameTest {};

template <class TSystem>
TSystem* AddEffect(int x, int y, SDL_Surface* sprite) {
  TSystem* system = new TSystem();
  system->Create(x, y, sprite);
  Game.effects.Add(system);
  return system;
}

// Every particle of a system must sit where its velocity has carried it.
void ExpectMovedBy(CParticleSystem* system, int x, int y, int ticks) {
  for (int i = 0; i < system->particles.Count(); ++i) {
    const CParticle* p = system->particles[i];
    EXPECT_EQ(p->x, x + ticks * p->dx);
    EXPECT_EQ(p->y, y + ticks * p->dy);
  }
}

std::vector<Uint8> PlayFieldPixels() {
  std::vector<Uint8> pixels;
  SDL_LockSurface(Game.screen);
  for (int y = 0; y < 480; ++y)
    for (int x = 80; x < 560; ++x)
      pixels.push_back(static_cast<Uint8*>(Game.screen->pixels)[y * Game.screen->pitch + x]);
  SDL_UnlockSurface(Game.screen);
  return pixels;
}
}  // namespace

TEST_F(EffectsTest, EffectsLiveTheirTicksAndThenRemoveThemselves) {
  CSpark* spark = AddEffect<CSpark>(100, 200, Game.sprSpark);
  CFall* fall = AddEffect<CFall>(300, 300, Game.sprFall);
  CScore* score = new CScore();
  score->Create(50, 60, 225);
  Game.effects.Add(score);

  ASSERT_EQ(spark->particles.Count(), 8);
  ASSERT_EQ(fall->particles.Count(), 6);
  ASSERT_EQ(score->particles.Count(), 1);
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(spark->particles[i]->dx != 0 && spark->particles[i]->dy != 0);
  for (int i = 0; i < 6; ++i) {
    const CParticle* p = fall->particles[i];
    EXPECT_TRUE(p->dx == 0 && p->dy >= -3 && p->dy <= -1) << p->dx << "," << p->dy;
  }

  for (int t = 0; t < 31; ++t) UpdateEffects();
  ASSERT_EQ(Game.effects.Count(), 3);
  EXPECT_EQ(score->particles[0]->x, 50 + 31);
  EXPECT_EQ(score->particles[0]->y, 60 - 31);
  UpdateEffects();
  ASSERT_EQ(Game.effects.Count(), 2);
  EXPECT_FALSE(Game.effects.Contains(score));

  for (int t = 32; t < 47; ++t) UpdateEffects();
  ASSERT_EQ(Game.effects.Count(), 2);
  ExpectMovedBy(spark, 100, 200, 47);
  ExpectMovedBy(fall, 300, 300, 47);
  UpdateEffects();
  EXPECT_EQ(Game.effects.Count(), 0);
}

TEST_F(EffectsTest, RandomNonZeroCoversEveryNonZeroValue) {
  std::set<int> seen;
  for (int i = 0; i < 6000; ++i) {
    const int r = RandomNonZero(3);
    ASSERT_NE(r, 0);
    ASSERT_GE(r, -3);
    ASSERT_LE(r, 3);
    seen.insert(r);
  }
  EXPECT_EQ(seen, (std::set<int>{-3, -2, -1, 1, 2, 3}));
}

TEST_F(EffectsTest, StarFieldStartsFullAndWrapsAtTheRightEdge) {
  CStars stars;
  stars.Create(0, 0, Game.sprStar);
  ASSERT_EQ(stars.particles.Count(), 64);
  for (int i = 0; i < 64; ++i) {
    const CParticle* star = stars.particles[i];
    EXPECT_LE(star->x, 480);
    EXPECT_TRUE(star->dx >= 1 && star->dx <= 8 && star->y >= 0 && star->y < 480);
  }

  CParticle* wrapping = stars.particles[0];
  CParticle* edge = stars.particles[1];
  wrapping->x = 478, wrapping->dx = 3;
  edge->x = 477, edge->dx = 3;
  stars.Update();
  EXPECT_EQ(wrapping->x, 0);
  EXPECT_EQ(edge->x, 480);
  stars.Update();
  EXPECT_EQ(edge->x, 0);
  EXPECT_EQ(wrapping->x, 3);

  for (int t = 0; t < 1000; ++t) stars.Update();
  EXPECT_EQ(stars.particles.Count(), 64);
}

TEST_F(EffectsTest, EffectsFreezeWhileExplosionsAreOff) {
  Game.optExplosions.value = false;
  SpawnExplosion(240, 100);
  ASSERT_EQ(Game.effects.Count(), 1);
  CParticleSystem* spark = Game.effects[0];
  for (int t = 0; t < 100; ++t) LogicTick();
  ASSERT_EQ(Game.effects.Count(), 1);
  ExpectMovedBy(spark, 240, 100, 0);

  Game.optExplosions.value = true;
  for (int t = 0; t < 47; ++t) LogicTick();
  ASSERT_EQ(Game.effects.Count(), 1);
  ExpectMovedBy(spark, 240, 100, 47);
  LogicTick();
  EXPECT_EQ(Game.effects.Count(), 0);
}

// The score stops at the most it can hold rather than wrap round to almost
// nothing (a resumed game or a replay may start near it).
TEST_F(EffectsTest, MultiplierFollowsTheLapAndTheScoreStopsAtItsMost) {
  const int n = static_cast<int>(Game.levelList.size());
  ASSERT_EQ(n, 40);
  struct {
    int levelIndex;
    uint32_t multiplier;
  } cases[] = {{-1, 1}, {0, 1}, {n - 1, 1}, {n, 2}, {2 * n, 3}, {2 * n + 39, 3}, {4 * n, 5}};
  for (const auto& c : cases) {
    Game.levelIndex = c.levelIndex;
    Game.score = 1000;
    AddScore(10, 0, 0, false);
    EXPECT_EQ(Game.score, 1000 + 10 * c.multiplier) << "level index " << c.levelIndex;
  }
  EXPECT_EQ(Game.effects.Count(), 0);

  Game.score = UINT32_MAX - 50;
  AddScore(10, 0, 0, false);
  EXPECT_EQ(Game.score, UINT32_MAX);  // 10 x 5, to the last point
  Game.score = UINT32_MAX - 4;
  AddScore(10, 0, 0, false);
  EXPECT_EQ(Game.score, UINT32_MAX);
  Game.score = 0;
  AddScore(0x80000001u, 0, 0, false);
  EXPECT_EQ(Game.score, UINT32_MAX) << "the points times the lap stop too";
}

TEST_F(EffectsTest, PopUpShowsTheScaledPointsAtItsTopLeft) {
  Game.levelIndex = 2 * static_cast<int>(Game.levelList.size());
  AddScore(75, 100, 200, true);
  EXPECT_EQ(Game.score, 225u);
  ASSERT_EQ(Game.effects.Count(), 1);
  CScore* popup = dynamic_cast<CScore*>(Game.effects[0]);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->text, "225");
  EXPECT_EQ(popup->particles[0]->x, 100);
  EXPECT_EQ(popup->particles[0]->y, 200);

  ClearWindow(0);
  popup->Draw();
  const std::vector<Uint8> drawn = PlayFieldPixels();
  ClearWindow(0);
  DrawText(Game.fontScore, 100, 200, "225");
  EXPECT_EQ(drawn, PlayFieldPixels());
  ClearWindow(0);
  EXPECT_NE(drawn, PlayFieldPixels());
}
