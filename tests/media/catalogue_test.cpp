// The asset catalogue: every sprite, sound, the music and the fonts load with
// the sizes and palette the game relies on, drawing stays inside the field,
// and every sound passes through one place.
#include "media/catalogue.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "base/globals.h"
#include "media/spritecopy.h"
#include "tests/testenv.h"

class Catalogue : public GameTest {};

TEST_F(Catalogue, EverySpriteIsEightBitWithTheSharedPalette) {
  const SDL_Palette* shared = Game.sprHud->format->palette;
  ASSERT_NE(shared, nullptr);
  ASSERT_EQ(shared->ncolors, 256);
  EXPECT_EQ(shared->colors[0].r + shared->colors[0].g + shared->colors[0].b, 0) << "index 0 must be black";
  for (const TSpriteEntry& e : SpriteCatalogue) {
    SDL_Surface* s = Game.*(e.field);
    ASSERT_NE(s, nullptr) << e.path;
    ASSERT_EQ(s->format->BitsPerPixel, 8) << e.path;
    ASSERT_NE(s->format->palette, nullptr) << e.path;
    for (int i = 0; i < 256; ++i) {
      const SDL_Color& a = s->format->palette->colors[i];
      const SDL_Color& b = shared->colors[i];
      ASSERT_TRUE(a.r == b.r && a.g == b.g && a.b == b.b) << e.path << " palette entry " << i;
    }
    EXPECT_TRUE(s->flags & SDL_SRCCOLORKEY) << e.path;
  }
  EXPECT_NE(Game.sprCornerLeft, Game.sprCornerRight) << "both corners are loaded as separate surfaces";
}

TEST_F(Catalogue, SizesThatThePlayFieldPositionsRelyOn) {
  struct {
    SDL_Surface* s;
    int w, h;
  } fixed[] = {{Game.sprBall, 16, 16},         {Game.sprBallFire, 16, 16}, {Game.sprBrickBlue, 32, 16},
               {Game.sprBrickGray, 32, 16},    {Game.sprMask, 32, 16},     {Game.sprPaddle, 64, 16},
               {Game.sprBonus, 32, 16},        {Game.sprFloater, 32, 32},  {Game.sprHud, 480, 48},
               {Game.sprBackground, 480, 240}, {Game.sprMessage, 60, 60},  {Game.sprMenu, 60, 60},
               {Game.sprCornerLeft, 16, 16}};
  for (auto& f : fixed) {
    EXPECT_EQ(f.s->w, f.w);
    EXPECT_EQ(f.s->h, f.h);
  }
  EXPECT_GT(Game.sprPaddleLarge->w, Game.sprPaddle->w);
  EXPECT_LT(Game.sprPaddleSmall->w, Game.sprPaddle->w);
  for (SDL_Surface* beam : {Game.sprBeamBlue, Game.sprBeamRed, Game.sprBeamGreen}) {
    EXPECT_GE(beam->w, 23);
    EXPECT_GE(beam->h, 8);
  }
  EXPECT_EQ(Game.sprWallV->w, 16);
  EXPECT_EQ(Game.sprWallH->h, 16);
}

TEST_F(Catalogue, EverySoundAndTheMusicLoad) {
  for (const TSoundEntry& e : SoundCatalogue) EXPECT_NE(Game.*(e.field), nullptr) << e.path;
  Mix_Music* music = Mix_LoadMUS("music//rebounder.ogg");
  EXPECT_NE(music, nullptr) << Mix_GetError();
  if (music) Mix_FreeMusic(music);
}

TEST_F(Catalogue, MagentaIsTransparentAndDrawingStaysInsideThePlayField) {
  const Uint8 magenta = MagentaIndex();
  ASSERT_NE(magenta, 0);
  // The ball's corner is transparent: the background must show through.
  ASSERT_EQ(SpritePixel(Game.sprBall, 0, 0), magenta);
  ClearWindow(7);
  DrawSprite(Game.sprBall, 100, 100);
  EXPECT_EQ(PixelAt(180, 100), 7);
  EXPECT_NE(PixelAt(188, 108), 7);

  // Sprites placed across either edge are cut at the field's edge.
  ClearWindow(7);
  DrawSprite(Game.sprBackground, -300, 0);
  DrawSprite(Game.sprBackground, 300, 240);
  DrawSprite(Game.sprHud, -240, 432);
  for (int y = 0; y < 480; y += 3) {
    for (int x = 0; x < 80; ++x) ASSERT_EQ(PixelAt(x, y), 7) << x << "," << y;
    for (int x = 560; x < 640; ++x) ASSERT_EQ(PixelAt(x, y), 7) << x << "," << y;
  }
}

