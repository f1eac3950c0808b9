// Gamepads: stick and d-pad steering, the south button as fire, Start as
// pause, the menus by pad, and events from pads that are gone. Every event
// goes through the real dispatch.
#include "game/joystick.h"

#include <cstdlib>

#include "base/globals.h"
#include "field/ball.h"
#include "field/paddle.h"
#include "game/input.h"
#include "game/mainloop.h"
#include "session/gameflow.h"
#include "tests/testenv.h"

namespace {
class Gamepad : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    ChooseGamepadLayout();
    ResetGamepadState();
  }
  void TearDown() override {
    ResetGamepadState();
    GameTest::TearDown();
  }
  static void Send(const SDL_Event& e) {
    Game.event = e;
    DispatchEvent();
  }
  static void Axis(int axis, int value, int pad = 0) {
    SDL_Event e = {};
    e.type = SDL_JOYAXISMOTION;
    e.jaxis = {SDL_JOYAXISMOTION, static_cast<Uint8>(pad), static_cast<Uint8>(axis),
               static_cast<Sint16>(value)};
    Send(e);
  }
  static void Button(int button, bool down, int pad = 0) {
    SDL_Event e = {};
    e.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
    e.jbutton = {e.type, static_cast<Uint8>(pad), static_cast<Uint8>(button),
                 static_cast<Uint8>(down ? SDL_PRESSED : SDL_RELEASED)};
    Send(e);
  }
  static void Press(int button) {
    Button(button, true);
    Button(button, false);
  }
  static void Hat(Uint8 value) {
    SDL_Event e = {};
    e.type = SDL_JOYHATMOTION;
    e.jhat = {SDL_JOYHATMOTION, 0, 0, value};
    Send(e);
  }
  // Where the paddle gets to in `ticks` logic ticks from the middle.
  static int Travel(int ticks) {
    Game.paddle->x = 240;
    for (int i = 0; i < ticks; ++i) LogicTick();
    return Game.paddle->x - 240;
  }
};

constexpr int South = 0, East = 1, Start = 6, Up = 11, Down = 12, Left = 13, Right = 14;

TEST_F(Gamepad, StickSpeedFollowsDeflectionPastTheDeadZone) {
  Axis(0, 6000);
  EXPECT_EQ(Travel(10), 0) << "inside the dead zone";
  Axis(0, 32767);
  const int full = Travel(10);
  EXPECT_GE(full, 60) << "full deflection is at least the arrow keys' 6 a tick";
  Axis(0, (8000 + 32767) / 2);
  EXPECT_NEAR(Travel(10), full / 2, 2);
  Axis(0, -32768);
  EXPECT_EQ(Travel(10), -full);
  Axis(1, 32767);
  Axis(0, 0);
  EXPECT_EQ(Travel(10), 0) << "only the x axis steers";

  Axis(0, 32767);
  Game.paddle->direction = -1;
  EXPECT_EQ(Travel(10), -full) << "a reversed paddle runs the other way";
  Game.paddle->direction = 1;
  Game.paddle->slow = true;
  EXPECT_EQ(Travel(10), full / 2);
  Game.paddle->slow = false;
  Travel(200);
  EXPECT_EQ(Game.paddle->x, 480 - (5 * Game.paddle->HalfWidth()) / 4) << "clamped like every other steering";
}

TEST_F(Gamepad, DpadAndHatMoveAsTheArrowKeys) {
  Button(Right, true);
  EXPECT_EQ(Travel(5), 30);
  Button(Right, false);
  Button(Left, true);
  EXPECT_EQ(Travel(5), -30);
  Button(Left, false);
  EXPECT_EQ(Travel(5), 0);
  Hat(SDL_HAT_RIGHTUP);
  EXPECT_EQ(Travel(5), 30);
  Hat(SDL_HAT_CENTERED);
  EXPECT_EQ(Travel(5), 0);

  // Without the standard layout only the first two buttons have a known place.
  setenv("SDL12COMPAT_USE_GAME_CONTROLLERS", "0", 1);
  Button(Right, true);
  EXPECT_EQ(Travel(5), 0);
  Button(Right, false);
  Hat(SDL_HAT_LEFT);
  EXPECT_EQ(Travel(5), -30);
  Hat(SDL_HAT_CENTERED);
  setenv("SDL12COMPAT_USE_GAME_CONTROLLERS", "1", 1);
}

