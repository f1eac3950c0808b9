// The new game screen's set line after the built-in set and the player's
// sets: "daily", seeded by the date, and "random", a new seed each time it
// comes round; starting on one makes the set, plays it and gives it a table.
#include <ctime>
#include <filesystem>
#include <fstream>

#include "base/globals.h"
#include "game/input.h"
#include "levels/generatedsets.h"
#include "levels/levelgen.h"
#include "menus/menu.h"
#include "menus/setmaking.h"
#include "platform/datafile.h"
#include "session/levelset.h"
#include "tests/testenv.h"

namespace fs = std::filesystem;

namespace {
class GeneratedSetLine : public GameTest {
protected:
  // The sets are made under the per-user folder every test starts with, empty.
  const fs::path folder = getenv("XDG_DATA_HOME");

  void TearDown() override {
    UseLevelSet(CLevelSet::Classic());
    GameTest::TearDown();
  }

  static int Sources(const std::string& dir) {
    int n = 0;
    for (const auto& entry : fs::directory_iterator(dir)) n += entry.path().extension() == ".lvl";
    return n;
  }
};

TEST_F(GeneratedSetLine, DailyAndRandomComeAfterThePlayersSets) {
  const fs::path mine = folder / "rebounder/levels/mine";
  fs::create_directories(mine);
  fs::copy_file(fs::path(REBOUNDER_TEST_DIR) / "../data/levels/01-go-easy-on-me.lvl", mine / "01.lvl");
  Game.programState = psMenu;
  Game.menuState = msMain;
  Game.menuCursor = 1;
  PressKey(SDLK_RETURN);
  ASSERT_EQ(Game.menuState, msNewGame);
  EXPECT_EQ(Game.newGameSetFolder, "");

  PressKey(SDLK_RIGHT);
  EXPECT_EQ(SetName(Game.newGameSetFolder), "mine");
  PressKey(SDLK_RIGHT);
  EXPECT_EQ(Game.newGameSetFolder, DailySetFolder());
  char today[32];
  const std::time_t now = std::time(nullptr);
  std::strftime(today, sizeof today, "daily %Y-%m-%d", std::localtime(&now));
  EXPECT_EQ(SetName(Game.newGameSetFolder), today);
  PressKey(SDLK_RIGHT);
  const std::string first = Game.newGameSetFolder;
  uint32_t seed = 0;
  ASSERT_TRUE(GeneratedSetSeed(first, seed));
  EXPECT_EQ(SetName(first), "random " + std::to_string(seed));
  PressKey(SDLK_RIGHT);
  EXPECT_EQ(Game.newGameSetFolder, "") << "the line goes round to the built-in set";
  PressKey(SDLK_LEFT);
  EXPECT_NE(Game.newGameSetFolder, first) << "random draws a new seed each time it comes round";
}

// Enter on a set not made yet makes it a slice each frame, showing how far
// it is, then plays it with its own table; a set made before is played as
// it is, and leaving the screen abandons the making.
TEST_F(GeneratedSetLine, ASetIsMadeWhileTheScreenGoesOnThenPlayedWithItsOwnTable) {
  const std::string daily = DailySetFolder();
  uint32_t seed = 0;
  ASSERT_TRUE(GeneratedSetSeed(daily, seed));
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  EXPECT_EQ(seed, static_cast<uint32_t>((local->tm_year + 1900) * 10000 + (local->tm_mon + 1) * 100 +
                                        local->tm_mday));

  Game.programState = psMenu;
  Game.menuState = msNewGame;
  RefreshSetChoices();
  Game.newGameSetFolder = daily;
  Game.menuCursor = 1;
  PressKey(SDLK_RETURN);
  ASSERT_TRUE(SetMaking());
  EXPECT_EQ(Game.programState, psMenu);
  PressKey(SDLK_ESCAPE);
  DrawMenu();
  EXPECT_FALSE(SetMaking()) << "leaving the screen abandons the set";

  Game.menuState = msNewGame;
  Game.menuCursor = 1;
  PressKey(SDLK_RETURN);
  int frames = 0;
  for (; Game.programState == psMenu && frames < 1000; ++frames) {
    DrawMenu();
    if (SetMaking()) {
      EXPECT_EQ(SetMakingProgress().rfind("making the set: ", 0), 0u) << SetMakingProgress();
    }
  }
  EXPECT_GT(frames, 1) << "made in slices, not all in one frame";
  ASSERT_EQ(Game.programState, psGame);
  EXPECT_EQ(Game.levelSetFolder, daily);
  EXPECT_EQ(Sources(daily), DefaultGeneratedCount);
  EXPECT_FALSE(NeedsMaking(daily));
  const std::vector<TGeneratedLevel> levels = GenerateLevels(seed, DefaultGeneratedCount);
  ASSERT_EQ(Game.levelList.size(), levels.size());
  EXPECT_EQ(Game.levelName, levels.front().name);
  EXPECT_EQ(Game.levelIndex, DefaultGeneratedCount) << "the chosen difficulty's lap";
  EXPECT_EQ(Game.levelSetTable, SetTableName(daily));
  EXPECT_NE(Game.levelSetTable, SetTableName(GeneratedSetsFolder() + "daily 2000-01-01"))
      << "a table per date";

  // The player's change to a made set stays.
  const fs::path firstFile = fs::path(daily) / levels.front().fileName;
  { std::ofstream(firstFile, std::ios::app) << "# a note of the player's\n"; }
  const auto size = fs::file_size(firstFile);
  UseLevelSet(CLevelSet::Classic());
  Game.programState = psMenu;
  Game.menuState = msNewGame;
  Game.newGameSetFolder = daily;
  PressKey(SDLK_RETURN);
  EXPECT_EQ(Game.programState, psGame);
  EXPECT_EQ(fs::file_size(firstFile), size);

  EXPECT_FALSE(NeedsMaking((folder / "rebounder/levels/random 5").string()));
  EXPECT_TRUE(NeedsMaking(RandomSetFolder(5)));
}
// A daily set whose files are damaged has them made again, and the game
// plays it; a set that still has no level to play is refused with a notice,
// and no other set is played in its place.
TEST_F(GeneratedSetLine, DamagedFilesAreMadeAgainAndNoOtherSetIsPlayedInstead) {
  const std::string daily = DailySetFolder();
  uint32_t seed = 0;
  ASSERT_TRUE(GeneratedSetSeed(daily, seed));
  const std::vector<TGeneratedLevel> levels = GenerateLevels(seed, DefaultGeneratedCount);
  ASSERT_EQ(WriteGeneratedLevels(levels, daily), "");
  for (const TGeneratedLevel& level : levels) std::ofstream(fs::path(daily) / level.fileName) << "name: x\n";
  EXPECT_TRUE(NeedsMaking(daily));
  Game.programState = psMenu;
  Game.menuState = msNewGame;
  RefreshSetChoices();
  Game.newGameSetFolder = daily;
  Game.menuCursor = 0;
  PressKey(SDLK_RETURN);
  for (int frames = 0; Game.programState == psMenu && frames < 1000; ++frames) DrawMenu();
  ASSERT_EQ(Game.programState, psGame);
  EXPECT_EQ(Game.levelSetFolder, daily);
  EXPECT_EQ(Game.levelName, levels.front().name);
  EXPECT_FALSE(NeedsMaking(daily));

  const fs::path broken = folder / "broken";
  fs::create_directories(broken);
  std::ofstream(broken / "a.lvl") << "name: a\n";
  UseLevelSet(CLevelSet::Classic());
  Game.programState = psMenu;
  Game.menuState = msNewGame;
  Game.newGameSetFolder = broken.string();
  Game.noticeLines[0].clear();
  testing::internal::CaptureStderr();
  PressKey(SDLK_RETURN);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(Game.programState, psMenu) << "no game on another set";
  EXPECT_EQ(Game.levelSetFolder, "");
  EXPECT_EQ(Game.noticeLines[0], "this level set cannot be played");
  EXPECT_NE(said.find("no level of this set can be played"), std::string::npos) << said;
}
}  // namespace
