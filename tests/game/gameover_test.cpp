// A game that is over is ranked and saved at once, on the "game over" card,
// so that quitting there keeps its score and a lost game cannot go on.
#include <filesystem>

#include "base/globals.h"
#include "field/ball.h"
#include "game/mainloop.h"
#include "session/gameflow.h"
#include "session/keptgame.h"
#include "store/highscores.h"
#include "tests/testenv.h"

namespace {
class GameOver : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    Forget();
  }
  void TearDown() override {
    Forget();
    GameTest::TearDown();
  }
  static void Forget() {
    for (const char* file : {"highscores.dat", "savedgame.dat"}) std::filesystem::remove(DataFilePath(file));
    std::filesystem::remove_all(DataFilePath("replays"));
  }
  static int RowsOf(uint32_t score) {
    int rows = 0;
    for (int i = 0; i < Game.highScores.Count(); ++i) rows += Game.highScores[i]->score == score;
    return rows;
  }
};
}  // namespace

// "continue" on a kept game, then its last life lost: the window is closed
// on the card (the data files are saved as at every exit). The score is in
// the table and the kept game is gone; Space on the card later ranks nothing twice.
TEST_F(GameOver, TheScoreIsSavedAndTheKeptGameDroppedWhenTheGameEnds) {
  LoadHighScores();
  ASSERT_TRUE(SaveGameForLater({4, "core dump", 5000, 1}));
  LoadSavedGame();
  ASSERT_TRUE(Game.haveSavedGame);
  ResumeGame(Game.savedGame);
  Game.gameState = gsBallInGame;
  Game.balls.Clear();
  EndPass(1);
  ASSERT_EQ(Game.gameState, gsGameOver);
  EXPECT_EQ(Game.programState, psGame) << "the card is still shown";
  EXPECT_FALSE(std::filesystem::exists(SavedGamePath()));
  ASSERT_TRUE(SaveDataFiles());

  LoadHighScores();
  EXPECT_EQ(RowsOf(5000), 1);
  LoadSavedGame();
  EXPECT_FALSE(Game.haveSavedGame) << "a lost game cannot be continued";

  EndPass(1);
  EndGame();
  EXPECT_EQ(Game.menuState, msNewHighScore);
  EXPECT_EQ(Game.newScoreRank, 1);
  LoadHighScores();
  EXPECT_EQ(RowsOf(5000), 1);
}
