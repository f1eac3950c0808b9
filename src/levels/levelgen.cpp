// The level generator: from a motif's sketch to a finished level (colours,
// gray bricks, power-ups, a name), and a set of them in rising difficulty.
// Each place of the set has a difficulty from 0 to 1000; a few candidates
// are drawn for it and the one whose expected clear time is nearest the
// place's target is kept.
#include "levels/levelgen.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "base/random.h"
#include "base/types.h"
#include "levels/levelcheck.h"
#include "levels/levelformat.h"
#include "levels/levelshapes.h"
#include "platform/datafile.h"

namespace {
constexpr int Half = LevelColumns / 2;
constexpr int Candidates = 16;
// The designed levels hold at most about a hundred bricks.
constexpr int MostBricks = 110;
// The picture stays above row 14, which the level's title box covers
// until the first ball is launched.
constexpr int LowestRow = 12;

struct TLevel {
  uint8_t colour[LevelRows][LevelColumns] = {};
  uint8_t bonus[LevelRows][LevelColumns] = {};
};

template <typename T, size_t N>
T Pick(const T (&list)[N]) {
  return list[Random(static_cast<int>(N))];
}

void PutBoth(TLevel& level, int row, int col, uint8_t colour, uint8_t bonus = bbNone) {
  for (int c : {col, LevelColumns - 1 - col}) {
    level.colour[row][c] = colour;
    level.bonus[row][c] = colour == bcGray || colour == bcNone ? uint8_t(bbNone) : bonus;
  }
}

bool Breakable(uint8_t colour) { return colour != bcNone && colour != bcGray; }

// Colour schemes: the bands of a sketch take these colours in turn.
const uint8_t Schemes[][6] = {
    {bcRed, bcYellow, bcGreen, bcBlue, bcPurple, bcWhite},
    {bcBlue, bcWhite, bcBlue, bcWhite, bcBlue, bcWhite},
    {bcRed, bcYellow, bcWhite, bcRed, bcYellow, bcWhite},
    {bcGreen, bcBlue, bcPurple, bcGreen, bcBlue, bcPurple},
    {bcPurple, bcRed, bcYellow, bcPurple, bcRed, bcYellow},
    {bcYellow, bcGreen, bcYellow, bcGreen, bcWhite, bcBlue},
    {bcWhite, bcBlue, bcGreen, bcYellow, bcRed, bcPurple},
    {bcRed, bcWhite, bcRed, bcWhite, bcRed, bcWhite},
};

TLevel Colour(const TSketch& sketch, int difficulty) {
  TLevel level;
  const uint8_t* scheme = Schemes[Random(static_cast<int>(sizeof Schemes / sizeof Schemes[0]))];
  const int shift = Random(3);
  // An easy level now and then has one band of cracked bricks, which break at the first hit.
  const int cracked = Random(1000) < 350 - difficulty / 4 ? 1 + Random(3) : 0;
  const uint8_t eye = difficulty > 300 && Random(2) == 0 ? uint8_t(bcGray) : uint8_t(bcWhite);
  for (int r = 0; r < LevelRows; ++r)
    for (int c = 0; c < LevelColumns; ++c) {
      const int band = sketch.cell[r][c];
      if (band == SketchEye)
        level.colour[r][c] = eye;
      else if (band == cracked && band > 0)
        level.colour[r][c] = bcCracked;
      else if (band > 0)
        level.colour[r][c] = scheme[(band - 1 + shift) % 6];
    }
  return level;
}

// Gray bricks as the designed levels use them: a dashed outline around
// frames, a shelf under the picture, or studs set into it in pairs. Only a
// square outline is dashed: on a slanting one the dashes meet corner to
// corner and shut the inside away from the ball.
void AddGrays(TLevel& level, const TSketch& sketch, int budget) {
  int way = Random(3);
  if (way == 0 && sketch.motif != mtFrames) way = 1;
  for (int r = 0; r < LevelRows && budget > 1; ++r)
    for (int c = 0; c < Half && budget > 1; ++c) {
      const bool bottom = r + 1 < LevelRows && sketch.cell[r][c] > 0 && sketch.cell[r + 1][c] == SketchEmpty;
      bool gray = false;
      if (way == 0) gray = sketch.cell[r][c] == 1 && (r + c) % 2 == 0;
      if (way == 1 && bottom && r + 1 <= LowestRow + 1 && c % 3 != 2) {
        PutBoth(level, r + 1, c, bcGray);
        budget -= 2;
      }
      if (way == 2) gray = sketch.cell[r][c] > 1 && Random(6) == 0;
      if (gray) {
        PutBoth(level, r, c, bcGray);
        budget -= 2;
      }
    }
}

// Power-ups with intent, always in mirrored pairs: a gift in the first
// brick the ball meets in the middle, a prize at the top, and on the
// outermost tips a gift early in the set or a nuisance late in it.
void AddPowerUps(TLevel& level, int difficulty) {
  const TBrickBonus early[] = {bbPaddleLarge, bbBall, bbSpeedDown, bbPaddleLarge, bbBall, bbLife};
  const TBrickBonus later[] = {bbFire, bbMagnet, bbQuestion, bbBall, bbFire, bbLife};
  const TBrickBonus nuisance[] = {bbPaddleSmall, bbSpeedUp, bbReverse, bbPaddleSpeed};
  const auto gift = [&] { return difficulty < 450 ? Pick(early) : Pick(later); };
  const int places = 1 + Random(3);
  // The middle column's lowest brick, the topmost brick nearest the middle, the outermost brick.
  int low = -1, top = -1, tipRow = -1, tipCol = Half;
  for (int r = 0; r < LevelRows; ++r)
    for (int c = 0; c < Half; ++c)
      if (Breakable(level.colour[r][c])) {
        if (c == Half - 1) low = r;
        if (top < 0 && c >= Half - 3) top = r;
        if (c < tipCol) tipRow = r, tipCol = c;
      }
  if (low >= 0) PutBoth(level, low, Half - 1, level.colour[low][Half - 1], gift());
  if (places >= 2 && top >= 0)
    for (int c = Half - 1; c >= Half - 3; --c)
      if (Breakable(level.colour[top][c])) {
        if (level.bonus[top][c] == bbNone) PutBoth(level, top, c, level.colour[top][c], gift());
        break;
      }
  if (places >= 3 && tipRow >= 0 && level.bonus[tipRow][tipCol] == bbNone)
    PutBoth(level, tipRow, tipCol, level.colour[tipRow][tipCol], difficulty > 550 ? Pick(nuisance) : gift());
}

std::vector<uint8_t> MapOf(const TLevel& level) {
  std::vector<uint8_t> map(LevelFileBytes, 0);
  std::memcpy(map.data(), MapTag, MapTagBytes);
  map[MapTagBytes] = MapVersion;
  for (int r = 0; r < LevelRows; ++r)
    for (int c = 0; c < LevelColumns; ++c) {
      map[LevelHeaderBytes + 2 * (LevelColumns * r + c)] = level.colour[r][c];
      map[LevelHeaderBytes + 2 * (LevelColumns * r + c) + 1] = level.bonus[r][c];
    }
  return map;
}

// Opens what the gray bricks shut in: the gray nearest the first brick the
// ball cannot reach goes, with its mirror, until every brick can be reached.
void OpenUp(std::vector<uint8_t>& map) {
  const auto cell = [&](int r, int c) -> uint8_t& {
    return map[LevelHeaderBytes + 2 * (LevelColumns * r + c)];
  };
  bool anyGray = false;
  for (int i = 0; i < LevelCells; ++i) anyGray = anyGray || map[LevelHeaderBytes + 2 * i] == bcGray;
  if (!anyGray) return;
  for (std::vector<TCell> shut = UnreachableBricks(map); !shut.empty(); shut = UnreachableBricks(map)) {
    int best = -1, bestRow = 0, bestCol = 0;
    for (int r = 0; r < LevelRows; ++r)
      for (int c = 0; c < LevelColumns; ++c)
        if (cell(r, c) == bcGray) {
          const int d = std::abs(r - shut[0].row) + std::abs(c - shut[0].column);
          if (best < 0 || d < best) best = d, bestRow = r, bestCol = c;
        }
    if (best < 0) return;
    cell(bestRow, bestCol) = bcNone;
    cell(bestRow, LevelColumns - 1 - bestCol) = bcNone;
  }
}

// One candidate for a place of the given difficulty; false when it came out
// too small to play.
bool Draw(TMotif motif, int difficulty, std::vector<uint8_t>& map) {
  // Wide ranges, so that every motif can meet every place's target; the
  // choice among the candidates does the rest.
  const int top = Random(6);
  const int height = std::min(LowestRow + 1 - top, 4 + Random(3 + difficulty * 7 / 1000));
  const TSketch sketch = SketchMotif(motif, top, height);
  TLevel level = Colour(sketch, difficulty);
  if (difficulty >= 200) AddGrays(level, sketch, (difficulty - 200) * 24 / 800 + Random(6));
  AddPowerUps(level, difficulty);
  map = MapOf(level);
  const int bricks = BreakableBrickCount(map);
  return bricks >= MinBreakableBricks && bricks <= MostBricks;
}

// Each motif's own part of the expected clear time, fitted with the weights
// of ExpectedClearTicks: the ball gets inside frames and clears them from
// within (a wall's time is in its rows from wall to wall), while skylines,
// ribbons and diamonds keep it outside.
constexpr int MotifTicks[MotifCount] = {10499, 6292, 7209, 9461, 3606, 6999, 7003, 10900, 10454, 3637};

// The clear time aimed at for a difficulty, from the easiest designed
// levels' pace to the hardest's.
int TargetTicks(int difficulty) {
  constexpr int Easiest = 5 * 60 * 40, Hardest = 15 * 60 * 40;
  return Easiest + (Hardest - Easiest) * difficulty / 1000;
}

// Names: a first word, often a colour, and a thing the motif looks like.
const char* const FirstWords[] = {"lazy",   "happy",  "rusty",    "sleepy", "funky",  "brave",   "wobbly",
                                  "tiny",   "jolly",  "secret",   "silver", "candy",  "crooked", "stormy",
                                  "noisy",  "lucky",  "dizzy",    "frozen", "golden", "grumpy",  "midnight",
                                  "cosmic", "humble", "electric", "sunny",  "rainy",  "proud",   "fuzzy"};
const char* const ColourWords[] = {"", "gray", "blue", "green", "purple", "red", "yellow", "white"};
const char* const Things[MotifCount][6] = {
    {"diamond", "kite", "crystal", "jewel", "prism", "compass"},
    {"moon", "egg", "bubble", "planet", "pebble", "balloon"},
    {"pyramid", "mountain", "tent", "volcano", "tower", "staircase"},
    {"rainbow", "bridge", "horseshoe", "gate", "tunnel", "sunrise"},
    {"wall", "fortress", "garden", "hedge", "castle", "dam"},
    {"chessboard", "quilt", "picnic", "window", "net", "waffle"},
    {"critter", "bug", "robot", "monster", "ghost", "crab"},
    {"skyline", "organ", "pipes", "city", "forest", "harbour"},
    {"river", "ribbon", "tide", "serpent", "sea", "noodles"},
    {"maze", "target", "box", "vortex", "onion", "labyrinth"},
};

std::string NameFor(TMotif motif, const std::vector<uint8_t>& map,
                    const std::vector<TGeneratedLevel>& taken) {
  // The colour most bricks have, for a name like "red kite" now and then.
  int counts[MaxColour + 1] = {};
  for (int i = 0; i < LevelCells; ++i) ++counts[map[LevelHeaderBytes + 2 * i]];
  int main = bcBlue;
  for (int c = bcBlue; c <= bcWhite; ++c)
    if (counts[c] > counts[main]) main = c;
  for (int attempt = 0;; ++attempt) {
    const std::string first = Random(3) == 0 ? ColourWords[main] : Pick(FirstWords);
    std::string name = first + " " + Things[motif][Random(6)];
    if (attempt > 30) name += " " + std::to_string(taken.size() + 1);
    bool used = false;
    for (const TGeneratedLevel& level : taken) used = used || level.name == name;
    if (!used) return name;
  }
}

std::string Slug(const std::string& name) {
  std::string slug = name;
  std::replace(slug.begin(), slug.end(), ' ', '-');
  return slug;
}

TGeneratedLevel MakeLevel(uint32_t seed, int place, int count, TMotif motif,
                          const std::vector<TGeneratedLevel>& done) {
  const int difficulty = count > 1 ? place * 1000 / (count - 1) : 0;
  const int target = TargetTicks(difficulty);
  std::vector<uint8_t> best;
  int bestMiss = 0;
  for (int k = 0; k < Candidates || best.empty(); ++k) {
    std::vector<uint8_t> map;
    // A motif that keeps coming out too small or too large gives way to a
    // low wall, which never does.
    const bool fallBack = k >= 4 * Candidates;
    if (!Draw(fallBack ? mtWall : motif, fallBack ? 0 : difficulty, map)) continue;
    const int miss = std::abs(ExpectedClearTicks(map) + MotifTicks[motif] - target);
    if (best.empty() || miss < bestMiss) best = map, bestMiss = miss;
  }
  // Only gray bricks ever go, so the level keeps its bricks and its symmetry.
  OpenUp(best);
  TGeneratedLevel level;
  level.name = NameFor(motif, best, done);
  char number[16];
  std::snprintf(number, sizeof number, count > 99 ? "%03d-" : "%02d-", place + 1);
  level.fileName = number + Slug(level.name) + ".lvl";
  std::string source = PrintMap(best, level.name, level.fileName);
  const std::string note = "# Made by rebounder --generate " + std::to_string(seed) + " --count " +
                           std::to_string(count) + ": level " + std::to_string(place + 1) + ".\n";
  level.source = source.insert(source.find("name: "), note);
  level.map = std::move(best);
  return level;
}
}  // namespace

