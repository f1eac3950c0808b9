// The ball, the paddle, mouse steering and the world update.
#include "field/ball.h"

#include <algorithm>
#include <iterator>
#include <set>

#include "base/globals.h"
#include "base/random.h"
#include "field/brick.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "field/world.h"
#include "game/input.h"
#include "game/mainloop.h"
#include "session/gameflow.h"
#include "session/level.h"
#include "tests/testenv.h"

namespace {
class Field : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    StartEmptyPlay();
  }
  CBall* AddBall(float x, float y, int angle, TBallType type = btNormal) {
    CBall* b = Game.balls.Add(new CBall(0, 0, type));
    b->x = x;
    b->y = y;
    b->angle = angle;
    return b;
  }
  // A motion event as the grabbed pointer reports it: several moves
  // converted before the game warps sum up in x, each keeps its own xrel.
  static void Motion(int dx, int sinceWarp = 0) {
    Game.event = {};
    Game.event.type = SDL_MOUSEMOTION;
    Game.event.motion.xrel = static_cast<Sint16>(dx);
    Game.event.motion.x = static_cast<Uint16>(std::max(0, std::min(639, 240 + sinceWarp + dx)));
    Game.event.motion.y = 240;
    DispatchEvent();
  }
};
}  // namespace

TEST_F(Field, EveryMouseMotionMovesThePaddleHalfItsPixelsOrAFifthSlowed) {
  CPaddle& p = *Game.paddle;
  Motion(7);
  EXPECT_EQ(p.x, 243) << "7 / 2 truncates to 3";
  Motion(-7);
  EXPECT_EQ(p.x, 240) << "the pixel left over joins the next event: -6 / 2";
  Motion(1);
  EXPECT_EQ(p.x, 240) << "one pixel is no step yet";
  Motion(1);
  EXPECT_EQ(p.x, 241) << "but two are";
  p.slow = true;
  Motion(7);
  EXPECT_EQ(p.x, 242) << "7 / 5";
  p.slow = false;
  p.direction = -1;
  Motion(8);
  EXPECT_EQ(p.x, 237) << "reversed controls mirror the mouse (2 carried + 8) / 2";
  p.direction = 1;

  // Twenty small moves, each its own event: twenty paddle moves.
  int moves = 0;
  for (int i = 0; i < 20; ++i) {
    const int before = p.x;
    Motion(3);
    moves += p.x > before;
  }
  EXPECT_EQ(moves, 20);
  EXPECT_EQ(p.x, 237 + 30);
  // Four moves converted before the game could warp report summed positions;
  // the paddle still moves by what the hand did, 12 / 2.
  for (int i = 0; i < 4; ++i) Motion(3, 3 * i);
  EXPECT_EQ(p.x, 267 + 6);
  // A platform that turns the warp into an event reports the warp point
  // itself, with the jump back as its motion: it moves nothing.
  Motion(-40, 40);
  EXPECT_EQ(p.x, 273);
  // Outside the game the mouse moves no paddle.
  Game.programState = psMenu;
  Motion(20);
  EXPECT_EQ(p.x, 273);
}

// The default mouse speed moves the paddle half the pointer's pixels (a fifth
// slowed), the pixels short of a step carried; every other speed moves it
// its share of that and loses no pixel either.
TEST_F(Field, EveryMouseSpeedMovesThePaddleItsShareOfHalfThePointersPixels) {
  CPaddle& p = *Game.paddle;
  const int moves[] = {7, -7, 1, 1, 3, -2, 5, 9, -1, -1, -1, 4, 6, -13, 2, 2, 2, 8};
  // The rule: the paddle moves (pointer pixels) / 2, or / 5 slowed, and
  // what is short of a whole step waits for the next movement.
  int x = 240, carry = 0;
  for (size_t i = 0; i < std::size(moves); ++i) {
    p.slow = i % 5 == 4;
    p.direction = i % 7 == 6 ? -1 : 1;
    const int unit = p.slow ? 5 : 2;
    carry += moves[i];
    const int used = carry / unit * unit;
    carry -= used;
    x += used * p.direction / unit;
    Motion(moves[i]);
    ASSERT_EQ(p.x, x) << "move " << i;
    ASSERT_EQ(Game.motionCarry, carry) << "move " << i;
  }

  for (int rate = 0; rate < MouseRateCount; ++rate) {
    Game.settings.controls.mouseRate = rate;
    p.slow = false;
    p.direction = 1;
    p.x = 100;
    Game.motionCarry = 0;
    // 80 single pixels to the right, then as many to the left.
    for (int i = 0; i < 80; ++i) Motion(1);
    const TMouseRate& r = MouseRates[rate];
    EXPECT_EQ(p.x, 100 + 80 * r.num / (2 * r.den)) << r.text;
    for (int i = 0; i < 80; ++i) Motion(-1);
    EXPECT_EQ(p.x, 100) << r.text;
  }
}

