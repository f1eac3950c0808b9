// contactsheet --themes: one level at its start in every built-in theme, the
// play fields at full size two by two in one PNG, to compare the themes.
#include <SDL/SDL.h>
#include <cairo.h>

#include <string>

#include "base/globals.h"
#include "game/mainloop.h"
#include "media/theme.h"
#include "session/level.h"

// In levelsheet.cpp: the game started as the sheets draw it, and the sheet
// written as a PNG (1 and a line on failure).
bool StartSheetGame();
int WriteSheet(cairo_surface_t* sheet, const char* outPath);

namespace {
constexpr int FieldLeft = 80, FieldSize = 480, Gap = 8, Columns = 2;

void CopyField(unsigned char* pixels, int stride, int left, int top) {
  SDL_LockSurface(Game.screen);
  const SDL_Color* palette = Game.screen->format->palette->colors;
  const Uint8* screen = static_cast<const Uint8*>(Game.screen->pixels);
  for (int y = 0; y < FieldSize; ++y)
    for (int x = 0; x < FieldSize; ++x) {
      const SDL_Color& c = palette[screen[y * Game.screen->pitch + FieldLeft + x]];
      reinterpret_cast<uint32_t*>(pixels + (top + y) * stride)[left + x] =
          0xff000000u | (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | uint32_t(c.b);
    }
  SDL_UnlockSurface(Game.screen);
}
}  // namespace

int ThemeSheet(const char* outPath, const std::string& level) {
  if (!StartSheetGame()) return 1;
  const int count = static_cast<int>(BuiltInThemes().size()), rows = (count + Columns - 1) / Columns;
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, Columns * (FieldSize + Gap) + Gap,
                                                      rows * (FieldSize + Gap) + Gap);
  cairo_surface_flush(sheet);
  unsigned char* pixels = cairo_image_surface_get_data(sheet);
  const int stride = cairo_image_surface_get_stride(sheet);
  for (int i = 0; i < count; ++i) {
    UseTheme(BuiltInThemes()[i]);
    if (!ThemeRefusals().empty()) return 1;
    LoadLevel(level, 0, 0);
    DrawStateFrame();
    CopyField(pixels, stride, Gap + i % Columns * (FieldSize + Gap), Gap + i / Columns * (FieldSize + Gap));
  }
  return WriteSheet(sheet, outPath);
}
