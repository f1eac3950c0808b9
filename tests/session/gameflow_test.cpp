// Game flow: the level sequence, new games, lives, launching and level completion.
#include "session/gameflow.h"

#include "base/globals.h"
#include "field/ball.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "game/input.h"
#include "game/mainloop.h"
#include "session/level.h"
#include "tests/testenv.h"

namespace {
class Flow : public GameTest {
protected:
  static void Fire(bool down) {
    Game.event = {};
    Game.event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    Game.event.button.button = SDL_BUTTON_LEFT;
    DispatchEvent();
  }
  // A touchpad tap or a quick click: press and release arrive within one pass.
  static void Tap() {
    Fire(true);
    Fire(false);
  }
};
}  // namespace

TEST_F(Flow, DifficultyRisesAlongTheSequence) {
  ASSERT_EQ(Game.levelList.size(), 40u);
  EXPECT_EQ(Game.levelList.front(), "go easy on me");
  EXPECT_EQ(Game.levelList.back(), "psychedelic earthworm");
  struct {
    int index, interval, most, speed;
  } table[] = {{0, 2000, 0, 4}, {19, 2000, 0, 4}, {20, 1000, 0, 4}, {26, 1000, 1, 4},
               {40, 666, 1, 4}, {52, 666, 2, 4},  {60, 500, 2, 4},  {78, 500, 3, 4},
               {80, 400, 3, 5}, {120, 285, 4, 5}, {160, 222, 6, 6}, {200, 181, 7, 6}};
  for (auto& row : table) {
    Game.levelIndex = row.index - 1;
    NextLevel();
    EXPECT_EQ(Game.levelIndex, row.index);
    EXPECT_EQ(Game.floaterInterval, row.interval) << row.index;
    EXPECT_EQ(Game.maxFloaters, row.most) << row.index;
    EXPECT_EQ(Game.baseBallSpeed, row.speed) << row.index;
    EXPECT_EQ(Game.levelName, Game.levelList[static_cast<size_t>(row.index % 40)]);
    EXPECT_FALSE(Game.levelComplete);
    EXPECT_EQ(Game.gameState, gsFirstBall);
  }
}

TEST_F(Flow, NewGameAtAAARGHStartsWithTheFirstLevelOfItsLap) {
  Game.score = 999;
  Game.lives = 1;
  Game.programState = psMenu;
  StartNewGame(4);
  EXPECT_EQ(Game.levelIndex, 160);
  EXPECT_EQ(Game.levelName, "go easy on me");
  EXPECT_EQ(Game.score, 0u);
  EXPECT_EQ(Game.lives, 3);
  EXPECT_EQ(Game.programState, psGame);
  EXPECT_EQ(Game.maxFloaters, 6);
  EXPECT_EQ(Game.floaterInterval, 222);
  EXPECT_EQ(Game.baseBallSpeed, 6);
  EXPECT_GT(Game.bricks.Count(), 0);
  EXPECT_EQ(PlayedCount(Game.sndMenuSelect), 1);
}

TEST_F(Flow, LosingTheLastBallWithOneLifeLeftEndsTheGame) {
  Game.gameState = gsBallInGame;
  Game.lives = 1;
  Game.fireHeld = true;  // even with fire held, no new ball is launched
  Game.energy = 30000;
  Game.paddle->size = psLarge;
  Game.paddle->direction = -1;
  CheckGameFlow();
  EXPECT_EQ(Game.gameState, gsGameOver);
  EXPECT_EQ(Game.lives, 0);
  EXPECT_EQ(Game.energy, 0);
  EXPECT_EQ(Game.paddle->size, psNormal);
  EXPECT_EQ(Game.paddle->direction, 1);
  EXPECT_EQ(PlayedCount(Game.sndGameOver), 1);
  EXPECT_TRUE(Game.balls.Empty());
  // Escape does nothing on the game-over screen; only fire leaves it.
  Game.fireHeld = false;
  PressKey(SDLK_ESCAPE);
  EXPECT_EQ(Game.programState, psGame);
}

TEST_F(Flow, BallLostIsCheckedBeforeLevelDoneAndFireHeldRelaunchesAtOnce) {
  Game.gameState = gsBallInGame;
  Game.levelComplete = true;
  Game.lives = 3;
  Game.fireHeld = true;
  CheckGameFlow();
  EXPECT_EQ(Game.lives, 2);
  EXPECT_EQ(Game.gameState, gsBallInGame) << "next ball launched in the same pass";
  ASSERT_EQ(Game.balls.Count(), 1);
  EXPECT_FLOAT_EQ(Game.balls[0]->x, static_cast<float>(Game.paddle->x));
  EXPECT_FLOAT_EQ(Game.balls[0]->y, static_cast<float>(Game.paddle->y - 4));
  EXPECT_EQ(PlayedCount(Game.sndGameDone), 0);
  // With a ball in play the complete level now ends as done.
  CheckGameFlow();
  EXPECT_EQ(Game.gameState, gsGameDone);
  EXPECT_EQ(PlayedCount(Game.sndGameDone), 1);
}

