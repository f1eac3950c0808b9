// Gamepads. With sdl12-compat's game-controller mapping every pad has the
// standard layout: buttons numbered south, east, west, north, back, guide,
// start, the stick clicks, the shoulders, then the d-pad up, down, left,
// right; axis 0 is the left stick's x and axis 1 its y. Without the mapping
// (the player turned it off) a pad's d-pad is its first hat and its first two
// buttons stand for south and east.
#include "game/joystick.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/globals.h"
#include "field/paddle.h"
#include "game/input.h"

namespace {
enum TPadButton : uint8_t {
  pbSouth = 0,
  pbEast = 1,
  pbStart = 6,
  pbUp = 11,
  pbDown = 12,
  pbLeft = 13,
  pbRight = 14
};

constexpr int MaxPads = 8;
constexpr int DeadZone = 8000;  // of 32767: a worn stick at rest stays still
// Pixels per tick at full deflection: a little faster than the arrow keys' 6.
constexpr int FullStickSpeed = 8;
constexpr int KeySpeed = 6;
// A stick pushed this far up or down steps once through a menu.
constexpr int MenuStickThreshold = 20000;
constexpr uint32_t RescanInterval = 3000;

struct TPadState {
  int stickX = 0, stickY = 0;
  bool up = false, down = false, left = false, right = false;
  bool south = false;
  int menuStick = 0;  // -1 up, 1 down, 0 centred: one menu step per push
};

TPadState pads[MaxPads];
std::vector<SDL_Joystick*> opened;
int subpixels = 0;  // the stick's movement below a whole pixel, in 1/256
uint32_t lastRescan = 0;
bool subsystemStarted = false;

bool StandardLayout() {
  const char* value = std::getenv("SDL12COMPAT_USE_GAME_CONTROLLERS");
  return value && std::strcmp(value, "0") != 0 && strcasecmp(value, "false") != 0;
}

// South and east in the intro and menus, and Start anywhere, act as keys;
// south says yes to a question, east and Start say no.
void PressButton(int button) {
  if (Game.question != qnNone) {
    if (button == pbSouth) PressKey(SDLK_RETURN);
    if (button == pbEast || button == pbStart) PressKey(SDLK_ESCAPE);
  } else if (button == pbStart) {
    PressKey(SDLK_ESCAPE);
  } else if (Game.programState == psIntro) {
    if (button == pbSouth || button == pbEast) PressKey(SDLK_ESCAPE);
  } else if (Game.programState == psMenu) {
    if (button == pbSouth) PressKey(SDLK_RETURN);
    if (button == pbEast) PressKey(SDLK_ESCAPE);
    if (button == pbUp) PressKey(SDLK_UP);
    if (button == pbDown) PressKey(SDLK_DOWN);
    if (button == pbLeft) PressKey(SDLK_LEFT);
    if (button == pbRight) PressKey(SDLK_RIGHT);
  } else if (Game.programState == psGame && button == pbSouth) {
    Game.fireHeld = true;
  }
}

void SetButton(TPadState& pad, int button, bool down) {
  // The raw layout: only the first two buttons have a known place.
  if (!StandardLayout() && button > pbEast) return;
  switch (button) {
    case pbSouth:
      pad.south = down;
      // Released in any state, as the space bar is.
      if (!down) Game.fireHeld = false;
      break;
    case pbUp:
      pad.up = down;
      break;
    case pbDown:
      pad.down = down;
      break;
    case pbLeft:
      pad.left = down;
      break;
    case pbRight:
      pad.right = down;
      break;
  }
  if (down) PressButton(button);
}

void SetHat(TPadState& pad, Uint8 hat) {
  const bool wasUp = pad.up, wasDown = pad.down, wasLeft = pad.left, wasRight = pad.right;
  pad.up = hat & SDL_HAT_UP;
  pad.down = hat & SDL_HAT_DOWN;
  pad.left = hat & SDL_HAT_LEFT;
  pad.right = hat & SDL_HAT_RIGHT;
  if (pad.up && !wasUp) PressButton(pbUp);
  if (pad.down && !wasDown) PressButton(pbDown);
  if (pad.left && !wasLeft) PressButton(pbLeft);
  if (pad.right && !wasRight) PressButton(pbRight);
}

void SetStickY(TPadState& pad, int value) {
  pad.stickY = value;
  const int zone = value <= -MenuStickThreshold ? -1 : value >= MenuStickThreshold ? 1 : 0;
  // Back inside half the threshold re-arms the step, so a stick at the edge does not flutter.
  if (zone == 0 && std::abs(value) > MenuStickThreshold / 2) return;
  if (zone != 0 && zone != pad.menuStick && Game.programState == psMenu)
    PressKey(zone < 0 ? SDLK_UP : SDLK_DOWN);
  pad.menuStick = zone;
}

// The stick deflection beyond the dead zone, scaled to 0..256 x FullStickSpeed.
int StickSpeed(int value) {
  const int magnitude = std::abs(value) > 32767 ? 32767 : std::abs(value);
  if (magnitude <= DeadZone) return 0;
  const int speed = FullStickSpeed * 256 * (magnitude - DeadZone) / (32767 - DeadZone);
  return value < 0 ? -speed : speed;
}
// Asks the pads themselves rather than the events seen.
bool AnyPadInUse() {
  SDL_JoystickUpdate();
  for (SDL_Joystick* pad : opened) {
    for (int b = 0; b < SDL_JoystickNumButtons(pad); ++b)
      if (SDL_JoystickGetButton(pad, b)) return true;
    for (int a = 0; a < 2 && a < SDL_JoystickNumAxes(pad); ++a)
      if (std::abs(SDL_JoystickGetAxis(pad, a)) > DeadZone) return true;
    if (SDL_JoystickNumHats(pad) > 0 && SDL_JoystickGetHat(pad, 0) != SDL_HAT_CENTERED) return true;
  }
  return false;
}
}  // namespace

