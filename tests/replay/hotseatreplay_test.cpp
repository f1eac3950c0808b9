// A recorded hot-seat game: written in the newer format with its players,
// kept beside every table row it entered, and played back from there to the
// same turns, levels, scores and lives.
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <vector>

#include "base/globals.h"
#include "field/ball.h"
#include "game/input.h"
#include "game/mainloop.h"
#include "game/playback.h"
#include "platform/datafile.h"
#include "replay/recorder.h"
#include "replay/replay.h"
#include "session/gameflow.h"
#include "session/level.h"
#include "session/players.h"
#include "store/highscores.h"
#include "store/replaystore.h"
#include "tests/testenv.h"

namespace {
class HotSeatReplay : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    std::string error;
    ASSERT_TRUE(MakeDataFolder(error)) << error;
    LoadHighScores();
  }
  void TearDown() override {
    EnableRecording(false);
    GameTest::TearDown();
  }
  static void Key(SDLKey key, bool down) {
    Game.event = {};
    Game.event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    Game.event.key.keysym.sym = key;
    Game.keyState[key] = down ? 1 : 0;
    DispatchEvent();
  }
  // Each player launches with a press of their own and then lets the ball
  // go, the paddle running from it with the arrow keys, until all are out;
  // returns how often the turn passed.
  static int PlayToTheEnd() {
    int turns = 0, lastTurn = HotSeat.turn;
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
    return turns;
  }
};
}  // namespace

// A game started on the difficulty screen, on a level named on the command
// line, or resumed from a kept game: each is written in format 4 with its
// players and plays back to the same end.
TEST_F(HotSeatReplay, EveryWayOfStartingPlaysBackTurnForTurn) {
  TKeptGame kept(41, "dutchie land", 500, 2);
  kept.players = {{"ANN", 41, "dutchie land", 500, 2}, {"BOB", 0, "go easy on me", 0, 3}};
  const struct {
    const char* how;
    std::function<void()> start;
    int turns;
    const char* written;  // how the file names its players
  } starts[] = {{"difficulty",
                 [] {
                   StartNewGame(1, {"ANN", "BOB"});
                 },
                 5, "players 2 0\nplayer ANN\nplayer BOB\n"},
                {"level",
                 [] {
                   LoadLevel("diamond", 0, 0);
                   StartGameAtLevel({"ANN", "BOB"});
                   RecordLevelStart("diamond");
                 },
                 5, " diamond\nplayers 2 0\nplayer ANN\n"},
                // ANN, with two lives, is out after her second turn; BOB plays his last two alone.
                {"resumed", [&kept] { ResumeGame(kept); }, 3,
                 "player ANN\nkept 41 500 2 dutchie land\nplayer BOB\nkept 0"}};
  for (const auto& s : starts) {
    GameTest::SetUp();
    Game.keyState[SDLK_LEFT] = Game.keyState[SDLK_RIGHT] = 0;
    EnableRecording(true);
    s.start();
    EXPECT_EQ(PlayToTheEnd(), s.turns) << s.how;
    ASSERT_EQ(Game.gameState, gsGameOver) << s.how;
    const uint32_t scores[] = {PlayerScore(0), PlayerScore(1)};
    const std::string text = ReplayText(FinishRecording());
    EnableRecording(false);
    EXPECT_EQ(text.rfind("rebounder-replay 4\n", 0), 0u) << s.how;
    EXPECT_NE(text.find(s.written), std::string::npos) << text.substr(0, 200);
    TReplay replay;
    std::string error;
    ASSERT_TRUE(ParseReplay(text, replay, error)) << error;
    GameTest::SetUp();
    CPlayback playback(replay);
    while (!playback.Done()) playback.Step(false);
    EXPECT_EQ(playback.Mismatch(), "") << s.how;
    EXPECT_EQ(PlayerScore(0), scores[0]) << s.how;
    EXPECT_EQ(PlayerScore(1), scores[1]) << s.how;
  }
}

// Every player who enters the table keeps the game's recording beside their
// row, and it plays back from there.
TEST_F(HotSeatReplay, AHotSeatGamePlaysBackFromTheTable) {
  EnableRecording(true);
  StartNewGame(0, {"ANN", "BOB"});
  EXPECT_EQ(PlayToTheEnd(), 5) << "three lives each, the turn passing at every loss but the last";
  ASSERT_EQ(Game.gameState, gsGameOver);
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

// A game resumed on the second player's turn plays back from that turn; a
// recording the kept-game reader would refuse is refused: a turn past the
// last player, a player at play with no life left, or one who is not where
// the game says it was resumed.
TEST_F(HotSeatReplay, AResumedTurnPlaysBackAndAnImpossibleOneIsRefused) {
  TKeptGame kept(0, "go easy on me", 0, 3);
  kept.players = {{"ANN", 41, "dutchie land", 500, 2}, {"BOB", 0, "go easy on me", 0, 3}};
  kept.turn = 1;
  EnableRecording(true);
  ResumeGame(kept);
  EXPECT_EQ(HotSeat.turn, 1);
  PlayToTheEnd();
  const uint32_t scores[] = {PlayerScore(0), PlayerScore(1)};
  const std::string text = ReplayText(FinishRecording());
  EnableRecording(false);
  TReplay replay;
  std::string error;
  ASSERT_TRUE(ParseReplay(text, replay, error)) << error;
  EXPECT_EQ(replay.start.turn, 1);
  GameTest::SetUp();
  {
    CPlayback playback(replay);
    while (!playback.Done()) playback.Step(false);
    EXPECT_EQ(playback.Mismatch(), "");
  }
  EXPECT_EQ(PlayerScore(0), scores[0]);
  EXPECT_EQ(PlayerScore(1), scores[1]);

  const struct {
    const char *from, *to, *why;
  } spoiled[] = {
      {"players 2 1\n", "players 2 2\n", "out of range"},
      {"kept 0 0 3 go easy on me\n", "kept 0 0 0 go easy on me\n", "no life left"},
      {"start saved 0 0 3 go easy on me\n", "start saved 41 500 2 dutchie land\n", "not where"},
  };
  for (const auto& s : spoiled) {
    std::string bad = text;
    const size_t at = bad.find(s.from);
    ASSERT_NE(at, std::string::npos) << s.from << " in " << text.substr(0, 300);
    bad.replace(at, std::string(s.from).size(), s.to);
    EXPECT_FALSE(ParseReplay(bad, replay, error)) << s.to;
    EXPECT_NE(error.find(s.why), std::string::npos) << error;
  }
}