TEST_F(Flow, FireAfterALevelIsDoneLoadsTheNextOneAndNeedsANewPress) {
  Game.levelIndex = -1;  // a level named on the command line
  Game.gameState = gsGameDone;
  Game.score = 120;
  Game.lives = 2;
  Fire(true);
  EXPECT_EQ(Game.levelIndex, 0);
  EXPECT_EQ(Game.levelName, "go easy on me");
  EXPECT_FALSE(Game.fireHeld);
  EXPECT_EQ(Game.score, 120u);
  EXPECT_EQ(Game.lives, 2);
  CheckGameFlow();
  EXPECT_EQ(Game.gameState, gsFirstBall) << "the same press does not launch";
  Fire(false);
  CheckGameFlow();
  EXPECT_EQ(Game.gameState, gsFirstBall) << "nor later";
  Fire(true);
  CheckGameFlow();
  EXPECT_EQ(Game.gameState, gsBallInGame);
  // The same with a tap (press and release in one pass) on the cleared level.
  Fire(false);
  Game.balls.Clear();
  Game.gameState = gsGameDone;
  Tap();
  CheckGameFlow();
  CheckGameFlow();
  EXPECT_EQ(Game.gameState, gsFirstBall);
  EXPECT_EQ(Game.levelIndex, 1);
}

TEST_F(Flow, AQuickTapLaunchesAndReleasesAHeldBall) {
  Game.gameState = gsNewBall;
  Tap();
  CheckGameFlow();
  EXPECT_EQ(Game.gameState, gsBallInGame);
  ASSERT_EQ(Game.balls.Count(), 1);

  // A tap is used up by the check that follows it: it does not launch the
  // ball after the next one lost.
  Tap();
  CheckGameFlow();
  Game.balls.Clear();
  CheckGameFlow();
  EXPECT_EQ(Game.gameState, gsNewBall);
  EXPECT_TRUE(Game.balls.Empty());

  // A tap releases a ball held by the magnet in the ticks of its pass.
  Game.gameState = gsBallInGame;
  CBall* held = Game.balls.Add(new CBall(240, 420, btMagnet));
  held->stuck = true;
  Game.energy = 10000;
  LogicTick();
  EXPECT_TRUE(held->stuck);
  Tap();
  LogicTick();
  EXPECT_FALSE(held->stuck);
  CheckGameFlow();
  EXPECT_FALSE(Game.firePressed);
}

// n in play asks first: Escape (or n) keeps the game as it was and holds it
// still meanwhile; y or Enter skips the level at the price of the score.
TEST_F(Flow, TheKeyNSkipsALevelAtThePriceOfTheScoreOnceConfirmed) {
  Game.levelIndex = 4;
  Game.score = 5000;
  PressKey(SDLK_n);
  EXPECT_EQ(Game.question, qnSkipLevel);
  Game.fireHeld = true;
  LogicTick();
  CheckGameFlow();
  EXPECT_EQ(Game.gameState, gsFirstBall) << "no ball is launched while the question waits";
  Game.fireHeld = false;
  PressKey(SDLK_ESCAPE);
  EXPECT_EQ(Game.question, qnNone);
  EXPECT_EQ(Game.programState, psGame) << "the Escape that answers does not pause";
  EXPECT_EQ(Game.score, 5000u);
  PressKey(SDLK_n);
  PressKey(SDLK_y);
  EXPECT_EQ(Game.score, 0u);
  EXPECT_EQ(Game.levelIndex, 5);
  EXPECT_EQ(Game.levelName, "have a heart");

  // On the game-over screen n loads a level with no life left: the game may
  // go on there, but losing its ball ends the game again.
  Game.lives = 0;
  Game.gameState = gsGameOver;
  PressKey(SDLK_n);
  PressKey(SDLK_RETURN);
  EXPECT_EQ(Game.gameState, gsFirstBall);
  Game.fireHeld = true;
  CheckGameFlow();
  ASSERT_EQ(Game.gameState, gsBallInGame);
  Game.balls.Clear();
  CheckGameFlow();
  EXPECT_EQ(Game.gameState, gsGameOver);
}
