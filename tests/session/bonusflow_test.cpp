// Where bonus stages come in a game and what they keep: after every fifth
// level of a generated set, in the other sets only with the setting on, never
// a life lost, never longer than their time.

#include "session/bonusflow.h"

#include <filesystem>
#include <fstream>

#include "base/globals.h"
#include "field/autopilot.h"
#include "field/brick.h"
#include "field/paddle.h"
#include "game/input.h"
#include "game/mainloop.h"
#include "levels/generatedsets.h"
#include "levels/levelgen.h"
#include "session/gameflow.h"
#include "session/levelset.h"
#include "session/players.h"
#include "tests/testenv.h"

namespace fs = std::filesystem;

namespace {
class BonusFlow : public GameTest {
protected:
  void TearDown() override {
    Game.settings.bonusStages = false;
    UseLevelSet(CLevelSet::Classic());
    GameTest::TearDown();
  }
  // Writes the first levels of a generated set into `folder` and plays on it.
  static void UseGeneratedSet(const std::string& folder, int count) {
    fs::create_directories(folder);
    for (const TGeneratedLevel& level : GenerateLevels(20261208, count))
      std::ofstream(fs::path(folder) / level.fileName) << level.source;
    UseLevelSet(LoadSetFolder(folder));
  }
  // Clears the level at `levelIndex` at once and presses fire on its card.
  static void ClearLevelAndGoOn(int levelIndex) {
    Game.levelIndex = levelIndex - 1;
    NextLevel();
    Game.gameState = gsGameDone;
    GoOnFromCleared();
  }
  static void Tick() {
    LogicTick();
    CheckGameFlow();
  }
};
}  // namespace

// The autopilot plays the daily set from its first level: the fifth, once
// cleared, is followed by a bonus stage (the first kind), the first four by
// none, and the stage by the sixth level.
TEST_F(BonusFlow, ADailySetReachesAStageAfterItsFifthLevel) {
  UseGeneratedSet(DailySetFolder(), 6);
  ASSERT_TRUE(GeneratedSetInUse());
  StartNewGame(0);
  CAutopilot pilot(3);
  int cleared = 0;
  for (int tick = 0; tick < 40 * 60 * 60 && !Game.bonusStage; ++tick) {
    if (pilot.Tick()) TapFire();
    const TGameState before = Game.gameState;
    Tick();
    Game.lives = 3;  // the levels are not what is tested
    if (Game.gameState == gsGameDone && before != gsGameDone) ++cleared;
  }
  ASSERT_TRUE(Game.bonusStage) << cleared << " levels cleared";
  EXPECT_EQ(cleared, 5);
  EXPECT_EQ(Game.levelIndex, 4) << "the multiplier stays the lap's";
  EXPECT_EQ(Game.bonusStage->kind, bkRain);
  EXPECT_FALSE(Game.bonusStage->practice);
  Game.bonusStage->ticksLeft = 1;
  Game.fireHeld = true;
  for (int tick = 0; tick < 3 && Game.gameState != gsGameDone; ++tick) Tick();
  ASSERT_EQ(Game.gameState, gsGameDone);
  GoOnFromCleared();
  EXPECT_FALSE(Game.bonusStage);
  EXPECT_EQ(Game.levelIndex, 5);
}

