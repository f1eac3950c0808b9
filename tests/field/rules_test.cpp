// The rules of play, each test naming one: where a ball is lost, what a
// brick pays, when the game ends, and the flattest heading a bounce leaves at.
#include "base/globals.h"
#include "field/ball.h"
#include "field/brick.h"
#include "field/paddle.h"
#include "session/gameflow.h"
#include "session/level.h"
#include "tests/testenv.h"

namespace {
class Rules : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    StartEmptyPlay();
  }
  static CBall* AddBall(float x, float y, int angle) {
    CBall* b = Game.balls.Add(new CBall(0, 0, btNormal));
    b->x = x;
    b->y = y;
    b->angle = angle;
    return b;
  }
};

// A ball is lost once its lower edge (centre + 8) would pass y 425; an edge
// just at 425 is still in play.
TEST_F(Rules, ABallIsLostOnlyOnceItsEdgeWouldPass425) {
  AddBall(100, 413, 90)->Update();  // next centre 417: edge at 425
  EXPECT_EQ(Game.balls.Count(), 1);
  Game.balls.Clear();
  AddBall(100, 414, 90)->Update();  // edge at 426
  EXPECT_EQ(Game.balls.Count(), 0);
  EXPECT_EQ(PlayedCount(Game.sndBallLost), 1);
}

// A breakable brick pays 10 when it cracks and 20 when it breaks, times the
// lap; a solid brick pays nothing.
TEST_F(Rules, ABrickPays10ToCrackAnd20ToBreakTimesTheLap) {
  for (int lap : {1, 3}) {
    Game.levelIndex = (lap - 1) * LevelCount();
    Game.score = 0;
    CBrick brick(100, 100, bcBlue, bsNormal, bbNone);
    ASSERT_EQ(brick.Collide(100, 117, 0, -4, 8), 180) << "hit from below";
    EXPECT_EQ(Game.score, 10u * lap);
    ASSERT_EQ(brick.Collide(100, 117, 0, -4, 8), 180);
    EXPECT_EQ(Game.score, 30u * lap);
    EXPECT_EQ(brick.colour, bcNone);
    CBrick solid(100, 100, bcGray, bsSolid, bbNone);
    ASSERT_EQ(solid.Collide(100, 117, 0, -4, 8), 180);
    EXPECT_EQ(Game.score, 30u * lap);
  }
}

// Each lost ball costs a life; the game ends when the lives reach 0, not before.
TEST_F(Rules, TheGameEndsWhenTheLivesReachZeroAndNotBefore) {
  Game.lives = 2;
  CheckGameFlow();
  EXPECT_EQ(Game.lives, 1);
  EXPECT_EQ(Game.gameState, gsNewBall) << "one life left: the game goes on";
  Game.gameState = gsBallInGame;
  CheckGameFlow();
  EXPECT_EQ(Game.lives, 0);
  EXPECT_EQ(Game.gameState, gsGameOver);
}

// No bounce sends a ball flatter than 15 degrees from the horizontal: not the
// paddle's ends, which turn the ball by up to 45 degrees, nor a wall met at a
// shallow heading.
TEST_F(Rules, NoBounceLeavesFlatterThan15Degrees) {
  Game.paddle->x = 240;  // from x 206 to 274
  const struct {
    float x, y;
    int in, out;
  } bounces[] = {
      {206, 410, 130, 195},  // the paddle's left end: 175, reflected 185 or 184
      {274, 410, 50, 345},   // its right end: 5, reflected 355 or 354
      {450, 200, 10, 165},   // the right wall, 10 below the horizontal: 170 or 169
      {450, 200, 350, 195},  // the right wall, 10 above: 190 or 189
      {30, 200, 170, 15},    // the left wall: 10 or 9
  };
  for (const auto& b : bounces) {
    CBall* ball = AddBall(b.x, b.y, b.in);
    ball->Update();
    EXPECT_EQ(ball->angle, b.out) << "heading " << b.in << " at " << b.x << ", " << b.y;
    Game.balls.Clear();
  }
}
}  // namespace
