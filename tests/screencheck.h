// Screen checks for the drawing tests: is a picture (or a glyph) shown at a
// play-field position, judged pixel by pixel on the 8-bit screen.
#pragma once
#include <SDL/SDL.h>

#include <algorithm>
#include <string>

#include "base/globals.h"
#include "media/font.h"

// Raw value of a pixel of any depth.
inline Uint32 RawPixel(SDL_Surface* s, int x, int y) {
  const int bpp = s->format->BytesPerPixel;
  const Uint8* p = static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * bpp;
  Uint32 v = 0;
  for (int i = bpp - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

// The screen index a source pixel lands on when blitted.
inline Uint8 ScreenIndexOf(SDL_Surface* s, Uint32 raw) {
  if (s->format->BytesPerPixel == 1) return static_cast<Uint8>(raw);
  Uint8 r, g, b;
  SDL_GetRGB(raw, s->format, &r, &g, &b);
  return static_cast<Uint8>(SDL_MapRGB(Game.screen->format, r, g, b));
}

// True when the w x h window of `s` at (sx, sy) is shown at play-field (x, y):
// every opaque pixel inside the field matches the screen, and there is at
// least one such pixel.
inline bool WindowShown(SDL_Surface* s, int sx, int sy, int w, int h, int x, int y) {
  int opaque = 0;
  bool same = true;
  SDL_LockSurface(s);
  SDL_LockSurface(Game.screen);
  for (int j = 0; j < h && same; ++j) {
    for (int i = 0; i < w && same; ++i) {
      const int wx = x + 80 + i, wy = y + j;
      if (wx < 80 || wx >= 560 || wy < 0 || wy >= 480) continue;
      const Uint32 raw = RawPixel(s, sx + i, sy + j);
      if ((s->flags & SDL_SRCCOLORKEY) && raw == s->format->colorkey) continue;
      ++opaque;
      const Uint8 screen = static_cast<const Uint8*>(Game.screen->pixels)[wy * Game.screen->pitch + wx];
      same = screen == ScreenIndexOf(s, raw);
    }
  }
  SDL_UnlockSurface(Game.screen);
  SDL_UnlockSurface(s);
  return same && opaque > 0;
}

// The opaque part of a window of a picture (colour-keyed pixels left out),
// relative to the window; empty (w = 0) when it is all transparent.
inline SDL_Rect InkBounds(SDL_Surface* s, int sx, int sy, int w, int h) {
  int x0 = w, y0 = h, x1 = -1, y1 = -1;
  SDL_LockSurface(s);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const Uint32 raw = RawPixel(s, sx + i, sy + j);
      if ((s->flags & SDL_SRCCOLORKEY) && raw == s->format->colorkey) continue;
      x0 = std::min(x0, i), x1 = std::max(x1, i), y0 = std::min(y0, j), y1 = std::max(y1, j);
    }
  SDL_UnlockSurface(s);
  if (x1 < 0) return SDL_Rect{0, 0, 0, 0};
  return SDL_Rect{Sint16(x0), Sint16(y0), Uint16(x1 - x0 + 1), Uint16(y1 - y0 + 1)};
}
inline SDL_Rect InkBounds(SDL_Surface* s) { return InkBounds(s, 0, 0, s->w, s->h); }

inline bool SpriteShown(SDL_Surface* s, int x, int y) { return WindowShown(s, 0, 0, s->w, s->h, x, y); }

inline bool GlyphShown(const CFont& font, char c, int x, int y) {
  const SDL_Rect& g = font.glyphs[static_cast<unsigned char>(c)];
  return WindowShown(font.image, g.x, g.y, g.w, g.h, x, y);
}

// True when every character of the text is shown where DrawText puts it.
inline bool TextShown(const CFont& font, const std::string& text, int x, int y) {
  for (char c : text) {
    if (c != ' ' && !GlyphShown(font, c, x, y)) return false;
    x += TextWidth(font, std::string(1, c));
  }
  return true;
}

// A copy of the screen's play field, to tell later whether a region changed.
struct TScreenShot {
  std::string pixels;
  TScreenShot() {
    SDL_LockSurface(Game.screen);
    for (int y = 0; y < 480; ++y)
      pixels.append(static_cast<const char*>(Game.screen->pixels) + y * Game.screen->pitch + 80, 480);
    SDL_UnlockSurface(Game.screen);
  }
  // True when the play-field rectangle looks the same on the screen now.
  bool SameAsNow(int x, int y, int w, int h) const {
    TScreenShot now;
    for (int j = y; j < y + h; ++j)
      if (pixels.compare(j * 480 + x, w, now.pixels, j * 480 + x, w) != 0) return false;
    return true;
  }
};