// A set written by --generate anywhere has them too; a set of the player's
// and the built-in one only with the setting on, after every fifth level,
// the kinds taking turns.
TEST_F(BonusFlow, OtherSetsHaveStagesOnlyWithTheSetting) {
  StartNewGame(0);
  for (int level : {4, 9}) {
    ClearLevelAndGoOn(level);
    EXPECT_FALSE(Game.bonusStage) << "the built-in set's sequence is the design's";
    EXPECT_EQ(Game.levelIndex, level + 1);
  }
  Game.settings.bonusStages = true;
  for (int level : {3, 5}) {
    ClearLevelAndGoOn(level);
    EXPECT_FALSE(Game.bonusStage) << level;
  }
  for (int level : {4, 9, 14, 19, 24, 44}) {
    ClearLevelAndGoOn(level);
    ASSERT_TRUE(Game.bonusStage) << level;
    EXPECT_EQ(Game.bonusStage->kind, BonusKindAfter(level));
  }
  EXPECT_EQ(BonusKindAfter(9), bkKeepUp);
  EXPECT_EQ(BonusKindAfter(19), bkWall);
  EXPECT_EQ(BonusKindAfter(24), bkRain);
  EXPECT_EQ(BonusKindAfter(44), bkKeepUp) << "the next lap goes on turning";

  Game.settings.bonusStages = false;
  UseGeneratedSet(PlayerSetsFolder() + "made", 5);
  EXPECT_TRUE(GeneratedSetInUse()) << "made by --generate";
  const std::string own = PlayerSetsFolder() + "mine";
  fs::create_directories(own);
  for (const TGeneratedLevel& level : GenerateLevels(20261208, 5)) {
    std::string source = level.source;
    const size_t mark = source.find("# Made by");
    source.erase(mark, source.find('\n', mark) + 1 - mark);
    std::ofstream(fs::path(own) / level.fileName) << source;
  }
  UseLevelSet(LoadSetFolder(own));
  EXPECT_FALSE(GeneratedSetInUse()) << "a set of the player's own";
}

// Every ball let fall costs nothing: the keep-up stage runs its whole time
// with the lives untouched (in a hot seat the turn stays with its player),
// and a wall that comes down ends its stage early.
TEST_F(BonusFlow, AStageNeverCostsALifeAndEndsWithinItsTime) {
  StartNewGame(0, {"ANN", "BOB"});
  Game.lives = 1;
  Game.levelIndex = 4;
  StartBonusStage(bkKeepUp, false);
  Game.fireHeld = true;
  Tick();
  Game.fireHeld = false;
  int ticks = 0, ballsLost = 0;
  for (; Game.gameState == gsBallInGame && ticks < 10000; ++ticks) {
    Game.paddle->x = 40;  // away from everything that falls
    const int balls = Game.balls.Count();
    Tick();
    if (Game.balls.Count() < balls) ++ballsLost;
  }
  EXPECT_EQ(Game.gameState, gsGameDone);
  EXPECT_EQ(ticks, BonusStageTicks(bkKeepUp));
  EXPECT_GT(ballsLost, 3);
  EXPECT_EQ(Game.lives, 1);
  EXPECT_EQ(HotSeat.turn, 0);

  StartBonusStage(bkWall, false);
  Game.fireHeld = true;
  Tick();
  Game.fireHeld = false;
  for (ticks = 0; Game.gameState == gsBallInGame && ticks < 10000; ++ticks) {
    Game.paddle->x = 40;
    Tick();
  }
  EXPECT_EQ(Game.gameState, gsGameDone);
  EXPECT_LT(ticks, BonusStageTicks(bkWall)) << "the wall came down first";
  EXPECT_EQ(Game.lives, 1);
  int lowest = 0;
  for (int i = 0; i < Game.bricks.Count(); ++i) lowest = std::max(lowest, Game.bricks[i]->y);
  EXPECT_GE(lowest, 380);
}

// A game kept during a stage is kept from the start of the level before it
// (its journal plays that level and the stage again); one kept on the
// stage's last card goes on at the next level, with what the stage paid.
TEST_F(BonusFlow, AGameKeptDuringAStageIsKeptFromTheLevelBeforeIt) {
  Game.settings.bonusStages = true;
  StartNewGame(0);
  Game.score = 500;
  ClearLevelAndGoOn(4);
  ASSERT_TRUE(Game.bonusStage);
  Game.score = 800;
  TKeptGame kept = GameToKeep();
  EXPECT_EQ(kept.levelIndex, 4);
  EXPECT_EQ(kept.levelName, Game.levelList[4]);
  EXPECT_EQ(kept.score, 500u);
  Game.gameState = gsGameDone;
  kept = GameToKeep();
  EXPECT_EQ(kept.levelIndex, 5);
  EXPECT_EQ(kept.score, 800u);
}
