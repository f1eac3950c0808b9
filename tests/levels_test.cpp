// Tests of the 40 compiled level maps (size, tag, contents, fairness) and of
// the level compiler levelc (run as ./levelc from the game folder).
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "field/gameflow.h"
#include "field/level.h"
#include "shell/globals.h"

namespace fs = std::filesystem;

namespace {

using TBytes = std::vector<uint8_t>;
using TCell = std::pair<int, int>;  // row, column

const char Tag[] = "RBLEVEL";
constexpr uint8_t FormatVersion = 1;

const std::vector<std::string>& LevelNames() {
  if (Game.levelList.empty()) BuildLevelList();
  return Game.levelList;
}

std::string MapPath(const std::string& name) { return "maps/" + name + ".map"; }

TBytes ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return TBytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string ReadText(const fs::path& path) {
  TBytes b = ReadBytes(path);
  return std::string(b.begin(), b.end());
}

void WriteBytes(const fs::path& path, const TBytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteText(const fs::path& path, const std::string& text) {
  WriteBytes(path, TBytes(text.begin(), text.end()));
}

int CellAt(int row, int col) { return LevelHeaderBytes + 2 * (LevelColumns * row + col); }
uint8_t Colour(const TBytes& map, int row, int col) { return map[CellAt(row, col)]; }
uint8_t PowerUp(const TBytes& map, int row, int col) { return map[CellAt(row, col) + 1]; }
bool IsBreakable(uint8_t colour) { return colour != bcNone && colour != bcGray; }

// A map from rows of colour letters (. # b g p r y w c), top row first;
// missing rows and cells are empty.
TBytes MakeMap(const std::vector<std::string>& rows) {
  const std::string letters = ".#bgprywc";
  TBytes map(LevelFileBytes, 0);
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    for (int col = 0; col < LevelColumns; ++col) {
      char letter = col < static_cast<int>(rows[row].size()) ? rows[row][col] : '.';
      map[CellAt(row, col)] = static_cast<uint8_t>(letters.find(letter));
    }
  }
  return map;
}

std::string CellList(const std::vector<TCell>& cells) {
  std::string out;
  for (auto [row, col] : cells) out += " (row " + std::to_string(row) + ", col " + std::to_string(col) + ")";
  return out;
}

// Fairness. The ball is treated as a 16x16 square around its centre; a centre
// position is free when that square does not touch any gray brick (touching
// counts, so a gap exactly as wide as the ball is closed). The walls keep the
// centre within x 28..452 and y >= 28; below y 416 the ball is lost. The fill
// starts in the open space above the paddle. Breakable bricks do not block:
// a brick the ball can reach can be broken, opening the way behind it. A
// breakable brick is reachable when a reachable centre lets the ball touch
// one of its faces: the square touches the brick and the centre lies within
// the brick's width (top or bottom face) or its height (a side face), which
// is also what the game's own hit test asks for.
constexpr int BrickLeft = 17, BrickTop = 17, BrickWidth = 32, BrickHeight = 16;
constexpr int Radius = 8;
constexpr int MinX = 20 + Radius, MaxX = 460 - Radius, MinY = 20 + Radius, MaxY = 416;
constexpr int StartX = 240, StartY = 400;

std::vector<TCell> UnreachableBricks(const TBytes& map) {
  const int width = MaxX - MinX + 1, height = MaxY - MinY + 1;
  auto index = [&](int x, int y) { return (y - MinY) * width + (x - MinX); };
  std::vector<char> blocked(static_cast<size_t>(width * height), 0);
  for (int row = 0; row < LevelRows; ++row) {
    for (int col = 0; col < LevelColumns; ++col) {
      if (Colour(map, row, col) != bcGray) continue;
      int x0 = BrickLeft + BrickWidth * col, y0 = BrickTop + BrickHeight * row;
      for (int y = std::max(MinY, y0 - Radius); y <= std::min(MaxY, y0 + BrickHeight + Radius); ++y) {
        for (int x = std::max(MinX, x0 - Radius); x <= std::min(MaxX, x0 + BrickWidth + Radius); ++x) {
          blocked[index(x, y)] = 1;
        }
      }
    }
  }
  std::vector<char> reached(blocked.size(), 0);
  std::vector<std::pair<int, int>> stack;
  if (!blocked[index(StartX, StartY)]) {
    reached[index(StartX, StartY)] = 1;
    stack.push_back({StartX, StartY});
  }
  while (!stack.empty()) {
    auto [x, y] = stack.back();
    stack.pop_back();
    const std::pair<int, int> next[] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
    for (auto [nx, ny] : next) {
      if (nx < MinX || nx > MaxX || ny < MinY || ny > MaxY) continue;
      int i = index(nx, ny);
      if (blocked[i] || reached[i]) continue;
      reached[i] = 1;
      stack.push_back({nx, ny});
    }
  }
  std::vector<TCell> unreachable;
  for (int row = 0; row < LevelRows; ++row) {
    for (int col = 0; col < LevelColumns; ++col) {
      if (!IsBreakable(Colour(map, row, col))) continue;
      int x0 = BrickLeft + BrickWidth * col, y0 = BrickTop + BrickHeight * row;
      int x1 = x0 + BrickWidth, y1 = y0 + BrickHeight;
      bool touched = false;
      for (int y = std::max(MinY, y0 - Radius); y <= std::min(MaxY, y1 + Radius) && !touched; ++y) {
        for (int x = std::max(MinX, x0 - Radius); x <= std::min(MaxX, x1 + Radius) && !touched; ++x) {
          bool facing = (x >= x0 && x <= x1) || (y >= y0 && y <= y1);
          touched = facing && reached[index(x, y)];
        }
      }
      if (!touched) unreachable.push_back({row, col});
    }
  }
  return unreachable;
}

// Runs ./levelc with the given arguments; returns its exit status and fills
// what it printed.
std::string Quoted(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

class TTempDir {
public:
  TTempDir() {
    std::string pattern = (fs::temp_directory_path() / "levels_test.XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    if (made != nullptr) path = made;
  }
  ~TTempDir() {
    std::error_code ec;
    if (!path.empty()) fs::remove_all(path, ec);
  }
  fs::path operator/(const std::string& name) const { return path / name; }
  fs::path path;
};

struct TRun {
  int status = -1;
  std::string out, err;
};

TRun RunLevelc(const std::vector<std::string>& args, const TTempDir& scratch) {
  std::string command = "./levelc";
  for (const std::string& a : args) command += " " + Quoted(a);
  fs::path out = scratch / "levelc.out", err = scratch / "levelc.err";
  command += " >" + Quoted(out.string()) + " 2>" + Quoted(err.string());
  TRun run;
  int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadText(out);
  run.err = ReadText(err);
  return run;
}

// A well-formed source: line 1 a comment, line 2 the name, lines 3..20 the
// rows (row r on line r + 3), all empty.
std::vector<std::string> EmptySource(const std::string& name = "test level") {
  std::vector<std::string> lines = {"# a test level", "name: " + name};
  std::string empty = "|";
  for (int col = 0; col < LevelColumns; ++col) empty += ". ";
  empty += "|";
  for (int row = 0; row < LevelRows; ++row) lines.push_back(empty);
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\n";
  return text;
}

// Sets one cell of a source row (two characters: colour letter and mark).
void SetCell(std::vector<std::string>& lines, int row, int col, const std::string& cell) {
  lines[static_cast<size_t>(row + 2)].replace(static_cast<size_t>(1 + 2 * col), 2, cell);
}

class LevelCompilerTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists("levelc")) << "./levelc is missing from the game folder " << fs::current_path();
    ASSERT_FALSE(scratch.path.empty()) << "cannot create a temporary directory";
  }
  TTempDir scratch;
};

}  // namespace

