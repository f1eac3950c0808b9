// The unfinished game kept in savedgame.dat: kept at its level's start and
// resumed by "continue", thrown away by a new game or a game over, and a
// damaged or foreign file ignored with one line.
#include "tests/store/storetest.h"

using KeptGame = StoreTest;

namespace {
// A game left on its 42nd level is kept, atomically, with the score and lives
// that level began with; at the next start "continue" is lit and resumes it at
// that level's start. A cleared level is kept as the next one.
TEST_F(KeptGame, AnUnfinishedGameIsKeptAndContinueResumesItsLevel) {
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
TEST_F(KeptGame, ANewGameOrAGameOverDiscardsTheKeptGame) {
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

// The check sum tells of damage, not of a file written wrong: a kept game
// whose lap does not fit its level (level 41 of the 40 is on lap 1) is
// refused even with a check sum that matches, in a hot seat whoever the
// player whose lap it is.
TEST_F(KeptGame, AKeptGameWhoseLapDoesNotFitItsLevelIsRefusedForAnyPlayer) {
  const std::string good = SavedGameText({41, "dutchie land", 1234, 2});
  const auto withCheckSum = [](const std::string& body) {
    uint32_t hash = 2166136261u;  // FNV-1a, as the game sums its files
    for (unsigned char c : body) hash = (hash ^ c) * 16777619u;
    char line[24];
    std::snprintf(line, sizeof line, "check %08x\n", hash);
    return body + line;
  };
  const std::string body = good.substr(0, good.find("check "));
  ASSERT_EQ(withCheckSum(body), good) << "the test sums as the game does";
  TKeptGame game;
  std::string error;
  for (const char* lap : {"lap 0", "lap 2"}) {
    std::string wrong = body;
    wrong.replace(wrong.find("lap 1"), 5, lap);
    EXPECT_FALSE(ParseSavedGame(withCheckSum(wrong), game, error)) << lap;
    EXPECT_EQ(error, "damaged: its lap does not match its level") << lap;
  }
  EXPECT_TRUE(ParseSavedGame(good, game, error)) << error;

  // In a hot-seat game each player's lap is checked, not only the one at play.
  TKeptGame hotSeat(0, "go easy on me", 0, 3);
  hotSeat.players = {{"ANN", 0, "go easy on me", 0, 3}, {"BOB", 41, "dutchie land", 700, 2}};
  const std::string seated = SavedGameText(hotSeat);
  const std::string seatedBody = seated.substr(0, seated.find("check "));
  for (const char* lap : {"lap 0\nscore 700", "lap 2\nscore 700"}) {
    std::string wrong = seatedBody;
    wrong.replace(wrong.find("lap 1\nscore 700"), 15, lap);
    EXPECT_FALSE(ParseSavedGame(withCheckSum(wrong), game, error)) << lap;
    EXPECT_EQ(error, "damaged: its lap does not match its level") << lap;
  }
  EXPECT_TRUE(ParseSavedGame(seated, game, error)) << error;
}

// Whatever is in the file's place, the start goes on without it after one line.
TEST_F(KeptGame, DamagedOrForeignSavedGamesGiveOneLineAndAreIgnored) {
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
