// Level sets: a player's folder of sources compiled in file-name order, bad
// sources left out with their reasons, and a table of each set's own.
#include "play/levelset.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/globals.h"
#include "game/cmdline.h"
#include "game/input.h"
#include "game/mainloop.h"
#include "play/brick.h"
#include "play/gameflow.h"
#include "play/keptgame.h"
#include "play/level.h"
#include "replay/playback.h"
#include "replay/recorder.h"
#include "replay/replay.h"
#include "screens/menu.h"
#include "store/highscores.h"
#include "tests/testenv.h"

namespace fs = std::filesystem;

namespace {
class LevelSetTest : public GameTest {
protected:
  fs::path home, folder;
  std::string savedXdg;

  void SetUp() override {
    GameTest::SetUp();
    home = fs::current_path();
    char temp[] = "/tmp/rebounder-sets-XXXXXX";
    ASSERT_NE(mkdtemp(temp), nullptr);
    folder = temp;
    fs::current_path(folder);
    savedXdg = getenv("XDG_DATA_HOME") ? getenv("XDG_DATA_HOME") : "";
    setenv("XDG_DATA_HOME", (folder / "xdg").c_str(), 1);
  }
  void TearDown() override {
    setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
    fs::current_path(home);
    fs::remove_all(folder);
    GameTest::TearDown();
  }

