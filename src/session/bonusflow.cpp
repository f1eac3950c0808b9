// Bonus stages in the game's flow, and stages played alone.
#include "session/bonusflow.h"

#include "base/globals.h"
#include "base/hooks.h"
#include "base/random.h"
#include "field/ball.h"
#include "field/bonus.h"
#include "field/brick.h"
#include "field/floater.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "levels/generatedsets.h"
#include "media/catalogue.h"
#include "media/notice.h"
#include "platform/datafile.h"
#include "session/gameflow.h"
#include "session/level.h"
#include "session/players.h"
#include "store/bonusbest.h"

namespace {
constexpr int StageEvery = 5;  // levels
// What the generator writes at the head of every level it makes.
constexpr char GeneratedMark[] = "# Made by rebounder --generate";
TBonusResult lastResult;

bool MadeByGenerator(const std::string& source) {
  std::string error;
  std::vector<unsigned char> bytes;
  if (source.empty() || !TryReadWholeFile(source, 1 << 16, bytes, error)) return false;
  return std::string(bytes.begin(), bytes.end()).find(GeneratedMark) != std::string::npos;
}
}  // namespace

bool GeneratedSetInUse() {
  if (Game.levelSetFolder.empty()) return false;
  uint32_t seed = 0;
  if (GeneratedSetSeed(Game.levelSetFolder, seed)) return true;
  // A set written by --generate into a folder of the player's own: asked once a set.
  static std::string askedFolder;
  static bool generated = false;
  if (askedFolder != Game.levelSetFolder || Game.levelSources.empty()) {
    askedFolder = Game.levelSetFolder;
    generated = !Game.levelSources.empty() && MadeByGenerator(Game.levelSources.front());
  }
  return generated;
}

bool SetPlaysBonusStages() { return Game.settings.bonusStages || GeneratedSetInUse(); }

bool BonusStageDue() {
  // A demo plays a recorded game's stages as they came.
  if (Game.bonusStage || Game.levelIndex < 0 || Game.playTesting) return false;
  return (Game.levelIndex % LevelCount() + 1) % StageEvery == 0 && SetPlaysBonusStages();
}

TBonusKind BonusKindAfter(int levelIndex) {
  const int n = LevelCount();
  const int stage = (levelIndex % n + 1) / StageEvery - 1 + levelIndex / n;
  return static_cast<TBonusKind>(stage % BonusKindCount);
}

void StartBonusStage(TBonusKind kind, bool practice) {
  Game.gameState = gsFirstBall;
  Game.bonuses.Clear();
  Game.balls.Clear();
  Game.effects.Clear();
  Game.floaters.Clear();
  Game.bricks.Clear();
  Game.energy = 0;
  Game.levelComplete = false;
  Game.paddle->ClearPowers();
  Game.ballType = btNormal;
  Game.baseBallSpeed = LapSettings(Game.levelIndex).ballSpeed;
  Game.ballSpeed = Game.baseBallSpeed;
  // Drawn from the game's generator, seeded as a level is: a recording keeps the seed.
  ReseedFromClock();
  Game.bonusStage.reset(new CBonusStage(kind, practice));
  Game.bonusStage->Begin();
}

void StartBonusPractice(TBonusKind kind) {
  ClearSeats();
  Game.gameOverSaved = false;
  Hooks.bonusStarted(kind);
  PlaySound(Game.sndMenuSelect);
  Game.programState = psGame;
  Game.levelIndex = -1;
  Game.score = 0;
  Game.lives = 3;
  MusicForPlay();
  StartBonusStage(kind, true);
}

void CheckBonusFlow() {
  CBonusStage& stage = *Game.bonusStage;
  if (Game.gameState == gsFirstBall && (Game.fireHeld || Game.firePressed)) {
    Game.gameState = gsBallInGame;
    stage.Launch();
    // The press that starts the stage does not fire in it as well.
    Game.fireHeld = false;
  } else if (Game.gameState == gsBallInGame && stage.Over()) {
    Game.gameState = gsGameDone;
    Game.balls.Clear();
    Game.paddle->ClearPowers();  // a dud's small paddle is not carried out of the stage
    PlaySound(Game.sndGameDone);
    if (stage.practice && !Game.demoRunning && !Game.playTesting) {
      lastResult.best = BonusBest(BonusKindName(stage.kind));
      ReportSave(KeepBonusScore(BonusKindName(stage.kind), stage.Paid(), lastResult.newBest));
      if (lastResult.newBest) lastResult.best = stage.Paid();
    }
  }
  Game.firePressed = false;
}

void GoOnFromCleared() {
  if (Game.bonusStage && Game.bonusStage->practice) {
    Hooks.gameEnded(0);
    Game.bonusStage.reset();
    Game.balls.Clear();
    Game.programState = psMenu;
    Game.returnState = psMenu;
    OpenMainMenu();
    return;
  }
  if (BonusStageDue()) {
    StartBonusStage(BonusKindAfter(Game.levelIndex), false);
    return;
  }
  NextLevel();
}

const TBonusResult& LastBonusResult() { return lastResult; }