// ---------------------------------------------------------------------------
// The compiled maps of the game's level list.

TEST(LevelMaps, EveryListedLevelHasAMapOfTheRightSizeAndTag) {
  const auto& names = LevelNames();
  ASSERT_EQ(names.size(), 40u);
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size()) << "names repeat";
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(fs::is_regular_file(MapPath(name))) << MapPath(name) << " is missing";
    TBytes map = ReadBytes(MapPath(name));
    ASSERT_EQ(map.size(), static_cast<size_t>(LevelFileBytes));
    EXPECT_EQ(std::string(map.begin(), map.begin() + 7), Tag);
    EXPECT_EQ(map[7], FormatVersion);
  }
}

TEST(LevelMaps, CellsHoldKnownColoursAndPowerUpsAndEnoughBreakableBricks) {
  for (const std::string& name : LevelNames()) {
    SCOPED_TRACE(name);
    TBytes map = ReadBytes(MapPath(name));
    ASSERT_EQ(map.size(), static_cast<size_t>(LevelFileBytes));
    int breakable = 0;
    for (int row = 0; row < LevelRows; ++row) {
      for (int col = 0; col < LevelColumns; ++col) {
        uint8_t colour = Colour(map, row, col), powerUp = PowerUp(map, row, col);
        EXPECT_LE(colour, bcCracked) << "row " << row << " col " << col;
        EXPECT_LE(powerUp, bbPaddleSpeed) << "row " << row << " col " << col;
        if (colour == bcNone || colour == bcGray) {
          EXPECT_EQ(powerUp, bbNone) << "row " << row << " col " << col << " cannot carry a power-up";
        }
        if (IsBreakable(colour)) ++breakable;
      }
    }
    EXPECT_GE(breakable, 20);
  }
}