  // A source of the built-in first level under another name, or with one
  // line replaced.
  static std::string Source(const std::string& name, const std::string& badRow = "") {
    std::ifstream in(fs::path(REBOUNDER_TEST_DIR) / "../data/levels/01-go-easy-on-me.lvl");
    std::stringstream text;
    text << in.rdbuf();
    std::string s = text.str();
    s.replace(s.find("name: go easy on me"), 19, "name: " + name);
    if (!badRow.empty()) s.replace(s.rfind("|. . . . . . . . . . . . . . |"), 30, badRow);
    return s;
  }
  static void Put(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
  }
};

TEST_F(LevelSetTest, SourcesCompileInFileNameOrderAndBadOnesAreLeftOutWithTheirReasons) {
  const fs::path set = folder / "xdg/rebounder/levels/mine";
  Put(set / "20-b.lvl", Source("second"));
  Put(set / "10-a.lvl", Source("first"));
  Put(set / "15-bad.lvl", Source("broken", "|. . . . . . . . . . . . x . |"));
  Put(set / "16-twin.lvl", Source("first"));
  Put(set / "notes.txt", "not a level");
  Put(folder / "xdg/rebounder/levels/empty/only.lvl", Source("bad", "|x|"));

  const CLevelSet loaded = CLevelSet::Load(set.string());
  EXPECT_EQ(loaded.name, "mine");
  ASSERT_EQ(loaded.levels.size(), 2u);
  EXPECT_EQ(loaded.levels[0].name, "first");
  EXPECT_EQ(loaded.levels[1].name, "second");
  ASSERT_EQ(loaded.problems.size(), 2u);
  EXPECT_NE(loaded.problems[0].find("15-bad.lvl:"), std::string::npos) << loaded.problems[0];
  EXPECT_NE(loaded.problems[0].find("row 18, column 13"), std::string::npos) << loaded.problems[0];
  EXPECT_NE(loaded.problems[1].find("already used"), std::string::npos) << loaded.problems[1];

  // The built-in set first; a set with no playable level is not offered.
  const std::vector<std::string> choices = SetFolderChoices();
  ASSERT_EQ(choices.size(), 2u);
  EXPECT_EQ(choices[0], "");
  EXPECT_EQ(SetName(choices[1]), "mine");

  // The set's maps are what its levels load.
  UseLevelSet(loaded);
  EXPECT_EQ(Game.levelList, (std::vector<std::string>{"first", "second"}));
  LoadLevel("second", 0, 0);
  int bricks = 0;
  for (int i = 0; i < Game.bricks.Count(); ++i) bricks += Game.bricks[i]->colour != bcNone;
  EXPECT_GT(bricks, 20);
}

TEST_F(LevelSetTest, EachSetKeepsItsOwnTableAndTheBuiltInTableIsUntouched) {
  const fs::path set = folder / "xdg/rebounder/levels/mine";
  Put(set / "a.lvl", Source("first"));
  std::string table;
  for (int row = 0; row < 10; ++row) table += std::string(10, 'A') + std::string{char(100 - row), 0, 0, 0};
  Put(folder / "xdg/rebounder/highscores.dat", table);
  const auto classic = [&] {
    std::ifstream in(folder / "xdg/rebounder/highscores.dat", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const std::string before = classic();

  UseLevelSet(CLevelSet::Load(set.string()));
  LoadHighScores();
  EXPECT_EQ(Game.highScores[0]->name, "VORTEX    ");
  Game.score = 1000;  // a game on the set enters its table
  ASSERT_EQ(RankScore(), 1);
  ASSERT_TRUE(SaveHighScores());
  EXPECT_TRUE(fs::exists(folder / "xdg/rebounder/tables/mine/highscores.dat"));
  EXPECT_EQ(classic(), before);

  UseLevelSet(CLevelSet::Classic());
  LoadHighScores();
  EXPECT_EQ(Game.highScores[0]->name, "AAAAAAAAAA");
  UseLevelSet(CLevelSet::Load(set.string()));
  LoadHighScores();
  EXPECT_EQ(Game.highScores[0]->score, 1000u);
}

TEST_F(LevelSetTest, TheCommandLineListsAndRefusesSets) {
  const fs::path set = folder / "shared";
  Put(set / "a.lvl", Source("only one"));
  const char* list[] = {"rebounder", "--list-levels", "--levels", set.c_str()};
  testing::internal::CaptureStdout();
  EXPECT_EQ(AnswerCommandLine(ParseCommandLine(4, const_cast<char**>(list))), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "only one\n");

  const char* missing[] = {"rebounder", "--levels", set.c_str(), "--level", "go easy on me"};
  testing::internal::CaptureStderr();
  EXPECT_EQ(AnswerCommandLine(ParseCommandLine(5, const_cast<char**>(missing))), 2);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("only one"), std::string::npos);

  const std::string empty = (folder / "nothing").string();
  fs::create_directories(empty);
  const char* none[] = {"rebounder", "--levels", empty.c_str()};
  testing::internal::CaptureStderr();
  EXPECT_EQ(AnswerCommandLine(ParseCommandLine(3, const_cast<char**>(none))), 1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("no level"), std::string::npos);
}
// A game kept on a player's set (named by a relative path) resumes on that set
// with its table at the next start, whatever set is in use then, and its
// recording plays back on it; once the set lost the level, the kept game is
// refused with one line.
TEST_F(LevelSetTest, AKeptGameRemembersItsSet) {
  const fs::path set = folder / "xdg/rebounder/levels/mine";
  for (const char* name : {"a", "b", "c"}) Put(set / (std::string(name) + ".lvl"), Source(name));
  UseLevelSet(CLevelSet::Load("xdg/rebounder/levels/mine"));
  LoadHighScores();
  Game.score = 1000;
  ASSERT_EQ(RankScore(), 1);
  ASSERT_TRUE(SaveHighScores());
  Game.levelIndex = 3;
  Game.score = 70;
  Game.lives = 2;
  NextLevel();
  Game.gameState = gsBallInGame;
  ASSERT_TRUE(SaveGameForLater(GameToKeep()));

  const auto nextStart = [] {
    UseLevelSet(CLevelSet::Classic());
    LoadHighScores();
    testing::internal::CaptureStderr();
    LoadSavedGame();
    return testing::internal::GetCapturedStderr();
  };
  const auto chooseContinue = [] {
    Game.programState = psMenu;
    Game.menuState = msMain;
    Game.menuCursor = 0;
    HandleMenuKey(SDLK_RETURN);
  };
  EXPECT_EQ(nextStart(), "");
  EnableRecording(true);
  chooseContinue();
  EXPECT_EQ(Game.levelSetFolder, set.string());
  EXPECT_TRUE(Game.programState == psGame && Game.levelName == "b" && Game.levelIndex == 4 &&
              Game.score == 70);
  EXPECT_EQ(Game.highScores[0]->score, 1000u);
  for (int tick = 0; tick < 200; ++tick) {
    if (tick == 2) PressKey(SDLK_SPACE);
    LogicTick();
    CheckGameFlow();
    RecordPass(1);
  }
  const TReplay recorded = FinishRecording();
  EnableRecording(false);
  TReplay read;
  std::string error;
  ASSERT_TRUE(ParseReplay(ReplayText(recorded), read, error)) << error;
  EXPECT_TRUE(read.start.resumed && read.start.levelSetFolder == set.string());
  UseLevelSet(CLevelSet::Classic());
  {
    CPlayback playback(read);
    while (!playback.Done()) playback.Step(false);
    EXPECT_EQ(playback.Mismatch(), "");
    EXPECT_EQ(playback.Summary(), recorded.end);
  }

  // The set changes under a kept game: at the next start, or while the menu waits.
  ASSERT_TRUE(SaveGameForLater(GameToKeep()));
  fs::remove(set / "b.lvl");
  std::string report = nextStart();
  EXPECT_FALSE(Game.haveSavedGame);
  EXPECT_NE(report.find("its level \"b\" is not in the level set \"mine\" (" + set.string() + ")"),
            std::string::npos)
      << report;
  EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
  Put(set / "b.lvl", Source("b"));
  EXPECT_EQ(nextStart(), "");
  EXPECT_TRUE(Game.haveSavedGame);
  fs::remove_all(set);
  testing::internal::CaptureStderr();
  chooseContinue();
  report = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(Game.programState == psMenu && !Game.haveSavedGame && Game.levelSetFolder.empty());
  EXPECT_NE(report.find("is gone"), std::string::npos) << report;
  EXPECT_TRUE(fs::exists(SavedGamePath())) << "the file stays for the player to look at";
}
}  // namespace
