// TGameGlobals: the one record that holds all state shared by the game's
// subsystems, and its single instance Game. It knows the objects of the
// rooms above only by name; the play room, where they are whole, makes and
// unmakes the record (session/gamerecord.cpp).
#pragma once
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/fontface.h"
#include "base/objectlist.h"
#include "base/option.h"
#include "base/records.h"
#include "base/types.h"

class CBall;
class CBrick;
class CParticleSystem;
class CBonus;
class CFloater;
class CPaddle;
class CStars;
class CHighScore;
class CBonusStage;

struct TGameGlobals {
  TGameGlobals();
  ~TGameGlobals();

  SDL_Surface* screen = nullptr;
  SDL_Color palette[256] = {};  // the game's colours, taken from the HUD picture
  bool quitRequested = false;
  SDL_Event event = {};
  Uint8* keyState = nullptr;
  int motionCarry = 0;  // pointer pixels not yet turned into paddle movement
  bool fireHeld = false;
  bool firePressed = false;  // a fire press in play since the last game-flow check
  std::vector<std::string> levelList;
  // The level set games are played on: "classic" (the built-in levels, read
  // from maps/) or a player's set, whose compiled maps run beside levelList.
  std::string levelSetName = "classic";
  std::string levelSetFolder;
  std::string levelSetTable;  // the folder of its table under tables/, "" for the built-in set's
  std::vector<std::vector<uint8_t>> levelMaps;  // empty until the level is first played
  std::vector<std::string> levelSources;        // each level's source file, "" for a map given compiled
  std::string newGameSetFolder;  // the set chosen on the new game screen, "" for the built-in one
  bool playTesting = false;      // the game on screen is a play-test started in the level editor
  bool demoRunning = false;      // the autopilot's demo plays: its games are not the player's
  int playbacks = 0;             // recordings being played back now (a recorded game never watches another)
  TCommandLine commandLine;
  int baseBallSpeed = 0;

  // Sprites, in catalogue order.
  SDL_Surface *sprBall = nullptr, *sprBallFire = nullptr, *sprWallV = nullptr, *sprWallH = nullptr,
              *sprCornerLeft = nullptr, *sprCornerRight = nullptr;
  SDL_Surface *sprBrickGray = nullptr, *sprBrickBlue = nullptr, *sprBrickGreen = nullptr,
              *sprBrickPurple = nullptr, *sprBrickRed = nullptr, *sprBrickYellow = nullptr,
              *sprBrickWhite = nullptr, *sprBrickCracked = nullptr;
  SDL_Surface *sprPaddle = nullptr, *sprPaddleLarge = nullptr, *sprPaddleSmall = nullptr,
              *sprPaddleMagnet = nullptr, *sprPaddleSmallMagnet = nullptr, *sprPaddleLargeMagnet = nullptr;
  SDL_Surface *sprBonus = nullptr, *sprBonusNormal = nullptr, *sprBonusBall = nullptr,
              *sprBonusPaddleLarge = nullptr, *sprBonusPaddleSmall = nullptr, *sprBonusFire = nullptr,
              *sprBonusMagnet = nullptr, *sprBonusQuestion = nullptr, *sprBonusSpeedUp = nullptr,
              *sprBonusSpeedDown = nullptr, *sprBonusLife = nullptr, *sprBonusReverse = nullptr,
              *sprBonusPaddleSpeed = nullptr;
  SDL_Surface *sprFloater = nullptr, *sprBeamBlue = nullptr, *sprBeamRed = nullptr, *sprBeamGreen = nullptr,
              *sprBeamerLeft = nullptr, *sprBeamerRight = nullptr;
  SDL_Surface *sprLife = nullptr, *sprHud = nullptr, *sprEnergyBar = nullptr, *sprMessage = nullptr,
              *sprMenu = nullptr, *sprBackground = nullptr, *sprMask = nullptr;
  SDL_Surface *sprSpark = nullptr, *sprZapp = nullptr, *sprFloaterZapp = nullptr, *sprFall = nullptr,
              *sprStar = nullptr, *sprLogo = nullptr, *sprTitle = nullptr, *sprCheckOff = nullptr,
              *sprCheckOn = nullptr;