void ChooseGamepadLayout() { setenv("SDL12COMPAT_USE_GAME_CONTROLLERS", "1", 0); }

void OpenGamepads() {
  if (!subsystemStarted) {
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return;
    subsystemStarted = true;
  }
  SDL_JoystickEventState(SDL_ENABLE);
  const int count = SDL_NumJoysticks();
  for (int i = 0; i < count && i < MaxPads; ++i)
    if (SDL_Joystick* pad = SDL_JoystickOpen(i)) opened.push_back(pad);
}

void CloseGamepads() {
  for (SDL_Joystick* pad : opened) SDL_JoystickClose(pad);
  opened.clear();
  if (subsystemStarted) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  subsystemStarted = false;
}

void ResetGamepadState() {
  for (TPadState& pad : pads) pad = TPadState();
  subpixels = 0;
}

// SDL 1.2 reports neither a pad plugged in nor one pulled out, and only a
// restart of the joystick subsystem finds new ones; a restart would drop what
// an open pad is holding, so it waits until no pad is in use. A pad pulled
// out reads as untouched, so whatever it was holding is then let go.
//
// Starting the subsystem can take a desktop many milliseconds, so it is never
// done while a ball is in play, where it would make the game stutter.
void RescanGamepads(uint32_t now) {
  if (Game.programState == psGame && Game.gameState == gsBallInGame) return;
  if (now - lastRescan < RescanInterval) return;
  lastRescan = now;
  if (AnyPadInUse()) return;
  CloseGamepads();
  ResetGamepadState();
  OpenGamepads();
}

void HandleJoystickEvent(const SDL_Event& e) {
  switch (e.type) {
    case SDL_JOYAXISMOTION:
      if (e.jaxis.which >= MaxPads) return;
      if (e.jaxis.axis == 0) pads[e.jaxis.which].stickX = e.jaxis.value;
      if (e.jaxis.axis == 1) SetStickY(pads[e.jaxis.which], e.jaxis.value);
      break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
      if (e.jbutton.which >= MaxPads) return;
      SetButton(pads[e.jbutton.which], e.jbutton.button, e.type == SDL_JOYBUTTONDOWN);
      break;
    case SDL_JOYHATMOTION:
      if (e.jhat.which >= MaxPads || e.jhat.hat != 0) return;
      SetHat(pads[e.jhat.which], e.jhat.value);
      break;
    default:
      break;
  }
}

void SteerPaddleByGamepad() {
  CPaddle& paddle = *Game.paddle;
  int held = 0, stick = 0;
  for (const TPadState& pad : pads) {
    held += (pad.right ? 1 : 0) - (pad.left ? 1 : 0);
    const int speed = StickSpeed(pad.stickX);
    if (std::abs(speed) > std::abs(stick)) stick = speed;
  }
  // The d-pad moves as the arrow keys do; the stick by how far it is pushed.
  int move = held > 0 ? KeySpeed * 256 : held < 0 ? -KeySpeed * 256 : stick;
  if (move == 0) {
    subpixels = 0;
    return;
  }
  move *= paddle.direction;
  if (paddle.slow) move /= 2;
  // What was left over from the other way is not owed this way.
  if ((move > 0) != (subpixels > 0)) subpixels = 0;
  subpixels += move;
  const int pixels = subpixels / 256;
  subpixels -= pixels * 256;
  paddle.x += pixels;
  paddle.Clamp();
}
