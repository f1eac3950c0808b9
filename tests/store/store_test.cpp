// The data files and the high-score table: options.dat and highscores.dat
// round trips, damaged, short and read-only files, saves that die half-way,
// ranking a finished game and typing a name, and where the files live.
#include "tests/store/storetest.h"

namespace {
TEST_F(StoreTest, OptionsRoundTripOnlyOneMeansOnAndNoFileMeansAllOn) {
  Game.optStars.value = false;
  LoadOptions();
  EXPECT_EQ(OptionValues(), std::vector<bool>(6, true));
  ASSERT_TRUE(SaveOptions());
  EXPECT_EQ(Read("options.dat"), Bytes(6, 1));
  EXPECT_FALSE(std::filesystem::exists(DataFilePath("options.dat.new")))
      << "the temporary file must not be left behind";

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

TEST_F(StoreTest, ShortOptionsFilesStopWithOneLineNamingThem) {
  for (const Bytes& bytes : {Bytes{}, Bytes{1, 1, 1, 1, 1}}) {
    Write("options.dat", bytes);
    const std::string message = FatalMessage(LoadOptions);
    EXPECT_NE(message.find("options.dat"), std::string::npos) << bytes.size() << " bytes: " << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
  }
}

// Anything but ten records with names the font can draw is not taken for a
// table: one line, the built-in table, and the file kept beside, never
// written over, however many times it happens.
TEST_F(StoreTest, AFileThatIsNotATableIsKeptAsideAndTheBuiltInTableStandsIn) {
  Bytes passwd;
  for (const std::string line = "root:x:0:0:root:/root:/bin/bash\n"; passwd.size() < 140;)
    passwd.insert(passwd.end(), line.begin(), line.end());
  passwd.resize(140);
  Write("passwd", passwd);
  std::filesystem::create_symlink("passwd", "highscores.dat");
  Bytes controlByte = ScoreFile("ANNA      ", 5), highByte = controlByte, nulByte = controlByte;
  controlByte[30] = '\t';
  highByte[0] = 0xff;
  nulByte[139 - 4] = 0;
  Bytes shortFile = ScoreFile("ANNA", 5), longFile = shortFile;
  shortFile.pop_back();
  longFile.push_back('\n');
  const Bytes damaged[] = {passwd, controlByte, highByte, nulByte, shortFile, longFile, {}};
  for (size_t n = 0; n < std::size(damaged); ++n) {
    if (n > 0) Write("highscores.dat", damaged[n]);
    testing::internal::CaptureStderr();
    LoadHighScores();
    const std::string report = testing::internal::GetCapturedStderr();
    const std::string aside = "highscores.dat.bad" + (n == 0 ? "" : "." + std::to_string(n + 1));
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << n << ": " << report;
    EXPECT_NE(report.find("highscores.dat is not a high-score table"), std::string::npos) << report;
    EXPECT_NE(report.find(aside), std::string::npos) << report;
    EXPECT_EQ(n == 0 ? passwd : Read(aside.c_str()), damaged[n]) << n;
    EXPECT_EQ(DiskRows(), DefaultRowsWith({})) << n << ": the built-in table takes its place";
    ASSERT_EQ(Game.highScores.Count(), 10);
    EXPECT_EQ(Game.highScores[0]->name, "VORTEX    ") << n;
  }
  EXPECT_TRUE(std::filesystem::is_symlink("highscores.dat.bad")) << "the link itself is kept";
  EXPECT_EQ(Read("passwd"), passwd);
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
    for (int y = 20; y < 100; ++y)
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

TEST_F(StoreTest, DefaultTableWithoutAFileAndAFileRoundTripsAsStored) {
  LoadHighScores();
  ASSERT_EQ(Game.highScores.Count(), 10);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(Game.highScores[i]->name, "VORTEX    ");
    EXPECT_EQ(Game.highScores[i]->score, static_cast<uint32_t>(250 - 25 * i));
  }

  const char oddName[] = "! a Z~{9_ ";
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
      EXPECT_EQ(Game.highScores[c.rank - 1]->name, CHighScore(DefaultName(), 0).name);
      EXPECT_EQ(Game.highScores[9]->score, c.rank == 10 ? 26u : 50u) << "the former 25 drops out";
    } else {
      EXPECT_EQ(Game.highScores[9]->score, 25u);
    }
  }
}

