// The pictures generated levels are drawn from: ten motifs (a diamond, an
// egg, a pyramid, an arch, a wall, a lattice, a critter, a skyline, ribbons
// and frames), each sketched as bands of cells mirrored about the middle.
// Integer arithmetic and the game's own generator only, so that a seed draws
// the same sketch on every machine.
#pragma once
#include <cstdint>

#include "levels/levelmap.h"

enum TMotif : uint8_t {
  mtDiamond,
  mtEgg,
  mtPyramid,
  mtArch,
  mtWall,
  mtLattice,
  mtCritter,
  mtSkyline,
  mtRibbons,
  mtFrames,
  MotifCount
};

// What a sketched cell is: empty, a brick of colour band 1 or more (the
// outermost or topmost band first), or an eye of a critter.
constexpr int8_t SketchEmpty = 0, SketchEye = -1;
constexpr int SketchBands = 6;

// The picture stands in rows top .. top + height - 1, whole width.
struct TSketch {
  TMotif motif = mtDiamond;
  int top = 0, height = 0;
  int8_t cell[LevelRows][LevelColumns] = {};
};

// Draws a motif; the picture fills rows top .. top + height - 1 (height at
// least 3, the last row at most LevelRows - 1).
TSketch SketchMotif(TMotif motif, int top, int height);
