// Sharp scaling by any factor: each screen pixel takes the share of the
// picture pixels it covers. A screen pixel is never wider than a picture
// pixel, so it covers at most one edge: pure colour, or one blended pixel.
// This is nearest scaling by the whole factor followed by an area-weighted
// step by the fraction, done in one pass. Most of a picture stays as it was
// from one frame to the next (the side panels, the bricks, the backdrop
// between the stars), so only the pieces of rows that changed are scaled.
#include "platform/sharpscale.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
constexpr int MaxPieces = 64;

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

void CSharpScale::Prepare(int width, int height, int destWidth, int destHeight, double factor, double offsetX,
                          double offsetY) {
  sourceWidth = width;
  sourceHeight = height;
  columns = Taps(width, destWidth, factor, offsetX);
  rows = Taps(height, destHeight, factor, offsetY);
  pieceWidth = std::max(32, (width + MaxPieces - 1) / MaxPieces);
  const int pieces = (width + pieceWidth - 1) / pieceWidth;
  // A piece's columns are those whose tap reads any of its pixels: from the
  // last column of the piece before it.
  const auto firstShowing = [this](int sourceX) {
    return static_cast<int>(std::lower_bound(columns.begin(), columns.end(), sourceX,
                                             [](const TTap& t, int x) { return t.from < x; }) -
                            columns.begin());
  };
  pieceFirst.assign(static_cast<size_t>(pieces), 0);
  pieceEnd.assign(static_cast<size_t>(pieces), 0);
  for (int p = 0; p < pieces; ++p) {
    pieceFirst[static_cast<size_t>(p)] = firstShowing(std::max(p * pieceWidth - 1, 0));
    pieceEnd[static_cast<size_t>(p)] = firstShowing(std::min((p + 1) * pieceWidth, width));
  }
  changed.assign(static_cast<size_t>(std::max(height, 0)), 0);
  shown.assign(static_cast<size_t>(std::max(width * height, 0)), 0);
  drawAll = true;
  mappedFor = nullptr;
}

void CSharpScale::FindChanges(const SDL_Surface* source, bool all) {
  const int pieces = static_cast<int>(pieceFirst.size());
  for (int y = 0; y < sourceHeight; ++y) {
    const Uint8* in = static_cast<const Uint8*>(source->pixels) + y * source->pitch;
    Uint8* kept = shown.data() + static_cast<size_t>(y) * sourceWidth;
    uint64_t bits = 0;
    for (int p = 0; p < pieces; ++p) {
      const int x = p * pieceWidth, n = std::min(pieceWidth, sourceWidth - x);
      if (all || std::memcmp(in + x, kept + x, static_cast<size_t>(n)) != 0) bits |= uint64_t(1) << p;
    }
    if (bits) std::memcpy(kept, in, static_cast<size_t>(sourceWidth));
    changed[static_cast<size_t>(y)] = bits;
  }
}

inline Uint32 CSharpScale::Across(const Uint8* row, const TTap& column) const {
  const Uint32 a = colours[row[column.from]];
  return column.next ? Mix(a, colours[row[column.from + 1]], column.next) : a;
}

void CSharpScale::Draw(const SDL_Surface* source, const SDL_Palette* palette, SDL_Surface* dest) {
  if (!source || !palette || !dest || dest->format->BytesPerPixel != 4 || source->w != sourceWidth ||
      source->h != sourceHeight)
    return;
  const int count = std::min(palette->ncolors, 256);
  // A palette may change while the game runs; the colours follow it.
  if (mappedFor != dest->format || std::memcmp(mapped, palette->colors, count * sizeof(SDL_Color)) != 0) {
    std::memcpy(mapped, palette->colors, count * sizeof(SDL_Color));
    for (int i = 0; i < count; ++i)
      colours[i] = SDL_MapRGB(dest->format, mapped[i].r, mapped[i].g, mapped[i].b);
    mappedFor = dest->format;
    drawAll = true;
  }
  FindChanges(source, drawAll);
  drawAll = false;
  if (SDL_MUSTLOCK(dest) && SDL_LockSurface(dest) != 0) return;
  const int width = std::min(static_cast<int>(columns.size()), dest->w);
  const int height = std::min(static_cast<int>(rows.size()), dest->h);
  const auto row = [dest](int y) {
    return reinterpret_cast<Uint32*>(static_cast<Uint8*>(dest->pixels) + y * dest->pitch);
  };
  const auto pure = [this, height](int y, int from) {
    return y >= 0 && y < height && rows[static_cast<size_t>(y)].from == from &&
           !rows[static_cast<size_t>(y)].next;
  };
  // Rows of one source row first; then the rows between two, mixed from
  // their neighbours where those show the two source rows pure.
  for (const bool mixed : {false, true}) {
    for (int y = 0; y < height; ++y) {
      const TTap& tap = rows[static_cast<size_t>(y)];
      if ((tap.next != 0) != mixed) continue;
      const uint64_t bits = changed[static_cast<size_t>(tap.from)] |
                            (tap.next ? changed[static_cast<size_t>(tap.from + 1)] : 0);
      if (!bits) continue;
      Uint32* out = row(y);
      const Uint32* above = pure(y - 1, tap.from) ? row(y - 1) : nullptr;
      const Uint32* below = mixed && pure(y + 1, tap.from + 1) ? row(y + 1) : nullptr;
      const Uint8* a = static_cast<const Uint8*>(source->pixels) + tap.from * source->pitch;
      const Uint8* b = a + (tap.next ? source->pitch : 0);
      for (int p = 0; p < static_cast<int>(pieceFirst.size()); ++p) {
        if (!(bits >> p & 1)) continue;
        int last = p;
        while (last + 1 < static_cast<int>(pieceFirst.size()) && (bits >> (last + 1) & 1)) ++last;
        const int x0 = pieceFirst[static_cast<size_t>(p)];
        const int x1 = std::min(pieceEnd[static_cast<size_t>(last)], width);
        p = last;
        if (!mixed && above) {
          // The row above shows the same source row, drawn over the same pieces.
          std::memcpy(out + x0, above + x0, static_cast<size_t>(std::max(x1 - x0, 0)) * sizeof(Uint32));
        } else if (!mixed) {
          for (int x = x0; x < x1; ++x) out[x] = Across(a, columns[static_cast<size_t>(x)]);
        } else if (above && below) {
          for (int x = x0; x < x1; ++x) out[x] = Mix(above[x], below[x], tap.next);
        } else {
          for (int x = x0; x < x1; ++x) {
            const TTap& column = columns[static_cast<size_t>(x)];
            out[x] = Mix(Across(a, column), Across(b, column), tap.next);
          }
        }
      }
    }
  }
  if (SDL_MUSTLOCK(dest)) SDL_UnlockSurface(dest);
}
