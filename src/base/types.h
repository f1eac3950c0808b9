// Enumerations shared across the game. Every one is a single byte and numbers
// its values from 0 in the order given; level files store colours and
// power-ups by these numbers.
#pragma once
#include <cstdint>

enum TProgramState : uint8_t { psIntro, psMenu, psGame, psExit, psEditor };
enum TGameState : uint8_t { gsFirstBall, gsNewBall, gsBallInGame, gsBallLost, gsGameOver, gsGameDone };
enum TMenuState : uint8_t {
  msMain,
  msNewGame,
  msOptions,
  msHighScores,
  msHelp,
  msCredits,
  msNewHighScore,
  msSettings
};
// The yes/no question open over the screen, if any.
enum TQuestion : uint8_t { qnNone, qnQuit, qnSkipLevel };
enum TBrickColour : uint8_t {
  bcNone,
  bcGray,
  bcBlue,
  bcGreen,
  bcPurple,
  bcRed,
  bcYellow,
  bcWhite,
  bcCracked
};
enum TBrickSpecial : uint8_t { bsNormal, bsSolid };
enum TBrickBonus : uint8_t {
  bbNone,
  bbBall,
  bbNormal,
  bbPaddleLarge,
  bbPaddleSmall,
  bbFire,
  bbMagnet,
  bbQuestion,
  bbSpeedUp,
  bbSpeedDown,
  bbLife,
  bbReverse,
  bbPaddleSpeed
};
enum TPaddleSize : uint8_t { psNormal, psLarge, psSmall };
enum TBallType : uint8_t { btNormal, btFire, btMagnet };

static_assert(sizeof(TProgramState) == 1 && sizeof(TBrickBonus) == 1, "enumerations are one byte");
