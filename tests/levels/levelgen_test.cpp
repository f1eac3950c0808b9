// Generated level sets: a seed always writes the same bytes, another seed
// other levels, every level passes the level compiler's checks, and the
// game lists and plays the folder as any other set.
#include "levels/levelgen.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "base/globals.h"
#include "base/random.h"
#include "game/cmdline.h"
#include "levels/levelcheck.h"
#include "levels/levelformat.h"
#include "levels/levelvariety.h"
#include "platform/datafile.h"
#include "session/gameflow.h"
#include "session/level.h"
#include "tests/testenv.h"

namespace fs = std::filesystem;

namespace {
class LevelGenTest : public GameTest {
protected:
  fs::path folder;

  void SetUp() override {
    GameTest::SetUp();
    char temp[] = "/tmp/rebounder-gen-XXXXXX";
    ASSERT_NE(mkdtemp(temp), nullptr);
    folder = temp;
  }
  void TearDown() override {
    fs::remove_all(folder);
    GameTest::TearDown();
  }

  struct TAnswer {
    int status;
    std::string out, err;
  };
  static TAnswer Run(std::vector<std::string> args) {
    std::vector<char*> argv = {const_cast<char*>("rebounder")};
    for (std::string& a : args) argv.push_back(a.data());
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = AnswerCommandLine(ParseCommandLine(static_cast<int>(argv.size()), argv.data()));
    const std::string out = testing::internal::GetCapturedStdout();
    return {status, out, testing::internal::GetCapturedStderr()};
  }

  // Every file of a folder by name, with its bytes.
  static std::map<std::string, std::string> Files(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
      std::ifstream in(entry.path(), std::ios::binary);
      std::stringstream bytes;
      bytes << in.rdbuf();
      files[entry.path().filename().string()] = bytes.str();
    }
    return files;
  }
};

TEST_F(LevelGenTest, ASeedAlwaysWritesTheSameSetAndAnotherSeedAnother) {
  const uint64_t before = RandomState();
  ASSERT_EQ(Run({"--generate", "11", "--count", "12", (folder / "a").string()}).status, 0);
  EXPECT_EQ(RandomState(), before) << "generating must leave play's generator alone";
  ASSERT_EQ(Run({"--generate=11", "--count=12", (folder / "b").string()}).status, 0);
  ASSERT_EQ(Run({"--generate", "12", "--count", "12", (folder / "c").string()}).status, 0);
  const auto a = Files(folder / "a"), b = Files(folder / "b"), c = Files(folder / "c");
  ASSERT_EQ(a.size(), 12u);
  EXPECT_EQ(a, b);
  // In file order, numbered from 01, each named after its level.
  int place = 0;
  for (const auto& [file, text] : a) {
    char number[16];
    std::snprintf(number, sizeof number, "%02d-", ++place);
    EXPECT_EQ(file.substr(0, 3), number);
    const std::string name = CompileSource(text, file).name;
    std::string slug = name;
    std::replace(slug.begin(), slug.end(), ' ', '-');
    EXPECT_EQ(file, number + slug + ".lvl");
  }
  // Another seed: not one level the same.
  auto ai = a.begin();
  for (auto ci = c.begin(); ci != c.end(); ++ci, ++ai)
    EXPECT_NE(CompileSource(ci->second, ci->first).bytes, CompileSource(ai->second, ai->first).bytes);
}

// Every level of a few whole sets compiles with the level compiler's checks
// (enough bricks, all reachable), has a unique two-word name, and the set
// gets harder by the generator's own measure.
TEST_F(LevelGenTest, EveryLevelPassesTheChecksAndTheSetGetsHarder) {
  for (uint32_t seed : {1u, 2026u, 4294967295u}) {
    const std::vector<TGeneratedLevel> levels = GenerateLevels(seed, DefaultGeneratedCount);
    ASSERT_EQ(levels.size(), static_cast<size_t>(DefaultGeneratedCount));
    std::set<std::string> names;
    int firstQuarter = 0, lastQuarter = 0;
    for (size_t i = 0; i < levels.size(); ++i) {
      const TGeneratedLevel& level = levels[i];
      SCOPED_TRACE("seed " + std::to_string(seed) + ", " + level.fileName);
      TCompiledLevel compiled;
      ASSERT_NO_THROW(compiled = CompileSource(level.source, level.fileName));
      EXPECT_EQ(compiled.bytes, level.map);
      EXPECT_GE(BreakableBrickCount(level.map), MinBreakableBricks);
      EXPECT_EQ(std::count(level.name.begin(), level.name.end(), ' '), 1);
      EXPECT_TRUE(names.insert(level.name).second);
      if (i < levels.size() / 4) firstQuarter += ExpectedClearTicks(level.map);
      if (i >= levels.size() * 3 / 4) lastQuarter += ExpectedClearTicks(level.map);
    }
    EXPECT_GT(lastQuarter, 2 * firstQuarter);
  }
}

