// The choice of the picture's scale from the screen's size and the player's
// value, and the layout that follows from it: the video mode, who scales the
// picture, and where the picture stands on the screen.
#pragma once
#include <SDL/SDL.h>

#include <string>

constexpr int PictureWidth = 640;
constexpr int PictureHeight = 480;
constexpr int FieldLeft = 80;  // the play field's first column in the picture
constexpr int MaxScale = 8;
// "fill": the picture as high as the screen (or a window as large as the
// desktop's work area), at whatever factor that takes.
constexpr int FillScale = -1;

// The largest whole scale (at least 1) at which the picture fits a desktop of
// the given size; a window also leaves room for its frame and the desktop's panels.
int FittingScale(int desktopWidth, int desktopHeight, bool fullscreen);
// The full-screen video mode that SDL stretches by exactly `scale` to fill the desktop.
SDL_Rect FullscreenMode(int desktopWidth, int desktopHeight, int scale);
// Reads a scale the player gave: "auto" (0), "fill" (FillScale) or a whole number 1..MaxScale.
bool ParseScale(const std::string& text, int& scale);
// "auto", "fill" or the number, as ParseScale reads it.
std::string ScaleText(int scale);
// The scale to use, a whole number or FillScale: the player's (0 =
// automatic) if it fits, else the largest that fits; `note` gets a line for
// the player when their choice was not taken. Automatic is the whole scale,
// but full screen fills when that scale would leave more than a tenth of the
// screen's height black.
int ResolveScale(int requested, int desktopWidth, int desktopHeight, bool fullscreen, std::string& note);

// Where a window's frame of that size stands centred in the desktop's work
// area; a frame larger than the area starts at its top left corner.
SDL_Rect CentredFrame(const SDL_Rect& area, int frameWidth, int frameHeight);

struct TScreenLayout {
  int videoWidth = PictureWidth, videoHeight = PictureHeight;  // the mode asked of SDL
  int windowScaling = 1;                                       // SDL's whole-number scaling of a window
  // The game scales the picture itself into a 32-bit video surface, at a
  // factor that need not be whole; otherwise SDL scales 8-bit pixels.
  bool gameScales = false;
  int stageWidth = PictureWidth,
      stageHeight = PictureHeight;  // the 8-bit surface holding the picture in its middle
  double factor = 1;                // screen pixels per picture pixel
  double offsetX = 0, offsetY = 0;  // where the stage's corner lands when the game scales
  bool panelsFill = false;          // the side panels take all the stage beside the field
};
// The layout for a resolved scale. `area` is the desktop's work area and
// `frameWidth`, `frameHeight` the room a window's frame takes, for a window
// that fills.
TScreenLayout LayoutScreen(int scale, int desktopWidth, int desktopHeight, bool fullscreen,
                           const SDL_Rect& area, int frameWidth, int frameHeight);
// A point of the window (as SDL reports it) in stage pixels, and the middle
// of a stage pixel on the window.
void WindowToStage(const TScreenLayout& layout, int& x, int& y);
void StageToWindow(const TScreenLayout& layout, int& x, int& y);
