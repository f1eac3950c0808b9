// The game's 40 levels played by the autopilot for four minutes each (fixed
// seed, no power-ups). From the hits a level still needs at the end, the test
// projects its clear time: no level may project past 30 minutes, and the
// projections must rise through the list. One short run is noisy, so the
// order is judged on groups of four neighbouring levels. The level report
// (tools/levelreport) measures whole clears over many runs; this is its cheap
// guard, which the old layouts (two-row corridors, the top reached through
// one-cell cracks) failed on both counts.
#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "base/globals.h"
#include "field/brick.h"
#include "session/levelrun.h"
#include "tests/testenv.h"

namespace {
class LevelDifficulty : public GameTest {};

constexpr int Group = 4;
constexpr int SampleTicks = 4 * 60 * 40;
constexpr int LimitTicks = 30 * 60 * 40;

// Hits still needed to clear the loaded level: two for a whole brick, one for a cracked one.
int HitsLeft() {
  int hits = 0;
  for (int i = 0; i < Game.bricks.Count(); ++i) {
    const CBrick* brick = Game.bricks[i];
    if (brick->special != bsSolid && brick->colour != bcNone) hits += brick->colour == bcCracked ? 1 : 2;
  }
  return hits;
}

// Spearman's rank correlation of the values with their positions.
double RankCorrelation(const std::vector<double>& values) {
  const int n = static_cast<int>(values.size());
  std::vector<int> order(static_cast<size_t>(n));
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](int a, int b) { return values[a] < values[b]; });
  double d2 = 0;
  for (int rank = 0; rank < n; ++rank) d2 += double(rank - order[rank]) * (rank - order[rank]);
  return 1 - 6 * d2 / (double(n) * (double(n) * n - 1));
}

std::string Minutes(double ticks) {
  const int seconds = static_cast<int>(ticks / 40);
  return std::to_string(seconds / 60) + ":" + (seconds % 60 < 10 ? "0" : "") + std::to_string(seconds % 60);
}
}  // namespace

TEST_F(LevelDifficulty, NoLevelProjectsPastHalfAnHourAndTheLevelsGetHarderThroughTheList) {
  const int count = static_cast<int>(Game.levelList.size());
  ASSERT_EQ(count % Group, 0);
  // Sparks and stars change nothing in play; leaving them out saves time.
  Game.optExplosions.value = false;
  Game.optStars.value = false;
  std::vector<double> groups(static_cast<size_t>(count / Group), 0);
  std::string table;
  for (int level = 0; level < count; ++level) {
    TLevelRun run;
    run.levelIndex = level;
    run.seed = 1;
    run.powerUps = false;
    run.maxTicks = 0;
    PlayLevelRun(run);
    const int hits = HitsLeft();
    run.maxTicks = SampleTicks;
    const TLevelRunResult result = PlayLevelRun(run);
    const double projected =
        result.cleared ? result.ticks : double(SampleTicks) * hits / std::max(1, hits - HitsLeft());
    table += std::to_string(level + 1) + " " + Game.levelList[level] + ": " + Minutes(projected) + "\n";
    EXPECT_LE(projected, LimitTicks) << Game.levelList[level] << " would take more than 30 minutes to clear";
    groups[level / Group] += projected / Group;
  }
  std::string groupList;
  for (double g : groups) groupList += " " + Minutes(g);
  EXPECT_GE(RankCorrelation(groups), 0.8) << "projected clear time of each four levels:" << groupList << "\n"
                                          << table;
  for (size_t i = 0; i + 1 < groups.size(); ++i)
    EXPECT_LE(groups[i], 2 * groups[i + 1]) << "levels " << Group * i + 1 << ".." << Group * (i + 1)
                                            << " are more than twice as slow as the next four\n"
                                            << table;
}
