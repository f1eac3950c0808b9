// Input dispatch: every polled SDL event passes through DispatchEvent, which
// applies its steps in a fixed order, each testing the event again.
#include "shell/input.h"

#include "field/gameflow.h"
#include "field/paddle.h"
#include "platform/joystick.h"
#include "replay/recorder.h"
#include "shell/catalogue.h"
#include "shell/globals.h"
#include "shell/keymap.h"
#include "store/options.h"
#include "ui/editor.h"
#include "ui/menu.h"
#include "ui/notice.h"
#include "ui/question.h"
#include "ui/settingsmenu.h"

namespace {
constexpr int WarpX = 240, WarpY = 240;

// The pointer goes back to the warp point after every move, and the paddle
// follows each event's own relative motion. Under SDL 1.2 over SDL2 the
// grabbed, hidden pointer is relative: a warp makes no event, and events
// converted together report positions summed since the last warp, so their
// absolute x would count one movement several times. A platform that does
// turn the warp into an event reports the warp point itself: that moves
// nothing. In a scaled window the warp lands elsewhere in the picture and its
// echo reports no movement at all: warping again for it would echo again, and
// the event queue would never drain. Pixels short of a whole paddle step wait
// for the next event, so a fine mouse that reports single pixels still steers.
void HandleMotion(const SDL_MouseMotionEvent& motion) {
  if (Game.programState != psGame) return;
  if ((motion.x == WarpX && motion.y == WarpY) || (motion.xrel == 0 && motion.yrel == 0)) return;
  const TMouseRate& rate = MouseRates[Game.settings.controls.mouseRate];
  Game.paddle->SteerByMouse(motion.xrel, Game.motionCarry, rate.num, rate.den);
  SDL_WarpMouse(WarpX, WarpY);
}

void ApplyFireRule() {
  if (!Game.fireHeld || Game.programState != psGame) return;
  // A play-test ends where a game would go on: back to the editor.
  if (PlayTesting() && (Game.gameState == gsGameOver || Game.gameState == gsGameDone)) {
    Game.fireHeld = Game.firePressed = false;
    EndPlayTest();
    return;
  }
  if (Game.gameState == gsGameOver) {
    Game.firePressed = false;
    for (const TSaveResult& save : EndGame()) ReportSave(save);
  } else if (Game.gameState == gsGameDone) {
    NextLevel();
    // The press that leaves a cleared level never launches the next one's first ball.
    Game.fireHeld = false;
    Game.firePressed = false;
  }
}

void HandleEscape() {
  switch (Game.programState) {
    case psIntro:
      Game.tickCount = 433;
      break;
    case psGame:
      if (PlayTesting()) {
        EndPlayTest();
        break;
      }
      if (Game.gameState == gsGameOver) break;
      Game.firePressed = false;
      Game.returnState = psGame;
      Game.programState = psMenu;
      Game.menuState = msMain;
      Game.menuCursor = 0;
      StartPauseMusic();
      break;
    case psMenu:
      if (Game.menuState == msMain) {
        if (Game.returnState == psGame) {
          Game.programState = psGame;
          MusicForPlay();
        }
      } else if (Game.menuState == msSettings) {
        SettingsEscape();
      } else if (Game.menuState != msNewHighScore) {
        PlaySound(Game.sndMenuSelect);
        if (Game.menuState == msNewGame) Game.menuCursor = 1;
        if (Game.menuState == msOptions) {
          Game.menuCursor = 2;
          ReportSave(SaveOptions());  // at once, so that a crash or a power cut later cannot lose them
        }
        Game.menuState = msMain;
      }
      break;
    case psExit:
    case psEditor:
      break;
  }
}
}  // namespace

void DispatchEvent() {
  const SDL_Event& e = Game.event;
  const CEventRecording recording(e);
  if (Game.question != qnNone) {
    // Only releases get through, so that fire is not left held.
    if (e.type == SDL_MOUSEBUTTONUP || (e.type == SDL_KEYUP && e.key.keysym.sym == BoundKey(kaFire)))
      Game.fireHeld = false;
    HandleJoystickEvent(e);
    AnswerQuestion(e);
    return;
  }
  // Closing the window during a game asks first; the game is kept either way.
  if (e.type == SDL_QUIT) {
    if (GameInProgress())
      AskQuestion(qnQuit);
    else
      Game.quitRequested = true;
  }
  if (Game.programState == psEditor) {
    EditorEvent(e);
    return;
  }
  if (e.type == SDL_MOUSEMOTION) HandleMotion(e.motion);
  const bool fireKey = (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) && e.key.keysym.sym == BoundKey(kaFire);
  if (e.type == SDL_MOUSEBUTTONDOWN || (e.type == SDL_KEYDOWN && fireKey)) {
    Game.fireHeld = true;
    // Kept until the next game-flow check, so a tap released within the same pass still counts.
    if (Game.programState == psGame) Game.firePressed = true;
  }
  if (e.type == SDL_MOUSEBUTTONUP || (e.type == SDL_KEYUP && fireKey)) Game.fireHeld = false;
  HandleJoystickEvent(e);
  ApplyFireRule();
  if (e.type != SDL_KEYDOWN) return;
  const SDLKey key = e.key.keysym.sym;
  // A key pressed to be bound does nothing else.
  const bool bindingKey = Game.programState == psMenu && CapturingKey() && key != SDLK_ESCAPE;
  if (key == SDLK_ESCAPE) HandleEscape();
  if (Game.programState == psMenu) {
    SDL_WM_GrabInput(SDL_GRAB_OFF);
    if (key != SDLK_ESCAPE) HandleMenuKey(key);
  }
  // A stray n in play would cost the whole score: it asks first. In the
  // intro and the menus it changes the level behind them at once.
  if (key == SDLK_n && !bindingKey) {
    if (Game.programState == psGame) {
      AskQuestion(qnSkipLevel);
    } else {
      Game.score = 0;
      NextLevel();
    }
  }
}