int ExpectedClearTicks(const std::vector<uint8_t>& map) {
  const auto colour = [&](int r, int c) -> uint8_t {
    if (r < 0 || r >= LevelRows || c < 0 || c >= LevelColumns) return bcGray;
    return map[LevelHeaderBytes + 2 * (LevelColumns * r + c)];
  };
  // The open field: empty cells joined to the bottom row, where the ball
  // roams freely. Bricks facing it are hit at once; the rest are hidden
  // behind others, and it is the hidden ones that take the time.
  bool open[LevelRows][LevelColumns] = {};
  std::vector<TCell> stack;
  for (int c = 0; c < LevelColumns; ++c)
    if (colour(LevelRows - 1, c) == bcNone)
      open[LevelRows - 1][c] = true, stack.push_back({LevelRows - 1, c});
  while (!stack.empty()) {
    const TCell at = stack.back();
    stack.pop_back();
    for (const TCell& next : {TCell{at.row - 1, at.column}, TCell{at.row + 1, at.column},
                              TCell{at.row, at.column - 1}, TCell{at.row, at.column + 1}})
      if (colour(next.row, next.column) == bcNone && !open[next.row][next.column])
        open[next.row][next.column] = true, stack.push_back(next);
  }
  const auto isOpen = [&](int r, int c) {
    return r >= 0 && r < LevelRows && c >= 0 && c < LevelColumns && open[r][c];
  };
  // Weights in ticks fitted by least squares to the autopilot's median clear
  // times of 280 generated levels (10 runs each, power-ups off): each hit a
  // hidden brick needs, each hit weighed by how high its brick stands, each
  // gray brick (the ball wastes its time on them), each brick on a gray
  // shelf, each row filled from wall to wall (the ball cannot pass it), and,
  // taken off, each hit at all and each pocket of room among the bricks,
  // where the ball once in bounces from brick to brick. The motif adds its
  // own time (MotifTicks).
  constexpr int PerHiddenHit = 137, PerHitAndRow = 21, PerGray = 849, PerShelf = 123, PerFullRow = 1272;
  constexpr int PerHit = -80, PerPocket = -44;
  int ticks = 0;
  for (int r = 0; r < LevelRows; ++r) {
    bool full = true;
    for (int c = 0; c < LevelColumns; ++c) {
      const uint8_t here = colour(r, c);
      full = full && here != bcNone;
      if (here == bcNone && !open[r][c]) ticks += PerPocket;
      if (here == bcGray) ticks += PerGray;
      if (!Breakable(here)) continue;
      const int hits = here == bcCracked ? 1 : 2;
      ticks += hits * (PerHit + PerHitAndRow * std::max(0, LowestRow - r));
      if (!isOpen(r - 1, c) && !isOpen(r + 1, c) && !isOpen(r, c - 1) && !isOpen(r, c + 1))
        ticks += hits * PerHiddenHit;
      if (colour(r + 1, c) == bcGray) ticks += PerShelf;
    }
    if (full) ticks += PerFullRow;
  }
  return ticks;
}

