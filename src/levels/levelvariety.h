// How much of the field a level set uses and how much each of its levels
// differs from the one before: what tells a set of pictures from a set of
// flat bands. Compared in the level report with the designed levels.
#pragma once
#include <cstdint>
#include <vector>

struct TVariety {
  // The share of the field's cells that hold a brick, gray or not: the mean of the levels.
  double fieldShare = 0;
  // The share of the field's cells that differ between a level and the one
  // before it (a brick in one and not in the other, or gray in one and
  // breakable in the other): the mean of the neighbouring pairs.
  double neighbourDifference = 0;
  // The share of a level's bricks that stand below the top third of the
  // field's rows: the mean of the levels.
  double lowerShare = 0;
};

// Maps as the level compiler writes them, in play order.
TVariety MeasureVariety(const std::vector<std::vector<uint8_t>>& maps);