TEST(LevelMaps, SourcesAreNumberedInListOrder) {
  // The source tree is the one holding this file, unless the environment names another.
  const char* fromEnvironment = std::getenv("REBOUNDER_SOURCE_DIR");
  fs::path source =
      fromEnvironment != nullptr ? fs::path(fromEnvironment) : fs::path(__FILE__).parent_path().parent_path();
  fs::path levels = source / "data" / "levels";
  ASSERT_TRUE(fs::is_directory(levels)) << levels;
  const auto& names = LevelNames();
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(levels)) {
    if (entry.path().extension() == ".lvl") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  ASSERT_EQ(files.size(), names.size()) << "one source per listed level";
  for (size_t i = 0; i < files.size(); ++i) {
    std::string number = (i < 9 ? "0" : "") + std::to_string(i + 1) + "-";
    EXPECT_EQ(files[i].filename().string().substr(0, 3), number) << files[i];
    std::istringstream text(ReadText(files[i]));
    std::string line, name;
    while (std::getline(text, line)) {
      if (line.rfind("name:", 0) == 0) name = line.substr(line.find_first_not_of(' ', 5));
    }
    EXPECT_EQ(name, names[i]) << files[i];
  }
}

// ---------------------------------------------------------------------------
// Fairness: no breakable brick may be out of the ball's reach.

TEST(LevelFairness, FloodFillFindsBricksShutInByGrayOrWalls) {
  // Boxed in on all four sides and the corners.
  EXPECT_EQ(
      UnreachableBricks(MakeMap({"", "", "", "", "....###.......", "....#b#.......", "....###......."})),
      (std::vector<TCell>{{5, 5}}));
  // A corridor one row high is narrower than the ball; two rows are enough.
  EXPECT_EQ(UnreachableBricks(MakeMap({"", "", "", "###########...", "..r...........", "###########..."})),
            (std::vector<TCell>{{4, 2}}));
  EXPECT_TRUE(UnreachableBricks(MakeMap({"", "", "", "###########...", "..r...........", "..r...........",
                                         "###########..."}))
                  .empty());
  // Breakable bricks in front are broken first; one boxed with them is not.
  EXPECT_TRUE(UnreachableBricks(MakeMap({"", "", "", "#####", "#gbg#", "#bwb#", "#gbg#"})).empty());
  EXPECT_EQ(UnreachableBricks(MakeMap({"", "", "", "#####", "#gbg#", "##w##", "#####"})),
            (std::vector<TCell>{{4, 1}, {4, 2}, {4, 3}, {5, 2}}));
  // The side and top walls close a pocket as well as gray does.
  EXPECT_EQ(UnreachableBricks(MakeMap({"", "", "", "", "##............", "y#............", "##"})),
            (std::vector<TCell>{{5, 0}}));
  EXPECT_EQ(UnreachableBricks(MakeMap({"....#y#.......", "....###......."})), (std::vector<TCell>{{0, 5}}));
  // A top-row brick above a gray one can be touched only at a corner.
  EXPECT_EQ(UnreachableBricks(MakeMap({"..yyy.........", "...#.........."})), (std::vector<TCell>{{0, 3}}));
}

