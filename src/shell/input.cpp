// Input dispatch: every polled SDL event passes through DispatchEvent, which
// applies its steps in a fixed order, each testing the event again.
#include "shell/input.h"

#include "field/gameflow.h"
#include "field/paddle.h"
#include "shell/catalogue.h"
#include "shell/globals.h"
#include "shell/joystick.h"
#include "ui/menu.h"

namespace {
void HandleMotion(const SDL_MouseMotionEvent& motion) {
  if (Game.ignoreMotion) {
    Game.ignoreMotion = false;
    return;
  }
  if (Game.programState == psGame) {
    Game.paddle->MouseMove(motion.x - 240);
    SDL_WarpMouse(240, 240);
  }
  // The warp itself produces a motion event, which the flag drops.
  Game.ignoreMotion = true;
}

void ApplyFireRule() {
  if (!Game.fireHeld || Game.programState != psGame) return;
  if (Game.gameState == gsGameOver) {
    EndGame();
  } else if (Game.gameState == gsGameDone) {
    NextLevel();
    Game.fireHeld = false;
  }
}

void HandleEscape() {
  switch (Game.programState) {
    case psIntro:
      Game.tickCount = 433;
      break;
    case psGame:
      if (Game.gameState == gsGameOver) break;
      Game.returnState = psGame;
      Game.programState = psMenu;
      Game.menuState = msMain;
      Game.menuCursor = 0;
      if (Game.optMusic.value) Mix_PlayMusic(Game.music, -1);
      break;
    case psMenu:
      if (Game.menuState == msMain) {
        if (Game.returnState == psGame) {
          Game.programState = psGame;
          Mix_HaltMusic();
        }
      } else if (Game.menuState != msNewHighScore) {
        PlaySound(Game.sndMenuSelect);
        if (Game.menuState == msNewGame) Game.menuCursor = 1;
        if (Game.menuState == msOptions) Game.menuCursor = 2;
        Game.menuState = msMain;
      }
      break;
    case psExit:
      break;
  }
}
}  // namespace

void DispatchEvent() {
  const SDL_Event& e = Game.event;
  if (e.type == SDL_QUIT) Game.quitRequested = true;
  if (e.type == SDL_MOUSEMOTION) HandleMotion(e.motion);
  if (e.type == SDL_MOUSEBUTTONDOWN || (e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_SPACE))
    Game.fireHeld = true;
  if (e.type == SDL_MOUSEBUTTONUP || (e.type == SDL_KEYUP && e.key.keysym.sym == SDLK_SPACE))
    Game.fireHeld = false;
  HandleJoystickEvent(e);
  ApplyFireRule();
  if (e.type != SDL_KEYDOWN) return;
  const SDLKey key = e.key.keysym.sym;
  if (key == SDLK_ESCAPE) HandleEscape();
  if (Game.programState == psMenu) {
    SDL_WM_GrabInput(SDL_GRAB_OFF);
    if (key != SDLK_ESCAPE) HandleMenuKey(key);
  }
  if (key == SDLK_n) {
    Game.score = 0;
    NextLevel();
  }
}
