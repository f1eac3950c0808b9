// CFont: bitmap fonts read from a BMP with a marker row, and the text routines.
#pragma once
#include <SDL/SDL.h>

#include <string>

#include "base/fontface.h"

// Loads a font picture and scans its marker row; an unreadable file is fatal.
CFont LoadFont(const char* path);
// A font of an already loaded picture, which it takes over.
CFont FontFromPicture(SDL_Surface* picture);
// Builds the glyph table of an already loaded picture (any pixel depth).
void ScanFontMarkers(CFont& font);
// Draws text with its top-left corner at play-field position (x, y).
void DrawText(const CFont& font, int x, int y, const std::string& text);
// The pen advance DrawText applies for the text.
int TextWidth(const CFont& font, const std::string& text);
