// The level generator: from a laid-out picture to a finished level
// (colours, gray bricks, power-ups, a name), and a set of them in rising
// difficulty. Each place of the set has a difficulty from 0 to 1000; a few
// candidates are drawn for it from the next pictures of the deck and the one
// whose expected clear time is nearest the place's target is kept.
#include "levels/levelgen.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "base/random.h"
#include "base/types.h"
#include "levels/levelcheck.h"
#include "levels/levelformat.h"
#include "levels/levelshapes.h"
#include "platform/datafile.h"

namespace {
constexpr int Candidates = 16;
// Pictures each place chooses among: enough that one fits every target.
constexpr int Choices = 4;
// Words dealt with the drawn pictures each time round.
constexpr int WordsInDeck = 3;
// The designed levels hold up to about 120 bricks.
constexpr int MostBricks = 120;

struct TLevel {
  uint8_t colour[LevelRows][LevelColumns] = {};
  uint8_t bonus[LevelRows][LevelColumns] = {};
  bool symmetric = false;
};

template <typename T, size_t N>
T Pick(const T (&list)[N]) {
  return list[Random(static_cast<int>(N))];
}

const char* const ColourWords[] = {"",    "gray",   "blue",  "green",  "purple",
                                   "red", "yellow", "white", "cracked"};
const char* const OtherColourWords[] = {"pink", "orange", "silver", "golden"};

bool ColourWord(const std::string& word) {
  const auto in = [&](const auto& list) {
    return std::find(std::begin(list), std::end(list), word) != std::end(list);
  };
  return in(ColourWords) || in(OtherColourWords);
}

// One of the words, leaving out colours when the picture has other colours than its own.
std::string PickWord(const std::string& words, bool colours = true) {
  std::istringstream in(words);
  std::vector<std::string> list;
  for (std::string word; in >> word;)
    if (colours || !ColourWord(word)) list.push_back(word);
  return list.empty() ? std::string() : list[static_cast<size_t>(Random(static_cast<int>(list.size())))];
}

int Mirror(int col) { return LevelColumns - 1 - col; }

bool Breakable(uint8_t colour) { return colour != bcNone && colour != bcGray; }

uint8_t ColourOfLetter(char letter) {
  const char* const letters = ".#bgprywc";
  const char* at = std::strchr(letters, letter);
  return at && letter ? static_cast<uint8_t>(at - letters) : uint8_t(bcRed);
}

// Other colours for a picture's four: the first the main one.
const char* const Schemes[] = {"rywb", "bwyr", "gyrw", "pyrw", "ywgr",
                               "wbpy", "rwyg", "bgyw", "pgwy", "yrpw"};

// Colours the sketch; `own` tells whether the picture kept its own colours.
TLevel Colour(const TSketch& s, int difficulty, bool& own) {
  TLevel level;
  level.symmetric = s.symmetric;
  own = Random(1000) < 600;
  const std::string scheme = own ? s.picture.colours : Pick(Schemes);
  uint8_t colours[SketchColours + 1] = {};
  for (int k = 0; k < SketchColours; ++k)
    colours[k + 1] = ColourOfLetter(scheme[static_cast<size_t>(k) % scheme.size()]);
  const uint8_t dark = difficulty >= 250 ? uint8_t(bcGray) : uint8_t(bcCracked);
  const uint8_t main = colours[1];
  uint8_t scene = main == bcYellow ? bcWhite : bcYellow;
  if (s.picture.scene == snWater) scene = main == bcBlue ? bcWhite : bcBlue;
  if (s.picture.scene == snGround) scene = main == bcGreen ? bcYellow : bcGreen;
  // An easy level now and then has cracked bricks, which break at the first
  // hit: the scene's or a lesser colour's, so that the picture keeps its own.
  if (Random(1000) < 350 - difficulty / 4) {
    const int which = Random(3);
    if (which == 0)
      scene = bcCracked;
    else
      colours[1 + which] = bcCracked;
  }
  for (int r = 0; r < LevelRows; ++r)
    for (int c = 0; c < LevelColumns; ++c) {
      const int8_t v = s.cell[r][c];
      if (v >= 1 && v <= SketchColours) level.colour[r][c] = colours[v];
      if (v == SketchWhite) level.colour[r][c] = bcWhite;
      if (v == SketchDark) level.colour[r][c] = dark;
      if (v == SketchScene) level.colour[r][c] = scene;
    }
  return level;
}

// Puts a gray brick on an empty cell, and on its mirror in a mirrored level.
int PutGray(TLevel& level, int row, int col) {
  int put = 0;
  for (int c : {col, level.symmetric ? Mirror(col) : col})
    if (row >= 0 && row < LevelRows && c >= 0 && c < LevelColumns && level.colour[row][c] == bcNone)
      level.colour[row][c] = bcGray, ++put;
  return put;
}

bool Free(const TLevel& level, int row, int col) {
  for (int r = row - 1; r <= row + 1; ++r)
    for (int c = col - 1; c <= col + 1; ++c)
      if (r >= 0 && r < LevelRows && c >= 0 && c < LevelColumns && level.colour[r][c] != bcNone) return false;
  return true;
}

// Gray bricks as the designed levels use them: a frame around the picture,
// open below so that the ball comes in from there; islands of two in the
// free field; or a shelf under the picture.
void AddGrays(TLevel& level, const TSketch& s, int budget) {
  const int way = Random(3);
  if (way == 0) {
    // Dashed where the budget is short.
    const int need = (s.right - s.left + 2) + 2 * (s.bottom - s.top);
    const int step = need <= budget ? 1 : 2;
    for (int c = s.left - 1; c <= s.right; c += step) PutGray(level, s.top - 1, c);
    for (int r = s.top; r < s.bottom - 1; r += step) {
      PutGray(level, r, s.left - 1);
      PutGray(level, r, s.right);
    }
  } else if (way == 1) {
    for (int tries = 0; budget > 1 && tries < 300; ++tries) {
      const int row = 1 + Random(LowestPictureRow + 1), col = Random(LevelColumns - 1);
      if (!Free(level, row, col) || !Free(level, row, col + 1)) continue;
      budget -= PutGray(level, row, col) + PutGray(level, row, col + 1);
    }
  } else {
    for (int c = 0; c < LevelColumns && budget > 1; ++c)
      for (int r = LowestPictureRow; r > 0; --r)
        if (Breakable(level.colour[r - 1][c])) {
          if (c % 3 != 2) budget -= PutGray(level, r, c);
          break;
        }
  }
}

void PutBonus(TLevel& level, int row, int col, TBrickBonus bonus) {
  for (int c : {col, level.symmetric ? Mirror(col) : col})
    if (Breakable(level.colour[row][c])) level.bonus[row][c] = bonus;
}

// Power-ups with intent, in the picture's own places for them (an eye, a
// window, a porthole) or else the first brick the ball meets in the middle:
// gifts, and late in a set a nuisance among them.
void AddPowerUps(TLevel& level, const TSketch& s, int difficulty) {
  const TBrickBonus early[] = {bbPaddleLarge, bbBall, bbSpeedDown, bbPaddleLarge, bbBall, bbLife};
  const TBrickBonus later[] = {bbFire, bbMagnet, bbQuestion, bbBall, bbFire, bbLife};
  const TBrickBonus nuisance[] = {bbPaddleSmall, bbSpeedUp, bbReverse, bbPaddleSpeed};
  std::vector<TCell> spots;
  for (int r = 0; r < LevelRows; ++r)
    for (int c = 0; c < (level.symmetric ? LevelColumns / 2 : LevelColumns); ++c)
      if (s.spot[r][c] && Breakable(level.colour[r][c])) spots.push_back({r, c});
  if (spots.empty())
    for (int r = LevelRows - 1; r >= 0 && spots.empty(); --r)
      for (int c = s.left + (s.right - s.left - 1) / 2; c < s.right && spots.empty(); ++c)
        if (Breakable(level.colour[r][c])) spots.push_back({r, c});
  const int places = std::min(static_cast<int>(spots.size()), 1 + Random(3));
  for (int i = 0; i < places; ++i) {
    std::swap(spots[static_cast<size_t>(i)],
              spots[static_cast<size_t>(i + Random(static_cast<int>(spots.size()) - i))]);
    const bool bad = i > 0 && i == places - 1 && difficulty > 550;
    const TBrickBonus bonus = bad ? Pick(nuisance) : difficulty < 450 ? Pick(early) : Pick(later);
    PutBonus(level, spots[static_cast<size_t>(i)].row, spots[static_cast<size_t>(i)].column, bonus);
  }
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
// ball cannot reach goes, with its mirror in a mirrored level, until every
// brick can be reached.
void OpenUp(std::vector<uint8_t>& map, bool symmetric) {
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
    if (symmetric && cell(bestRow, Mirror(bestCol)) == bcGray) cell(bestRow, Mirror(bestCol)) = bcNone;
  }
}

TPicture PictureOf(int entry) {
  const int drawn = static_cast<int>(Pictures().size());
  return entry < drawn ? Pictures()[static_cast<size_t>(entry)]
                       : WordPicture(Words()[static_cast<size_t>(entry - drawn)]);
}

// One candidate: the map, whether it is mirrored, and what its name needs.
struct TCandidate {
  std::vector<uint8_t> map;
  bool symmetric = false, own = false;
  TPicture picture;
};

// One candidate for a place of the given difficulty; false when it came out
// too small or too large to play.
bool Draw(int entry, int difficulty, TCandidate& out) {
  // Wide ranges, so that many pictures can meet a place's target; the
  // choice among the candidates does the rest.
  const int room = std::min(1000, difficulty / 2 + Random(700));
  const TSketch sketch = SketchPicture(PictureOf(entry), room);
  TLevel level = Colour(sketch, difficulty, out.own);
  if (difficulty >= 200) AddGrays(level, sketch, (difficulty - 200) * 24 / 800 + Random(8));
  AddPowerUps(level, sketch, difficulty);
  out.map = MapOf(level);
  out.symmetric = sketch.symmetric;
  out.picture = sketch.picture;
  const int bricks = BreakableBrickCount(out.map);
  return bricks >= MinBreakableBricks && bricks <= MostBricks;
}

// What the expected clear time leaves out, alike for every picture: fitted
// to the autopilot's times.
constexpr int PictureTicks = 2660;

// The clear time aimed at for a difficulty, from the easiest designed
// levels' pace to the hardest's.
int TargetTicks(int difficulty) {
  constexpr int Easiest = 5 * 60 * 40, Hardest = 15 * 60 * 40;
  return Easiest + (Hardest - Easiest) * difficulty / 1000;
}

// A word that suits the picture, or now and then its colour, and what it is:
// "sleepy cat", "purple elephant", "loud ZAP".
std::string NameFor(const TCandidate& level, const std::vector<TGeneratedLevel>& taken) {
  int counts[MaxColour + 1] = {};
  for (int i = 0; i < LevelCells; ++i) ++counts[level.map[LevelHeaderBytes + 2 * i]];
  int main = bcBlue;
  for (int c = bcBlue; c <= bcWhite; ++c)
    if (counts[c] > counts[main]) main = c;
  const bool word = level.picture.kind == pkWord;
  for (int attempt = 0;; ++attempt) {
    const bool byColour = !word && Random(1000) < (level.own ? 250 : 500);
    const std::string first = byColour ? ColourWords[main] : PickWord(level.picture.adjectives, level.own);
    std::string name = first + " " + PickWord(level.picture.nouns);
    if (attempt > 30) name += std::to_string(taken.size() + 1);
    bool used = false;
    for (const TGeneratedLevel& other : taken) used = used || other.name == name;
    if (!used) return name;
  }
}

std::string Slug(const std::string& name) {
  std::string slug = name;
  std::replace(slug.begin(), slug.end(), ' ', '-');
  return slug;
}

// The level of a place from the deck's entries `choices`; returns which of
// them it took.
size_t MakeLevel(uint32_t seed, int place, int count, const std::vector<int>& choices,
                 std::vector<TGeneratedLevel>& done) {
  const int difficulty = count > 1 ? place * 1000 / (count - 1) : 0;
  const int target = TargetTicks(difficulty);
  TCandidate best;
  size_t bestChoice = 0;
  int bestMiss = 0;
  for (int k = 0; k < Candidates || best.map.empty(); ++k) {
    TCandidate candidate;
    const size_t choice = static_cast<size_t>(k) % choices.size();
    // A picture that keeps coming out too small or too large gives way to
    // the smallest of all, drawn easy, which never does.
    const bool fallBack = k >= 4 * Candidates;
    if (!Draw(fallBack ? 0 : choices[choice], fallBack ? 0 : difficulty, candidate)) continue;
    const int miss = std::abs(ExpectedClearTicks(candidate.map) + PictureTicks - target);
    if (best.map.empty() || miss < bestMiss) best = candidate, bestMiss = miss, bestChoice = choice;
  }
  // Only gray bricks ever go, so the level keeps its bricks.
  OpenUp(best.map, best.symmetric);
  TGeneratedLevel level;
  level.name = NameFor(best, done);
  char number[16];
  std::snprintf(number, sizeof number, count > 99 ? "%03d-" : "%02d-", place + 1);
  level.fileName = number + Slug(level.name) + ".lvl";
  std::string source = PrintMap(best.map, level.name, level.fileName);
  const std::string note = "# Made by rebounder --generate " + std::to_string(seed) + " --count " +
                           std::to_string(count) + ": level " + std::to_string(place + 1) + ".\n";
  level.source = source.insert(source.find("name: "), note);
  level.map = std::move(best.map);
  done.push_back(std::move(level));
  return bestChoice;
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
  // times of 160 generated levels (10 runs each, power-ups off): each hit,
  // each hit a hidden brick needs, each hit weighed by how high its brick
  // stands, each gray brick (the ball wastes its time on them), each brick
  // on a gray shelf, each row filled from wall to wall (the ball cannot pass
  // it), and each pocket of room among the bricks (an outlined picture's
  // inside, which the ball must find its way into). PictureTicks adds what
  // every level takes besides.
  constexpr int PerHiddenHit = 39, PerHitAndRow = 16, PerGray = 369, PerShelf = 430, PerFullRow = 1368;
  constexpr int PerHit = 27, PerPocket = 9;
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
      ticks += hits * (PerHit + PerHitAndRow * std::max(0, LowestPictureRow - r));
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

// Every drawn picture and a few words in a shuffled order, dealt again when
// too few are left to choose among, the last one dealt never first again.
void CSetMaker::Shuffle() {
  const int drawn = static_cast<int>(Pictures().size()), words = static_cast<int>(Words().size());
  const int last = dealt > 0 ? deck[dealt - 1] : -1;
  deck.clear();
  for (int i = 0; i < drawn; ++i) deck.push_back(i);
  for (int i = 0; i < WordsInDeck; ++i) {
    int word;
    do word = drawn + Random(words);
    while (std::find(deck.begin(), deck.end(), word) != deck.end());
    deck.push_back(word);
  }
  for (size_t i = deck.size() - 1; i > 0; --i)
    std::swap(deck[i], deck[static_cast<size_t>(Random(static_cast<int>(i) + 1))]);
  if (deck[0] == last) std::swap(deck[0], deck.back());
  dealt = 0;
}

const TGeneratedLevel& CSetMaker::MakeNext() {
  const uint64_t kept = RandomState();
  SetRandomState(state);
  if (dealt + Choices > deck.size()) Shuffle();
  const int place = static_cast<int>(levels.size());
  const std::vector<int> choices(deck.begin() + static_cast<long>(dealt),
                                 deck.begin() + static_cast<long>(dealt + Choices));
  const size_t taken = MakeLevel(seed, place, count, choices, levels);
  std::swap(deck[dealt], deck[dealt + taken]);
  ++dealt;
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
