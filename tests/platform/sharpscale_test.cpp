// Sharp scaling at factors that are not whole: every edge of the picture
// blends over at most one screen pixel, and every other pixel keeps its colour.
#include "platform/sharpscale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

namespace {
struct TSurfaces {
  SDL_Surface* picture;
  SDL_Surface* screen;
  SDL_Color colours[256];
  SDL_Palette palette;
  TSurfaces(int w, int h, int screenW, int screenH)
      : picture(SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 8, 0, 0, 0, 0)),
        screen(SDL_CreateRGBSurface(SDL_SWSURFACE, screenW, screenH, 32, 0xff0000, 0xff00, 0xff, 0)),
        colours(),
        palette{256, colours} {
    for (int i = 0; i < 256; ++i) colours[i] = {Uint8(i), Uint8(255 - i), Uint8(i / 2), 0};
  }
  ~TSurfaces() {
    SDL_FreeSurface(picture);
    SDL_FreeSurface(screen);
  }
  TSurfaces(const TSurfaces&) = delete;
  TSurfaces& operator=(const TSurfaces&) = delete;
  Uint8& At(int x, int y) { return static_cast<Uint8*>(picture->pixels)[y * picture->pitch + x]; }
  Uint32 Shown(int x, int y) const {
    return reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(screen->pixels) + y * screen->pitch)[x];
  }
  Uint32 Colour(int index) const {
    return SDL_MapRGB(screen->format, colours[index].r, colours[index].g, colours[index].b);
  }
};

// Blended pixels in each run between two pure colours along a line of the screen.
int WidestBlend(const TSurfaces& s, int along, bool rows, const std::set<Uint32>& pure) {
  int widest = 0, run = 0;
  const int length = rows ? s.screen->h : s.screen->w;
  for (int i = 0; i < length; ++i) {
    const Uint32 p = rows ? s.Shown(along, i) : s.Shown(i, along);
    run = pure.count(p) ? 0 : run + 1;
    widest = std::max(widest, run);
  }
  return widest;
}
}  // namespace

TEST(SharpScale, EdgesBlendOverOnePixelAtMostAtAnyFactor) {
  for (const double factor : {2.25, 4.5, 1.6, 3.0}) {
    for (const bool down : {false, true}) {
      const int w = 40, h = 30;
      TSurfaces s(w, h, static_cast<int>(w * factor), static_cast<int>(h * factor));
      // Stripes one to three pixels wide, across or down, in four colours.
      const auto stripe = [](int i) { return static_cast<Uint8>(10 * ((i * i / 7) % 4)); };
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s.At(x, y) = stripe(down ? y : x);
      CSharpScale scale;
      scale.Prepare(w, h, s.screen->w, s.screen->h, factor, 0, 0);
      scale.Draw(s.picture, &s.palette, s.screen);
      const std::set<Uint32> pure = {s.Colour(0), s.Colour(10), s.Colour(20), s.Colour(30)};
      int widest = 0, blended = 0, edges = 0;
      const int lines = down ? s.screen->w : s.screen->h;
      for (int i = 0; i < lines; ++i) widest = std::max(widest, WidestBlend(s, i, down, pure));
      for (int i = 1; i < (down ? h : w); ++i) edges += stripe(i) != stripe(i - 1);
      for (int y = 0; y < s.screen->h; ++y)
        for (int x = 0; x < s.screen->w; ++x) blended += !pure.count(s.Shown(x, y));
      // Below 2x a one-pixel stripe may be two blended pixels, one per edge.
      EXPECT_LE(widest, factor < 2 ? 2 : 1) << "at " << factor;
      EXPECT_LE(blended, edges * lines) << "at " << factor;
      if (factor == 3.0)
        EXPECT_EQ(blended, 0) << "a whole factor blends nothing";
      else
        EXPECT_GT(blended, 0) << "at " << factor;
      // A screen pixel wholly inside a picture pixel shows it pure.
      for (int p = 0; p < (down ? h : w); ++p) {
        const int inside = static_cast<int>(std::ceil(p * factor));
        if (inside + 1 > (p + 1) * factor) continue;
        EXPECT_EQ(down ? s.Shown(0, inside) : s.Shown(inside, 0), s.Colour(stripe(p)))
            << p << " at " << factor;
      }
    }
  }
}

// A blended pixel lies between its two colours by the share of each it covers,
// and the colours follow the palette as it changes.
TEST(SharpScale, BlendsByCoverAndFollowsThePalette) {
  TSurfaces s(4, 1, 9, 2);
  s.At(0, 0) = s.At(1, 0) = 0;
  s.At(2, 0) = s.At(3, 0) = 200;
  CSharpScale scale;
  scale.Prepare(4, 1, 9, 2, 2.25, 0, 0);
  scale.Draw(s.picture, &s.palette, s.screen);
  // Pixel 4 covers 4..5: half of picture pixel 1 (to 4.5), half of pixel 2.
  const Uint32 half = s.Shown(4, 0);
  EXPECT_EQ(static_cast<int>((half >> 16) & 0xff), 100);
  EXPECT_EQ(static_cast<int>((half >> 8) & 0xff), 155);
  EXPECT_EQ(s.Shown(3, 0), s.Colour(0));
  EXPECT_EQ(s.Shown(5, 0), s.Colour(200));
  EXPECT_EQ(s.Shown(4, 1), half) << "every screen row of a picture row alike";
  s.colours[200] = {0, 0, 255, 0};
  scale.Draw(s.picture, &s.palette, s.screen);
  EXPECT_EQ(s.Shown(8, 0), s.Colour(200));
}

// Only the pieces of rows that changed are drawn again, and the screen ends
// up as a fresh drawing of the whole picture would leave it.
TEST(SharpScale, RedrawingWhatChangedMatchesAWholeDrawing) {
  for (const double factor : {2.25, 4.5, 1.6}) {
    const int w = 300, h = 60;
    const int sw = static_cast<int>(w * factor), sh = static_cast<int>(h * factor);
    TSurfaces kept(w, h, sw, sh), fresh(w, h, sw, sh);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) kept.At(x, y) = static_cast<Uint8>((x / 3 + y) % 7);
    CSharpScale scale;
    scale.Prepare(w, h, sw, sh, factor, -0.5, 0);
    scale.Draw(kept.picture, &kept.palette, kept.screen);
    for (int step = 0; step < 5; ++step) {
      // A few pixels here and there, one at either end of the row.
      for (int k = 0; k < 9; ++k) kept.At((step * 97 + k * 131) % w, (step * 13 + k * 7) % h) ^= 5;
      kept.At(0, step) ^= 9;
      kept.At(w - 1, h - 1 - step) ^= 9;
      scale.Draw(kept.picture, &kept.palette, kept.screen);
      std::memcpy(fresh.picture->pixels, kept.picture->pixels, static_cast<size_t>(kept.picture->pitch * h));
      CSharpScale whole;
      whole.Prepare(w, h, sw, sh, factor, -0.5, 0);
      whole.Draw(fresh.picture, &fresh.palette, fresh.screen);
      int differing = 0;
      for (int y = 0; y < sh; ++y)
        for (int x = 0; x < sw; ++x) differing += kept.Shown(x, y) != fresh.Shown(x, y);
      ASSERT_EQ(differing, 0) << "step " << step << " at " << factor;
    }
  }
}
