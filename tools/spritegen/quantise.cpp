// Maps Cairo's ARGB drawings onto the shared palette, with ordered dithering where asked.
#include <algorithm>
#include <unordered_map>

#include "image.h"
#include "palette.h"

namespace {

// 8x8 Bayer matrix: thresholds spread evenly so dithered ramps show no clumps.
const int kBayer[8][8] = {{0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
                          {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
                          {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
                          {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21}};

double Threshold(int x, int y) { return (kBayer[y & 7][x & 7] + 0.5) / 64.0; }

// Weighted distance that follows the eye's sensitivity better than plain RGB.
long Distance(int r1, int g1, int b1, const Rgb& c) {
  long rm = (r1 + c.r) / 2;
  long dr = r1 - c.r, dg = g1 - c.g, db = b1 - c.b;
  return ((512 + rm) * dr * dr >> 8) + 4 * dg * dg + ((767 - rm) * db * db >> 8);
}

}  // namespace

int NearestIndex(int r, int g, int b, bool font) {
  static std::unordered_map<uint32_t, uint8_t> cache[2];
  uint32_t key = (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
  auto& table = cache[font ? 1 : 0];
  auto it = table.find(key);
  if (it != table.end()) return it->second;
  const std::vector<Rgb>& pal = Palette();
  int best = -1;
  long bestD = 0;
  for (int i = 0; i < 256; ++i) {
    if (i == kMagentaIndex || (font && i == kBlackIndex)) continue;
    long d = Distance(r, g, b, pal[i]);
    if (best < 0 || d < bestD) best = i, bestD = d;
  }
  table[key] = static_cast<uint8_t>(best);
  return best;
}

Indexed Quantise(cairo_surface_t* surface, const QuantOptions& o) {
  cairo_surface_flush(surface);
  Indexed img;
  img.w = cairo_image_surface_get_width(surface);
  img.h = cairo_image_surface_get_height(surface);
  img.px.assign(img.w * img.h, 0);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  int stride = cairo_image_surface_get_stride(surface);
  uint8_t transparent = o.font ? kBlackIndex : kMagentaIndex;
  for (int y = 0; y < img.h; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + y * stride);
    for (int x = 0; x < img.w; ++x) {
      uint32_t p = row[x];
      int a = p >> 24;
      double t = Threshold(x, y);
      bool keep = o.alphaDither ? (a > 0 && a / 255.0 > t * 0.94 + 0.03) : a >= o.alphaCut;
      if (!keep) {
        img.at(x, y) = transparent;
        continue;
      }
      // Cairo stores premultiplied colour; undo it to get the painted colour.
      double c[3] = {double((p >> 16) & 255), double((p >> 8) & 255), double(p & 255)};
      int v[3];
      for (int k = 0; k < 3; ++k) {
        double un = c[k] * 255.0 / a + (t - 0.5) * o.dither;
        v[k] = std::clamp(static_cast<int>(un + 0.5), 0, 255);
      }
      img.at(x, y) = static_cast<uint8_t>(NearestIndex(v[0], v[1], v[2], o.font));
    }
  }
  return img;
}
