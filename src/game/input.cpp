// Input dispatch: every polled SDL event passes through DispatchEvent, which
// applies its steps in a fixed order, each testing the event again.
#include "game/input.h"

#include "base/globals.h"
#include "editor/editor.h"
#include "field/paddle.h"
#include "game/attract.h"
#include "game/joystick.h"
#include "game/mainloop.h"
#include "game/resume.h"
#include "game/watch.h"
#include "media/catalogue.h"
#include "media/notice.h"
#include "menus/menu.h"
#include "menus/playerlines.h"
#include "menus/settingsmenu.h"
#include "platform/display.h"
#include "platform/keymap.h"
#include "replay/recorder.h"
#include "screens/question.h"
#include "session/bonusflow.h"
#include "session/gameflow.h"
#include "store/highscores.h"
#include "store/options.h"

namespace {
constexpr int WarpX = 240, WarpY = 240;
bool menuPointer = true;

// The player's pause key freezes and resumes play; the keyboard's Pause key does too.
bool IsPauseKey(SDLKey key) { return key == BoundKey(kaPause) || key == SDLK_PAUSE; }

bool IsFullscreenKey(const SDL_Event& e) {
  if (e.type != SDL_KEYDOWN) return false;
  const SDLKey key = e.key.keysym.sym;
  return key == SDLK_F11 || (key == SDLK_RETURN && (e.key.keysym.mod & KMOD_ALT));
}

// As the options screen does it, and kept at once: there is no screen to leave.
void ToggleFullscreen() {
  Game.optFullscreen.SetValue(!Game.optFullscreen.value);
  ApplyVideoSettings();
  ReportSave(SaveOptions());
}

// Losing the keyboard or being minimised; the pointer merely leaving is not
// looking away.
bool LooksAway(const SDL_ActiveEvent& active) {
  return !active.gain && (active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE));
}

void TogglePlayPause() {
  if (Game.programState != psGame || Game.gameState == gsGameOver) return;
  Game.playPaused = !Game.playPaused;
  Game.firePressed = false;
}

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
  if (Game.programState != psGame || Game.playPaused) return;
  if ((motion.x == WarpX && motion.y == WarpY) || (motion.xrel == 0 && motion.yrel == 0)) return;
  const TMouseRate& rate = MouseRates[Game.settings.controls.mouseRate];
  Game.paddle->SteerByMouse(motion.xrel, Game.motionCarry, rate.num, rate.den);
  WarpPointer(WarpX, WarpY);
}