// The table reaches the disk at Enter, not only when the game ends.
TEST_F(StoreTest, TypedNameIsStoredAndSavedOnEnter) {
  LoadHighScores();
  EnterTable(300);
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

// The entry and its recording are saved together when the game ends, under
// the default name, so that quitting on the name entry (a signal, the window
// closed) keeps both in step; Enter then renames the entry.
TEST_F(StoreTest, AFinishedGameIsSavedWithItsRecordingUnderTheDefaultName) {
  LoadOptions();
  LoadHighScores();
  EndRecordedGame(300);
  ASSERT_EQ(Game.menuState, msNewHighScore);
  ASSERT_EQ(Game.newScoreRank, 1);
  const std::string name = CHighScore(DefaultName(), 0).name;
  EXPECT_NE(name, std::string(10, ' '));
  EXPECT_EQ(DiskRows(), DefaultRowsWith({{name, 300}}));
  EXPECT_EQ(KeptScore(1), 300u);
  EXPECT_TRUE(SaveDataFiles());
  EXPECT_EQ(DiskRows(), DefaultRowsWith({{name, 300}})) << "quitting keeps the default name";
  const std::string recording = Kept(1);
  TypeKeys({SDLK_a, SDLK_RETURN});
  EXPECT_EQ(DiskRows(), DefaultRowsWith({{"A", 300}}));
  EXPECT_EQ(Kept(1), recording);
}

// Whatever befalls the recordings' folder, the game goes on, the entry is
// saved, and a recording that could not be kept is said on screen too.
TEST_F(StoreTest, ARecordingThatCannotBeKeptCostsNothingElse) {
  const std::string replays = userData + "replays";
  struct {
    const char* what;
    std::function<void()> spoil;
    bool kept;
  } cases[] = {
      {"a loop of links among the recordings",
       [] { std::filesystem::create_symlink("best-01.replay", BestRecordingPath(1)); }, true},
      {"a file in the folder's place",
       [&] {
         std::filesystem::remove(replays);
         Write(replays.c_str(), {});
       },
       false},
      {"a folder that cannot be written", [&] { chmod(replays.c_str(), 0500); }, geteuid() == 0},
  };
  for (const auto& c : cases) {
    std::filesystem::remove_all(userData);
    std::filesystem::create_directories(replays);
    c.spoil();
    LoadHighScores();
    Game.noticeLines[0].clear();
    testing::internal::CaptureStderr();
    EndRecordedGame(300);
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(DiskRows()[0].second, 300u) << c.what;
    EXPECT_EQ(KeptScore(1), c.kept ? 300u : 0u) << c.what;
    EXPECT_EQ(Game.noticeLines[0], c.kept ? "" : "the recording of this game was not kept") << c.what;
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), c.kept ? 0 : 1) << c.what << ": " << report;
    chmod(replays.c_str(), 0700);
  }
}