TEST_F(Field, PaddleKeepsItsMarginAfterASizeChange) {
  CPaddle& p = *Game.paddle;
  EXPECT_EQ(p.HalfWidth(), Game.sprPaddle->w / 2 + 2);
  Motion(400);
  const int normalMargin = (5 * p.HalfWidth()) / 4;
  EXPECT_EQ(p.x, 480 - normalMargin);
  p.size = psLarge;
  const int largeMargin = (5 * p.HalfWidth()) / 4;
  EXPECT_GT(largeMargin, normalMargin);
  EXPECT_EQ(p.x, 480 - normalMargin) << "clamped only at the next move";
  Motion(2);
  EXPECT_EQ(p.x, 480 - largeMargin);
  for (int i = 0; i < 4; ++i) Motion(-240);
  EXPECT_EQ(p.x, largeMargin);
  // Arrow keys: 6 px a tick, 3 when slowed, both keys cancel out.
  p.size = psNormal;
  p.x = 240;
  Game.keyState[SDLK_RIGHT] = 1;
  p.Update();
  EXPECT_EQ(p.x, 246);
  p.slow = true;
  p.Update();
  EXPECT_EQ(p.x, 249);
  Game.keyState[SDLK_LEFT] = 1;
  p.Update();
  EXPECT_EQ(p.x, 249);
}

TEST_F(Field, PaddleBandAndOffsetRule) {
  const CPaddle& p = *Game.paddle;  // (240, 420), half width 34 for a 64-px sprite
  ASSERT_EQ(p.HalfWidth(), 34);
  CBall* miss = AddBall(240, 420 - 17, 100);
  miss->Update();
  EXPECT_EQ(miss->angle, ClampAngle(100)) << "one pixel above the band is not bounced";
  Game.balls.Clear();

  struct {
    float x;
    int a, b;
  } cases[] = {{240, 260, 259}, {274, 305, 304}, {206, 215, 214}};
  for (auto& c : cases) {
    std::set<int> seen;
    for (uint32_t seed = 0; seed < 40; ++seed) {
      RandomSeed(seed);
      CBall* b = AddBall(c.x, 420 - 16, 100);
      b->Update();
      seen.insert(b->angle);
      Game.balls.Clear();
    }
    EXPECT_EQ(seen, (std::set<int>{c.a, c.b})) << "ball at x " << c.x;
  }
  // Moving up, a ball passes through the paddle.
  CBall* up = AddBall(240, 410, 260);
  up->Update();
  EXPECT_EQ(up->angle, 260);
  EXPECT_LT(up->y, 410);
  EXPECT_EQ(PlayedCount(Game.sndPing), 40 * 3) << "one ping per paddle bounce only";
}

