// Level sets: a player's folder of sources compiled in file-name order, bad
// sources left out with their reasons, and a table of each set's own.
#include "session/levelset.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/globals.h"
#include "field/brick.h"
#include "game/cmdline.h"
#include "game/input.h"
#include "game/mainloop.h"
#include "game/playback.h"
#include "menus/menu.h"
#include "replay/recorder.h"
#include "replay/replay.h"
#include "session/gameflow.h"
#include "session/keptgame.h"
#include "session/level.h"
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
  // The readable starts of the table folders, up to their hash.
  std::vector<std::string> TableFolders() const {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder / "xdg/rebounder/tables", error)) {
      const std::string name = entry.path().filename().string();
      names.push_back(name.substr(0, name.rfind('-') + 1));
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  // Plays a game of `score` on the set, saving its table, and returns the best score the table then has.
  static uint32_t ScoreOn(const std::string& set, uint32_t score) {
    UseLevelSet(LoadSetFolder(set));
    LoadHighScores();
    Game.score = score;
    RankScore();
    EXPECT_TRUE(SaveHighScores());
    return Game.highScores[0]->score;
  }
  static std::string FileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

// Names are read in file-name order with the quick checks (the source parses
// and has enough bricks) and without the ball's; a source is compiled when it
// is first reached, and one that fails is passed over, its reason said once.
// A level that fails is never listed or played.
TEST_F(LevelSetTest, SourcesCompileInFileNameOrderAndBadOnesAreLeftOutWithTheirReasons) {
  const fs::path set = folder / "xdg/rebounder/levels/mine";
  Put(set / "20-b.lvl", Source("second"));
  Put(set / "10-a.lvl", Source("first"));
  // A blue brick in the top corner shut in by gray ones: it reads, but the ball never reaches it.
  std::string shutIn = Source("broken");
  const std::string empty = "|. . . . . . . . . . . . . . |";
  shutIn.replace(shutIn.find(empty), empty.size(), "|b # . . . . . . . . . . . . |");
  shutIn.replace(shutIn.find(empty), empty.size(), "|# # . . . . . . . . . . . . |");
  Put(set / "15-bad.lvl", shutIn);
  Put(set / "16-twin.lvl", Source("first"));
  Put(set / "17-nameless.lvl", "# no name line\n");
  std::string draft = "name: draft\n";
  for (int row = 0; row < 18; ++row)
    draft += row == 5 ? "|. . r r r . . . . . . . . . |\n" : "|. . . . . . . . . . . . . . |\n";
  Put(set / "18-draft.lvl", draft);
  Put(set / "19-cut.lvl", Source("cut").substr(0, Source("cut").find("name: cut") + 10));
  Put(set / "notes.txt", "not a level");
  Put(folder / "xdg/rebounder/levels/empty/only.lvl", "|. |\n");

  const CLevelSet loaded = CLevelSet::Load(set.string());
  EXPECT_EQ(loaded.name, "mine");
  ASSERT_EQ(loaded.levels.size(), 3u);
  EXPECT_EQ(loaded.levels[0].name, "first");
  EXPECT_EQ(loaded.levels[1].name, "broken");
  EXPECT_EQ(loaded.levels[2].name, "second");
  for (const TSetLevel& level : loaded.levels) EXPECT_TRUE(level.map.empty()) << "not compiled yet";
  ASSERT_EQ(loaded.problems.size(), 4u);
  EXPECT_NE(loaded.problems[0].find("already used"), std::string::npos) << loaded.problems[0];
  EXPECT_NE(loaded.problems[1].find("17-nameless.lvl:1: no 'name:' line"), std::string::npos)
      << loaded.problems[1];
  EXPECT_NE(loaded.problems[2].find("18-draft.lvl: "), std::string::npos) << loaded.problems[2];
  EXPECT_NE(loaded.problems[3].find("19-cut.lvl"), std::string::npos) << loaded.problems[3];

  // The built-in set first; a set with no playable level is not offered.
  const std::vector<std::string> choices = SetFolderChoices();
  ASSERT_EQ(choices.size(), 2u);
  EXPECT_EQ(choices[0], "");
  EXPECT_EQ(SetName(choices[1]), "mine");

  // The set's maps are what its levels load.
  UseLevelSet(loaded);
  EXPECT_EQ(Game.levelList, (std::vector<std::string>{"first", "broken", "second"}));
  const auto bricks = [] {
    int count = 0;
    for (int i = 0; i < Game.bricks.Count(); ++i) count += Game.bricks[i]->colour != bcNone;
    return count;
  };
  LoadLevel("second", 0, 0);
  EXPECT_GT(bricks(), 20);
  for (int time = 0; time < 2; ++time) {
    testing::internal::CaptureStderr();
    LoadLevel("broken", 0, 0);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(bricks(), 0);
    if (time == 0) {
      EXPECT_NE(said.find("15-bad.lvl:"), std::string::npos) << said;
      EXPECT_NE(said.find("row 1, column 1: the ball can never reach"), std::string::npos) << said;
    } else {
      EXPECT_EQ(said, "") << "said once";
    }
    UseLevelSet(CLevelSet::Load(set.string()));
  }
  // Reached in play, it is passed over; listed, it is left out.
  Game.levelIndex = 0;
  NextLevel();
  EXPECT_EQ(Game.levelName, "second");
  EXPECT_EQ(Game.levelIndex, 2);
  Game.commandLine = {};
  std::vector<char*> argv = {const_cast<char*>("rebounder"), const_cast<char*>("--levels"),
                             const_cast<char*>(set.c_str()), const_cast<char*>("--list-levels")};
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  EXPECT_EQ(AnswerCommandLine(ParseCommandLine(static_cast<int>(argv.size()), argv.data())), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "first\nsecond\n");
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("15-bad.lvl:"), std::string::npos) << said;
  EXPECT_NE(said.find("18-draft.lvl"), std::string::npos) << said;
}

