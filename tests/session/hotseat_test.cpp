// The hot seat: turns passing on a lost life with each field kept, a player
// out, the end of the game with every player's entry in the table, and the
// kept game naming every player.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <tuple>

#include "base/globals.h"
#include "field/ball.h"
#include "field/brick.h"
#include "platform/datafile.h"
#include "screens/hud.h"
#include "screens/panels.h"
#include "session/gameflow.h"
#include "session/keptgame.h"
#include "session/level.h"
#include "session/players.h"
#include "store/highscores.h"
#include "tests/screencheck.h"
#include "tests/testenv.h"

namespace {
class HotSeatTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    std::string error;
    ASSERT_TRUE(MakeDataFolder(error)) << error;
    LoadHighScores();
  }
  // The last ball of the player at play goes, and the game-flow check runs.
  static void LoseBall() {
    Game.gameState = gsBallInGame;
    Game.balls.Clear();
    CheckGameFlow();
  }
  // Where every brick stands, what it is and what it holds.
  static std::string Field() {
    std::ostringstream s;
    for (int i = 0; i < Game.bricks.Count(); ++i) {
      const CBrick* b = Game.bricks[i];
      s << b->x << ',' << b->y << ',' << int(b->colour) << ',' << int(b->bonus) << ' ';
    }
    return s.str();
  }
  static bool Says(const std::string& text, int y) {
    DrawHud();
    return TextShown(Game.fontMenu, text, (480 - TextWidth(Game.fontMenu, text)) / 2, y);
  }
};
}  // namespace

// Each lost life passes the turn to the next player; a player's first turn
// starts their first level, and a later one puts back their field, level,
// score and lives as they left them, waiting for their own fire press.
TEST_F(HotSeatTest, TurnsPassInOrderAndEachFieldComesBackAsLeft) {
  StartNewGame(0, {"ANN", "BOB", "CY"});
  ASSERT_TRUE(HotSeatGame());
  EXPECT_EQ(HotSeat.turn, 0);
  EXPECT_TRUE(Says("ANN: newbie-1", 259));
  const std::string fresh = Field();
  // ANN moves on to the second lap's "dutchie land" and breaks three bricks.
  Game.levelIndex = 40;
  NextLevel();
  for (int k = 0; k < 3; ++k) Game.bricks.RemoveAt(Game.bricks.Count() - 1);
  Game.score = 500;
  const std::string annField = Field();
  Game.fireHeld = true;
  LoseBall();

  const char* const order[] = {"BOB", "CY"};
  for (int turn = 1; turn <= 2; ++turn) {
    EXPECT_EQ(HotSeat.turn, turn);
    EXPECT_EQ(Game.levelIndex, 0);
    EXPECT_EQ(Field(), fresh) << "a first turn starts on a whole first level";
    EXPECT_EQ(Game.score, 0u);
    EXPECT_EQ(Game.lives, 3);
    EXPECT_EQ(Game.gameState, gsFirstBall);
    EXPECT_TRUE(Game.balls.Empty()) << "the fire held by the last player launched nothing";
    EXPECT_TRUE(Says(std::string(order[turn - 1]) + ": newbie-1", 259));
    Game.score = 100u * static_cast<uint32_t>(turn);
    LoseBall();
  }
  EXPECT_EQ(HotSeat.turn, 0);
  EXPECT_EQ(Game.levelIndex, 41);
  EXPECT_EQ(Game.levelName, "dutchie land");
  EXPECT_EQ(Field(), annField);
  EXPECT_EQ(Game.score, 500u);
  EXPECT_EQ(Game.lives, 2);
  EXPECT_EQ(Game.gameState, gsNewBall);
  EXPECT_TRUE(Says("ANN: get ready", 299));
  EXPECT_EQ(PlayerScore(1), 100u);
  EXPECT_EQ(PlayerScore(2), 200u);
  EXPECT_EQ(PlayerLives(2), 2);
}

// A player out of lives is passed over; the others play on, the last one
// alone keeps the turn, and when nobody has a life left the game is over.
// Every player whose score makes the top ten enters it under their own name,
// with no name entry, and the next game is a game of one again.
TEST_F(HotSeatTest, APlayerOutIsPassedOverAndTheGameEndsWhenAllAreOut) {
  StartNewGame(0, {"ANN", "BOB"});
  Game.score = 300;
  LoseBall();
  Game.score = 200;
  Game.lives = 1;
  LoseBall();  // BOB is out
  EXPECT_EQ(HotSeat.turn, 0);
  EXPECT_EQ(PlayerLives(1), 0);
  LoseBall();
  EXPECT_EQ(HotSeat.turn, 0) << "the only player left keeps the turn";
  EXPECT_EQ(Game.gameState, gsNewBall);
  EXPECT_EQ(Game.lives, 1);
  played.clear();
  LoseBall();
  EXPECT_EQ(Game.gameState, gsGameOver);
  EXPECT_EQ(PlayedCount(Game.sndGameOver), 1);

  for (const TSaveResult& save : EndGame()) EXPECT_TRUE(save.saved) << save.error;
  EXPECT_EQ(Game.menuState, msHighScores);
  EXPECT_FALSE(HotSeatGame());
  // The built-in table runs from 250 down by 25; a tie ranks below.
  ASSERT_EQ(Game.highScores.Count(), 10);
  EXPECT_EQ(Game.highScores[0]->name, CHighScore("ANN", 0).name);
  EXPECT_EQ(Game.highScores[0]->score, 300u);
  EXPECT_EQ(Game.highScores[4]->name, CHighScore("BOB", 0).name);
  EXPECT_EQ(Game.highScores[4]->score, 200u);
  EXPECT_EQ(Game.litTableRows, (std::vector<int>{0, 4})) << "both new rows are lit";
  LoadHighScores();  // as saved
  EXPECT_EQ(Game.highScores[4]->name, CHighScore("BOB", 0).name);
}

