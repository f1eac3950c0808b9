// Pictures the game did not make: sprites saved again in other depths come
// back on the game palette, a HUD picture without colours is refused, and
// hostile headers are refused before SDL decodes them.
#include "media/picture.h"

#include <string>
#include <vector>

#include "base/globals.h"
#include "media/catalogue.h"
#include "platform/fatal.h"
#include "tests/testenv.h"

namespace {
using Bytes = std::vector<unsigned char>;

class PictureTest : public GameTest {
protected:
  static Bytes Encode(SDL_Surface* s) {
    Bytes buffer(s->w * s->h * 4 + 4096);
    SDL_RWops* rw = SDL_RWFromMem(buffer.data(), static_cast<int>(buffer.size()));
    EXPECT_EQ(SDL_SaveBMP_RW(s, rw, 0), 0) << SDL_GetError();
    buffer.resize(static_cast<size_t>(SDL_RWtell(rw)));
    SDL_RWclose(rw);
    return buffer;
  }
  static SDL_Surface* InDepth(SDL_Surface* s, int bits, Uint32 amask = 0) {
    SDL_Surface* wide =
        SDL_CreateRGBSurface(SDL_SWSURFACE, s->w, s->h, bits, 0x00FF0000, 0x0000FF00, 0x000000FF, amask);
    SDL_Surface* copy = SDL_ConvertSurface(s, wide->format, SDL_SWSURFACE);
    SDL_FreeSurface(wide);
    return copy;
  }
  static std::string Refusal(const Bytes& bytes, int maxSide) {
    try {
      SDL_FreeSurface(DecodePicture(bytes, "sprites//test.bmp", maxSide));
    } catch (const TFatalError& e) {
      return e.what();
    }
    return "";
  }
  static Bytes Blank(int w, int h) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 8, 0, 0, 0, 0);
    const Bytes bytes = Encode(s);
    SDL_FreeSurface(s);
    return bytes;
  }
};
}  // namespace

TEST_F(PictureTest, ASpriteSavedInMoreBitsGetsItsPaletteIndicesBack) {
  for (int bits : {24, 32}) {
    SDL_Surface* wide = InDepth(Game.sprPaddle, bits);
    SDL_Surface* sprite = PrepareSprite(DecodePicture(Encode(wide), "sprites//paddle.bmp", MaxSpriteSide));
    SDL_FreeSurface(wide);
    ASSERT_EQ(sprite->format->BitsPerPixel, 8);
    ASSERT_TRUE(sprite->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(sprite->format->colorkey, MagentaIndex());
    int differing = 0;
    for (int y = 0; y < sprite->h; ++y)
      for (int x = 0; x < sprite->w; ++x)
        differing += SpritePixel(sprite, x, y) != SpritePixel(Game.sprPaddle, x, y);
    EXPECT_EQ(differing, 0) << bits << " bits";
    SDL_FreeSurface(sprite);
  }
}

TEST_F(PictureTest, FullyTransparentPixelsBecomeTheKeyColour) {
  SDL_Surface* s =
      SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 1, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
  static_cast<Uint32*>(s->pixels)[0] = 0x00FFFFFF;  // white, but fully transparent
  static_cast<Uint32*>(s->pixels)[1] = 0xFF000000;  // opaque black
  SDL_Surface* sprite = ToPalette(s, Game.palette);
  EXPECT_EQ(SpritePixel(sprite, 0, 0), MagentaIndex());
  EXPECT_EQ(SpritePixel(sprite, 1, 0), 0);
  SDL_FreeSurface(sprite);
}

TEST_F(PictureTest, TheHudPictureMustHaveAPaletteAndAShortOneIsPaddedBlack) {
  SDL_Color palette[256];
  SDL_Surface* wide = InDepth(Game.sprHud, 24);
  try {
    TakePalette(wide, "sprites//hud.bmp", palette);
    ADD_FAILURE() << "a 24-bit HUD picture was taken";
  } catch (const TFatalError& e) {
    EXPECT_EQ(
        std::string(e.what()),
        "sprites//hud.bmp: the game's colours are taken from this picture, so it must have a palette (8 bits "
        "per pixel or fewer); it has 24");
  }
  SDL_FreeSurface(wide);

  SDL_Surface* few = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 8, 0, 0, 0, 0);
  few->format->palette->ncolors = 16;
  SDL_SetColors(few, Game.palette + 100, 0, 16);
  TakePalette(few, "sprites//hud.bmp", palette);
  EXPECT_EQ(palette[15].r, Game.palette[115].r);
  EXPECT_EQ(palette[16].r + palette[16].g + palette[16].b + palette[255].r, 0);
  few->format->palette->ncolors = 256;
  SDL_FreeSurface(few);
}

TEST_F(PictureTest, SizesAndShortFilesAreRefusedFromTheHeader) {
  EXPECT_EQ(Refusal(Blank(1024, 1), MaxSpriteSide), "");
  EXPECT_EQ(
      Refusal(Blank(1025, 1), MaxSpriteSide),
      "sprites//test.bmp: the picture is 1025x1 pixels; a picture of this kind is at most 1024 on a side");
  EXPECT_EQ(Refusal(Blank(1025, 1), MaxFontSide), "") << "fonts may be wider";
  Bytes huge = Blank(4, 4);
  for (int at : {18, 22}) huge[at + 1] = 0x80;  // 32772 on both sides, in a file of a few hundred bytes
  EXPECT_NE(Refusal(huge, MaxFontSide).find("at most 4096 on a side"), std::string::npos);
  Bytes bytes = Blank(40, 40);
  bytes.resize(bytes.size() - 1);
  EXPECT_NE(Refusal(bytes, MaxSpriteSide).find("sprites//test.bmp: the file ends at byte"),
            std::string::npos);
  bytes[28] = 7;
  EXPECT_EQ(Refusal(bytes, MaxSpriteSide), "sprites//test.bmp: 7 bits per pixel, which no BMP picture has");
  EXPECT_EQ(Refusal(Bytes(100, 'x'), MaxSpriteSide),
            "sprites//test.bmp: not a BMP picture (it does not start with \"BM\")");
}
