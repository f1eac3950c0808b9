// Pictures on the field: placed, turned, stretched and given a scene.
#include "levels/levelshapes.h"

#include <algorithm>

#include "base/random.h"

namespace {
bool InField(int row, int col) { return row >= 0 && row < LevelRows && col >= 0 && col < LevelColumns; }

// Puts a scene brick, and its mirror in a mirrored sketch, on empty cells only.
void PutScene(TSketch& s, int row, int col) {
  if (row > LowestPictureRow + 1) return;
  for (int c : {col, s.symmetric ? LevelColumns - 1 - col : col})
    if (InField(row, c) && s.cell[row][c] == SketchEmpty) s.cell[row][c] = SketchScene;
}

// Whether the cell and those around it are clear of the picture.
bool Clear(const TSketch& s, int row, int col) {
  for (int r = row - 1; r <= row + 1; ++r)
    for (int c = col - 1; c <= col + 1; ++c)
      if (InField(r, c) && s.cell[r][c] != SketchEmpty) return false;
  return true;
}

void Hollow(TSketch& s) {
  bool inner[LevelRows][LevelColumns] = {};
  for (int r = s.top; r < s.bottom; ++r)
    for (int c = s.left; c < s.right; ++c) {
      bool enclosed = s.cell[r][c] == 1;
      for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc)
          enclosed = enclosed && InField(r + dr, c + dc) && s.cell[r + dr][c + dc] != SketchEmpty;
      inner[r][c] = enclosed && !s.spot[r][c];
    }
  for (int r = s.top; r < s.bottom; ++r)
    for (int c = s.left; c < s.right; ++c)
      if (inner[r][c]) s.cell[r][c] = SketchEmpty;
}

// Waves under a ship or a fish: one or two rows, rising and falling.
void Waves(TSketch& s) {
  const int rows = 1 + Random(2), period = 2 + Random(2);
  for (int k = 0; k < rows; ++k) {
    const int row = s.bottom + 1 + k;
    for (int c = 0; c < LevelColumns; ++c) {
      const int phase = (c + k * period) % (2 * period);
      PutScene(s, phase < period ? row : row - 1, c);
    }
  }
}

// The ground under a car or a house, with gaps the ball can pass.
void Ground(TSketch& s) {
  const int gap = 3 + Random(3);
  for (int c = 0; c < LevelColumns; ++c)
    if (c % gap != gap - 1) PutScene(s, s.bottom, c);
}

// Stars, birds or bubbles scattered in the free cells around the picture.
void Scatter(TSketch& s, int count) {
  for (int tries = 0; count > 0 && tries < 200; ++tries) {
    // Away from the walls and the top, where a lone brick takes long to find.
    const int row = 1 + Random(LowestPictureRow), col = 1 + Random(LevelColumns - 2);
    if (!Clear(s, row, col)) continue;
    PutScene(s, row, col);
    count -= s.symmetric ? 2 : 1;
  }
}
}  // namespace

TSketch SketchPicture(const TPicture& picture, int room) {
  TSketch s;
  s.picture = picture;
  const bool turned = picture.kind != pkWord && !picture.Symmetric() && Random(2) == 0;
  // Flat pictures are drawn at double height now and then (always a word),
  // which makes their cells square on the field.
  const int height = picture.Height(), width = picture.Width();
  const bool tall = 2 * height <= LowestPictureRow + 1 && (picture.kind == pkWord || Random(1000) < room);
  const int drawnHeight = tall ? 2 * height : height;
  // A scene below needs rows of its own.
  const int below = picture.scene == snWater ? 2 : picture.scene == snGround ? 1 : 0;
  const int lowest = std::max(drawnHeight - 1, LowestPictureRow - below);
  // Anywhere from the top of the field down, but never kept to its top
  // third: higher up is slower to clear, which the choice among candidates
  // weighs.
  const int highest = std::max(0, std::min(LevelRows / 3 - drawnHeight + 1, lowest + 1 - drawnHeight));
  const int top = highest + Random(lowest + 2 - drawnHeight - highest);
  s.symmetric = picture.Symmetric() && width % 2 == 0;
  const int left = s.symmetric ? (LevelColumns - width) / 2 : Random(LevelColumns - width + 1);
  s.top = top, s.bottom = top + drawnHeight, s.left = left, s.right = left + width;
  for (int r = 0; r < drawnHeight; ++r)
    for (int c = 0; c < width; ++c) {
      const char mark = picture.rows[static_cast<size_t>(tall ? r / 2 : r)][static_cast<size_t>(c)];
      const int row = top + r, col = turned ? left + width - 1 - c : left + c;
      const char lower = static_cast<char>(mark | 0x20);
      int8_t value = SketchEmpty;
      if (lower >= 'a' && lower <= 'd') value = static_cast<int8_t>(lower - 'a' + 1);
      if (lower == 'w') value = SketchWhite;
      if (lower == 'k') value = SketchDark;
      s.cell[row][col] = value;
      // A tall picture's spot is on its lower half, the cell the ball meets first.
      s.spot[row][col] = mark >= 'A' && mark <= 'W' && (!tall || r % 2 == 1);
    }
  // Now and then only the outline of its main colour, which keeps the
  // picture and opens its inside to the ball.
  if (Random(1000) < 350) Hollow(s);
  // The scene: often, and more of it when there is room for it.
  if (Random(1000) < 400 + room / 2) {
    if (picture.scene == snWater) Waves(s);
    if (picture.scene == snGround && s.bottom <= LowestPictureRow) Ground(s);
    if (picture.scene == snSky || picture.scene == snNone) Scatter(s, 1 + room * 5 / 1000 + Random(3));
  }
  return s;
}
