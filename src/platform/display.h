// The game window: the 640x480 picture shown crisp at a whole-number scale,
// or filling the screen's height at any factor, in a window or centred on a
// black full screen.
#pragma once
#include <SDL/SDL.h>

#include <string>

#include "platform/screenlayout.h"

// The player's scale from the command line (empty: none); REBOUNDER_SCALE is
// read when this is empty, and the saved setting (0 = automatic) when neither
// gives one. Call before the first OpenGameScreen.
void SetRequestedScale(const std::string& commandLineValue, int saved);
// The player chose a scale in the game: it holds from the next
// OpenGameScreen on, before the command line's.
void ChangeScale(int scale);
// Whether the picture fits the desktop at that scale ("fill" always does).
bool ScaleFitsScreen(int scale, bool fullscreen);
// The columns of the screen's surface beside the picture, on either side,
// that the side panels may fill: 0 but where the picture fills the screen.
int SideRoom();
// Tests lay the screen out for a desktop of their own size (its work area
// the whole of it), from the next OpenGameScreen on; 0 by 0 goes back to SDL's.
void AssumeDesktop(int width, int height);
// Sets the video mode with the game's palette, blacks it out and returns the
// 640x480 surface the game draws on; null when SDL refuses the mode.
SDL_Surface* OpenGameScreen(bool fullscreen, const SDL_Palette* palette);
// The refresh rate of the display the window is on, in pictures a second;
// DefaultRefreshRate when the display reports none (as Xvfb does).
constexpr int DefaultRefreshRate = 60;
int DisplayRefreshRate();
// False while the window is minimised or otherwise not shown.
bool WindowVisible();
// Shows the frame drawn on the game's surface.
void PresentScreen();
// Turns the pointer position of a mouse event into the 640x480 picture's
// coordinates: the screen may show the picture at any factor, and a
// full-screen surface can be larger, with the picture in its middle.
void PointerToPicture(SDL_Event& event);
// Moves the pointer to a point of the picture.
void WarpPointer(int x, int y);
// Shows the pointer and lets it leave the window, or hides it and holds it
// inside (SDL then reports relative motion without limit).
void SetPointerFree(bool free);
// Asks SDL for a cheap presentation path, nearest-neighbour scaling and
// unscaled mouse motion unless the player chose otherwise; call before SDL starts.
void ChooseCheapPresentation();
// Starts SDL's video on a real display (or the driver SDL_VIDEODRIVER names),
// waiting a few seconds for a named display that does not answer yet; stops
// the game with one line when there is none.
void StartVideo();
// Opens the window or full screen when the fullscreen option changed, and
// starts or stops the music when the music option did.
void ApplyVideoSettings();
