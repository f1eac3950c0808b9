// Paletted pictures: quantising Cairo drawings onto the shared palette and writing them as BMP files.
#pragma once
#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

struct Indexed {
  int w = 0, h = 0;
  std::vector<uint8_t> px;  // row-major, top row first
  uint8_t& at(int x, int y) { return px[y * w + x]; }
  uint8_t at(int x, int y) const { return px[y * w + x]; }
};

struct QuantOptions {
  bool font = false;         // fonts key out black (index 0); sprites key out magenta
  double dither = 0;         // ordered-dither amplitude in RGB steps; 0 keeps flat colours exact
  int alphaCut = 128;        // coverage below this becomes transparent
  bool alphaDither = false;  // screen-door soft edges instead of a hard cut
};

Indexed Quantise(cairo_surface_t* surface, const QuantOptions& options);
// The palette index nearest to a colour; fonts never get black or magenta, sprites never magenta.
int NearestIndex(int r, int g, int b, bool font);
// Writes an uncompressed 8-bit bottom-up BMP with the shared palette; exits on I/O failure.
void WriteBmp(const std::string& path, const Indexed& image);