TEST_F(Gamepad, SouthButtonIsFire) {
  NextLevel();
  Button(South, true);
  EXPECT_TRUE(Game.fireHeld);
  CheckGameFlow();
  EXPECT_EQ(Game.gameState, gsBallInGame);
  EXPECT_EQ(Game.balls.Count(), 1);
  Button(South, false);
  EXPECT_FALSE(Game.fireHeld);

  Game.gameState = gsGameDone;
  const int level = Game.levelIndex;
  Button(South, true);
  EXPECT_EQ(Game.levelIndex, level + 1) << "fire on a finished level loads the next";
  EXPECT_FALSE(Game.fireHeld) << "and the same press does not launch";
  Button(South, false);
}

TEST_F(Gamepad, StartPausesAndResumes) {
  Game.gameState = gsBallInGame;
  Press(Start);
  EXPECT_EQ(Game.programState, psMenu);
  EXPECT_EQ(Game.menuState, msMain);
  EXPECT_EQ(Game.menuCursor, 0);
  Press(Start);
  EXPECT_EQ(Game.programState, psGame);
  EXPECT_EQ(Game.gameState, gsBallInGame);

  Game.gameState = gsGameOver;
  Press(Start);
  EXPECT_EQ(Game.programState, psGame) << "as Escape, Start does not leave game over";
}

TEST_F(Gamepad, MenusByDpadStickSouthAndEast) {
  Game.programState = psIntro;
  Press(South);
  EXPECT_EQ(Game.tickCount, 433) << "the intro is skipped";

  Game.programState = psMenu;
  Game.menuCursor = 1;
  Press(Down);
  EXPECT_EQ(Game.menuCursor, 2);
  EXPECT_EQ(PlayedCount(Game.sndMenuStep), 1);
  Press(South);
  EXPECT_EQ(Game.menuState, msOptions);
  Press(East);
  EXPECT_EQ(Game.menuState, msMain);
  EXPECT_EQ(Game.menuCursor, 2);

  Axis(1, 30000);
  Axis(1, 32767);
  EXPECT_EQ(Game.menuCursor, 3) << "one step per push of the stick";
  Axis(1, 15000);
  Axis(1, 30000);
  EXPECT_EQ(Game.menuCursor, 3) << "not back near the centre yet";
  Axis(1, 0);
  Axis(1, -30000);
  EXPECT_EQ(Game.menuCursor, 2);
  Axis(1, 0);
  Press(Up);
  EXPECT_EQ(Game.menuCursor, 1);

  Press(South);
  EXPECT_EQ(Game.menuState, msNewGame);
  Press(South);
  EXPECT_EQ(Game.programState, psGame);
  EXPECT_EQ(Game.gameState, gsFirstBall);
  CheckGameFlow();
  EXPECT_TRUE(Game.balls.Empty()) << "the press that starts a game does not launch its first ball";
}

TEST_F(Gamepad, PadsThatAreGoneOrUnknownChangeNothing) {
  Axis(0, 32767, 200);
  Button(South, true, 200);
  Button(21, true);
  Axis(5, 32767);
  EXPECT_FALSE(Game.fireHeld);
  EXPECT_EQ(Travel(5), 0);

  // No pad is attached here: a rescan lets go of what the events held, but
  // none is made while a ball is in play.
  Axis(0, 32767);
  Game.gameState = gsBallInGame;
  RescanGamepads(0x7fffffff);
  EXPECT_GT(Travel(1), 0);
  Game.gameState = gsNewBall;
  RescanGamepads(0x7fffffff);
  EXPECT_EQ(Travel(5), 0);
  CloseGamepads();
}
}  // namespace