// Sets use the field as the designed levels do: about as many of its cells,
// as much of it below the top third, a picture reaching below the top third
// in every level, and each level about as different from the one before.
TEST_F(LevelGenTest, GeneratedSetsUseTheWholeFieldAsTheDesignedLevelsDo) {
  std::vector<std::vector<uint8_t>> designed;
  for (const std::string& name : BuiltInLevelNames())
    designed.push_back(ReadFileBytes(LevelPath(name), LevelFileBytes));
  const TVariety aim = MeasureVariety(designed);
  for (uint32_t seed : {1u, 2026u, 4294967295u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::vector<std::vector<uint8_t>> maps;
    for (const TGeneratedLevel& level : GenerateLevels(seed, DefaultGeneratedCount)) {
      maps.push_back(level.map);
      int lowest = 0;
      for (int cell = 0; cell < LevelCells; ++cell)
        if (level.map[LevelHeaderBytes + 2 * cell] != bcNone) lowest = cell / LevelColumns;
      EXPECT_GE(lowest, LevelRows / 3) << level.name;
    }
    const TVariety variety = MeasureVariety(maps);
    EXPECT_NEAR(variety.fieldShare, aim.fieldShare, aim.fieldShare / 5);
    EXPECT_NEAR(variety.neighbourDifference, aim.neighbourDifference, aim.neighbourDifference / 5);
    EXPECT_NEAR(variety.lowerShare, aim.lowerShare, aim.lowerShare / 5);
  }
}

TEST_F(LevelGenTest, TheGameListsAGeneratedSetAndRefusesBadRequests) {
  const std::string dir = (folder / "set").string();
  ASSERT_EQ(Run({"--generate", "5", "--count", "12", dir}).status, 0);
  const TAnswer listed = Run({"--levels", dir, "--list-levels"});
  EXPECT_EQ(listed.status, 0);
  std::string expected;
  for (const auto& [file, text] : Files(dir)) expected += CompileSource(text, file).name + "\n";
  EXPECT_EQ(listed.out, expected);
  EXPECT_TRUE(listed.err.empty()) << listed.err;

  for (const std::vector<std::string>& bad : {std::vector<std::string>{"--generate", "x1", dir},
                                              {"--generate", "4294967296", dir},
                                              {"--generate", "1", "--count", "0", dir},
                                              {"--generate", "1", "--count", "1000", dir},
                                              {"--generate", "1"},
                                              {"--count", "3", dir}}) {
    const TAnswer answer = Run(bad);
    EXPECT_EQ(answer.status, 2) << bad[0] << " " << bad[1];
    EXPECT_FALSE(answer.err.empty());
  }
}
// A folder that holds a generated set has it replaced, saying which; one
// that holds sources of the player's is refused and left as it was.
TEST_F(LevelGenTest, AGeneratedSetReplacesOnlyAGeneratedSet) {
  const std::string dir = (folder / "set").string();
  ASSERT_EQ(Run({"--generate", "0", "--count", "4", dir}).status, 0);
  const TAnswer replaced = Run({"--generate", "7", "--count", "3", dir});
  ASSERT_EQ(replaced.status, 0) << replaced.err;
  EXPECT_NE(replaced.out.find("in place of the set of seed 0"), std::string::npos) << replaced.out;
  const auto files = Files(dir);
  EXPECT_EQ(files.size(), 3u);
  for (const auto& [file, text] : files)
    EXPECT_NE(text.find("--generate 7 --count 3"), std::string::npos) << file;

  { std::ofstream(folder / "set" / "mine.lvl") << "name: mine\n"; }
  const TAnswer refused = Run({"--generate", "8", "--count", "3", dir});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("mine.lvl"), std::string::npos) << refused.err;
  auto left = files;
  left["mine.lvl"] = "name: mine\n";
  EXPECT_EQ(Files(dir), left);
}

// Two copies making the same set at the same moment both succeed, and the
// set is as one copy alone makes it.
TEST_F(LevelGenTest, TwoCopiesMakingOneSetAtOnceBothSucceed) {
  const std::vector<TGeneratedLevel> levels = GenerateLevels(3, 40);
  const std::string dir = (folder / "both").string(), alone = (folder / "alone").string();
  ASSERT_EQ(WriteGeneratedLevels(levels, alone), "");
  pid_t children[2];
  for (pid_t& child : children) {
    child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // Each file waits a moment before its rename, as on a loaded machine,
      // so that the two copies' writes cross.
      SetBeforeRenameHook([](const std::string&) { usleep(2000); });
      for (int round = 0; round < 5; ++round)
        if (!WriteGeneratedLevels(levels, dir).empty()) _exit(1);
      _exit(0);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a copy could not write the set";
  }
  EXPECT_EQ(Files(dir), Files(alone));
}
}  // namespace