CSetMaker::CSetMaker(uint32_t seed, int count) : seed(seed), count(count) {
  const uint64_t kept = RandomState();
  RandomSeed(seed);
  state = RandomState();
  SetRandomState(kept);
}

// The motifs in a shuffled order, dealt again when used up, never the same
// twice running. Frames and lattices cannot be made hard enough for the end
// of a set, nor a wall easy enough for its start, and ribbons studded with
// gray can keep the ball from them for many minutes: the next motif that
// suits the difficulty is dealt.
TMotif CSetMaker::NextMotif(int difficulty) {
  if (dealt == MotifCount) {
    const TMotif last = deck[MotifCount - 1];
    for (int i = 0; i < MotifCount; ++i) deck[i] = static_cast<TMotif>(i);
    for (int i = MotifCount - 1; i > 0; --i) std::swap(deck[i], deck[Random(i + 1)]);
    if (deck[0] == last) std::swap(deck[0], deck[MotifCount - 1]);
    dealt = 0;
  }
  const auto suits = [difficulty](TMotif m) {
    if (m == mtFrames || m == mtLattice || m == mtRibbons) return difficulty <= 750;
    return m != mtWall || difficulty >= 250;
  };
  for (int i = dealt; i < MotifCount; ++i)
    if (suits(deck[i])) {
      std::swap(deck[i], deck[dealt]);
      return deck[dealt++];
    }
  // None of the rest suits: a motif that does, out of turn.
  TMotif motif;
  do motif = static_cast<TMotif>(Random(MotifCount));
  while (!suits(motif));
  return motif;
}

