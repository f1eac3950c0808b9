// The play-field frame, backdrop, HUD strip, framed boxes and in-game messages.
#pragma once
#include <SDL/SDL.h>

#include <string>
#include <vector>

#include "media/font.h"

// A framed box of width x height 20-pixel tiles at tile column and row.
void DrawBox(SDL_Surface* skin, int column, int row, int width, int height);
// The same box with its top left corner at field pixel (x, y).
void DrawBoxAt(SDL_Surface* skin, int x, int y, int width, int height);
// A box skin cut to any size in field pixels: its edges and corners, its middle tiled.
void DrawBand(SDL_Surface* skin, const SDL_Rect& band);
void DrawHud();
void DrawFrame();
// Moves the beams of the frame one step, once per pass of the main loop
// (unless play is frozen by the pause key).
void AnimateBeams();
void DrawBackground();
std::string TierName(int tier);
// The text cut short, letter by letter from its end, until it is no wider than `width`.
std::string FittedText(const CFont& font, std::string text, int width);
// "newbie-1", "beyond AAARGH-1" ... for the current levelIndex.
std::string LevelTitle();
// The in-game messages, as drawn, with the column each must end before.
std::vector<TFixedText> HudFixedTexts();
// Draws the player's notice while it lasts; called last in every frame.
void DrawNotice();
