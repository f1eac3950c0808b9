// Attract mode: an idle main menu starts a demo that the autopilot plays, and
// any key or click, or the demo's own end, gives the menu back exactly as it
// was, without a trace in the player's game, table or recordings.
#include "game/attract.h"

#include <functional>
#include <sstream>

#include "base/globals.h"
#include "base/random.h"
#include "field/ball.h"
#include "field/brick.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "game/input.h"
#include "game/mainloop.h"
#include "replay/recorder.h"
#include "session/gameflow.h"
#include "store/highscores.h"
#include "tests/testenv.h"

namespace {
std::string Fingerprint() {
  std::ostringstream s;
  s << int(Game.programState) << int(Game.returnState) << int(Game.gameState) << int(Game.menuState) << " "
    << Game.menuCursor << " " << Game.score << " " << Game.lives << " " << Game.levelIndex << " "
    << Game.levelName << " " << Game.energy << Game.levelComplete << Game.fireHeld << Game.firePressed
    << Game.motionCarry << " " << Game.baseBallSpeed << Game.ballSpeed << int(Game.ballType) << " "
    << Game.maxFloaters << " " << Game.floaterInterval << " " << Game.floaterTimer << " " << Game.newScoreRank
    << Game.typedName << " " << Game.balls.Count() << Game.effects.Count() << Game.bonuses.Count()
    << Game.floaters.Count() << " " << Game.paddle->x << int(Game.paddle->size) << Game.paddle->direction
    << Game.paddle->slow << " " << RandomState() << " table";
  for (int i = 0; i < Game.highScores.Count(); ++i) s << " " << Game.highScores[i]->score;
  std::ostringstream bricks;
  for (int i = 0; i < Game.bricks.Count(); ++i) {
    const CBrick* b = Game.bricks[i];
    bricks << " " << b->x << "," << b->y << "," << int(b->colour) << "," << int(b->bonus);
  }
  s << " bricks " << Game.bricks.Count() << " " << std::hash<std::string>()(bricks.str());
  return s.str();
}

SDL_Event Event(Uint8 type, SDLKey key = SDLK_UNKNOWN) {
  SDL_Event e = {};
  e.type = type;
  e.key.keysym.sym = key;
  return e;
}

// One pass of the main loop.
void Pass(std::vector<SDL_Event> events = {}) {
  for (SDL_Event& e : events) {
    Game.event = e;
    if (!AttractTakesEvent(e)) DispatchEvent();
  }
  LogicTick();
  if (Game.programState == psGame) CheckGameFlow();
  AttractPass();
}

class Attract : public GameTest {
protected:
  // The menu after a finished game: its level still loaded behind, the
  // cursor on "help", the table as the game left it.
  void SetUp() override {
    GameTest::SetUp();
    LoadHighScores();
    StartNewGame(1);
    Game.paddle->x = 111;
    Game.paddle->size = psSmall;
    Game.score = 4321;
    Game.lives = 0;
    Game.gameState = gsGameOver;
    Game.programState = psMenu;
    Game.returnState = psMenu;
    Game.menuState = msMain;
    Game.menuCursor = 4;
    Pass();  // settles the idle clock at the menu
  }
  void TearDown() override {
    EndDemo();
    GameTest::TearDown();
  }
};
}  // namespace

TEST_F(Attract, AnIdleMenuPlaysADemoUntilAKeyOrClick) {
  for (int i = 0; i < 1000; ++i) Pass();
  Pass({Event(SDL_MOUSEMOTION)});  // the pointer moved: the 30 seconds start again
  const std::string before = Fingerprint();
  for (int i = 0; i < 1198; ++i) Pass();
  EXPECT_FALSE(DemoRunning());
  Pass();
  ASSERT_TRUE(DemoRunning());
  EXPECT_EQ(Game.programState, psGame);
  EXPECT_LT(Game.levelIndex, 80);  // the first two laps

  // The autopilot plays: balls are launched and the paddle follows them.
  int launched = 0, moves = 0, lastX = Game.paddle->x;
  for (int i = 0; i < 1500 && DemoRunning(); ++i) {
    Pass({Event(SDL_MOUSEMOTION), Event(SDL_KEYUP, SDLK_SPACE)});  // neither ends the demo
    if (Game.gameState == gsBallInGame) ++launched;
    if (Game.paddle->x != lastX) ++moves;
    lastX = Game.paddle->x;
  }
  EXPECT_GT(launched, 100);
  EXPECT_GT(moves, 50);
  EXPECT_FALSE(Recording());

  ASSERT_TRUE(DemoRunning());
  Pass({Event(SDL_KEYDOWN, SDLK_RETURN)});  // taken by the demo, not by the menu
  EXPECT_FALSE(DemoRunning());
  EXPECT_EQ(Fingerprint(), before);

  // A click ends a demo just the same.
  StartDemo(7);
  for (int i = 0; i < 200; ++i) Pass();
  Pass({Event(SDL_MOUSEBUTTONDOWN)});
  EXPECT_EQ(Fingerprint(), before);
}

TEST_F(Attract, ADemoEndsByItselfAndLeavesNoTrace) {
  const std::string before = Fingerprint();
  StartDemo(12345);
  Game.lives = 1;
  bool over = false;
  for (int i = 0; i < 7300 && DemoRunning(); ++i) {
    if (Game.gameState == gsBallInGame && i == 400) Game.balls.Clear();  // the one ball goes
    over = over || Game.gameState == gsGameOver;
    Pass();
  }
  EXPECT_TRUE(over);
  EXPECT_FALSE(DemoRunning());
  EXPECT_EQ(Fingerprint(), before);
}

TEST_F(Attract, NoDemoWhileAGameIsPausedOrAnotherScreenIsShown) {
  Game.returnState = psGame;
  for (int i = 0; i < 1300; ++i) Pass();
  EXPECT_FALSE(DemoRunning());
  Game.returnState = psMenu;
  Game.menuState = msHelp;
  for (int i = 0; i < 1300; ++i) Pass();
  EXPECT_FALSE(DemoRunning());
  Game.menuState = msMain;
  for (int i = 0; i < 1200; ++i) Pass();
  EXPECT_TRUE(DemoRunning());
}