TEST_F(Field, HeadingRules) {
  const int unchanged[] = {195, 165, 15, 345, 80, 100, 260, 280, 360, 45, 135, 225, 315};
  for (int a : unchanged) EXPECT_EQ(ClampAngle(a), a) << a;
  struct {
    int in, out;
  } moved[] = {{180, 195}, {194, 195}, {166, 165}, {179, 165}, {0, 15},   {14, 15},   {346, 345},
               {359, 345}, {81, 80},   {90, 80},   {91, 100},  {99, 100}, {261, 260}, {270, 260},
               {271, 280}, {279, 280}, {-90, 260}, {450, 80},  {720, 360}};
  for (auto& m : moved) EXPECT_EQ(ClampAngle(m.in), m.out) << m.in;
  // The jitter only ever lowers, and 360 survives normalisation.
  for (uint32_t seed = 0; seed < 30; ++seed) {
    RandomSeed(seed);
    const int h = ReflectAngle(100, 0), v = ReflectAngle(30, 90), z = ReflectAngle(0, 180);
    EXPECT_TRUE(h == 260 || h == 259) << h;
    EXPECT_TRUE(v == 150 || v == 149) << v;
    EXPECT_TRUE(z == 360 || z == 359) << z;
  }
  // A ball heading exactly 360 flies straight to the right.
  CBall* b = AddBall(200, 200, 360);
  b->Update();
  EXPECT_EQ(b->angle, 360);
  EXPECT_FLOAT_EQ(b->x, 204.0f);
  EXPECT_FLOAT_EQ(b->y, 200.0f);
}

TEST_F(Field, WallsBricksAndThePaddleChooseOneReflection) {
  // A corner: two pings; the top wall's code wins (225 becomes 135), and the
  // left wall, which that heading runs into, turns the ball as well.
  CBall* corner = AddBall(29, 29, 225);
  corner->Update();
  EXPECT_EQ(PlayedCount(Game.sndPing), 2);
  EXPECT_TRUE(corner->angle == 45 || corner->angle == 46) << corner->angle;
  Game.balls.Clear();

  // A brick beats the left wall (which alone would give 300): its 120 would
  // run into that wall, so the wall turns it to 60.
  Game.bricks.Add(new CBrick(33, 25, bcBlue, bsNormal, bbNone));
  CBall* brick = AddBall(29, 45, 240);
  brick->Update();
  EXPECT_TRUE(brick->angle == 60 || brick->angle == 61) << brick->angle;
  EXPECT_EQ(Game.bricks[0]->colour, bcCracked);
  Game.balls.Clear();
  Game.bricks.Clear();

  // The paddle beats the left wall (which alone would give 80): 117 reflected
  // is 243/242, up and into the wall, so the wall turns it to 297/298.
  Game.paddle->x = 42;
  CBall* paddle = AddBall(29, 405, 100);
  paddle->Update();
  EXPECT_TRUE(paddle->angle == 297 || paddle->angle == 298) << paddle->angle;
}

// No ball's edge goes past a wall it is heading for: its centre stays within
// x 28..452 and y >= 28, whatever bricks and the paddle do beside the walls.
TEST_F(Field, BallsStayInsideTheFieldBesideBricksAndThePaddle) {
  auto inside = [](const CBall* b) { return b->x >= 28 && b->x < 453 && b->y >= 28; };
  // Bricks at columns 8 and 10 of the top two rows, the cell between them
  // empty: a ball rising into the gap meets a side face while already at the
  // top wall. It must come back down, between solid or breakable bricks.
  for (TBrickColour colour : {bcGray, bcBlue}) {
    for (int heading = 200; heading <= 340; ++heading) {
      Game.bricks.Clear();
      Game.balls.Clear();
      for (int row = 0; row < 2; ++row)
        for (int col : {7, 9})
          Game.bricks.Add(new CBrick(32 * col + 33, 16 * row + 25, colour,
                                     colour == bcGray ? bsSolid : bsNormal, bbNone));
      CBall* ball = AddBall(289, 52, heading);
      bool down = false;
      for (int i = 0; i < 200 && !down; ++i) {
        UpdateWorld();
        ASSERT_TRUE(inside(ball)) << "heading " << heading << " update " << i << ": " << ball->x << ", "
                                  << ball->y;
        down = ball->y > 120;
      }
      EXPECT_TRUE(down) << "heading " << heading;
    }
  }
  Game.bricks.Clear();
  // A low, flat ball meeting the paddle beside either side wall.
  CPaddle& p = *Game.paddle;
  for (int side = 0; side < 2; ++side) {
    p.x = side ? 480 - 42 : 42;
    for (int heading = 100; heading <= 165; heading += 5) {
      for (int x = 28; x <= 36; ++x) {
        for (int y = 404; y <= 413; y += 3) {
          Game.balls.Clear();
          CBall* ball = side ? AddBall(480.0f - x, y, 180 - heading) : AddBall(x, y, heading);
          ball->Update();
          ASSERT_TRUE(Game.balls.Contains(ball));
          EXPECT_TRUE(inside(ball)) << "side " << side << " heading " << heading << " from " << x << ", " << y
                                    << ": " << ball->x << " heading " << ball->angle;
        }
      }
    }
  }
}

