// Input dispatch: turns each polled SDL event into paddle motion, the fire
// input, pause and resume, menu keys and the level-skip key.
#pragma once
#include <SDL/SDL.h>

void DispatchEvent();
// Pauses a game in play into the main menu, as Escape does; nothing elsewhere.
void PauseIntoMenu();
// The pointer is hidden and held in the window in play (not frozen) and is
// the player's, free and shown, everywhere else.
void FollowPointerRule();
// A quick click of fire, pressed and released at once as a touchpad tap
// arrives, through DispatchEvent: the autopilot's taps in the window.
void TapFire();
// Runs a key press through DispatchEvent as if it had been typed.
void PressKey(SDLKey key);
// Whether the menus answer the pointer; off to replay games recorded before they did.
void SetMenuPointer(bool on);
