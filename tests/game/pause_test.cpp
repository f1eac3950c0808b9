// Pausing: looking away from the window pauses play into the menu as Escape
// does, the pause key freezes play on the game screen, the pointer is the
// player's outside play, and the full-screen keys act anywhere.
#include "base/globals.h"
#include "field/ball.h"
#include "field/paddle.h"
#include "game/input.h"
#include "game/mainloop.h"
#include "platform/datafile.h"
#include "screens/hud.h"
#include "session/gameflow.h"
#include "tests/screencheck.h"
#include "tests/testenv.h"

namespace {
class Pause : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    StartEmptyPlay();
    ball = Game.balls.Add(new CBall(240, 300, btNormal));
  }
  static void Key(SDLKey key, SDLMod mod = KMOD_NONE) {
    Game.event = {};
    Game.event.type = SDL_KEYDOWN;
    Game.event.key.keysym.sym = key;
    Game.event.key.keysym.mod = mod;
    DispatchEvent();
  }
  static void LookAway(Uint8 state) {
    Game.event = {};
    Game.event.type = SDL_ACTIVEEVENT;
    Game.event.active.state = state;
    DispatchEvent();
  }
  static bool PointerFree() {
    FollowPointerRule();
    return SDL_WM_GrabInput(SDL_GRAB_QUERY) == SDL_GRAB_OFF && SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE;
  }
  CBall* ball = nullptr;
};
}  // namespace

TEST_F(Pause, LosingFocusOrBeingMinimisedPausesPlayIntoTheMenu) {
  EXPECT_FALSE(PointerFree()) << "held in play";
  LookAway(SDL_APPMOUSEFOCUS);
  EXPECT_EQ(Game.programState, psGame) << "the pointer merely left the window";
  for (Uint8 state : {SDL_APPINPUTFOCUS, SDL_APPACTIVE}) {
    Game.programState = psGame;
    LookAway(state);
    EXPECT_EQ(Game.programState, psMenu);
    EXPECT_EQ(Game.returnState, psGame);
    EXPECT_EQ(Game.menuCursor, 0);
    EXPECT_TRUE(PointerFree());
  }
  Game.menuState = msOptions;
  LookAway(SDL_APPINPUTFOCUS);
  EXPECT_EQ(Game.menuState, msOptions) << "in the menu it changes nothing";
  EXPECT_TRUE(PointerFree());
  for (int i = 0; i < 5; ++i) LogicTick();
  EXPECT_EQ(ball->x, 240);
  EXPECT_EQ(ball->y, 300);
}

// A play-test has no menu: looking away freezes it, and the field says how to
// go on, since its Escape leaves for the editor.
TEST_F(Pause, APlayTestFrozenByLookingAwaySaysHowToGoOn) {
  Game.playTesting = true;
  LookAway(SDL_APPINPUTFOCUS);
  EXPECT_EQ(Game.programState, psGame);
  EXPECT_TRUE(Game.playPaused);
  const std::string hint = "p goes on, Escape back to the editor";
  const int hintX = (480 - TextWidth(Game.fontScore, hint)) / 2;
  DrawHud();
  EXPECT_TRUE(TextShown(Game.fontScore, hint, hintX, 340));
  Game.playTesting = false;
  ClearWindow(0);
  DrawHud();
  EXPECT_FALSE(TextShown(Game.fontScore, hint, hintX, 340)) << "the pause key alone needs no hint";
}

TEST_F(Pause, ThePauseKeyFreezesPlayOnTheGameScreenUntilPressedAgain) {
  for (SDLKey key : {SDLK_p, SDLK_PAUSE}) {
    Key(key);
    const float x = ball->x, y = ball->y;
    const int paddleX = Game.paddle->x;
    Game.energy = 5000;
    Game.keyState[SDLK_RIGHT] = 1;
    Key(SDLK_SPACE);
    for (int i = 0; i < 10; ++i) LogicTick();
    CheckGameFlow();
    EXPECT_EQ(Game.programState, psGame);
    EXPECT_EQ(ball->x, x);
    EXPECT_EQ(ball->y, y);
    EXPECT_EQ(Game.paddle->x, paddleX);
    EXPECT_EQ(Game.energy, 5000);
    EXPECT_TRUE(PointerFree());
    DrawHud();
    const int textX = (160 + 320 - TextWidth(Game.fontMenu, "paused")) / 2;
    EXPECT_TRUE(TextShown(Game.fontMenu, "paused", textX, 299));
    Game.keyState[SDLK_RIGHT] = 0;
    Key(key);
    LogicTick();
    EXPECT_NE(ball->y, y) << "resumed";
    EXPECT_FALSE(PointerFree());
  }
  Game.gameState = gsGameOver;
  Key(SDLK_p);
  EXPECT_FALSE(Game.playPaused) << "game over waits for fire alone";
}

TEST_F(Pause, FullScreenKeysToggleTheOptionAnywhereAndSaveIt) {
  Game.programState = psMenu;
  Game.menuCursor = 6;  // "exit": a plain Enter would quit
  Key(SDLK_RETURN, KMOD_LALT);
  EXPECT_FALSE(Game.optFullscreen.value);
  EXPECT_TRUE(Game.optFullscreen.applied);
  EXPECT_EQ(Game.programState, psMenu) << "Alt+Enter chooses no row";
  EXPECT_EQ(ReadFileBytes(DataFilePath("options.dat"), 6).at(5), 0);
  Game.programState = psGame;
  Key(SDLK_F11);
  EXPECT_TRUE(Game.optFullscreen.value);
  EXPECT_EQ(ReadFileBytes(DataFilePath("options.dat"), 6).at(5), 1);
  EXPECT_EQ(Game.programState, psGame);
}
