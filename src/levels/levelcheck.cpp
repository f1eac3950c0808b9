// Level checks: brick count and reachability by a flood fill of the ball's
// centre through the field.
#include "levels/levelcheck.h"

#include <algorithm>
#include <utility>

#include "base/types.h"
#include "levels/levelmap.h"

namespace {
// The ball is treated as a 16x16 square around its centre; a centre position
// is free when that square does not touch any gray brick (touching counts, so
// a gap exactly as wide as the ball is closed). The walls keep the centre
// within x 28..452 and y >= 28; below y 416 the ball is lost. The fill starts
// in the open space above the paddle. Breakable bricks do not block: a brick
// the ball can reach can be broken, opening the way behind it.
constexpr int BrickLeft = 17, BrickTop = 17, BrickWidth = 32, BrickHeight = 16;
constexpr int Radius = 8;
constexpr int MinX = 20 + Radius, MaxX = 460 - Radius, MinY = 20 + Radius, MaxY = 416;
constexpr int StartX = 240, StartY = 400;
constexpr int Width = MaxX - MinX + 1, Height = MaxY - MinY + 1;

uint8_t ColourAt(const std::vector<uint8_t>& map, int row, int col) {
  return map[LevelHeaderBytes + 2 * (LevelColumns * row + col)];
}
bool IsBreakable(uint8_t colour) { return colour != bcNone && colour != bcGray; }
int Index(int x, int y) { return (y - MinY) * Width + (x - MinX); }

// Calls visit(x, y) for every centre position within the walls whose ball
// square touches the cell.
template <typename F>
void AroundCell(int row, int col, F visit) {
  const int x0 = BrickLeft + BrickWidth * col, y0 = BrickTop + BrickHeight * row;
  for (int y = std::max(MinY, y0 - Radius); y <= std::min(MaxY, y0 + BrickHeight + Radius); ++y)
    for (int x = std::max(MinX, x0 - Radius); x <= std::min(MaxX, x0 + BrickWidth + Radius); ++x) visit(x, y);
}
}  // namespace

std::string CellName(const TCell& cell) {
  return "row " + std::to_string(cell.row + 1) + ", column " + std::to_string(cell.column + 1);
}

int BreakableBrickCount(const std::vector<uint8_t>& map) {
  int count = 0;
  for (int row = 0; row < LevelRows; ++row)
    for (int col = 0; col < LevelColumns; ++col) count += IsBreakable(ColourAt(map, row, col));
  return count;
}

std::vector<TCell> UnreachableBricks(const std::vector<uint8_t>& map) {
  std::vector<char> blocked(static_cast<size_t>(Width * Height), 0);
  for (int row = 0; row < LevelRows; ++row)
    for (int col = 0; col < LevelColumns; ++col)
      if (ColourAt(map, row, col) == bcGray)
        AroundCell(row, col, [&](int x, int y) { blocked[Index(x, y)] = 1; });

  std::vector<char> reached(blocked.size(), 0);
  std::vector<std::pair<int, int>> stack;
  if (!blocked[Index(StartX, StartY)]) {
    reached[Index(StartX, StartY)] = 1;
    stack.push_back({StartX, StartY});
  }
  while (!stack.empty()) {
    auto [x, y] = stack.back();
    stack.pop_back();
    const std::pair<int, int> next[] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
    for (auto [nx, ny] : next) {
      if (nx < MinX || nx > MaxX || ny < MinY || ny > MaxY) continue;
      const int i = Index(nx, ny);
      if (blocked[i] || reached[i]) continue;
      reached[i] = 1;
      stack.push_back({nx, ny});
    }
  }

  // A reachable centre touches a face when it also lies within the brick's
  // width (top or bottom face) or its height (a side face), which is what the
  // game's own hit test asks for; a corner alone is not enough.
  std::vector<TCell> unreachable;
  for (int row = 0; row < LevelRows; ++row) {
    for (int col = 0; col < LevelColumns; ++col) {
      if (!IsBreakable(ColourAt(map, row, col))) continue;
      const int x0 = BrickLeft + BrickWidth * col, y0 = BrickTop + BrickHeight * row;
      bool touched = false;
      AroundCell(row, col, [&](int x, int y) {
        const bool facing = (x >= x0 && x <= x0 + BrickWidth) || (y >= y0 && y <= y0 + BrickHeight);
        touched = touched || (facing && reached[Index(x, y)]);
      });
      if (!touched) unreachable.push_back({row, col});
    }
  }
  return unreachable;
}
