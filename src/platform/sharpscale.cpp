// Sharp scaling by any factor: each screen pixel takes the share of the
// picture pixels it covers. A screen pixel is never wider than a picture
// pixel, so it covers at most one edge: pure colour, or one blended pixel.
// This is nearest scaling by the whole factor followed by an area-weighted
// step by the fraction, done in one pass.
#include "platform/sharpscale.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
// Mixes two pixels byte by byte: `b` by next/256.
inline Uint32 Mix(Uint32 a, Uint32 b, unsigned next) {
  constexpr Uint32 Lanes = 0x00ff00ffu;
  const unsigned keep = 256 - next;
  const Uint32 low = (((a & Lanes) * keep + (b & Lanes) * next) >> 8) & Lanes;
  const Uint32 high = (((a >> 8) & Lanes) * keep + ((b >> 8) & Lanes) * next) & ~Lanes;
  return low | high;
}
}  // namespace

std::vector<CSharpScale::TTap> CSharpScale::Taps(int sourceSize, int destSize, double factor, double offset) {
  std::vector<TTap> taps(static_cast<size_t>(std::max(destSize, 0)));
  for (int x = 0; x < destSize; ++x) {
    const double start = (x - offset) / factor;
    const int from = static_cast<int>(std::floor(start));
    // The edge after `from` lies at destination offset + (from + 1)·factor;
    // the part of this pixel past it belongs to the next source pixel.
    const double past = x + 1 - (offset + (from + 1) * factor);
    unsigned next = past > 0 ? static_cast<unsigned>(std::lround(past * 256)) : 0;
    TTap tap = {from, std::min(next, 256u)};
    if (tap.next == 256) tap = {from + 1, 0};
    if (tap.from < 0) tap = {0, 0};
    if (tap.from >= sourceSize - 1) tap = {sourceSize - 1, 0};
    taps[static_cast<size_t>(x)] = tap;
  }
  return taps;
}

void CSharpScale::Prepare(int sourceWidth, int sourceHeight, int destWidth, int destHeight, double factor,
                          double offsetX, double offsetY) {
  columns = Taps(sourceWidth, destWidth, factor, offsetX);
  rows = Taps(sourceHeight, destHeight, factor, offsetY);
  for (auto& line : lines) line.assign(columns.size(), 0);
  lineRow[0] = lineRow[1] = -1;
  mappedFor = nullptr;
}

const Uint32* CSharpScale::Line(const SDL_Surface* source, int row) {
  const int slot = row & 1;
  Uint32* out = lines[slot].data();
  if (lineRow[slot] == row) return out;
  lineRow[slot] = row;
  const Uint8* in = static_cast<const Uint8*>(source->pixels) + row * source->pitch;
  for (const TTap& tap : columns) {
    const Uint32 a = colours[in[tap.from]];
    *out++ = tap.next ? Mix(a, colours[in[tap.from + 1]], tap.next) : a;
  }
  return lines[slot].data();
}

void CSharpScale::Draw(const SDL_Surface* source, const SDL_Palette* palette, SDL_Surface* dest) {
  if (!source || !palette || !dest || dest->format->BytesPerPixel != 4) return;
  const int count = std::min(palette->ncolors, 256);
  // A palette may change while the game runs; the colours follow it.
  if (mappedFor != dest->format || std::memcmp(mapped, palette->colors, count * sizeof(SDL_Color)) != 0) {
    std::memcpy(mapped, palette->colors, count * sizeof(SDL_Color));
    for (int i = 0; i < count; ++i)
      colours[i] = SDL_MapRGB(dest->format, mapped[i].r, mapped[i].g, mapped[i].b);
    mappedFor = dest->format;
  }
  lineRow[0] = lineRow[1] = -1;  // the picture is new every time
  if (SDL_MUSTLOCK(dest) && SDL_LockSurface(dest) != 0) return;
  const size_t width = std::min(columns.size(), static_cast<size_t>(dest->w));
  const int height = std::min(static_cast<int>(rows.size()), dest->h);
  for (int y = 0; y < height; ++y) {
    const TTap& tap = rows[static_cast<size_t>(y)];
    Uint32* out = reinterpret_cast<Uint32*>(static_cast<Uint8*>(dest->pixels) + y * dest->pitch);
    const Uint32* a = Line(source, tap.from);
    if (!tap.next) {
      std::memcpy(out, a, width * sizeof(Uint32));
      continue;
    }
    const Uint32* b = Line(source, tap.from + 1);
    for (size_t x = 0; x < width; ++x) out[x] = Mix(a[x], b[x], tap.next);
  }
  if (SDL_MUSTLOCK(dest)) SDL_UnlockSurface(dest);
}
