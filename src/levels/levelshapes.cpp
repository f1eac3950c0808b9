// The motifs of generated levels. Every motif is worked out on the left half
// of the grid (columns 0..6) and mirrored, in doubled coordinates whose origin
// is the picture's middle: a cell's centre is at x = 2c - 13 (odd, -13..13)
// and y = 2r - (2 top + height - 1), so that no division is ever needed.
#include "levels/levelshapes.h"

#include <algorithm>
#include <cstdlib>

#include "base/random.h"

namespace {
constexpr int Half = LevelColumns / 2;

void Put(TSketch& s, int row, int col, int value) {
  if (row < 0 || row >= LevelRows || col < 0 || col >= Half) return;
  s.cell[row][col] = static_cast<int8_t>(value);
  s.cell[row][LevelColumns - 1 - col] = static_cast<int8_t>(value);
}

int X(int col) { return 2 * col - (LevelColumns - 1); }
int Y(const TSketch& s, int row) { return 2 * row - (2 * s.top + s.height - 1); }

// How many of `rings` nested shapes hold the cell; inside(k, x, y) says
// whether shape k, each one smaller than the last, holds the point.
template <typename F>
void Rings(TSketch& s, int rings, bool hollow, F inside) {
  for (int r = s.top; r < s.top + s.height; ++r)
    for (int c = 0; c < Half; ++c) {
      int k = 0;
      while (k < rings && inside(k, std::abs(X(c)), std::abs(Y(s, r)))) ++k;
      if (k > 0 && !(hollow && k == rings)) Put(s, r, c, std::min(k, SketchBands));
    }
}

// Bands by row: the picture's rows split into `bands` stripes, top first.
int RowBand(const TSketch& s, int row, int bands) { return 1 + (row - s.top) * bands / s.height; }

void Diamond(TSketch& s) {
  const int a = 13 - 2 * Random(2), b = s.height - 1 + Random(2);
  const int rings = 2 + Random(3), step = 1 + Random(2);
  const bool hollow = rings > 2 && Random(2) == 0;
  Rings(s, rings, hollow, [&](int k, int x, int y) {
    const int ak = a - 3 * step * k, bk = b - 2 * step * k;
    return ak > 0 && bk > 0 && x * bk + y * ak <= ak * bk + bk;
  });
}

void Egg(TSketch& s) {
  const int a = 14 - 2 * Random(2), b = s.height;
  const int rings = 2 + Random(3);
  const bool byRows = Random(2) == 0;
  const int rowBands = 2 + Random(2) + s.height / 4;
  Rings(s, rings, false, [&](int k, int x, int y) {
    const int64_t ak = a - 3 * k, bk = b - 2 * k;
    return ak > 0 && bk > 0 && x * x * bk * bk + y * y * ak * ak <= ak * ak * bk * bk;
  });
  if (byRows)
    for (int r = s.top; r < s.top + s.height; ++r)
      for (int c = 0; c < Half; ++c)
        if (s.cell[r][c] > 0) Put(s, r, c, RowBand(s, r, rowBands));
}

void Pyramid(TSketch& s) {
  const bool upside = Random(3) == 0, stepped = Random(2) == 0;
  const int bands = 2 + Random(3), narrow = 1 + Random(2);
  for (int i = 0; i < s.height; ++i) {
    const int from = upside ? s.height - 1 - i : i;
    int width = narrow + from * (Half - narrow) / (s.height - 1);
    if (stepped) width = std::max(1, width - width % 2 + (narrow == 1));
    for (int c = Half - width; c < Half; ++c) Put(s, s.top + i, c, RowBand(s, s.top + i, bands));
  }
}

void Arch(TSketch& s) {
  // Rings of an ellipse whose middle is below the picture: a rainbow, with
  // legs down to the bottom row when the rings are thin.
  const int thick = 2 + Random(3);
  const int64_t a = 14, b = 2 * s.height;
  const int bottom = s.top + s.height;
  for (int r = s.top; r < bottom; ++r)
    for (int c = 0; c < Half; ++c) {
      const int64_t x = std::abs(X(c)), y = 2 * (bottom - r) - 1;
      int k = 0;
      while (k <= thick) {
        const int64_t ak = a - 2 * k, bk = b - 2 * k;
        if (ak <= 0 || bk <= 0 || x * x * bk * bk + y * y * ak * ak > ak * ak * bk * bk) break;
        ++k;
      }
      if (k > 0 && k <= thick) Put(s, r, c, std::min(k, SketchBands));
    }
}

void Wall(TSketch& s) {
  // A wall across the whole field keeps the ball below it: the slowest of
  // motifs, so it stays low.
  s.height = std::min(s.height, 6);
  const int group = 1 + Random(2), holes = 2 + Random(4);
  const bool windows = Random(2) == 0;
  for (int i = 0; i < s.height; ++i) {
    int mask = 0;
    for (int c = 0; c < Half; ++c)
      if (Random(10) < holes) mask |= 1 << c;
    for (int c = 0; c < Half; ++c) {
      const bool hole = windows ? (i % 3 == 1 && c % 3 == 1) : (mask >> c & 1) != 0 && i % 2 == 1;
      if (!hole) Put(s, s.top + i, c, 1 + (i / group) % SketchBands);
    }
  }
}

void Lattice(TSketch& s) {
  const int kind = Random(3), width = 4 + Random(4), bands = 2 + Random(3);
  for (int i = 0; i < s.height; ++i)
    for (int c = Half - width; c < Half; ++c) {
      const bool on = kind == 0   ? (c + i) % 2 == 0
                      : kind == 1 ? (c / 2 + i) % 2 == 0
                                  : i % 2 == 0 || c % 3 == 0;
      if (on) Put(s, s.top + i, c, RowBand(s, s.top + i, bands));
    }
}

void Critter(TSketch& s) {
  // A random half, filled more towards the middle, smoothed once so that
  // it reads as a body rather than noise.
  bool body[LevelRows][Half] = {};
  for (int i = 0; i < s.height; ++i)
    for (int c = 0; c < Half; ++c) body[i][c] = Random(10) < 2 + c;
  bool smooth[LevelRows][Half] = {};
  for (int i = 0; i < s.height; ++i)
    for (int c = 0; c < Half; ++c) {
      int n = body[i][c];
      n += i > 0 && body[i - 1][c];
      n += i + 1 < s.height && body[i + 1][c];
      n += c > 0 && body[i][c - 1];
      n += c + 1 < Half ? body[i][c + 1] : body[i][c];  // the middle neighbours its mirror
      smooth[i][c] = n >= 3;
    }
  for (int c = Half - 2; c < Half; ++c) smooth[s.height / 2][c] = true;
  const int legs = s.height - 1 - Random(2);
  for (int i = 0; i < s.height; ++i)
    for (int c = 0; c < Half; ++c)
      if (smooth[i][c]) Put(s, s.top + i, c, i >= legs ? 2 : 1);
  // Eyes in the upper half, in the body or just beside it.
  const int eyeRow = s.top + 1 + Random(std::max(1, s.height / 3)), eyeCol = Half - 2 - Random(3);
  Put(s, eyeRow, eyeCol, SketchEye);
  if (eyeCol < Half - 1 && s.cell[eyeRow][eyeCol + 1] == SketchEmpty) Put(s, eyeRow, eyeCol + 1, 1);
}

void Skyline(TSketch& s) {
  // Towers rising to the middle or falling to it, with lanes between them.
  const bool rising = Random(3) != 0;
  const int lane = Random(3), bands = 2 + Random(2);
  for (int c = 0; c < Half; ++c) {
    if (lane > 0 && c % (lane + 2) == lane + 1) continue;
    const int from = rising ? c : Half - 1 - c;
    const int tall = std::max(2, s.height * (2 + from) / (Half + 1) - Random(2));
    for (int i = s.height - std::min(tall, s.height); i < s.height; ++i)
      Put(s, s.top + i, c, RowBand(s, s.top + i, bands));
  }
}

void Ribbons(TSketch& s) {
  // Stripes that zigzag across the field, each its own band.
  const int period = 2 + Random(3), gap = 2 + Random(2);
  const int count = std::max(2, (s.height - period + 1 + gap - 1) / gap);
  for (int k = 0; k < count; ++k)
    for (int c = 0; c < Half; ++c) {
      const int phase = c % (2 * period);
      const int rise = phase < period ? phase : 2 * period - phase;
      const int row = s.top + k * gap + rise;
      if (row < s.top + s.height) Put(s, row, c, 1 + k % SketchBands);
    }
}

void Frames(TSketch& s) {
  // Nested rectangles, each with a doorway on its bottom side.
  const int width = 5 + Random(3), spacing = 1 + Random(2);
  for (int i = 0; i < s.height; ++i)
    for (int c = Half - width; c < Half; ++c) {
      const int ring = std::min({c - (Half - width), i, s.height - 1 - i});
      if (ring % (spacing + 1) != 0) continue;
      const bool door = i == s.height - 1 - ring && c >= Half - 1 - ring / 2 && ring > 0;
      if (!door) Put(s, s.top + i, c, 1 + ring / (spacing + 1) % SketchBands);
    }
}
}  // namespace

TSketch SketchMotif(TMotif motif, int top, int height) {
  TSketch s;
  s.motif = motif;
  s.top = std::max(0, top);
  s.height = std::max(3, std::min(height, LevelRows - s.top));
  switch (motif) {
    case mtDiamond:
      Diamond(s);
      break;
    case mtEgg:
      Egg(s);
      break;
    case mtPyramid:
      Pyramid(s);
      break;
    case mtArch:
      Arch(s);
      break;
    case mtWall:
      Wall(s);
      break;
    case mtLattice:
      Lattice(s);
      break;
    case mtCritter:
      Critter(s);
      break;
    case mtSkyline:
      Skyline(s);
      break;
    case mtRibbons:
      Ribbons(s);
      break;
    default:
      Frames(s);
      break;
  }
  return s;
}