// A set of exactly as many files as a set can have plays them all; one more
// plays the first ones and says so in one line. Its levels are not compiled
// to be listed, and a level is compiled once, however often it is played.
TEST_F(LevelSetTest, ABigSetIsCappedAndCompiledOnlyAsItIsPlayed) {
  const fs::path set = folder / "big";
  const std::string level = Source("level");
  fs::create_directories(set);
  for (size_t i = 0; i <= MostSetLevels; ++i) {
    if (i == MostSetLevels) {
      testing::internal::CaptureStderr();
      EXPECT_EQ(CLevelSet::Load(set.string()).levels.size(), MostSetLevels);
      EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "exactly as many as a set can have";
    }
    char name[32];
    std::snprintf(name, sizeof name, "%04zu.lvl", i);
    std::string text = level;
    text.replace(text.find("name: level"), 11, "name: level " + std::to_string(i));
    std::ofstream(set / name) << text;
  }
  testing::internal::CaptureStderr();
  const CLevelSet big = CLevelSet::Load(set.string());
  CLevelSet::Load(set.string());
  const std::string said = testing::internal::GetCapturedStderr();
  ASSERT_EQ(big.levels.size(), MostSetLevels);
  EXPECT_EQ(big.levels.back().name, "level 999");
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_NE(said.find("1001 level files, more than the 1000 a set can have"), std::string::npos) << said;
  EXPECT_NE(said.find("from 1000.lvl on"), std::string::npos) << said;

  UseLevelSet(big);
  LoadLevel("level 500", 0, 0);
  EXPECT_EQ(*SetLevelMap("level 500"), CompiledLevel((set / "0500.lvl").string()));
  EXPECT_GT(Game.bricks.Count(), 20);
  // What is known of a file is known only while it is unchanged.
  std::ofstream(set / "0500.lvl") << Source("renamed");
  fs::last_write_time(set / "0500.lvl", fs::last_write_time(set / "0500.lvl") + std::chrono::seconds(2));
  EXPECT_EQ(CLevelSet::Load(set.string()).levels[500].name, "renamed");
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
  EXPECT_EQ(Game.highScores.Count(), 0) << "a player's set starts with an empty table";
  Game.score = 0;
  EXPECT_EQ(RankScore(), 0) << "a score of 0 never enters";
  Game.score = 40;  // a game on the set enters its table
  ASSERT_EQ(RankScore(), 1);
  Game.score = 1000;
  ASSERT_EQ(RankScore(), 1);
  ASSERT_TRUE(SaveHighScores());
  EXPECT_EQ(TableFolders(), std::vector<std::string>{"mine-"});
  EXPECT_EQ(fs::file_size(SetFilePath(Game.levelSetTable, "highscores.dat")), 140u)
      << "ten records, eight free";
  EXPECT_EQ(classic(), before);

  UseLevelSet(CLevelSet::Classic());
  LoadHighScores();
  EXPECT_EQ(Game.highScores[0]->name, "AAAAAAAAAA");
  EXPECT_EQ(Game.highScores.Count(), 10) << "the built-in set keeps its ten rows";
  UseLevelSet(CLevelSet::Load(set.string()));
  LoadHighScores();
  ASSERT_EQ(Game.highScores.Count(), 2);
  EXPECT_EQ(Game.highScores[0]->score, 1000u);
  EXPECT_EQ(Game.highScores[1]->score, 40u);
}