TEST_F(Field, FireBallsPloughThroughBreakableBricksButStopAtSolidOnes) {
  Game.bricks.Add(new CBrick(100, 100, bcBlue, bsNormal, bbNone));
  Game.bricks.Add(new CBrick(132, 100, bcGreen, bsNormal, bbNone));
  CBall* fire = AddBall(116, 84, 90, btFire);
  fire->Update();
  EXPECT_EQ(Game.bricks[0]->colour, bcCracked);
  EXPECT_EQ(Game.bricks[1]->colour, bcCracked);
  EXPECT_EQ(fire->angle, 80) << "no bounce, only the clamp";
  fire->x = 116;
  fire->y = 84;
  fire->angle = 90;
  fire->Update();
  EXPECT_EQ(Game.bricks[0]->colour, bcNone) << "still touching: the second hit";
  EXPECT_EQ(Game.bricks[1]->colour, bcNone);
  Game.balls.Clear();
  Game.bricks.Clear();

  Game.bricks.Add(new CBrick(100, 100, bcGray, bsSolid, bbNone));
  Game.bricks.Add(new CBrick(132, 100, bcGreen, bsNormal, bbNone));
  CBall* blocked = AddBall(116, 84, 90, btFire);
  blocked->Update();
  EXPECT_EQ(Game.bricks[1]->colour, bcGreen) << "the solid brick ends the brick loop";
  EXPECT_EQ(blocked->angle, 260) << "270 or 269 from the reflection, clamped to 260";
}

TEST_F(Field, LossStuckBallsAndRemovalDuringTheWalk) {
  // Bounced by the paddle, yet lost because its tentative y passed 417.
  AddBall(240, 414, 90);
  UpdateWorld();
  EXPECT_EQ(Game.balls.Count(), 0);
  EXPECT_EQ(PlayedCount(Game.sndBallLost), 1);
  EXPECT_EQ(Game.effects.Count(), 1);

  // A held ball rides with the paddle and neither collides nor falls.
  CBall* held = AddBall(240, 420, 270, btMagnet);
  held->stuck = true;
  Game.bricks.Add(new CBrick(240, 420, bcBlue, bsNormal, bbNone));
  Game.paddle->x = 300;
  Game.energy = 1000;
  for (int i = 0; i < 50; ++i) UpdateWorld();
  ASSERT_EQ(Game.balls.Count(), 1);
  EXPECT_FLOAT_EQ(held->x, 300.0f);
  EXPECT_FLOAT_EQ(held->y, 420.0f);
  EXPECT_EQ(Game.bricks[0]->colour, bcBlue);
  // Fire releases it with a ping.
  played.clear();
  Game.fireHeld = true;
  UpdateWorld();
  EXPECT_FALSE(held->stuck);
  EXPECT_EQ(PlayedCount(Game.sndPing), 1);
}

TEST_F(Field, ADestroyedBrickLeavesOneTickLater) {
  Game.bricks.Add(new CBrick(100, 100, bcGray, bsSolid, bbNone));
  Game.bricks.Add(new CBrick(132, 100, bcNone, bsNormal, bbNone));  // destroyed last tick
  UpdateWorld();
  EXPECT_FALSE(Game.levelComplete);
  EXPECT_EQ(Game.bricks.Count(), 1);
  UpdateWorld();
  EXPECT_TRUE(Game.levelComplete);
}

TEST_F(Field, SeveralBallsLostInOneWalk) {
  for (int i = 0; i < 2; ++i) AddBall(100.0f + 40 * i, 430, 90);
  const CBall* survivor = AddBall(240, 200, 270);
  for (int i = 0; i < 3; ++i) AddBall(300.0f + 40 * i, 430, 90);
  UpdateWorld();
  ASSERT_EQ(Game.balls.Count(), 1);
  EXPECT_EQ(Game.balls[0], survivor);
  EXPECT_EQ(PlayedCount(Game.sndBallLost), 5);
}
