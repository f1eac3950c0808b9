// What can be proved about a level map before anyone plays it: how many
// bricks can break, and whether the ball can get to every one of them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr int MinBreakableBricks = 20;

// A grid cell, counted from 0; CellName counts from 1 as every message does.
struct TCell {
  int row;
  int column;
  bool operator==(const TCell& other) const { return row == other.row && column == other.column; }
};
std::string CellName(const TCell& cell);

// map: a whole level map (LevelFileBytes).
int BreakableBrickCount(const std::vector<uint8_t>& map);

// The breakable bricks the ball can never touch because gray bricks and the
// walls shut them in, top row first.
std::vector<TCell> UnreachableBricks(const std::vector<uint8_t>& map);
