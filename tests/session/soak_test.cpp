// The soak test: the autopilot plays every level from its start at two laps'
// difficulties (experienced and AAARGH: floaters, power-ups, handicaps and
// the fastest balls), and the rules of the play field are checked after every
// tick: every ball inside the field at a finite position, speeds and headings
// within their limits, lists that agree with the game state, no ball ten
// minutes without touching a breakable brick or the paddle, and every level
// cleared, or a life lost, within 45 minutes of game time.
// REBOUNDER_SOAK=N plays N seeds of every level at every lap from 0 to 5
// instead: the long run.
#include <bitset>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "base/globals.h"
#include "field/ball.h"
#include "field/brick.h"
#include "session/level.h"
#include "session/levelrun.h"
#include "session/playcheck.h"
#include "tests/testenv.h"

namespace {
// Sanitizer builds run some twenty times slower; there each level plays at
// one of the two laps, in turn, so that every level and both laps still play.
#ifdef REBOUNDER_SANITIZED
constexpr bool Sanitized = true;
#else
constexpr bool Sanitized = false;
#endif
constexpr int LevelsPerChunk = 5;
constexpr int MaxMinutes = 45;

struct TSoakPlan {
  std::vector<int> laps;
  int runs;
};

TSoakPlan Plan() {
  const char* long_runs = std::getenv("REBOUNDER_SOAK");
  if (long_runs && std::atoi(long_runs) > 0) return {{0, 1, 2, 3, 4, 5}, std::atoi(long_runs)};
  return {{1, 4}, 1};
}

class Soak : public GameTest, public ::testing::WithParamInterface<int> {};
class PlayRules : public GameTest {};
}  // namespace

TEST_P(Soak, EveryLevelClearsOrCostsALifeWithoutBreakingARule) {
  const TSoakPlan plan = Plan();
  const int n = LevelCount();
  // Sound off: mixing every ping costs more than the game itself under the sanitizers.
  Game.optSound.value = false;
  int zapped = 0;
  unsigned kinds = 0;
  for (int level = GetParam() * LevelsPerChunk; level < (GetParam() + 1) * LevelsPerChunk && level < n;
       ++level) {
    for (int lap : plan.laps) {
      if (Sanitized && plan.runs == 1 && lap != plan.laps[static_cast<size_t>(level) % plan.laps.size()])
        continue;
      for (int k = 0; k < plan.runs; ++k) {
        TLevelRun run;
        run.levelIndex = lap * n + level;
        run.seed = 1 + static_cast<uint32_t>(k);
        run.maxTicks = MaxMinutes * 60 * 40;
        const TLevelRunResult result = PlayLevelRun(run);
        std::ostringstream where;
        where << "level " << level + 1 << " (" << Game.levelList[static_cast<size_t>(level)] << ") lap "
              << lap << " seed " << run.seed;
        for (const std::string& note : result.broken) where << "\n  " << note;
        EXPECT_EQ(result.brokenCount, 0) << where.str();
        EXPECT_TRUE(result.cleared || result.livesLost > 0)
            << where.str() << ": neither cleared nor a life lost in " << MaxMinutes << " minutes";
        zapped += result.floatersZapped;
        kinds |= result.kindsCaught;
      }
    }
  }
  // Floaters and power-ups were really in play.
  EXPECT_GT(zapped, 0);
  EXPECT_GE(std::bitset<32>(kinds).count(), 4u);
}

INSTANTIATE_TEST_SUITE_P(Levels, Soak, ::testing::Range(0, 40 / LevelsPerChunk));

TEST_F(PlayRules, TheSameSeedPlaysTheSameGame) {
  TLevelRun run;
  run.levelIndex = 45;
  run.seed = 7;
  run.maxTicks = 4000;
  const TLevelRunResult first = PlayLevelRun(run);
  const uint32_t score = Game.score;
  const TLevelRunResult again = PlayLevelRun(run);
  EXPECT_GT(score, 0u);
  EXPECT_EQ(Game.score, score);
  EXPECT_EQ(again.ticks, first.ticks);
  EXPECT_EQ(again.longestStretch, first.longestStretch);
  run.seed = 8;
  PlayLevelRun(run);
  EXPECT_NE(Game.score, score);
}

// The check itself notices a broken rule.
TEST_F(PlayRules, TheCheckNoticesBrokenRules) {
  StartEmptyPlay();
  Game.levelIndex = 0;
  Game.bricks.Add(new CBrick(100, 100, bcBlue, bsNormal, bbNone));
  CPlayCheck check;
  const auto tick = [&] {
    check.BeforeTick();
    check.AfterTick();
  };
  CBall* ball = Game.balls.Add(new CBall(240, 200, btNormal));
  ball->angle = 300;
  tick();
  EXPECT_EQ(check.BrokenCount(), 0) << (check.Broken().empty() ? "" : check.Broken()[0]);
  const struct {
    float x, y;
    int speed;
  } bad[] = {{10, 200, 4}, {470, 200, 4}, {240, 12, 4}, {NAN, 200, 4}, {240, 200, 9}};
  int expected = 0;
  for (const auto& b : bad) {
    ball->x = b.x;
    ball->y = b.y;
    ball->speed = b.speed;
    tick();
    EXPECT_EQ(check.BrokenCount(), ++expected) << b.x << ", " << b.y << " speed " << b.speed;
  }
  Game.balls.Clear();
  tick();
  EXPECT_EQ(check.BrokenCount(), expected + 1) << "ball play without a ball";
  // A ball that never meets a breakable brick or the paddle for ten minutes.
  Game.balls.Add(new CBall(240, 200, btNormal))->angle = 300;
  for (int t = 0; t < MaxUntouchedTicks; ++t) tick();
  EXPECT_EQ(check.BrokenCount(), expected + 2);
}
