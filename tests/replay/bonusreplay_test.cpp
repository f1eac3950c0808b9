// Bonus stages played by the autopilot and recorded: every kind pays, costs
// no life, ends within its time, and its recording plays back to the same
// score.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "base/globals.h"
#include "field/autopilot.h"
#include "field/paddle.h"
#include "game/input.h"
#include "game/mainloop.h"
#include "game/playback.h"
#include "levels/generatedsets.h"
#include "levels/levelgen.h"
#include "replay/recorder.h"
#include "replay/replay.h"
#include "session/bonusflow.h"
#include "session/gameflow.h"
#include "session/levelset.h"
#include "tests/testenv.h"

namespace fs = std::filesystem;

namespace {
class BonusReplay : public GameTest {
protected:
  void TearDown() override {
    EnableRecording(false);
    GameTest::TearDown();
  }
};

// The autopilot's steering as the motion event that moves the paddle the
// same, so that the recorder sees it; its fire goes through the dispatch.
void PilotPass(CAutopilot& pilot) {
  CPaddle& paddle = *Game.paddle;
  const int before = paddle.x;
  if (pilot.Tick()) TapFire();
  const int moved = paddle.x - before;
  if (moved == 0) return;
  paddle.x = before;
  Game.event = {};
  Game.event.type = SDL_MOUSEMOTION;
  Game.event.motion.xrel =
      static_cast<Sint16>(moved * (paddle.slow ? 5 : 2) * paddle.direction - Game.motionCarry);
  Game.event.motion.x = static_cast<Uint16>(240 + Game.event.motion.xrel);
  DispatchEvent();
}

// Plays the stage to its end card; returns the ticks it took.
int PlayStage(CAutopilot& pilot) {
  int ticks = 0;
  for (; Game.gameState != gsGameDone && ticks < 4000; ++ticks) {
    PilotPass(pilot);
    LogicTick();
    EndPass(1);
  }
  return ticks;
}
}  // namespace

TEST_F(BonusReplay, EveryKindPaysWithoutCostingALifeAndPlaysBackToItsScore) {
  for (int k = 0; k < BonusKindCount; ++k) {
    const auto kind = static_cast<TBonusKind>(k);
    SCOPED_TRACE(BonusKindName(kind));
    EnableRecording(true);
    StartBonusPractice(kind);
    ASSERT_TRUE(Game.bonusStage);
    CAutopilot pilot(7 + static_cast<uint32_t>(k));
    const int ticks = PlayStage(pilot);
    EXPECT_EQ(Game.gameState, gsGameDone);
    // The card waits for fire: the start press, and the stage's own time.
    EXPECT_LE(ticks, BonusStageTicks(kind) + 80);
    EXPECT_EQ(Game.lives, 3);
    const uint32_t score = Game.score;
    EXPECT_GT(score, 0u);
    EXPECT_EQ(Game.bonusStage->Paid(), score);
    const TReplay replay = FinishRecording();
    EnableRecording(false);

    Game.score = 12345;
    CPlayback playback(replay);
    while (!playback.Done()) playback.Step(false);
    EXPECT_EQ(playback.Mismatch(), "");
    EXPECT_EQ(Game.score, score);
    EXPECT_EQ(Game.gameState, gsGameDone);
  }
}

// A game on the daily set, recorded as the autopilot plays it: its fifth
// level is followed by a stage, and the recording plays back through it to
// the same level ends and score. With REBOUNDER_KEEP_REPLAY set, the
// recording is written there, to be watched.
TEST_F(BonusReplay, ADailyGameRecordsItsStageAndPlaysItBack) {
  const std::string daily = DailySetFolder();
  fs::create_directories(daily);
  for (const TGeneratedLevel& level : GenerateLevels(20261208, 6))
    std::ofstream(fs::path(daily) / level.fileName) << level.source;
  UseLevelSet(LoadSetFolder(daily));
  EnableRecording(true);
  StartNewGame(0);
  CAutopilot pilot(11);
  bool staged = false;
  for (int tick = 0; tick < 40 * 60 * 60 && Game.levelIndex < 5 && Game.gameState != gsGameOver; ++tick) {
    PilotPass(pilot);
    LogicTick();
    EndPass(1);
    staged = staged || Game.bonusStage;
  }
  ASSERT_EQ(Game.levelIndex, 5) << "the sixth level";
  EXPECT_TRUE(staged);
  const TReplay replay = FinishRecording();
  EnableRecording(false);
  ASSERT_EQ(replay.checkpoints.size(), 6u) << "five levels and the stage";
  EXPECT_EQ(replay.checkpoints[5].level, 4) << "the stage ends at the fifth level's place";
  if (const char* keep = std::getenv("REBOUNDER_KEEP_REPLAY")) std::ofstream(keep) << ReplayText(replay);

  CPlayback playback(replay);
  while (!playback.Done()) playback.Step(false);
  EXPECT_EQ(playback.Mismatch(), "");
  EXPECT_EQ(playback.Checkpoints().size(), 6u);
  UseLevelSet(CLevelSet::Classic());
}

// A stage played alone starts its recording with its kind, and the setting
// that brings stages into every set is kept; both need the newer format.
TEST_F(BonusReplay, TheStartAndTheSettingAreKeptInTheNewerFormat) {
  TReplay replay;
  replay.version = BonusReplayVersion;
  replay.start.bonusKind = "wall";
  replay.start.bonusStages = true;
  replay.start.stars.push_back({1, 2, 3});
  const std::string text = ReplayText(replay);
  EXPECT_NE(text.find("start bonus wall\nbonus-stages on\n"), std::string::npos) << text;
  TReplay read;
  std::string error;
  ASSERT_TRUE(ParseReplay(text, read, error)) << error;
  EXPECT_EQ(read.start.bonusKind, "wall");
  EXPECT_TRUE(read.start.bonusStages);
  EXPECT_EQ(ReplayText(read), text);

  auto refused = [](std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    TReplay r;
    std::string error;
    return !ParseReplay(text, r, error);
  };
  EXPECT_EQ(MissingLevel(read), "");
  read.start.bonusKind = "tetris";
  EXPECT_NE(MissingLevel(read).find("\"tetris\""), std::string::npos) << "a kind this version lacks";
  EXPECT_TRUE(refused(text, "stages on", "stages maybe"));
  EXPECT_TRUE(refused(text, "replay 6", "replay 5")) << "an older format knows no stages";
}
