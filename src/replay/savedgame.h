// TSavedGame: the part of the game record that a demo or a watched recording
// plays on, so that it can be traded out before and traded back after,
// leaving the player's game as it was.
#pragma once
#include <memory>
#include <string>

#include "base/objectlist.h"
#include "base/types.h"
#include "field/ball.h"
#include "field/bonus.h"
#include "field/brick.h"
#include "field/floater.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "session/players.h"

struct TSavedGame {
  TObjectList<CBall> balls;
  TObjectList<CBrick> bricks;
  TObjectList<CParticleSystem> effects;
  TObjectList<CBonus> bonuses;
  TObjectList<CFloater> floaters;
  std::unique_ptr<CPaddle> paddle;
  bool fireHeld = false, firePressed = false, levelComplete = false;
  int motionCarry = 0;
  int baseBallSpeed = 4, ballSpeed = 4, beamPhase = 0, menuCursor = 0, lives = 3, energy = 0;
  TBallType ballType = btNormal;
  TProgramState programState = psGame, returnState = psMenu;
  TGameState gameState = gsFirstBall;
  TMenuState menuState = msMain;
  uint32_t score = 0, levelStartScore = 0;
  int levelStartLives = 3;
  int levelIndex = -1, maxFloaters = 0, floaterInterval = 0, floaterTimer = 0, newScoreRank = 0;
  bool gameOverSaved = false;
  std::string levelName, typedName;
  uint64_t random = 1;
  THotSeat hotSeat;
};

// Swaps the saved part with the game's own.
void TradeGame(TSavedGame& saved);
