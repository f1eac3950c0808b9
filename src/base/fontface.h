// CFont, a loaded bitmap font as the game record keeps it, and a text drawn
// at a fixed place.
#pragma once
#include <SDL/SDL.h>

#include <string>

class CFont {
public:
  SDL_Surface* image = nullptr;  // owned for the whole run, never released
  SDL_Rect glyphs[127] = {};     // indexed by character code; only 33..126 are ever set
};

// A text drawn at a fixed place, and the column its advance must not pass
// (the field's edge, a check box, the next column).
struct TFixedText {
  const CFont* font;
  int x, y;
  std::string text;
  int limit;
};
