// Bitmap fonts: the marker-row scan at every pixel depth, text measuring,
// skipped bytes, clipping at the field's left edge and loading from a file.
#include "media/font.h"

#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/globals.h"
#include "platform/fatal.h"
#include "tests/screencheck.h"
#include "tests/testenv.h"

namespace {
// A font picture in memory: black everywhere, the given marker columns in
// row 0 set to `marker` (a raw pixel value), glyph rows filled with `ink`.
SDL_Surface* FontPicture(int bits, int width, int height, const std::vector<int>& markers, Uint32 marker,
                         Uint32 ink = 0) {
  Uint32 r = 0, g = 0, b = 0;
  if (bits == 16) r = 0xF800, g = 0x07E0, b = 0x001F;
  if (bits >= 24) r = 0xFF0000, g = 0x00FF00, b = 0x0000FF;
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, bits, r, g, b, 0);
  if (bits == 8) SDL_SetColors(s, Game.sprHud->format->palette->colors, 0, 256);
  SDL_FillRect(s, nullptr, 0);
  if (ink) {
    SDL_Rect glyphRows = {0, 1, static_cast<Uint16>(width), static_cast<Uint16>(height - 1)};
    SDL_FillRect(s, &glyphRows, ink);
  }
  SDL_LockSurface(s);
  const int bpp = s->format->BytesPerPixel;
  for (int x : markers)
    for (int i = 0; i < bpp; ++i)
      static_cast<Uint8*>(s->pixels)[x * bpp + i] = static_cast<Uint8>(marker >> (8 * i));
  SDL_UnlockSurface(s);
  return s;
}

CFont Scanned(SDL_Surface* picture) {
  CFont font;
  font.image = picture;
  SDL_SetColorKey(picture, SDL_SRCCOLORKEY, SDL_MapRGB(picture->format, 0, 0, 0));
  ScanFontMarkers(font);
  return font;
}

void ExpectGlyph(const CFont& font, char c, int x, int w, int h) {
  const SDL_Rect& g = font.glyphs[static_cast<unsigned char>(c)];
  EXPECT_EQ(g.x, x) << "glyph " << c;
  EXPECT_EQ(g.y, 1) << "glyph " << c;
  EXPECT_EQ(g.w, w) << "glyph " << c;
  EXPECT_EQ(g.h, h) << "glyph " << c;
}

std::string AllGlyphs() {
  std::string s;
  for (int c = 33; c <= 126; ++c) s += static_cast<char>(c);
  return s;
}

class FontTest : public GameTest {};

TEST_F(FontTest, MarkersEndCellsAndLaterCellsStartOnThePreviousMarker) {
  CFont font = Scanned(FontPicture(8, 30, 10, {5, 12, 20}, 3));
  ExpectGlyph(font, '!', 0, 6, 9);
  ExpectGlyph(font, '"', 5, 7, 9);
  ExpectGlyph(font, '#', 12, 8, 9);
  EXPECT_EQ(font.glyphs['$'].w, 0) << "columns after the last marker belong to no glyph";
  EXPECT_EQ(TextWidth(font, "!\"#$~"), 21);
  SDL_FreeSurface(font.image);
}

// A marker whose only non-zero byte is the most significant one must still
// count, whatever the picture's depth.
class FontDepthTest : public FontTest, public ::testing::WithParamInterface<int> {};

TEST_P(FontDepthTest, MarkerInTheHighestByteIsFound) {
  const int bits = GetParam();
  const Uint32 highByteOnly = 1u << (bits - 8);
  CFont font = Scanned(FontPicture(bits, 16, 12, {3, 7}, highByteOnly));
  ExpectGlyph(font, '!', 0, 4, 11);
  ExpectGlyph(font, '"', 3, 4, 11);
  EXPECT_EQ(font.glyphs['#'].w, 0);
  SDL_FreeSurface(font.image);
}

INSTANTIATE_TEST_SUITE_P(Depths, FontDepthTest, ::testing::Values(8, 16, 24, 32));

TEST_F(FontTest, OnlyTheFirst94MarkersAreUsed) {
  std::vector<int> markers;
  for (int i = 0; i < 120; ++i) markers.push_back(2 + 3 * i);
  CFont font = Scanned(FontPicture(24, 400, 14, markers, 0x00FF00));
  ExpectGlyph(font, '~', 278, 3, 13);
  // The cells tile columns 0 up to the 94th marker (column 281), and no further.
  EXPECT_EQ(TextWidth(font, AllGlyphs()), 282);
  SDL_FreeSurface(font.image);
}

