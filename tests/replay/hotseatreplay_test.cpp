// A recorded hot-seat game: written in the newer format with its players,
// kept beside every table row it entered, and played back from there to the
// same turns, levels, scores and lives.
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "base/globals.h"
#include "game/input.h"
#include "game/mainloop.h"
#include "platform/datafile.h"
#include "play/ball.h"
#include "play/gameflow.h"
#include "play/players.h"
#include "replay/playback.h"
#include "replay/recorder.h"
#include "store/highscores.h"
#include "store/replaystore.h"
#include "tests/testenv.h"

namespace {
class HotSeatReplay : public GameTest {
protected:
  std::string folder, savedXdg;
  void SetUp() override {
    GameTest::SetUp();
    char temp[] = "/tmp/rebounder-hotseatreplay-XXXXXX";
    ASSERT_NE(mkdtemp(temp), nullptr);
    folder = temp;
    savedXdg = getenv("XDG_DATA_HOME") ? getenv("XDG_DATA_HOME") : "";
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
    std::string error;
    ASSERT_TRUE(MakeDataFolder(error)) << error;
    LoadHighScores();
  }
  void TearDown() override {
    EnableRecording(false);
    setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
    std::filesystem::remove_all(folder);
    GameTest::TearDown();
  }
  static void Key(SDLKey key, bool down) {
    Game.event = {};
    Game.event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    Game.event.key.keysym.sym = key;
    Game.keyState[key] = down ? 1 : 0;
    DispatchEvent();
  }
};
}  // namespace

// Each player launches with a press of their own and then lets the ball go,
// the paddle running from it with the arrow keys, until all are out.
TEST_F(HotSeatReplay, AHotSeatGamePlaysBackFromTheTable) {
  EnableRecording(true);
  StartNewGame(0, {"ANN", "BOB"});
  int turns = 0, lastTurn = 0;
  Key(SDLK_LEFT, true);
  for (int tick = 0; Game.gameState != gsGameOver && tick < 40000; ++tick) {
    if (tick % 50 == 0) Key(SDLK_SPACE, true);
    if (tick % 50 == 5) Key(SDLK_SPACE, false);
    const CBall* ball = Game.balls.First();
    const bool left = Game.keyState[SDLK_LEFT] == 1;
    if (ball && (ball->x < 240) == left) {
      Key(left ? SDLK_LEFT : SDLK_RIGHT, false);
      Key(left ? SDLK_RIGHT : SDLK_LEFT, true);
    }
    LogicTick();
    CheckGameFlow();
    RecordPass(1);
    turns += HotSeat.turn != lastTurn;
    lastTurn = HotSeat.turn;
  }
  ASSERT_EQ(Game.gameState, gsGameOver);
  EXPECT_EQ(turns, 5) << "three lives each, the turn passing at every loss but the last";
  const uint32_t scores[] = {PlayerScore(0), PlayerScore(1)};
  const uint32_t lastScore = Game.score;
  Key(SDLK_SPACE, true);  // leaves the game over: both players are ranked
  ASSERT_EQ(Game.menuState, msHighScores);
  std::vector<CHighScore> table;
  for (int i = 0; i < Game.highScores.Count(); ++i) table.push_back(*Game.highScores[i]);
  int ranked = 0;
  for (int rank = 1; rank <= static_cast<int>(table.size()); ++rank) {
    const std::string& name = table[static_cast<size_t>(rank - 1)].name;
    if (name != CHighScore("ANN", 0).name && name != CHighScore("BOB", 0).name) continue;
    EXPECT_EQ(table[static_cast<size_t>(rank - 1)].score, scores[name[0] == 'B']);
    ++ranked;
    TReplay replay;
    std::string error;
    ASSERT_TRUE(LoadReplayFile(BestRecordingPath(rank), replay, error)) << error;
    EXPECT_EQ(replay.version, HotSeatReplayVersion);
    ASSERT_EQ(replay.start.players.size(), 2u);
    EXPECT_EQ(replay.start.players[1].name, "BOB");
    GameTest::SetUp();
    CPlayback playback(replay);
    while (!playback.Done()) playback.Step(false);
    EXPECT_EQ(playback.Mismatch(), "");
    EXPECT_EQ(Game.gameState, gsGameOver);
    EXPECT_EQ(playback.Summary().score, lastScore);
    EXPECT_EQ(PlayerScore(0), scores[0]);
    EXPECT_EQ(PlayerScore(1), scores[1]);
  }
  EXPECT_GT(ranked, 0) << "no player's score entered the table";
}
