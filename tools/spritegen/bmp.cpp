// Writes paletted pictures as plain Windows BMP files the SDL loader reads.
#include <cstdio>
#include <cstdlib>

#include "../common/bytes.h"
#include "image.h"
#include "palette.h"

void WriteBmp(const std::string& path, const Indexed& image) {
  const uint32_t rowBytes = (image.w + 3) & ~3u;
  const uint32_t headers = 14 + 40 + 256 * 4;
  const uint32_t size = headers + rowBytes * image.h;
  std::vector<uint8_t> out;
  out.reserve(size);
  out.push_back('B');
  out.push_back('M');
  Put32(out, size);
  Put32(out, 0);
  Put32(out, headers);
  Put32(out, 40);
  Put32(out, image.w);
  Put32(out, image.h);  // positive height: rows stored bottom-up
  Put16(out, 1);
  Put16(out, 8);
  Put32(out, 0);  // BI_RGB, no compression
  Put32(out, rowBytes * image.h);
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, 256);
  Put32(out, 256);
  for (const Rgb& c : Palette()) {
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
  }
  for (int y = image.h - 1; y >= 0; --y) {
    for (int x = 0; x < image.w; ++x) out.push_back(image.at(x, y));
    for (uint32_t pad = image.w; pad < rowBytes; ++pad) out.push_back(0);
  }
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size() || std::fclose(f) != 0) {
    std::fprintf(stderr, "spritegen: cannot write %s\n", path.c_str());
    std::exit(1);
  }
}