// A set's table folder comes from the resolved folder: "mine/sub/.." and
// "." inside it are the set "mine" with its one table, never the built-in
// table or a folder "..", and two folders that would be shown alike
// ("classic (yours)" beside "classic", two called "mine") keep two tables.
// A table kept under the set's name alone is carried over, left in place.
TEST_F(LevelSetTest, ATablesFolderComesFromTheResolvedSetFolder) {
  const fs::path data = folder / "xdg/rebounder", mine = folder / "a/mine";
  for (const fs::path& set : {mine, folder / "b/mine", folder / "c/classic", folder / "c/classic (yours)"})
    Put(set / "a.lvl", Source("first"));
  fs::create_directories(mine / "sub");
  ScoreOn("", 30);
  const std::string classic = FileText(data / "highscores.dat");

  EXPECT_EQ(ScoreOn((mine / "sub/..").string(), 1000), 1000u);
  EXPECT_EQ(Game.levelSetName, "mine");
  fs::current_path(mine);
  EXPECT_EQ(ScoreOn(".", 900), 1000u) << "the same set, the same table";
  EXPECT_EQ(Game.levelSetName, "mine");
  EXPECT_EQ(ScoreOn((folder / "b/mine").string(), 800), 800u) << "another set called mine";
  EXPECT_EQ(ScoreOn((folder / "c/classic").string(), 700), 700u);
  EXPECT_EQ(Game.levelSetName, "classic (yours)");
  EXPECT_EQ(ScoreOn((folder / "c/classic (yours)").string(), 600), 600u);
  EXPECT_EQ(FileText(data / "highscores.dat"), classic) << "the built-in table is untouched";
  EXPECT_FALSE(fs::exists(data / "tables/highscores.dat"));
  EXPECT_EQ(TableFolders(), (std::vector<std::string>{"classic-", "classic__yours_-", "mine-", "mine-"}));

  // A table of the old kind, under the folder's name alone.
  const fs::path old = folder / "d/old";
  Put(old / "a.lvl", Source("first"));
  fs::create_directories(data / "tables/old/replays");
  fs::copy_file(
      data / "tables" / fs::directory_iterator(data / "tables")->path().filename() / "highscores.dat",
      data / "tables/old/highscores.dat");
  const std::string oldTable = FileText(data / "tables/old/highscores.dat");
  UseLevelSet(CLevelSet::Load(old.string()));
  LoadHighScores();
  EXPECT_GE(Game.highScores[0]->score, 600u) << "the old table is the set's";
  EXPECT_EQ(FileText(data / "tables/old/highscores.dat"), oldTable) << "and stays where it was";
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

namespace {
// A kept game comes back on its set whatever the set's folder is called: a
// line end, a control character or a backslash in the name is escaped in
// the file, and a plain name is written as before (format 2).
TEST_F(LevelSetTest, AKeptGameOnAnyFolderNameComesBack) {
  for (const std::string name : {"plain", "two\nlines", "back\\slash\\n", "tab\there\x1b[2J"}) {
    const fs::path set = folder / name;
    Put(set / "a.lvl", Source("a"));
    UseLevelSet(CLevelSet::Load(set.string()));
    Game.levelIndex = -1;
    NextLevel();
    Game.gameState = gsBallInGame;
    ASSERT_TRUE(SaveGameForLater(GameToKeep()));
    const std::string text = FileText(SavedGamePath());
    EXPECT_EQ(text.rfind(name == "plain" ? "rebounder-saved-game 2\n" : "rebounder-saved-game 4\n", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7) << text;
    testing::internal::CaptureStderr();
    LoadSavedGame();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(Game.haveSavedGame) << name;
    EXPECT_EQ(Game.savedGame.setFolder, set.string());
  }
  // A hot-seat game on such a folder too.
  TKeptGame seats(0, "a", 30, 1, (folder / "two\nlines").string());  // the fields of the player at play
  seats.players = {{"ANN", 0, "a", 10, 2}, {"BOB", 0, "a", 30, 1}};
  seats.turn = 1;
  ASSERT_TRUE(SaveGameForLater(seats));
  LoadSavedGame();
  EXPECT_TRUE(Game.haveSavedGame && Game.savedGame == seats);
  // What the escaping never writes is refused.
  for (const char* bad : {"\\q", "\\x41", "\\x0A", "\\x0", "end\\"}) {
    TKeptGame game;
    std::string text = "rebounder-saved-game 4\nset " + folder.string() + "/" + bad + "\nlevel 0 a\nlap 0\n" +
                       "score 0\nlives 3\n",
                error;
    EXPECT_FALSE(ParseSavedGame(text + "check 00000000\n", game, error));
    EXPECT_EQ(error, "damaged: its level set line is unusable") << bad;
  }
}
// A hot-seat game whose set's folder is gone says so, as a game of one does,
// however far into the set its players were.
TEST_F(LevelSetTest, AHotSeatGameWhoseSetIsGoneSaysSo) {
  const fs::path set = folder / "mine";
  Put(set / "a.lvl", Source("a"));
  Put(set / "b.lvl", Source("b"));
  UseLevelSet(CLevelSet::Load(set.string()));
  StartNewGame(0, {"ANN", "BOB"});
  NextLevel();
  Game.gameState = gsBallInGame;
  const std::string text = SavedGameText(GameToKeep());
  fs::remove_all(set);
  UseLevelSet(CLevelSet::Classic());
  TKeptGame read;
  std::string error;
  EXPECT_FALSE(ParseSavedGame(text, read, error));
  EXPECT_EQ(error, "its level set \"mine\" is gone (" + set.string() + ")");
}
// The new game screen offers the player's sets without reading every level
// of each: ten sets of a thousand levels are looked through well within a
// frame, the first time and after.
TEST_F(LevelSetTest, ManyBigSetsAreOfferedWithoutWaiting) {
  const fs::path sets = folder / "xdg/rebounder/levels";
  Put(folder / "level.lvl", Source("level"));
  for (int set = 0; set < 10; ++set) {
    const fs::path dir = sets / ("set" + std::to_string(set));
    fs::create_directories(dir);
    for (int i = 0; i < 1000; ++i)
      fs::create_hard_link(folder / "level.lvl", dir / (std::to_string(i) + ".lvl"));
  }
  Put(sets / "a-unplayable/a.lvl", "name: a\n");  // looked at first
  for (int opening = 0; opening < 2; ++opening) {
    const auto start = std::chrono::steady_clock::now();
    const std::vector<std::string> choices = SetFolderChoices();
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::milliseconds(200)) << "opening " << opening;
    EXPECT_EQ(choices.size(), 11u) << "the built-in set and the ten, not the unplayable one";
  }
}
}  // namespace