TEST(LevelFairness, EveryBreakableBrickOfEveryLevelCanBeReached) {
  for (const std::string& name : LevelNames()) {
    TBytes map = ReadBytes(MapPath(name));
    ASSERT_EQ(map.size(), static_cast<size_t>(LevelFileBytes)) << name;
    std::vector<TCell> unreachable = UnreachableBricks(map);
    EXPECT_TRUE(unreachable.empty()) << name << ": out of reach:" << CellList(unreachable);
  }
}

// ---------------------------------------------------------------------------
// The level compiler.

TEST_F(LevelCompilerTest, PrintedLevelsCompileBackToTheSameBytes) {
  for (const std::string& name : LevelNames()) {
    SCOPED_TRACE(name);
    TRun print = RunLevelc({"print", MapPath(name)}, scratch);
    ASSERT_EQ(print.status, 0) << print.err;
    EXPECT_NE(print.out.find("\nname: " + name + "\n"), std::string::npos) << "the name is lost";
    WriteText(scratch / "printed.lvl", print.out);
    TRun compile =
        RunLevelc({"compile", (scratch / "printed.lvl").string(), (scratch / "again.map").string()}, scratch);
    ASSERT_EQ(compile.status, 0) << compile.err;
    EXPECT_EQ(ReadBytes(scratch / "again.map"), ReadBytes(MapPath(name)));
  }
}

TEST_F(LevelCompilerTest, PlacesEachCellAtItsOffset) {
  std::vector<std::string> lines = EmptySource();
  for (int col = 0; col < LevelColumns; ++col) SetCell(lines, 0, col, "# ");
  SetCell(lines, 1, 0, "bF");
  SetCell(lines, 17, 13, "cP");
  SetCell(lines, 9, 6, "w?");
  WriteText(scratch / "cells.lvl", Joined(lines));
  TRun run =
      RunLevelc({"compile", (scratch / "cells.lvl").string(), (scratch / "cells.map").string()}, scratch);
  ASSERT_EQ(run.status, 0) << run.err;
  TBytes map = ReadBytes(scratch / "cells.map");
  ASSERT_EQ(map.size(), static_cast<size_t>(LevelFileBytes));

  TBytes expected(LevelFileBytes, 0);
  std::copy(Tag, Tag + 7, expected.begin());
  expected[7] = FormatVersion;
  for (int i = 9; i <= 36; i += 2) expected[i] = bcGray;
  expected[37] = bcBlue;
  expected[38] = bbFire;
  expected[9 + 2 * (14 * 9 + 6)] = bcWhite;
  expected[10 + 2 * (14 * 9 + 6)] = bbQuestion;
  expected[511] = bcCracked;
  expected[512] = bbPaddleSpeed;
  EXPECT_EQ(map, expected);
}

TEST_F(LevelCompilerTest, RejectsMalformedSourcesNamingFileAndLine) {
  struct TCase {
    const char* what;
    std::vector<std::string> lines;
    int line;  // expected in the message
  };
  std::vector<TCase> cases;
  auto add = [&](const char* what, int line, auto change) {
    std::vector<std::string> lines = EmptySource();
    change(lines);
    cases.push_back({what, lines, line});
  };
  add("short row", 7, [](auto& l) { l[6] = "|. . . |"; });
  add("row without closing bar", 8, [](auto& l) { l[7].pop_back(); });
  add("unknown colour", 5, [](auto& l) { SetCell(l, 2, 4, "x "); });
  add("unknown power-up mark", 12, [](auto& l) { SetCell(l, 9, 0, "bZ"); });
  add("gray with power-up", 3, [](auto& l) { SetCell(l, 0, 13, "#B"); });
  add("empty with power-up", 20, [](auto& l) { SetCell(l, 17, 7, ".L"); });
  add("too many rows", 21, [](auto& l) { l.push_back(l.back()); });
  add("too few rows", 19, [](auto& l) { l.pop_back(); });
  add("no name", 20, [](auto& l) { l[1] = "# no name here"; });
  add("second name", 21, [](auto& l) { l.push_back("name: another"); });
  add("name with a slash", 2, [](auto& l) { l[1] = "name: up/down"; });
  add("empty name", 2, [](auto& l) { l[1] = "name:   "; });
  add("stray text", 10, [](auto& l) { l.insert(l.begin() + 9, "hello"); });

  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    fs::path source = scratch / "bad.lvl", map = scratch / "bad.map";
    WriteText(source, Joined(c.lines));
    fs::remove(map);
    TRun run = RunLevelc({"compile", source.string(), map.string()}, scratch);
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.err.find("bad.lvl:" + std::to_string(c.line) + ": "), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(map)) << "a map was written from a bad source";
  }
}

