// The data files and the high-score table: options.dat and highscores.dat
// round trips, damaged, short and read-only files, saves that die half-way,
// ranking a finished game and typing a name, and where the files live. Every
// test runs in a fresh temporary folder, never in the game's own or the
// player's home.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "field/gameflow.h"
#include "field/level.h"
#include "platform/fatal.h"
#include "shell/clock.h"
#include "shell/globals.h"
#include "shell/input.h"
#include "shell/mainloop.h"
#include "store/datafile.h"
#include "store/highscores.h"
#include "store/options.h"
#include "store/savedgame.h"
#include "tests/screencheck.h"
#include "tests/testenv.h"
#include "ui/menu.h"
#include "ui/notice.h"

namespace {
using Bytes = std::vector<unsigned char>;

class StoreTest : public GameTest {
protected:
  std::string home, folder, userData, savedXdg, savedHome;

  void SetUp() override {
    GameTest::SetUp();
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    home = cwd;
    char temp[] = "/tmp/rebounder-store-XXXXXX";
    ASSERT_NE(mkdtemp(temp), nullptr);
    folder = temp;
    ASSERT_EQ(chdir(folder.c_str()), 0);
    userData = folder + "/xdg/rebounder/";
    savedXdg = getenv("XDG_DATA_HOME") ? getenv("XDG_DATA_HOME") : "";
    savedHome = getenv("HOME") ? getenv("HOME") : "";
    setenv("XDG_DATA_HOME", (folder + "/xdg").c_str(), 1);
  }
  void TearDown() override {
    SetBeforeRenameHook(nullptr);
    setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
    setenv("HOME", savedHome.c_str(), 1);
    EXPECT_EQ(chdir(home.c_str()), 0);
    std::filesystem::remove_all(folder);
    GameTest::TearDown();
  }

