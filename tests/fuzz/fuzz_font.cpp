// Fuzz target: a font picture, checked, decoded, scanned and written with.
#include "base/globals.h"
#include "fuzzenv.h"
#include "media/font.h"
#include "media/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StartFuzzGame();
  const TBytes bytes(data, data + size);
  CFont font;
  if (!Accepted("fonts//fuzz.fnt",
                [&] { font = FontFromPicture(DecodePicture(bytes, "fonts//fuzz.fnt", MaxFontSide)); }))
    return 0;
  std::string all;
  for (int c = 32; c < 128; ++c) all += static_cast<char>(c);
  const int width = TextWidth(font, all);
  if (width < 0) Finding("a negative text width");
  for (int x : {-width, -7, 0, 100, 470}) DrawText(font, x, 240, all);
  DrawText(font, 0, -3, "AAARGH");
  DrawText(font, 10, 478, "~!");
  SDL_FreeSurface(font.image);
  return 0;
}