// Three players on different laps: each turn that comes back puts back every
// part of the game record the player owns (score and lives with their level
// starts, level, field, the lap's floaters and ball speed, a level cleared
// with the last ball), and a player who is out is passed over both ways.
TEST_F(HotSeatTest, ThreePlayersOnDifferentLapsGetBackAllTheyOwnPastOneWhoIsOut) {
  const auto owned = [] {
    return std::make_tuple(Game.score, Game.levelStartScore, Game.lives, Game.levelStartLives,
                           Game.levelIndex, Game.levelName, std::hash<std::string>()(Field()),
                           Game.maxFloaters, Game.floaterInterval, Game.baseBallSpeed, Game.ballSpeed,
                           Game.levelComplete);
  };
  StartNewGame(0, {"ANN", "BOB", "CY"});
  // ANN reaches the second lap with 120 points and four lives, breaks three
  // bricks, and her last brick goes with her last ball.
  Game.score = 120;
  Game.lives = 4;
  Game.levelIndex = 40;
  NextLevel();
  for (int k = 0; k < 3; ++k) Game.bricks.RemoveAt(Game.bricks.Count() - 1);
  Game.score = 500;
  Game.levelComplete = true;
  // Coming back, a player has lost a life, and their ball the lap's speed.
  const auto comingBack = [&owned] {
    auto now = owned();
    std::get<2>(now) -= 1;
    std::get<10>(now) = std::get<9>(now);
    return now;
  };
  auto ann = comingBack();
  LoseBall();
  ASSERT_EQ(HotSeat.turn, 1);
  Game.lives = 1;
  LoseBall();  // BOB is out
  ASSERT_EQ(HotSeat.turn, 2);
  // CY reaches the third lap, where balls are faster and floaters come sooner.
  Game.score = 900;
  Game.levelIndex = 84;
  NextLevel();
  Game.bricks.RemoveAt(0);
  const auto cy = comingBack();
  ASSERT_NE(Game.baseBallSpeed, std::get<9>(ann));
  ASSERT_NE(Game.floaterInterval, std::get<8>(ann));
  LoseBall();
  EXPECT_EQ(HotSeat.turn, 0) << "BOB is out";
  EXPECT_EQ(owned(), ann);
  Game.levelComplete = false;
  std::get<11>(ann) = false;
  LoseBall();
  EXPECT_EQ(HotSeat.turn, 2) << "BOB is out";
  EXPECT_EQ(owned(), cy);
  EXPECT_EQ(PlayerLives(1), 0);
  EXPECT_EQ(PlayerScore(0), std::get<0>(ann));
}

// A hot-seat game left in play is kept as a format 3 file naming every
// player with their level start (a player out stays out, with every point
// scored), whose turn it was, and "continue" resumes it there; a damaged file
// is refused.
TEST_F(HotSeatTest, AKeptGameKeepsEveryPlayerAndContinueResumesIt) {
  StartNewGame(0, {"ANN", "BOB", "CY"});
  Game.score = 700;
  NextLevel();  // ANN on the second level, with 700 points and 3 lives
  Game.score = 750;
  LoseBall();
  Game.lives = 1;
  Game.score = 20;
  LoseBall();  // BOB is out, with the 20 points of his last level
  Game.levelIndex = 41;
  Game.score = 40;
  NextLevel();  // CY on the third level of the second lap, with 40 points
  Game.score = 90;
  Game.gameState = gsBallInGame;
  const TKeptGame kept = GameToKeep();
  ASSERT_TRUE(SaveGameForLater(kept).saved);
  std::ifstream file(SavedGamePath());
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_EQ(text.str().rfind("rebounder-saved-game 3\nplayers 3 2\nname ANN\nlevel 1 dutchie land\nlap 0\n"
                             "score 700\nlives 3\n",
                             0),
            0u);
  EXPECT_NE(text.str().find("name BOB\nlevel 0 go easy on me\nlap 0\nscore 20\nlives 0\n"),
            std::string::npos);
  EXPECT_NE(text.str().find("name CY\nlevel 42 oh deer\nlap 1\nscore 40\nlives 3\n"), std::string::npos);

  ClearSeats();
  LoadSavedGame();
  ASSERT_TRUE(Game.haveSavedGame);
  EXPECT_TRUE(Game.savedGame == kept);
  EXPECT_EQ(ContinueKeptGame(Game.savedGame), "");
  EXPECT_EQ(HotSeat.turn, 2);
  EXPECT_EQ(Game.levelIndex, 42);
  EXPECT_EQ(Game.score, 40u);
  EXPECT_EQ(Game.gameState, gsFirstBall);
  EXPECT_EQ(PlayerScore(0), 700u);
  EXPECT_EQ(PlayerLives(0), 3);
  EXPECT_EQ(PlayerLives(1), 0);
  LoseBall();
  EXPECT_EQ(HotSeat.turn, 0) << "BOB stays out";
  EXPECT_EQ(Game.levelName, "dutchie land");
  EXPECT_EQ(Game.score, 700u);

  // The turn of a player who is out, or a player without a name, is no game.
  TKeptGame damaged = kept, read;
  damaged.turn = 1;
  std::string error;
  EXPECT_FALSE(ParseSavedGame(SavedGameText(damaged), read, error));
  EXPECT_NE(error.find("no life left"), std::string::npos) << error;
  damaged = kept;
  damaged.players[1].name.clear();
  EXPECT_FALSE(ParseSavedGame(SavedGameText(damaged), read, error));
  EXPECT_NE(error.find("name"), std::string::npos) << error;
}