  static void Write(const char* path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  // Reads a data file where the game keeps it.
  static Bytes Read(const char* name) {
    std::ifstream in(DataFilePath(name), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static std::vector<bool> OptionValues() {
    return {Game.optBackground.value, Game.optStars.value, Game.optExplosions.value,
            Game.optMusic.value,      Game.optSound.value, Game.optFullscreen.value};
  }
  // The fatal message of a load, or "" when it did not stop.
  template <class F>
  static std::string FatalMessage(F load) {
    try {
      load();
    } catch (const TFatalError& e) {
      return e.what();
    }
    return "";
  }
  static Bytes ScoreFile(const char* firstName, uint32_t firstScore) {
    Bytes bytes;
    for (int k = 0; k < 10; ++k) {
      const std::string name = k == 0 ? firstName : "PLAYER" + std::to_string(k) + "   ";
      bytes.insert(bytes.end(), name.begin(), name.begin() + 10);
      const uint32_t score = k == 0 ? firstScore : static_cast<uint32_t>(1000 - k);
      for (int b = 0; b < 4; ++b) bytes.push_back(static_cast<unsigned char>(score >> (8 * b)));
    }
    return bytes;
  }
  static void TypeKeys(std::initializer_list<SDLKey> keys) {
    for (SDLKey k : keys) NameEntryKey(k);
  }
};

TEST_F(StoreTest, OptionsRoundTripAndOnlyOneMeansOn) {
  Write("options.dat", {1, 0, 1, 0, 1, 0});
  LoadOptions();
  EXPECT_EQ(OptionValues(), (std::vector<bool>{true, false, true, false, true, false}));
  ASSERT_TRUE(SaveOptions());
  EXPECT_EQ(Read("options.dat"), (Bytes{1, 0, 1, 0, 1, 0}));

  Write("options.dat", {2, 255, 1, 1, 0, 1, 9, 9});
  LoadOptions();
  EXPECT_EQ(OptionValues(), (std::vector<bool>{false, false, true, true, false, true}));
  for (COption* o : {&Game.optBackground, &Game.optMusic, &Game.optFullscreen})
    EXPECT_FALSE(o->applied) << "a loaded option must still be applied";
  ASSERT_TRUE(SaveOptions());
  EXPECT_EQ(Read("options.dat"), (Bytes{0, 0, 1, 1, 0, 1}))
      << "damaged bytes are written back as off, extra bytes go";
}

TEST_F(StoreTest, MissingOptionsFileMeansAllOnAndSavesSixBytes) {
  Game.optStars.value = false;
  LoadOptions();
  EXPECT_EQ(OptionValues(), std::vector<bool>(6, true));
  ASSERT_TRUE(SaveOptions());
  EXPECT_EQ(Read("options.dat"), Bytes(6, 1));
  EXPECT_FALSE(std::filesystem::exists(DataFilePath("options.dat.new")))
      << "the temporary file must not be left behind";
}

// A folder that already holds either file keeps both there; otherwise they go
// to the per-user folder, made on the first save.
TEST_F(StoreTest, DataFilesStayInAFolderThatHoldsThemElsePerUser) {
  EXPECT_EQ(DataFilePath("options.dat"), userData + "options.dat");
  EXPECT_FALSE(std::filesystem::exists(userData)) << "nothing is created before a save";
  LoadOptions();
  LoadHighScores();
  Game.optStars.SetValue(false);
  ASSERT_TRUE(SaveDataFiles());
  EXPECT_EQ(Read("options.dat"), (Bytes{1, 0, 1, 1, 1, 1}));
  EXPECT_EQ(Read("highscores.dat").size(), 140u);
  EXPECT_FALSE(std::filesystem::exists("options.dat"));

  const Bytes scores = ScoreFile("OLDFOLDER ", 900);
  Write("highscores.dat", scores);
  EXPECT_EQ(DataFilePath("options.dat"), "options.dat");
  LoadOptions();
  LoadHighScores();
  EXPECT_TRUE(Game.optStars.value) << "the folder's own (missing) options, not the per-user ones";
  EXPECT_EQ(Game.highScores[0]->name, "OLDFOLDER ");
  ASSERT_TRUE(SaveDataFiles());
  EXPECT_EQ(Read("options.dat"), Bytes(6, 1));
  std::remove("highscores.dat");
  std::remove("options.dat");

  setenv("XDG_DATA_HOME", "relative/ignored", 1);
  setenv("HOME", folder.c_str(), 1);
  EXPECT_EQ(DataFilePath("highscores.dat"), folder + "/.local/share/rebounder/highscores.dat");
}

TEST_F(StoreTest, UnwritableHomeGivesOneLineAndTheGameGoesOn) {
  // A file where a folder should be stops even root, unlike permissions.
  Write("home", {});
  setenv("XDG_DATA_HOME", (folder + "/home/data").c_str(), 1);
  LoadOptions();
  LoadHighScores();
  testing::internal::CaptureStderr();
  EXPECT_FALSE(SaveDataFiles());
  const std::string report = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
  EXPECT_NE(report.find(folder + "/home/data"), std::string::npos) << report;
}

TEST_F(StoreTest, FullscreenChosenForOneRunKeepsTheSavedOption) {
  Write("options.dat", {1, 1, 1, 1, 1, 0});
  LoadOptions();
  Game.optFullscreen.OverrideForThisRun(true);
  EXPECT_TRUE(Game.optFullscreen.value);
  EXPECT_FALSE(Game.optFullscreen.applied);
  ASSERT_TRUE(SaveOptions());
  EXPECT_EQ(Read("options.dat")[5], 0) << "the command line's choice is for this run";
  Game.optFullscreen.SetValue(false);
  Game.optFullscreen.SetValue(true);
  ASSERT_TRUE(SaveOptions());
  EXPECT_EQ(Read("options.dat")[5], 1) << "the player's own toggle is saved";
}

TEST_F(StoreTest, ShortDataFilesStopWithOneLineNamingThem) {
  for (const Bytes& bytes : {Bytes{}, Bytes{1, 1, 1, 1, 1}}) {
    Write("options.dat", bytes);
    const std::string message = FatalMessage(LoadOptions);
    EXPECT_NE(message.find("options.dat"), std::string::npos) << bytes.size() << " bytes: " << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
  }
  Bytes scores = ScoreFile("ANNA      ", 5);
  scores.pop_back();
  Write("highscores.dat", scores);
  const std::string message = FatalMessage(LoadHighScores);
  EXPECT_NE(message.find("highscores.dat"), std::string::npos) << message;
}

TEST_F(StoreTest, ReadOnlyFilesLoadAndAreNotOverwritten) {
  Write("options.dat", {0, 1, 1, 1, 1, 1});
  Write("highscores.dat", ScoreFile("ANNA      ", 5000));
  chmod("options.dat", 0444);
  chmod("highscores.dat", 0444);
  LoadOptions();
  LoadHighScores();
  EXPECT_FALSE(Game.optBackground.value);
  EXPECT_EQ(Game.highScores[0]->name, "ANNA      ");

  Game.optBackground.value = true;
  Game.highScores[0]->score = 1;
  testing::internal::CaptureStderr();
  EXPECT_FALSE(SaveDataFiles());
  const std::string report = testing::internal::GetCapturedStderr();
  EXPECT_NE(report.find("options.dat"), std::string::npos) << report;
  EXPECT_NE(report.find("highscores.dat"), std::string::npos) << report;
  EXPECT_EQ(Read("options.dat"), (Bytes{0, 1, 1, 1, 1, 1}));
  EXPECT_EQ(Read("highscores.dat"), ScoreFile("ANNA      ", 5000));
}

TEST_F(StoreTest, OptionsAreSavedOnLeavingTheirScreen) {
  LoadOptions();
  Game.programState = psMenu;
  Game.menuState = msOptions;
  Game.menuCursor = 1;
  HandleMenuKey(SDLK_RETURN);  // music off
  EXPECT_FALSE(std::filesystem::exists("options.dat"));
  Game.event = {};
  Game.event.type = SDL_KEYDOWN;
  Game.event.key.keysym.sym = SDLK_ESCAPE;
  DispatchEvent();
  EXPECT_EQ(Game.menuState, msMain);
  EXPECT_EQ(Read("options.dat"), (Bytes{1, 1, 1, 0, 1, 1}));
}

// The player never reads standard error: the failure shows in the window
// for a few seconds, with its cause.
TEST_F(StoreTest, AFailedSaveIsShownOnScreenForAFewSeconds) {
  static uint32_t now = 50000;
  SetTicksSource([] { return now; });
  Write("options.dat", Bytes(6, 1));
  chmod("options.dat", 0444);
  LoadOptions();
  testing::internal::CaptureStderr();
  EXPECT_FALSE(ReportSave(SaveOptions()));
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(Game.noticeLines[0], "the options were not saved");
  EXPECT_EQ(Game.noticeLines[1], "the file is read-only; it was left as it was");
  auto drawnPixels = [] {
    ClearWindow(0);
    DrawNotice();
    int drawn = 0;
    for (int y = 340; y < 420; ++y)
      for (int x = 100; x < 540; ++x) drawn += PixelAt(x, y) != 0;
    return drawn;
  };
  now += 4900;
  EXPECT_GT(drawnPixels(), 1000);
  now += 200;
  EXPECT_EQ(drawnPixels(), 0) << "the notice goes after five seconds";
}

// Only a missing file means "no file": a path that cannot be looked up
// stops with the file's name and the cause.
TEST_F(StoreTest, FileLookupsThatFailOtherwiseStop) {
  setenv("REBOUNDER_DATA_DIR", ".", 1);
  EXPECT_FALSE(FileExists("maps//go easy on me.map"));
  std::filesystem::create_directory_symlink("maps", "maps");  // a loop: stat fails even for root
  std::string message = FatalMessage([] { LoadLevel("go easy on me", 0, 0); });
  EXPECT_EQ(message, "maps//go easy on me.map: cannot reach the file: Too many levels of symbolic links");
  std::filesystem::remove("maps");
  std::filesystem::create_directory("maps");
  message = FatalMessage([] { LoadLevel(std::string(300, 'x'), 0, 0); });
  EXPECT_NE(message.find("File name too long"), std::string::npos) << message;
  std::filesystem::create_directory("maps/folder.map");
  message = FatalMessage([] { LoadLevel("folder", 0, 0); });
  EXPECT_EQ(message, "maps//folder.map: is a folder, not a file");
  unsetenv("REBOUNDER_DATA_DIR");
}

TEST_F(StoreTest, DefaultTableWithoutAFile) {
  LoadHighScores();
  ASSERT_EQ(Game.highScores.Count(), 10);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(Game.highScores[i]->name, "VORTEX    ");
    EXPECT_EQ(Game.highScores[i]->score, static_cast<uint32_t>(250 - 25 * i));
  }
}

TEST_F(StoreTest, ScoreFileRoundTripKeepsBytesAsStored) {
  const char oddName[] = {'\x01', '\xff', 'a', ' ', '\0', 'Z', '~', '\t', '9', '_', 0};
  Bytes file = ScoreFile("          ", 0x01020304);
  std::copy(oddName, oddName + 10, file.begin());
  Write("highscores.dat", file);
  LoadHighScores();
  EXPECT_EQ(Game.highScores[0]->name, std::string(oddName, 10));
  EXPECT_EQ(Game.highScores[0]->score, 0x01020304u);
  EXPECT_EQ(Game.highScores[1]->score, 999u) << "scores are taken in the order stored";
  ASSERT_TRUE(SaveHighScores());
  EXPECT_EQ(Read("highscores.dat"), file);
}

TEST_F(StoreTest, RankingPlacesTiesBelowAndDropsTheEleventh) {
  const struct {
    uint32_t score;
    int rank;
  } cases[] = {{250, 2}, {251, 1}, {26, 10}, {25, 0}, {0, 0}, {4000000000u, 1}};
  for (const auto& c : cases) {
    LoadHighScores();
    Game.score = c.score;
    EXPECT_EQ(RankScore(), c.rank) << c.score;
    ASSERT_EQ(Game.highScores.Count(), 10) << c.score;
    if (c.rank > 0) {
      EXPECT_EQ(Game.highScores[c.rank - 1]->score, c.score);
      EXPECT_EQ(Game.highScores[c.rank - 1]->name, "          ");
      EXPECT_EQ(Game.highScores[9]->score, c.rank == 10 ? 26u : 50u) << "the former 25 drops out";
    } else {
      EXPECT_EQ(Game.highScores[9]->score, 25u);
    }
  }
}

// The table reaches the disk at Enter, not only when the game ends.
TEST_F(StoreTest, TypedNameIsStoredAndSavedOnEnter) {
  LoadHighScores();
  Game.score = 300;
  Game.newScoreRank = RankScore();
  Game.menuState = msNewHighScore;
  TypeKeys({SDLK_a, SDLK_b, SDLK_1});
  EXPECT_FALSE(std::filesystem::exists("highscores.dat"));
  NameEntryKey(SDLK_RETURN);
  EXPECT_EQ(Game.highScores[0]->name, "AB1       ");
  EXPECT_EQ(Game.menuState, msHighScores);
  EXPECT_EQ(PlayedCount(Game.sndMenuSelect), 4);
  const Bytes saved = Read("highscores.dat");
  ASSERT_EQ(saved.size(), 140u);
  EXPECT_EQ(std::string(saved.begin(), saved.begin() + 10), "AB1       ");
  EXPECT_EQ(saved[10] | saved[11] << 8, 300);
}

TEST_F(StoreTest, NameEntryKeysAndTheirSounds) {
  LoadHighScores();
  Game.newScoreRank = 4;
  Game.menuState = msNewHighScore;
  NameEntryKey(SDLK_RETURN);
  EXPECT_EQ(Game.menuState, msNewHighScore) << "Enter needs a name";
  EXPECT_EQ(PlayedCount(Game.sndMenuSelect), 1) << "Enter with nothing typed still clicks";
  NameEntryKey(SDLK_BACKSPACE);
  EXPECT_EQ(played.size(), 1u) << "backspace on nothing is silent";

  played.clear();
  TypeKeys({SDLK_KP1, SDLK_KP9, SDLK_PERIOD, SDLK_MINUS, SDLK_COMMA, SDLK_SLASH, SDLK_KP_ENTER, SDLK_LSHIFT,
            SDLK_ESCAPE, SDLK_TAB});
  EXPECT_EQ(Game.typedName, "");
  EXPECT_TRUE(played.empty()) << PlayedNames();

  NameEntryKey(SDLK_SPACE);
  EXPECT_EQ(Game.typedName, "");
  EXPECT_TRUE(played.empty()) << "a name does not start with a space";

  TypeKeys({SDLK_z, SDLK_SPACE, SDLK_0, SDLK_9, SDLK_q, SDLK_w, SDLK_e, SDLK_r, SDLK_t, SDLK_y});
  EXPECT_EQ(Game.typedName, "Z 09QWERTY");
  EXPECT_EQ(played.size(), 10u);
  NameEntryKey(SDLK_u);
  EXPECT_EQ(Game.typedName, "Z 09QWERTY");
  EXPECT_EQ(played.size(), 10u) << "the eleventh key is silent";

  NameEntryKey(SDLK_BACKSPACE);
  EXPECT_EQ(Game.typedName, "Z 09QWERT");
  EXPECT_EQ(played.size(), 11u);
  NameEntryKey(SDLK_RETURN);
  EXPECT_EQ(Game.highScores[3]->name, "Z 09QWERT ");
  EXPECT_EQ(Game.menuState, msHighScores);
}

TEST_F(StoreTest, NamesAreTenCharactersAndTheSavedTableAlways140Bytes) {
  EXPECT_EQ(CHighScore("ABCDEFGHIJKLMN", 1).name, "ABCDEFGHIJ");
  EXPECT_EQ(CHighScore("AB", 1).name, "AB        ");
  Game.highScores.Clear();
  Game.highScores.Add(new CHighScore("SHORT", 1));
  ASSERT_TRUE(SaveHighScores());
  EXPECT_EQ(Read("highscores.dat").size(), 140u);
  LoadHighScores();
  Game.highScores[2]->name = "TOO LONG A NAME";
  ASSERT_TRUE(SaveHighScores());
  const Bytes saved = Read("highscores.dat");
  ASSERT_EQ(saved.size(), 140u);
  EXPECT_EQ(std::string(saved.begin() + 28, saved.begin() + 38), "TOO LONG A");
}

// A save that dies after writing its temporary file and before renaming it
// must leave the old file whole; the next save replaces it whole.
TEST_F(StoreTest, SaveInterruptedBeforeTheRenameKeepsTheOldFile) {
  const Bytes old = ScoreFile("OLD       ", 777);
  Write("highscores.dat", old);
  Write("options.dat", {1, 1, 1, 1, 1, 1});
  LoadHighScores();
  Game.highScores[0]->name = "NEW       ";
  Game.optMusic.value = false;
  Bytes seenScores, seenOptions;
  SetBeforeRenameHook([&](const std::string& path) {
    (path == "highscores.dat" ? seenScores : seenOptions) = Read(path.c_str());
    throw std::runtime_error("power cut");
  });
  EXPECT_THROW(SaveHighScores(), std::runtime_error);
  EXPECT_THROW(SaveOptions(), std::runtime_error);
  EXPECT_EQ(seenScores, old);
  EXPECT_EQ(seenOptions, Bytes(6, 1));
  EXPECT_EQ(Read("highscores.dat"), old);
  EXPECT_EQ(Read("options.dat"), Bytes(6, 1));

  SetBeforeRenameHook(nullptr);
  LoadHighScores();
  EXPECT_EQ(Game.highScores[0]->name, "OLD       ") << "the old table must still load";
  Game.highScores[0]->name = "NEW       ";
  ASSERT_TRUE(SaveHighScores());
  ASSERT_TRUE(SaveOptions());
  LoadHighScores();
  LoadOptions();
  EXPECT_EQ(Game.highScores[0]->name, "NEW       ");
  EXPECT_FALSE(Game.optMusic.value);
}

TEST_F(StoreTest, OneFailedSaveDoesNotSkipTheOther) {
  LoadOptions();
  LoadHighScores();
  std::filesystem::create_directory("highscores.dat");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(SaveDataFiles());
  std::string report = testing::internal::GetCapturedStderr();
  EXPECT_EQ(Read("options.dat"), Bytes(6, 1));
  EXPECT_NE(report.find("highscores.dat"), std::string::npos) << report;
  EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;

  std::filesystem::remove("highscores.dat");
  std::filesystem::remove("options.dat");
  std::filesystem::create_directory("options.dat");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(SaveDataFiles());
  report = testing::internal::GetCapturedStderr();
  EXPECT_EQ(Read("highscores.dat").size(), 140u);
  EXPECT_NE(report.find("options.dat"), std::string::npos) << report;
  EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;

  std::filesystem::remove("options.dat");
  EXPECT_TRUE(SaveDataFiles());
}
// A game left on its 42nd level is kept, atomically, with the score and lives
// that level began with; at the next start "continue" is lit and resumes it at
// that level's start. A cleared level is kept as the next one.
TEST_F(StoreTest, AnUnfinishedGameIsKeptAndContinueResumesItsLevel) {
  Game.levelIndex = 40;
  Game.score = 1234;
  Game.lives = 2;
  NextLevel();
  Game.score = 5000;
  Game.lives = 1;
  Game.gameState = gsBallInGame;
  Game.programState = psMenu;
  Game.returnState = psGame;
  ASSERT_TRUE(SaveDataFiles());
  const Bytes kept = Read("savedgame.dat");
  ASSERT_FALSE(kept.empty());
  SetBeforeRenameHook([](const std::string&) { throw std::runtime_error("power cut"); });
  EXPECT_THROW(SaveGameForLater({0, "go easy on me", 0, 3}), std::runtime_error);
  SetBeforeRenameHook(nullptr);
  EXPECT_EQ(Read("savedgame.dat"), kept);

  // The next start.
  Game.programState = psMenu;
  Game.returnState = psMenu;
  Game.levelIndex = 0;
  Game.score = 0;
  Game.lives = 3;
  LoadSavedGame();
  Game.menuCursor = 0;
  DrawMenu();
  EXPECT_TRUE(TextShown(Game.fontMenu, "continue", 200, 188));
  HandleMenuKey(SDLK_RETURN);
  EXPECT_EQ(Game.programState, psGame);
  EXPECT_EQ(Game.gameState, gsFirstBall);
  EXPECT_EQ(Game.levelIndex, 41);
  EXPECT_EQ(Game.levelName, "dutchie land");
  EXPECT_EQ(Game.score, 1234u);
  EXPECT_EQ(Game.lives, 2);
  EXPECT_EQ(Game.baseBallSpeed, 4);

  Game.score = 9000;
  Game.gameState = gsGameDone;
  ASSERT_TRUE(SaveDataFiles());
  LoadSavedGame();
  EXPECT_TRUE(Game.haveSavedGame && Game.savedGame == TKeptGame({42, "oh deer", 9000, 2}));
}

// A new game, a level named on the command line and a game over each discard
// the kept game; a run without a game leaves it for the next.
TEST_F(StoreTest, ANewGameOrAGameOverDiscardsTheKeptGame) {
  const TKeptGame kept = {3, "arrr matey", 10, 3};
  auto keep = [&] {
    ASSERT_TRUE(SaveGameForLater(kept));
    LoadSavedGame();
    ASSERT_TRUE(Game.haveSavedGame);
  };
  keep();
  Game.programState = psMenu;
  Game.menuState = msNewGame;
  Game.menuCursor = 0;
  HandleMenuKey(SDLK_RETURN);
  EXPECT_FALSE(Game.haveSavedGame);
  EXPECT_TRUE(Read("savedgame.dat").empty());

  keep();
  Game.programState = psMenu;
  ResumeGame(Game.savedGame);
  Game.gameState = gsGameOver;
  Game.fireHeld = true;
  Game.event = SDL_Event{};
  Game.event.type = SDL_MOUSEBUTTONDOWN;
  DispatchEvent();
  EXPECT_EQ(Game.programState, psMenu);
  EXPECT_TRUE(Read("savedgame.dat").empty());
  ASSERT_TRUE(SaveDataFiles());
  EXPECT_TRUE(Read("savedgame.dat").empty()) << "a finished game is not kept";

  keep();
  ASSERT_TRUE(SaveDataFiles());
  LoadSavedGame();
  EXPECT_TRUE(Game.haveSavedGame && Game.savedGame == kept);
}

// Whatever is in the file's place, the start goes on without it after one line.
TEST_F(StoreTest, DamagedOrForeignSavedGamesGiveOneLineAndAreIgnored) {
  const std::string good = SavedGameText({41, "dutchie land", 1234, 2});
  auto edit = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    return text.replace(text.find(from), from.size(), to);
  };
  const std::string damaged[] = {
      good.substr(0, good.size() - 1),
      edit("score 1234", "score 1235"),
      edit("lives 2", "lives 02"),
      edit("saved-game 1", "saved-game 2"),
      std::string("\x89PNG\r\n\x1a\n", 8),
      SavedGameText({41, "oh deer", 1234, 2}),
      SavedGameText({41, "dutchie land", 1234, 0}),
      SavedGameText({-1, "../../../etc/passwd", 0, 3}),
      good + good,
      std::string(600, '\n'),
  };
  std::string error;
  ASSERT_TRUE(MakeDataFolder(error)) << error;
  for (const std::string& text : damaged) {
    Write(SavedGamePath().c_str(), Bytes(text.begin(), text.end()));
    testing::internal::CaptureStderr();
    LoadSavedGame();
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(Game.haveSavedGame) << text;
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
  }
  std::filesystem::remove(SavedGamePath());
  std::filesystem::create_directory(SavedGamePath());
  testing::internal::CaptureStderr();
  LoadSavedGame();
  EXPECT_NE(testing::internal::GetCapturedStderr().find("folder"), std::string::npos);
  EXPECT_FALSE(Game.haveSavedGame);
}
}  // namespace
