// Gamepads, through the SDL 1.2 joystick API: the stick and d-pad steer the
// paddle, the south button is the fire input, Start pauses and resumes, and
// the d-pad with the south and east buttons drive the menus.
#pragma once
#include <SDL/SDL.h>

#include <cstdint>

// Asks sdl12-compat to give every pad the standard button layout unless the
// player chose otherwise; call before SDL starts.
void ChooseGamepadLayout();
// Starts the joystick subsystem and opens every pad attached.
void OpenGamepads();
void CloseGamepads();
// Looks again for pads, at most every few seconds and only while no open pad
// is in use, so a pad plugged in (or back in) is found. `now` in milliseconds.
void RescanGamepads(uint32_t now);
// Handles a joystick event; other events are left alone.
void HandleJoystickEvent(const SDL_Event& event);
// Moves the paddle for one logic tick by whatever stick or d-pad is held.
void SteerPaddleByGamepad();
// Forgets every held stick, d-pad and button.
void ResetGamepadState();
