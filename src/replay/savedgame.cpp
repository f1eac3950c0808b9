// Trading the played part of the game record in and out.
#include "replay/savedgame.h"

#include <utility>

#include "base/globals.h"
#include "base/random.h"

void TradeGame(TSavedGame& s) {
  using std::swap;
  Game.balls.Swap(s.balls);
  Game.bricks.Swap(s.bricks);
  Game.effects.Swap(s.effects);
  Game.bonuses.Swap(s.bonuses);
  Game.floaters.Swap(s.floaters);
  swap(Game.paddle, s.paddle);
  swap(Game.firePressed, s.firePressed);
  swap(Game.motionCarry, s.motionCarry);
  swap(Game.fireHeld, s.fireHeld);
  swap(Game.levelComplete, s.levelComplete);
  swap(Game.baseBallSpeed, s.baseBallSpeed);
  swap(Game.ballSpeed, s.ballSpeed);
  swap(Game.beamPhase, s.beamPhase);
  swap(Game.menuCursor, s.menuCursor);
  swap(Game.lives, s.lives);
  swap(Game.energy, s.energy);
  swap(Game.ballType, s.ballType);
  swap(Game.programState, s.programState);
  swap(Game.returnState, s.returnState);
  swap(Game.gameState, s.gameState);
  swap(Game.menuState, s.menuState);
  swap(Game.score, s.score);
  swap(Game.levelStartScore, s.levelStartScore);
  swap(Game.levelStartLives, s.levelStartLives);
  swap(Game.levelIndex, s.levelIndex);
  swap(Game.maxFloaters, s.maxFloaters);
  swap(Game.floaterInterval, s.floaterInterval);
  swap(Game.floaterTimer, s.floaterTimer);
  swap(Game.newScoreRank, s.newScoreRank);
  swap(Game.gameOverSaved, s.gameOverSaved);
  swap(Game.levelName, s.levelName);
  swap(Game.typedName, s.typedName);
  HotSeat.Swap(s.hotSeat);
  const uint64_t random = RandomState();
  SetRandomState(s.random);
  s.random = random;
}