// The fast clear must leave exactly what SDL_FillRect leaves, edges included.
TEST_F(Catalogue, FillScreenRectMatchesSdlFillRectInsideTheClip) {
  const SDL_Rect cases[] = {{80, 0, 480, 480},   {0, 0, 640, 480}, {100, 50, 30, 20}, {-20, -10, 130, 40},
                            {500, 470, 200, 50}, {0, 100, 80, 50}, {560, 0, 80, 480}, {300, 200, 0, 9}};
  const size_t bytes = static_cast<size_t>(Game.screen->pitch) * Game.screen->h;
  std::vector<Uint8> expected(bytes);
  auto pixels = [] { return static_cast<Uint8*>(Game.screen->pixels); };
  for (int k = -1; k < static_cast<int>(std::size(cases)); ++k) {
    SDL_Rect rect = k < 0 ? SDL_Rect{} : cases[k];
    SDL_Rect* arg = k < 0 ? nullptr : &rect;
    ClearWindow(7);
    SDL_FillRect(Game.screen, arg, 42);
    std::copy(pixels(), pixels() + bytes, expected.begin());
    ClearWindow(7);
    FillScreenRect(arg, 42);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), pixels())) << "case " << k;
    if (k < 0) {
      // A null rectangle means the whole clip rectangle, never the side strips.
      EXPECT_EQ(PixelAt(79, 10), 7);
      EXPECT_EQ(PixelAt(80, 0), 42);
      EXPECT_EQ(PixelAt(559, 479), 42);
      EXPECT_EQ(PixelAt(560, 479), 7);
    }
  }
}

// Opaque sprites are copied row by row; the picture must be SDL's own blit's,
// for every sprite, whole or a window of it, cut at any edge.
TEST_F(Catalogue, OpaqueSpriteCopiesMatchSdlBlits) {
  for (SDL_Surface* s : {Game.sprBackground, Game.sprHud, Game.sprWallV, Game.sprWallH})
    EXPECT_TRUE(IsOpaqueSprite(s));
  EXPECT_FALSE(IsOpaqueSprite(Game.sprBall)) << "the ball has transparent corners";
  const int places[][2] = {{0, 0}, {-37, 100}, {470, 5}, {100, 470}, {200, -9}, {-600, 0}};
  const SDL_Rect windows[] = {{0, 0, 8, 8}, {5, 3, 40, 30}, {-4, -6, 20, 20}, {10, 10, 900, 900}};
  const size_t bytes = static_cast<size_t>(Game.screen->pitch) * Game.screen->h;
  auto pixels = [] { return static_cast<Uint8*>(Game.screen->pixels); };
  std::vector<Uint8> expected(bytes);
  int opaque = 0;
  for (const TSpriteEntry& e : SpriteCatalogue) {
    SDL_Surface* sprite = Game.*(e.field);
    if (!IsOpaqueSprite(sprite)) continue;  // SDL draws those itself
    ++opaque;
    for (const auto& p : places) {
      for (int k = -1; k < static_cast<int>(std::size(windows)); ++k) {
        SDL_Rect window = k < 0 ? SDL_Rect{0, 0, Uint16(sprite->w), Uint16(sprite->h)} : windows[k];
        SDL_Rect dest = {Sint16(p[0] + 80), Sint16(p[1]), 0, 0};
        std::fill(pixels(), pixels() + bytes, Uint8(MagentaIndex() ^ 1));
        SDL_BlitSurface(sprite, k < 0 ? nullptr : &window, Game.screen, &dest);
        std::copy(pixels(), pixels() + bytes, expected.begin());
        std::fill(pixels(), pixels() + bytes, Uint8(MagentaIndex() ^ 1));
        if (k < 0)
          DrawSprite(sprite, p[0], p[1]);
        else
          DrawSpriteWindow(sprite, window.x, window.y, window.w, window.h, p[0], p[1]);
        ASSERT_TRUE(std::equal(expected.begin(), expected.end(), pixels()))
            << e.path << " at " << p[0] << "," << p[1] << " window " << k;
      }
    }
  }
  EXPECT_LT(opaque, 55);
}

TEST_F(Catalogue, FontsHaveAllNinetyFourGlyphs) {
  for (const CFont* f : {&Game.fontMenu, &Game.fontMenuDark, &Game.fontScore}) {
    int defined = 0;
    for (int c = 33; c <= 126; ++c)
      if (f->glyphs[c].w > 0) ++defined;
    EXPECT_EQ(defined, 94);
  }
  // The dark menu font stands in for the bright one, so their cells must match.
  for (int c = 33; c <= 126; ++c) EXPECT_EQ(Game.fontMenu.glyphs[c].w, Game.fontMenuDark.glyphs[c].w) << c;
}

TEST_F(Catalogue, SoundsPassThroughOnePlaceAndFollowTheSoundOption) {
  PlaySound(Game.sndPing);
  Game.optSound.value = false;
  PlaySound(Game.sndPong);
  Game.optSound.value = true;
  PlaySound(Game.sndSolid);
  ASSERT_EQ(played.size(), 2u);
  EXPECT_EQ(played[0], Game.sndPing);
  EXPECT_EQ(played[1], Game.sndSolid);
  EXPECT_STREQ(SoundName(Game.sndSolid), "solid.wav");
}