// Two copies of the game started with the same home: each save merges with
// what the other saved meanwhile, and the recordings stay with their rows.
TEST_F(StoreTest, TwoCopiesSharingAHomeKeepEachOthersEntriesAndOptions) {
  LoadOptions();
  LoadHighScores();  // this copy starts with the built-in table
  // The other copy then saves BRAVO 500 at the top, its recording first.
  std::filesystem::create_directories(userData + "replays");
  Write(DataFilePath("highscores.dat").c_str(), TableFile(DefaultRowsWith({{"BRAVO", 500}})));
  Write(BestRecordingPath(1).c_str(), {'B'});
  for (int k = 2; k <= 10; ++k) Write(BestRecordingPath(k).c_str(), Bytes(k - 1, 'r'));
  Write(DataFilePath("options.dat").c_str(), {1, 1, 1, 0, 1, 1});

  EndRecordedGame(270);
  const std::string name = CHighScore(DefaultName(), 0).name;
  EXPECT_EQ(DiskRows(), DefaultRowsWith({{"BRAVO", 500}, {name, 270}}));
  EXPECT_EQ(Game.newScoreRank, 2);
  EXPECT_EQ(Game.highScores[0]->name, "BRAVO     ") << "the table shown is the merged one";
  EXPECT_EQ(Kept(1), "B");
  EXPECT_EQ(KeptScore(2), 270u);
  for (int k = 3; k <= 10; ++k) EXPECT_EQ(Kept(k), std::string(k - 2, 'r')) << "rank " << k;
  TypeKeys({SDLK_a, SDLK_l, SDLK_p, SDLK_h, SDLK_a, SDLK_RETURN});
  EXPECT_EQ(DiskRows(), DefaultRowsWith({{"BRAVO", 500}, {"ALPHA", 270}}));

  Game.optStars.SetValue(false);
  ASSERT_TRUE(SaveOptions());
  EXPECT_EQ(Read("options.dat"), (Bytes{1, 0, 1, 0, 1, 1})) << "the other copy's music off stays";

  // A copy that only idled and quits saves nothing over the others' rows.
  Write(DataFilePath("highscores.dat").c_str(), TableFile(DefaultRowsWith({{"CHARLIE", 900}})));
  ASSERT_TRUE(SaveDataFiles());
  EXPECT_EQ(DiskRows(), DefaultRowsWith({{"CHARLIE", 900}}));
  EXPECT_EQ(Read("options.dat"), (Bytes{1, 0, 1, 0, 1, 1}));

  // Copies saving at the same moment take turns.
  std::vector<pid_t> copies;
  for (uint32_t score = 1001; score <= 1006; ++score)
    if (const pid_t pid = fork(); pid == 0) {
      LoadHighScores();
      Game.score = score;
      RankScore();
      _exit(SaveHighScores() ? 0 : 1);
    } else {
      copies.push_back(pid);
    }
  for (const pid_t pid : copies) {
    int status = -1;
    waitpid(pid, &status, 0);
    EXPECT_EQ(status, 0);
  }
  const Rows rows = DiskRows();
  for (uint32_t score = 1001; score <= 1006; ++score)
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [&](const auto& r) { return r.second == score; }), 1)
        << score;
}