  // Sound effects, in catalogue order.
  Mix_Chunk *sndPing = nullptr, *sndPong = nullptr, *sndSolid = nullptr, *sndBrickExplosion = nullptr,
            *sndBonusLaunch = nullptr, *sndBonusPickup = nullptr, *sndBallLost = nullptr,
            *sndFloaterEnter = nullptr, *sndFloaterZapp = nullptr, *sndExtraBall = nullptr,
            *sndExtraLife = nullptr, *sndFireball = nullptr, *sndLargePaddle = nullptr,
            *sndSmallPaddle = nullptr, *sndMagnet = nullptr, *sndSpeedUp = nullptr, *sndSpeedDown = nullptr,
            *sndReverse = nullptr, *sndGameOver = nullptr, *sndGameDone = nullptr, *sndMenuStep = nullptr,
            *sndMenuSelect = nullptr;

  CFont fontMenu, fontMenuDark, fontScore;

  TObjectList<CBall> balls;
  std::unique_ptr<CPaddle> paddle;
  TObjectList<CBrick> bricks;
  TObjectList<CParticleSystem> effects;
  TObjectList<CBonus> bonuses;
  TObjectList<CFloater> floaters;
  // The bonus stage being played, if any: it then runs the field instead of a level.
  std::unique_ptr<CBonusStage> bonusStage;
  int paddleHits = 0;  // balls sent back by the paddle, counted for the stages

  TBallType ballType = btNormal;
  int ballSpeed = 0;
  int beamPhase = 0;
  TProgramState programState = psIntro;
  TProgramState returnState = psIntro;
  TGameState gameState = gsFirstBall;
  TMenuState menuState = msMain;
  bool playPaused = false;  // play frozen by the pause key, on the game screen
  int menuCursor = 0;
  TQuestion question = qnNone;
  int tableCursor = 0;  // the high-score row whose recording Enter plays
  // The table as a game over leaves it: the rows that game entered are lit
  // (until the cursor moves), and a click goes back to the menu.
  std::vector<int> litTableRows;
  bool tableAfterGame = false;
  // While a recording is watched, the card of the left panel that shows how
  // far: its speed (or paused, or end), the part played of 1000 and the time.
  struct TViewerCard {
    bool shown = false;
    std::string state, time;
    int played = 0;
  } viewerCard;
  int lives = 0;
  uint32_t score = 0;
  // The score and the lives the current level began with.
  uint32_t levelStartScore = 0;
  int levelStartLives = 0;
  int energy = 0;
  bool levelComplete = false;
  std::unique_ptr<CStars> stars;
  int tickCount = 0;
  int levelIndex = 0;
  std::string levelName;
  int maxFloaters = 0;
  int floaterInterval = 0;
  int floaterTimer = 0;
  Mix_Music* music = nullptr;
  COption optBackground, optStars, optExplosions, optMusic, optSound, optFullscreen;
  TSettings settings;  // volumes, mouse speed, keys, scale, music in play
  TObjectList<CHighScore> highScores;
  int newScoreRank = 0;
  bool gameOverSaved = false;  // the game that is over has been ranked and saved (once, at once)
  std::string typedName;
  TKeptGame savedGame;  // the unfinished game of an earlier run, while haveSavedGame
  bool haveSavedGame = false;
  uint32_t lastTick = 0;
  uint32_t frameTicks = 0;
  std::string noticeLines[2];  // the player's notice (media/notice), shown until noticeUntil
  uint32_t noticeUntil = 0;
};

extern TGameGlobals Game;

// Drawing between ticks: an object the last tick moved is drawn `share` of the
// way (the part of the next tick that has passed, 0 to 1) from where it stood
// before that tick to where it stands; anything else, and every picture drawn
// a whole tick on, where it stands.
inline float Between(float before, float now, int movedTick, float share) {
  return share < 1 && movedTick + 1 == Game.tickCount ? before + (now - before) * share : now;
}
