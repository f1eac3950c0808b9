// Field share and neighbour difference of a level set.
#include "levels/levelvariety.h"

#include <cstddef>

#include "base/types.h"
#include "levels/levelmap.h"

namespace {
// Empty, gray or breakable: colours alone do not make a level look different.
int Kind(const std::vector<uint8_t>& map, int cell) {
  const uint8_t colour = map[LevelHeaderBytes + 2 * cell];
  return colour == bcNone ? 0 : colour == bcGray ? 1 : 2;
}
}  // namespace

TVariety MeasureVariety(const std::vector<std::vector<uint8_t>>& maps) {
  TVariety variety;
  if (maps.empty()) return variety;
  long used = 0, differing = 0;
  double lower = 0;
  for (size_t i = 0; i < maps.size(); ++i) {
    int bricks = 0, low = 0;
    for (int cell = 0; cell < LevelCells; ++cell) {
      const bool brick = Kind(maps[i], cell) != 0;
      bricks += brick;
      low += brick && cell / LevelColumns >= LevelRows / 3;
      if (i > 0) differing += Kind(maps[i], cell) != Kind(maps[i - 1], cell);
    }
    used += bricks;
    if (bricks > 0) lower += static_cast<double>(low) / bricks;
  }
  variety.lowerShare = lower / static_cast<double>(maps.size());
  variety.fieldShare = static_cast<double>(used) / LevelCells / static_cast<double>(maps.size());
  if (maps.size() > 1)
    variety.neighbourDifference =
        static_cast<double>(differing) / LevelCells / static_cast<double>(maps.size() - 1);
  return variety;
}
