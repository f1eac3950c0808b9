// "continue": the main menu opens on it when there is a game to go on with,
// and a game paused behind the menu comes back from a visit to the level
// editor as it was left, play-tests and all.
#include "base/globals.h"
#include "editor/editor.h"
#include "field/ball.h"
#include "field/brick.h"
#include "game/input.h"
#include "game/mainloop.h"
#include "session/gameflow.h"
#include "session/keptgame.h"
#include "tests/testenv.h"

namespace {
class Continue : public GameTest {
protected:
  void TearDown() override {
    DiscardSavedGame();
    GameTest::TearDown();
  }
};
}  // namespace

TEST_F(Continue, TheMainMenuOpensOnContinueWhenThereIsAGameToGoOn) {
  DiscardSavedGame();
  LoadSavedGame();
  OpenMainMenu();
  EXPECT_EQ(Game.menuCursor, 1) << "nothing to go on with: on \"new game\"";

  ASSERT_TRUE(SaveGameForLater({3, Game.levelList[3], 500, 2}));
  LoadSavedGame();
  OpenMainMenu();
  EXPECT_EQ(Game.menuState, msMain);
  EXPECT_EQ(Game.menuCursor, 0) << "a kept game: on \"continue\"";
  Game.programState = psMenu;
  PressKey(SDLK_RETURN);
  EXPECT_EQ(Game.programState, psGame) << "Enter goes on with it, never throws it away";
  EXPECT_EQ(Game.levelIndex, 3);
  EXPECT_EQ(Game.score, 500u);
}

TEST_F(Continue, APausedGameComesBackFromTheEditorAsItWasLeft) {
  NextLevel();
  Game.gameState = gsBallInGame;
  Game.balls.Add(new CBall(240, 300, btNormal));
  Game.bricks[0]->colour = bcCracked;
  Game.score = Game.levelStartScore = 120;
  Game.lives = Game.levelStartLives = 2;
  const int bricks = Game.bricks.Count();
  const std::string level = Game.levelName;
  PressKey(SDLK_ESCAPE);
  ASSERT_EQ(Game.returnState, psGame) << "paused into the menu";
  PressKey(SDLK_DOWN);
  PressKey(SDLK_RETURN);
  ASSERT_EQ(Game.menuState, msNewGame);
  PressKey(SDLK_e);
  ASSERT_EQ(Game.programState, psEditor);

  // Two rows of twelve bricks, enough to play-test; a play-test, and back.
  for (int row = 0; row < 2; ++row) {
    for (int i = 0; i < 12; ++i) {
      PressKey(SDLK_SPACE);
      PressKey(row == 0 ? SDLK_RIGHT : SDLK_LEFT);
    }
    PressKey(SDLK_DOWN);
  }
  PressKey(SDLK_t);
  ASSERT_TRUE(PlayTesting());
  PressKey(SDLK_ESCAPE);
  EXPECT_EQ(Game.programState, psEditor);
  // At a quit from the editor the paused game is kept for the next start.
  ASSERT_TRUE(SaveDataFiles());
  LoadSavedGame();
  EXPECT_TRUE(Game.haveSavedGame && Game.savedGame == TKeptGame({0, level, 120, 2}));
  Game.haveSavedGame = false;

  OpenEditor("");
  PressKey(SDLK_ESCAPE);
  ASSERT_EQ(Game.menuState, msNewGame) << "left the editor";
  PressKey(SDLK_ESCAPE);
  ASSERT_EQ(Game.menuState, msMain);
  EXPECT_TRUE(CanContinue()) << "\"continue\" stays lit";
  PressKey(SDLK_UP);
  PressKey(SDLK_RETURN);
  EXPECT_EQ(Game.programState, psGame);
  EXPECT_EQ(Game.gameState, gsBallInGame);
  EXPECT_EQ(Game.levelName, level);
  EXPECT_EQ(Game.score, 120u);
  EXPECT_EQ(Game.lives, 2);
  EXPECT_EQ(Game.balls.Count(), 1);
  ASSERT_EQ(Game.bricks.Count(), bricks);
  EXPECT_EQ(Game.bricks[0]->colour, bcCracked);
}
