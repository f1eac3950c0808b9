// Bitmap fonts: loading a font picture, scanning its marker row into the
// glyph table, and drawing and measuring text with it.
#include "media/font.h"

#include "base/globals.h"
#include "media/catalogue.h"
#include "media/picture.h"

namespace {
constexpr int FirstGlyph = 33;  // '!'
constexpr int LastGlyph = 126;  // '~'
constexpr int SpaceAdvance = 8;

// Raw value of pixel (x, 0), read little-endian whatever the pixel size;
// sizes the game does not know read as 0, which is no marker.
Uint32 MarkerValue(const Uint8* row, int x, int bytesPerPixel) {
  if (bytesPerPixel < 1 || bytesPerPixel > 4) return 0;
  const Uint8* p = row + x * bytesPerPixel;
  Uint32 value = 0;
  for (int i = bytesPerPixel - 1; i >= 0; --i) value = (value << 8) | p[i];
  return value;
}

bool IsGlyph(unsigned char c) { return c >= FirstGlyph && c <= LastGlyph; }
}  // namespace

CFont LoadFont(const char* path) { return FontFromPicture(LoadAssetPicture(path, MaxFontSide)); }

CFont FontFromPicture(SDL_Surface* picture) {
  CFont font;
  font.image = picture;
  SDL_SetColorKey(font.image, SDL_SRCCOLORKEY, SDL_MapRGB(font.image->format, 0, 0, 0));
  ScanFontMarkers(font);
  return font;
}

// Each marker in row 0 ends one cell. The first cell includes its marker
// column; every later one starts on the previous marker's column.
void ScanFontMarkers(CFont& font) {
  for (SDL_Rect& g : font.glyphs) g = SDL_Rect{0, 0, 0, 0};
  SDL_Surface* image = font.image;
  if (!image) return;
  SDL_LockSurface(image);
  const Uint8* row = static_cast<const Uint8*>(image->pixels);
  const int bytesPerPixel = image->format->BytesPerPixel;
  const Uint16 height = static_cast<Uint16>(image->h > 0 ? image->h - 1 : 0);
  Sint16 start = 0;
  Uint16 width = 0;
  int code = FirstGlyph;
  for (int x = 0; x < image->w && code <= LastGlyph; ++x) {
    ++width;
    if (MarkerValue(row, x, bytesPerPixel) == 0) continue;
    font.glyphs[code++] = SDL_Rect{start, 1, width, height};
    start = static_cast<Sint16>(x);
    width = 0;
  }
  SDL_UnlockSurface(image);
}

// One destination rectangle serves the whole string: a blit clipped at the
// field's left edge writes the clipped position back into it, and the pen
// goes on from there.
void DrawText(const CFont& font, int x, int y, const std::string& text) {
  SDL_Rect pen = {static_cast<Sint16>(x + 80), static_cast<Sint16>(y), 0, 0};
  for (unsigned char c : text) {
    if (c == ' ') {
      pen.x = static_cast<Sint16>(pen.x + SpaceAdvance);
    } else if (IsGlyph(c)) {
      SDL_Rect source = font.glyphs[c];
      SDL_BlitSurface(font.image, &source, Game.screen, &pen);
      pen.x = static_cast<Sint16>(pen.x + font.glyphs[c].w);
    }
  }
}

int TextWidth(const CFont& font, const std::string& text) {
  int width = 0;
  for (unsigned char c : text) {
    if (c == ' ')
      width += SpaceAdvance;
    else if (IsGlyph(c))
      width += font.glyphs[c].w;
  }
  return width;
}