TEST_F(LevelCompilerTest, PrintRefusesMapsItCannotExpress) {
  std::vector<std::string> lines = EmptySource();
  SetCell(lines, 3, 3, "r ");
  SetCell(lines, 3, 4, "# ");
  WriteText(scratch / "good.lvl", Joined(lines));
  ASSERT_EQ(RunLevelc({"compile", (scratch / "good.lvl").string(), (scratch / "good.map").string()}, scratch)
                .status,
            0);
  const TBytes good = ReadBytes(scratch / "good.map");
  ASSERT_EQ(RunLevelc({"print", (scratch / "good.map").string()}, scratch).status, 0);

  std::vector<std::pair<const char*, TBytes>> bad;
  bad.push_back({"short file", TBytes(good.begin(), good.end() - 1)});
  bad.push_back({"long file", good});
  bad.back().second.push_back(0);
  bad.push_back({"no tag", good});
  bad.back().second[0] = 'X';
  bad.push_back({"unknown version", good});
  bad.back().second[7] = 2;
  bad.push_back({"unknown colour", good});
  bad.back().second[CellAt(3, 3)] = 9;
  bad.push_back({"unknown power-up", good});
  bad.back().second[CellAt(3, 3) + 1] = 13;
  bad.push_back({"gray with power-up", good});
  bad.back().second[CellAt(3, 4) + 1] = bbLife;
  bad.push_back({"empty with power-up", good});
  bad.back().second[CellAt(0, 0) + 1] = bbBall;
  for (const auto& [what, bytes] : bad) {
    SCOPED_TRACE(what);
    WriteBytes(scratch / "bad.map", bytes);
    TRun run = RunLevelc({"print", (scratch / "bad.map").string()}, scratch);
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_NE(run.err.find("bad.map: "), std::string::npos) << run.err;
  }
}

TEST_F(LevelCompilerTest, BuildNamesEachMapAfterItsLevel) {
  fs::create_directory(scratch / "src");
  std::vector<std::string> sun = EmptySource("won't let the sun go down on me");
  SetCell(sun, 2, 2, "yF");
  std::vector<std::string> magic = EmptySource("it's a kind of magic");
  SetCell(magic, 5, 9, "p ");
  WriteText(scratch / "src/01-sun.lvl", Joined(sun));
  WriteText(scratch / "src/02-magic.lvl", Joined(magic));
  WriteText(scratch / "src/readme.txt", "not a level");

  fs::path out = scratch / "out/maps";
  TRun run = RunLevelc({"build", (scratch / "src").string(), out.string()}, scratch);
  ASSERT_EQ(run.status, 0) << run.err;
  std::set<std::string> made;
  for (const auto& entry : fs::directory_iterator(out)) made.insert(entry.path().filename().string());
  EXPECT_EQ(made, (std::set<std::string>{"won't let the sun go down on me.map", "it's a kind of magic.map"}));
  ASSERT_EQ(
      RunLevelc({"compile", (scratch / "src/01-sun.lvl").string(), (scratch / "sun.map").string()}, scratch)
          .status,
      0);
  EXPECT_EQ(ReadBytes(out / "won't let the sun go down on me.map"), ReadBytes(scratch / "sun.map"));

  // A repeated name or a bad source stops the build before anything is written.
  WriteText(scratch / "src/03-again.lvl", Joined(EmptySource("it's a kind of magic")));
  run = RunLevelc({"build", (scratch / "src").string(), (scratch / "out2").string()}, scratch);
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find("03-again.lvl"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(scratch / "out2"));

  fs::remove(scratch / "src/03-again.lvl");
  std::vector<std::string> broken = EmptySource("broken");
  SetCell(broken, 4, 4, "q ");
  WriteText(scratch / "src/04-broken.lvl", Joined(broken));
  run = RunLevelc({"build", (scratch / "src").string(), (scratch / "out3").string()}, scratch);
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find("04-broken.lvl:7: "), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(scratch / "out3"));
}