TEST_F(FontTest, PictureWithoutMarkersDrawsNothingAndOnlySpacesAdvance) {
  CFont font = Scanned(FontPicture(8, 40, 10, {}, 0, 5));
  EXPECT_EQ(TextWidth(font, "A B"), 8);
  ClearWindow(0);
  TScreenShot before;
  DrawText(font, 10, 10, "A B");
  EXPECT_TRUE(before.SameAsNow(0, 0, 480, 480));
  SDL_FreeSurface(font.image);
}

TEST_F(FontTest, SpaceIsEightPixelsAndOtherBytesAreSkipped) {
  const CFont& font = Game.fontMenu;
  const int a = TextWidth(font, "A"), b = TextWidth(font, "B");
  ASSERT_GT(a, 0);
  ASSERT_GT(b, 0);
  EXPECT_EQ(TextWidth(font, "A B"), a + 8 + b);
  EXPECT_EQ(TextWidth(font, "A\tB\x7f\xc8\xff"), a + b);
  EXPECT_EQ(TextWidth(font, ""), 0);

  ClearWindow(0);
  DrawText(font, 30, 40, "AB");
  TScreenShot plain;
  ClearWindow(0);
  DrawText(font, 30, 40, "A\tB\xc8");
  EXPECT_TRUE(plain.SameAsNow(0, 0, 480, 480)) << "a skipped byte moved the pen or drew something";

  ClearWindow(0);
  TScreenShot empty;
  DrawText(font, 30, 40, "");
  EXPECT_TRUE(empty.SameAsNow(0, 0, 480, 480));
}

// Text starting left of the field: the blit clips the first glyph at the
// field's edge and moves the one pen rectangle there; the next glyph follows
// from the edge, not from where the pen would have been.
TEST_F(FontTest, PenContinuesFromTheClippedLeftEdge) {
  const Uint8 ink = MagentaIndex();
  CFont font = Scanned(FontPicture(8, 6, 10, {5}, 1, ink));  // '!' is a solid 6 x 9 block
  ClearWindow(0);
  DrawText(font, -3, 100, "!!");
  auto inked = [](int wx) { return PixelAt(wx, 104) != 0; };
  EXPECT_FALSE(inked(79)) << "drawn outside the field";
  for (int wx = 80; wx <= 82; ++wx) EXPECT_TRUE(inked(wx)) << wx;
  for (int wx = 83; wx <= 85; ++wx) EXPECT_FALSE(inked(wx)) << wx;
  for (int wx = 86; wx <= 91; ++wx) EXPECT_TRUE(inked(wx)) << wx;
  EXPECT_FALSE(inked(92));
  SDL_FreeSurface(font.image);
}

TEST_F(FontTest, LoadedFontKeysOutBlack) {
  // '!' spans columns 0..3: column 0 black, columns 1..3 inked.
  SDL_Surface* picture = FontPicture(8, 8, 6, {3}, 1);
  const Uint8 ink = MagentaIndex();
  SDL_Rect inkRect = {1, 1, 3, 5};
  SDL_FillRect(picture, &inkRect, ink);
  char path[] = "/tmp/rebounder-font-XXXXXX";
  const int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  ASSERT_EQ(SDL_SaveBMP(picture, path), 0);
  SDL_FreeSurface(picture);
  CFont font = LoadFont(path);
  std::remove(path);
  ExpectGlyph(font, '!', 0, 4, 5);

  ClearWindow(7);
  DrawText(font, 0, 0, "!");
  EXPECT_EQ(PixelAt(80, 2), 7) << "black must be transparent";
  EXPECT_EQ(PixelAt(81, 2), ink);
  EXPECT_EQ(PixelAt(84, 2), 7);
  SDL_FreeSurface(font.image);
}

TEST_F(FontTest, MissingFontStopsWithOneLineNamingTheFileAndTheFix) {
  try {
    LoadFont("fonts//no-such-font.fnt");
    FAIL() << "a missing font must be fatal";
  } catch (const TFatalError& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find("fonts//no-such-font.fnt"), std::string::npos) << message;
    EXPECT_NE(message.find("build"), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
  }
}
}  // namespace