TEST_F(StoreTest, NameEntryKeysAndTheirSounds) {
  LoadHighScores();
  EnterTable(180);
  ASSERT_EQ(Game.newScoreRank, 4);
  NameEntryKey(SDLK_RETURN);
  EXPECT_EQ(Game.menuState, msNewHighScore) << "Enter needs a name";
  EXPECT_EQ(PlayedCount(Game.sndMenuSelect), 1) << "Enter with nothing typed still clicks";
  NameEntryKey(SDLK_BACKSPACE);
  EXPECT_EQ(played.size(), 1u) << "backspace on nothing is silent";

  played.clear();
  TypeKeys({SDLK_KP1, SDLK_KP9, SDLK_PERIOD, SDLK_MINUS, SDLK_COMMA, SDLK_SLASH, SDLK_KP_ENTER, SDLK_LSHIFT,
            SDLK_TAB});
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

TEST_F(StoreTest, ShiftTypesTheDigitRowSymbolsAndEscapeKeepsTheName) {
  LoadHighScores();
  EnterTable(230);
  ASSERT_EQ(Game.newScoreRank, 2);
  for (SDLKey k : {SDLK_a, SDLK_1, SDLK_2, SDLK_0, SDLK_PERIOD}) NameEntryKey(k, KMOD_LSHIFT);
  NameEntryKey(SDLK_b, KMOD_CAPS);
  EXPECT_EQ(Game.typedName, "A!@)B") << "letters stay capitals; punctuation types nothing even shifted";
  NameEntryKey(SDLK_ESCAPE);
  EXPECT_EQ(Game.highScores[1]->name, "A!@)B     ");
  EXPECT_EQ(Game.menuState, msHighScores);
  const Bytes saved = Read("highscores.dat");
  ASSERT_EQ(saved.size(), 140u);
  EXPECT_EQ(std::string(saved.begin() + 14, saved.begin() + 24), "A!@)B     ");

  // With nothing typed, Escape leaves the row with the name it has.
  EnterTable(240);
  NameEntryKey(SDLK_ESCAPE);
  EXPECT_EQ(Game.highScores[1]->name, CHighScore(DefaultName(), 0).name);
  EXPECT_EQ(Game.highScores[2]->name, "A!@)B     ");
  EXPECT_EQ(Game.menuState, msHighScores);
}

TEST_F(StoreTest, NamesAreTenCharactersAndTheSavedTableAlways140Bytes) {
  EXPECT_EQ(CHighScore("ABCDEFGHIJKLMN", 1).name, "ABCDEFGHIJ");
  EXPECT_EQ(CHighScore("AB", 1).name, "AB        ");
  Game.highScores.Clear();
  Game.highScores.Add(new CHighScore("SHORT", 1));
  ASSERT_TRUE(SaveHighScores());
  EXPECT_EQ(Read("highscores.dat").size(), 140u);
}

// A save that dies after writing its temporary file and before renaming it
// must leave the old file whole; the next save replaces it whole.
TEST_F(StoreTest, SaveInterruptedBeforeTheRenameKeepsTheOldFile) {
  const Bytes old = ScoreFile("OLD       ", 777);
  Write("highscores.dat", old);
  Write("options.dat", {1, 1, 1, 1, 1, 1});
  LoadHighScores();
  LoadOptions();
  Game.score = 5000;
  RankScore();
  Game.optMusic.SetValue(false);
  Bytes seenScores, seenOptions;
  // The table's first rename is that of the list of its changes.
  SetBeforeRenameHook([&](const std::string& path) {
    const bool options = path == "options.dat";
    (options ? seenOptions : seenScores) = Read(options ? "options.dat" : "highscores.dat");
    throw std::runtime_error("power cut");
  });
  EXPECT_THROW(SaveHighScores(), std::runtime_error);
  EXPECT_THROW(SaveOptions(), std::runtime_error);
  EXPECT_EQ(seenScores, old);
  EXPECT_EQ(seenOptions, Bytes(6, 1));
  EXPECT_EQ(Read("highscores.dat"), old);
  EXPECT_EQ(Read("options.dat"), Bytes(6, 1));

  SetBeforeRenameHook(nullptr);
  ASSERT_TRUE(SaveHighScores());
  ASSERT_TRUE(SaveOptions());
  LoadHighScores();
  LoadOptions();
  EXPECT_EQ(Game.highScores[0]->score, 5000u);
  EXPECT_EQ(Game.highScores[1]->name, "OLD       ");
  EXPECT_FALSE(Game.optMusic.value);
}

// A save of the table and its recordings cut short at any rename (a crash,
// a power cut) leaves, at the next start, the rows and recordings all old or
// all new, each recording beside its own row, and nothing half done.
TEST_F(StoreTest, RowsAndRecordingsChangeTogetherWhereverASaveIsCutShort) {
  int renames = 0;
  for (int crashAt = 1, cut = true; cut; ++crashAt) {
    GameTest::SetUp();  // a new start after the crash
    std::filesystem::remove_all(userData);
    LoadHighScores();
    for (uint32_t score : {310u, 290u, 270u}) EndRecordedGame(score);
    LoadHighScores();
    renames = 0;
    SetBeforeRenameHook([&](const std::string&) {
      if (++renames == crashAt) throw std::runtime_error("power cut");
    });
    cut = false;
    try {
      EndRecordedGame(6000);
    } catch (const std::runtime_error&) {
      cut = true;
    }
    EnableRecording(false);
    SetBeforeRenameHook(nullptr);
    LoadHighScores();  // the next start
    const Rows rows = DiskRows();
    ASSERT_EQ(rows.size(), 10u);
    const uint32_t first = rows[0].second;
    EXPECT_TRUE(first == 310 || (first == 6000 && rows[1].second == 310)) << "cut at rename " << crashAt;
    for (int rank = 1; rank <= 5; ++rank)
      EXPECT_EQ(KeptScore(rank), rank <= (first == 6000 ? 4 : 3) ? rows[rank - 1].second : 0u)
          << "cut at rename " << crashAt << ", row " << rank;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(userData))
      EXPECT_TRUE(entry.path().extension() != ".new" && entry.path().filename() != "highscores.journal")
          << entry.path() << " left after a cut at rename " << crashAt;
  }
  EXPECT_GE(renames, 6) << "a cut at each rename: the list of changes, the table and four recordings";
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
}  // namespace