const TGeneratedLevel& CSetMaker::MakeNext() {
  const uint64_t kept = RandomState();
  SetRandomState(state);
  const int place = static_cast<int>(levels.size());
  const int difficulty = count > 1 ? place * 1000 / (count - 1) : 0;
  levels.push_back(MakeLevel(seed, place, count, NextMotif(difficulty), levels));
  state = RandomState();
  SetRandomState(kept);
  return levels.back();
}

std::vector<TGeneratedLevel> GenerateLevels(uint32_t seed, int count) {
  CSetMaker maker(seed, count);
  while (!maker.Done()) maker.MakeNext();
  return maker.Levels();
}

std::string WriteGeneratedLevels(const std::vector<TGeneratedLevel>& levels, const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return folder + ": " + error.message();
  for (const TGeneratedLevel& level : levels) {
    std::string problem;
    const std::string path = (std::filesystem::path(folder) / level.fileName).string();
    if (!WriteFileAtomically(path, std::vector<unsigned char>(level.source.begin(), level.source.end()),
                             problem, true))
      return problem;
  }
  return "";
}

namespace {
const char GeneratedNote[] = "# Made by rebounder --generate ";

// The seed a source's note says the generator made it with; "" for a source
// of the player's, or one that cannot be read.
std::string GeneratedSeed(const std::string& path) {
  std::string head;
  try {
    const std::vector<unsigned char> bytes = ReadFileHead(path, 4096);
    head.assign(bytes.begin(), bytes.end());
  } catch (const std::exception&) {
    return "";
  }
  const size_t at = head.find(GeneratedNote);
  if (at == std::string::npos) return "";
  const size_t from = at + sizeof GeneratedNote - 1;
  return head.substr(from, head.find(' ', from) - from);
}
}  // namespace