void ApplyFireRule() {
  if (!Game.fireHeld || Game.programState != psGame || Game.playPaused) return;
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
    GoOnFromCleared();
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
      PauseIntoMenu();
      break;
    case psMenu:
      if (Game.menuState == msMain) {
        if (Game.returnState == psGame) {
          Game.programState = psGame;
          MusicForPlay();
        }
      } else if (Game.menuState == msSettings) {
        SettingsEscape();
      } else if (Game.menuState == msNewHighScore) {
        ReportSave(NameEntryKey(SDLK_ESCAPE));
      } else {
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
// In the menus the pointer points at rows and chooses them; its buttons are
// the menu's alone and never reach the game as the fire input. Freeing the
// pointer reports where it stands without movement: only a real move points.
void HandleMenuPointer(const SDL_Event& e) {
  if (e.type == SDL_MOUSEMOTION && (e.motion.xrel != 0 || e.motion.yrel != 0))
    PointMenuAt(e.motion.x - FieldLeft, e.motion.y);
  if (e.type != SDL_MOUSEBUTTONDOWN) return;
  Game.fireHeld = false;
  switch (e.button.button) {
    case SDL_BUTTON_WHEELUP:
      PressKey(SDLK_UP);
      break;
    case SDL_BUTTON_WHEELDOWN:
      PressKey(SDLK_DOWN);
      break;
    case SDL_BUTTON_LEFT: {
      SDLKey press = SDLK_UNKNOWN;
      if (!ClickMenuAt(e.button.x - FieldLeft, e.button.y, press))
        PressKey(SDLK_ESCAPE);
      else if (press != SDLK_UNKNOWN)
        PressKey(press);
      break;
    }
    case SDL_BUTTON_RIGHT:
      PressKey(SDLK_ESCAPE);
      break;
    default:
      break;
  }
}
// Does what a menu key or click asked of the game: the editor, or a recording.
void ActOnMenuRequest() {
  const TMenuRequest request = TakeMenuRequest();
  if (request.openEditor) OpenEditor("");
  if (request.watchRank > 0) WatchTableRecording(request.watchRank);
}
}  // namespace

void PauseIntoMenu() {
  if (Game.programState != psGame || Game.gameState == gsGameOver || DemoRunning()) return;
  Game.firePressed = false;
  Game.playPaused = false;  // "continue" resumes play
  Game.returnState = psGame;
  Game.programState = psMenu;
  Game.menuState = msMain;
  Game.menuCursor = 0;
  StartPauseMusic();
}

void PauseForAbsence() {
  // A play-test has no menu to pause into: it freezes where it is.
  if (PlayTesting()) {
    if (Game.programState == psGame && Game.gameState != gsGameOver) Game.playPaused = true;
    return;
  }
  PauseIntoMenu();
}

void FollowPointerRule() {
  const bool play =
      Game.programState == psGame && !Game.playPaused && Game.question == qnNone && !DemoRunning();
  SetPointerFree(!play);
}

void SetMenuPointer(bool on) { menuPointer = on; }

void PressKey(SDLKey key) {
  const SDL_Event saved = Game.event;
  Game.event = SDL_Event();
  Game.event.type = SDL_KEYDOWN;
  Game.event.key.type = SDL_KEYDOWN;
  Game.event.key.state = SDL_PRESSED;
  Game.event.key.keysym.sym = key;
  DispatchEvent();
  Game.event = saved;
}

void TapFire() {
  for (bool down : {true, false}) {
    Game.event = SDL_Event();
    Game.event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    Game.event.button.button = SDL_BUTTON_LEFT;
    Game.event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    DispatchEvent();
  }
}

namespace {
void DispatchOne() {
  const SDL_Event& e = Game.event;
  // The window's own key is not the game's input: it is not recorded, and
  // its Enter never reaches a menu.
  if (IsFullscreenKey(e)) {
    ToggleFullscreen();
    return;
  }
  const CEventRecording recording(e);
  if (Game.question != qnNone) {
    // Only releases get through, so that fire is not left held.
    if (e.type == SDL_MOUSEBUTTONUP || (e.type == SDL_KEYUP && e.key.keysym.sym == BoundKey(kaFire)))
      Game.fireHeld = false;
    HandleJoystickEvent(e);
    AnswerQuestion(e);
    return;
  }
  // Closing the window during a game asks first, and the game is kept either
  // way; a level being made and not saved is warned of first.
  if (e.type == SDL_QUIT) {
    if (GameInProgress())
      AskQuestion(qnQuit);
    else if (!EditorHoldsQuit())
      Game.quitRequested = true;
  }
  if (e.type == SDL_ACTIVEEVENT && LooksAway(e.active)) PauseForAbsence();
  if (Game.programState == psEditor) {
    EditorEvent(e);
    return;
  }
  if (e.type == SDL_MOUSEMOTION) HandleMotion(e.motion);
  const bool fireKey = (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) && e.key.keysym.sym == BoundKey(kaFire);
  if (e.type == SDL_MOUSEBUTTONDOWN || (e.type == SDL_KEYDOWN && fireKey)) SetFireInput(true);
  if (e.type == SDL_MOUSEBUTTONUP || (e.type == SDL_KEYUP && fireKey)) SetFireInput(false);
  if (Game.programState == psMenu && menuPointer) HandleMenuPointer(e);
  ActOnMenuRequest();
  HandleJoystickEvent(e);
  ApplyFireRule();
  if (e.type != SDL_KEYDOWN) return;
  const SDLKey key = e.key.keysym.sym;
  // A key pressed to be bound, or typed into a player's name, does nothing else.
  const bool bindingKey =
      Game.programState == psMenu && (CapturingKey() || TypingPlayerName()) && key != SDLK_ESCAPE;
  if (key == SDLK_ESCAPE) HandleEscape();
  if (IsPauseKey(key)) TogglePlayPause();
  if (Game.programState == psMenu && key != SDLK_ESCAPE) HandleMenuKey(key, e.key.keysym.mod);
  ActOnMenuRequest();
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
}  // namespace

void DispatchEvent() {
  DispatchOne();
  // "continue" may have just resumed a kept game: it goes on where it stopped.
  ResumeWhereLeft();
}
