// The game window: the 640x480 picture shown crisp at a whole-number scale,
// in a window or centred on a black full screen, and the choice of that scale.
#pragma once
#include <SDL/SDL.h>

#include <string>

constexpr int PictureWidth = 640;
constexpr int PictureHeight = 480;
constexpr int FieldLeft = 80;  // the play field's first column in the picture
constexpr int MaxScale = 8;

// The largest whole scale (at least 1) at which the picture fits a desktop of
// the given size; a window also leaves room for its frame and the desktop's panels.
int FittingScale(int desktopWidth, int desktopHeight, bool fullscreen);
// The full-screen video mode that SDL stretches by exactly `scale` to fill the desktop.
SDL_Rect FullscreenMode(int desktopWidth, int desktopHeight, int scale);
// Reads a scale the player gave: "auto" (0) or a whole number 1..MaxScale.
bool ParseScale(const std::string& text, int& scale);
// The scale to use: the player's (0 = automatic) if it fits, else the largest
// that fits; `note` gets a line for the player when their choice was not taken.
int ResolveScale(int requested, int desktopWidth, int desktopHeight, bool fullscreen, std::string& note);

// Where a window's frame of that size stands centred in the desktop's work
// area; a frame larger than the area starts at its top left corner.
SDL_Rect CentredFrame(const SDL_Rect& area, int frameWidth, int frameHeight);

// The player's scale from the command line (empty: none); REBOUNDER_SCALE is
// read when this is empty, and the saved setting (0 = automatic) when neither
// gives one. Call before the first OpenGameScreen.
void SetRequestedScale(const std::string& commandLineValue, int saved);
// The player chose a scale in the game: it holds from the next
// OpenGameScreen on, before the command line's.
void ChangeScale(int scale);
// Whether the picture fits the desktop at that scale.
bool ScaleFitsScreen(int scale, bool fullscreen);
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
// coordinates: a full-screen surface can be larger, with the picture in its middle.
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
