// contactsheet --levels: every level of the list at its start, as the player
// first sees it (backdrop, stars, frame, bricks, paddle, HUD and the title
// box), the play fields shrunk to half size side by side in one PNG. Given
// set folders, the first levels of the built-in set and of each set, a row
// each, to compare them.
#include <SDL/SDL.h>
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/random.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "game/mainloop.h"
#include "media/catalogue.h"
#include "session/gameflow.h"
#include "session/levelset.h"

namespace {
constexpr int FieldLeft = 80, FieldSize = 480, Scale = 2, Thumb = FieldSize / Scale, Gap = 8, Columns = 8;

uint32_t FixedSeconds() { return 1; }

// The average colour of each Scale x Scale block of the play field.
void ShrinkInto(unsigned char* pixels, int stride, int left, int top) {
  SDL_LockSurface(Game.screen);
  const SDL_Color* palette = Game.screen->format->palette->colors;
  const Uint8* screen = static_cast<const Uint8*>(Game.screen->pixels);
  for (int y = 0; y < Thumb; ++y)
    for (int x = 0; x < Thumb; ++x) {
      int r = 0, g = 0, b = 0;
      for (int j = 0; j < Scale; ++j)
        for (int i = 0; i < Scale; ++i) {
          const SDL_Color& c =
              palette[screen[(y * Scale + j) * Game.screen->pitch + FieldLeft + x * Scale + i]];
          r += c.r, g += c.g, b += c.b;
        }
      uint32_t* out = reinterpret_cast<uint32_t*>(pixels + (top + y) * stride) + left + x;
      const int n = Scale * Scale;
      *out = 0xff000000u | (uint32_t(r / n) << 16) | (uint32_t(g / n) << 8) | uint32_t(b / n);
    }
  SDL_UnlockSurface(Game.screen);
}
}  // namespace

// The game as the level and theme sheets draw it: headless, its files loaded, silent,
// in play with the stars of a fixed seed; false when SDL cannot start.
bool StartSheetGame() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "contactsheet: cannot start SDL: %s\n", SDL_GetError());
    return false;
  }
  LoadSprites();
  LoadFonts();
  Game.screen = SDL_SetVideoMode(640, 480, 8, SDL_SWSURFACE | SDL_HWPALETTE);
  SDL_Rect clip = {FieldLeft, 0, FieldSize, FieldSize};
  SDL_SetClipRect(Game.screen, &clip);
  SDL_SetColors(Game.screen, Game.sprHud->format->palette->colors, 0, 256);
  Game.keyState = SDL_GetKeyState(nullptr);
  Game.paddle.reset(new CPaddle(240, 420));
  SetSecondsSource(FixedSeconds);
  RandomSeed(1);
  Game.stars.reset(new CStars());
  Game.stars->Create(0, 0, Game.sprStar);
  Game.optSound.value = false;
  Game.programState = psGame;
  Game.lives = 3;
  return true;
}

int WriteSheet(cairo_surface_t* sheet, const char* outPath);

int LevelSheet(const char* outPath, const std::vector<std::string>& sets, int first) {
  if (!StartSheetGame()) return 1;
  // The rows to draw: the built-in set's levels, then each named set's.
  std::vector<CLevelSet> rowsOfSets = {CLevelSet::Classic()};
  for (const std::string& folder : sets) {
    rowsOfSets.push_back(CLevelSet::Load(folder));
    if (rowsOfSets.back().levels.empty()) {
      std::fprintf(stderr, "contactsheet: %s: no level of this folder can be played\n", folder.c_str());
      return 1;
    }
  }
  struct TThumb {
    size_t set;
    int level;
  };
  std::vector<TThumb> thumbs;
  int columns = Columns;
  for (size_t k = 0; k < rowsOfSets.size(); ++k) {
    UseLevelSet(rowsOfSets[k]);
    int count = static_cast<int>(Game.levelList.size());
    if (!sets.empty()) count = std::min(count, first > 0 ? first : count), columns = std::max(count, 1);
    for (int i = 0; i < count; ++i) thumbs.push_back({k, i});
  }
  if (!sets.empty()) columns = first > 0 ? first : columns;
  const int count = static_cast<int>(thumbs.size());
  const int rows = (count + columns - 1) / columns;
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, columns * (Thumb + Gap) + Gap,
                                                      rows * (Thumb + Gap) + Gap);
  cairo_surface_flush(sheet);
  unsigned char* pixels = cairo_image_surface_get_data(sheet);
  const int stride = cairo_image_surface_get_stride(sheet);
  for (int i = 0; i < count; ++i) {
    UseLevelSet(rowsOfSets[thumbs[i].set]);
    // With sets, each starts a row of its own.
    const int row = sets.empty() ? i / columns : static_cast<int>(thumbs[i].set);
    const int column = sets.empty() ? i % columns : thumbs[i].level;
    Game.levelIndex = thumbs[i].level - 1;
    NextLevel();
    DrawStateFrame();
    ShrinkInto(pixels, stride, Gap + column * (Thumb + Gap), Gap + row * (Thumb + Gap));
  }
  return WriteSheet(sheet, outPath);
}

int WriteSheet(cairo_surface_t* sheet, const char* outPath) {
  cairo_surface_mark_dirty(sheet);
  const cairo_status_t status = cairo_surface_write_to_png(sheet, outPath);
  cairo_surface_destroy(sheet);
  SDL_Quit();
  if (status != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "contactsheet: cannot write %s: %s\n", outPath, cairo_status_to_string(status));
    return 1;
  }
  return 0;
}
