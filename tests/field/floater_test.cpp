// Floaters: the entry glide, the drift and bounce, the zap and the entry check.
#include "field/floater.h"

#include <memory>
#include <vector>

#include "base/globals.h"
#include "field/particles.h"
#include "game/mainloop.h"
#include "tests/testenv.h"

namespace {
class FloaterTest : public GameTest {
protected:
  // A floater of radius 16 that has finished its glide and stands still at (x, y).
  CFloater* AddDriftingFloater(int x, int y) {
    CFloater* floater = Game.floaters.Add(new CFloater(sprite32.get()));
    floater->entering = false;
    floater->x = x;
    floater->y = y;
    floater->counter = 1;
    return floater;
  }
  std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> sprite32{
      SDL_CreateRGBSurface(SDL_SWSURFACE, 32, 32, 8, 0, 0, 0, 0), SDL_FreeSurface};
};
}  // namespace

TEST_F(FloaterTest, GlidesInThroughTheGateThenHoversThenDrifts) {
  CFloater floater(sprite32.get());
  EXPECT_EQ(floater.radius, 16);
  EXPECT_EQ(floater.x, 410);
  EXPECT_EQ(floater.y, -16);
  EXPECT_TRUE(floater.entering);

  const int steps[33] = {0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3, 4,
                         3, 3, 3, 3, 3, 3, 3, 2, 2, 2, 1, 1, 1, 0, 0, 0};
  for (int t = 0; t < 33; ++t) {
    const int before = floater.y;
    EXPECT_TRUE(floater.entering) << "tick " << t;
    floater.Update();
    EXPECT_EQ(floater.y - before, steps[t]) << "tick " << t;
  }
  EXPECT_FALSE(floater.entering);
  EXPECT_EQ(floater.x, 410);
  EXPECT_EQ(floater.y, 48);

  for (int t = 0; t < 31; ++t) floater.Update();
  EXPECT_EQ(floater.x, 410);
  EXPECT_EQ(floater.y, 48);
  floater.Update();
  EXPECT_NE(floater.dx, 0);
  EXPECT_NE(floater.dy, 0);
  EXPECT_EQ(floater.x, 410 + floater.dx);
  EXPECT_EQ(floater.y, 48 + floater.dy);
  EXPECT_EQ(floater.counter, 1);
}

// A floater steps past the edge first, then turns and steps back.
TEST_F(FloaterTest, BounceIsTestedAfterTheMove) {
  const struct {
    int x, y, dx, dy, pastX, pastY;
  } cases[] = {{17, 379, -3, 3, 14, 382}, {463, 17, 2, -2, 465, 15}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "from " << c.x << ", " << c.y);
    CFloater* floater = AddDriftingFloater(c.x, c.y);
    floater->dx = c.dx, floater->dy = c.dy;
    floater->Update();
    EXPECT_EQ(floater->x, c.pastX);
    EXPECT_EQ(floater->y, c.pastY);
    EXPECT_EQ(floater->dx, -c.dx);
    EXPECT_EQ(floater->dy, -c.dy);
    floater->Update();
    EXPECT_EQ(floater->x, c.x);
    EXPECT_EQ(floater->y, c.y);
  }
}

TEST_F(FloaterTest, HitTestIsAStrictSquare) {
  CFloater* floater = AddDriftingFloater(200, 200);
  for (int side : {-1, 1}) {
    EXPECT_EQ(floater->CheckBallHit(200 + 24 * side, 200, 8), -1);
    EXPECT_EQ(floater->CheckBallHit(200, 200 + 24 * side, 8), -1);
  }
  EXPECT_EQ(floater->CheckBallHit(223, 224, 8), -1);
  ASSERT_EQ(Game.floaters.Count(), 1);
  EXPECT_TRUE(played.empty());

  EXPECT_EQ(floater->CheckBallHit(223, 177, 8), 180);
  EXPECT_EQ(Game.floaters.Count(), 0);
  EXPECT_EQ(Game.score, 75u);
  EXPECT_EQ(played, std::vector<Mix_Chunk*>{Game.sndFloaterZapp}) << PlayedNames();
  ASSERT_EQ(Game.effects.Count(), 2);
  CParticleSystem* sparks = Game.effects[0];
  EXPECT_EQ(sparks->sprite, Game.sprFloaterZapp);
  EXPECT_EQ(sparks->particles.Count(), 8);
  EXPECT_EQ(sparks->particles[0]->x, 200);
  EXPECT_EQ(sparks->particles[0]->y, 200);
  CScore* popup = dynamic_cast<CScore*>(Game.effects[1]);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->text, "75");
  EXPECT_EQ(popup->particles[0]->x, 223);
  EXPECT_EQ(popup->particles[0]->y, 177);
}

TEST_F(FloaterTest, EntryCheckResetsTheTimerEvenWhenNoneMayEnter) {
  StartEmptyPlay();
  Game.maxFloaters = 0;
  Game.floaterInterval = 10;
  for (int t = 0; t < 100; ++t) {
    LogicTick();
    ASSERT_LT(Game.floaterTimer, 10);
  }
  EXPECT_EQ(Game.floaters.Count(), 0);
  EXPECT_EQ(Game.floaterTimer, 0);

  Game.maxFloaters = 1;
  for (int t = 0; t < 10; ++t) LogicTick();
  ASSERT_EQ(Game.floaters.Count(), 1);
  EXPECT_EQ(Game.floaterTimer, 0);
  EXPECT_EQ(PlayedCount(Game.sndFloaterEnter), 1);
  CFloater* first = Game.floaters[0];
  EXPECT_EQ(first->x, 410);
  EXPECT_EQ(first->y, -(Game.sprFloater->w / 2));
  EXPECT_EQ(first->sprite, Game.sprFloater);

  // A full field wastes the check: the next chance comes a whole interval later.
  for (int t = 0; t < 10; ++t) LogicTick();
  EXPECT_EQ(Game.floaters.Count(), 1);
  EXPECT_EQ(Game.floaterTimer, 0);
  Game.floaters.Clear();
  for (int t = 0; t < 9; ++t) LogicTick();
  EXPECT_EQ(Game.floaters.Count(), 0);
  LogicTick();
  EXPECT_EQ(Game.floaters.Count(), 1);
  EXPECT_EQ(PlayedCount(Game.sndFloaterEnter), 2);
}