std::string ReplaceGeneratedSet(const std::vector<TGeneratedLevel>& levels, const std::string& folder,
                                std::string& replaced) {
  std::vector<std::string> stale, seeds;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->path().extension() != ".lvl") continue;
    const std::string file = it->path().filename().string(), seed = GeneratedSeed(it->path().string());
    if (seed.empty())
      return folder + ": it holds level sources of its own (" + file +
             "); a generated set goes into an empty folder, or one that holds only a generated set";
    if (std::find(seeds.begin(), seeds.end(), seed) == seeds.end()) seeds.push_back(seed);
    const bool kept = std::any_of(levels.begin(), levels.end(),
                                  [&](const TGeneratedLevel& level) { return level.fileName == file; });
    if (!kept) stale.push_back(it->path().string());
  }
  const std::string problem = WriteGeneratedLevels(levels, folder);
  if (!problem.empty()) return problem;
  for (const std::string& path : stale) std::filesystem::remove(path, error);
  std::sort(seeds.begin(), seeds.end());
  replaced.clear();
  for (const std::string& seed : seeds) replaced += (replaced.empty() ? "" : ", ") + seed;
  return "";
}

bool ParseSeed(const std::string& text, uint32_t& seed) {
  if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
  if (value > UINT32_MAX) return false;
  seed = static_cast<uint32_t>(value);
  return true;
}
