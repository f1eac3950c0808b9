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

#include "base/globals.h"
#include "levels/levelcheck.h"
#include "session/gameflow.h"
#include "session/level.h"

namespace fs = std::filesystem;

namespace {

using TBytes = std::vector<uint8_t>;

const char Tag[] = "RBLEVEL";
constexpr uint8_t FormatVersion = 1;

// The built-in levels, whatever set an earlier test in this process left in play.
const std::vector<std::string>& LevelNames() {
  static const std::vector<std::string> names = BuiltInLevelNames();
  return names;
}

std::string MapPath(const std::string& name) { return "maps/" + name + ".map"; }

// The source tree the tests were built from, unless the environment names another.
fs::path SourceDir() {
  const char* fromEnvironment = std::getenv("REBOUNDER_SOURCE_DIR");
  return fromEnvironment != nullptr ? fs::path(fromEnvironment) : fs::path(REBOUNDER_TEST_DIR).parent_path();
}

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

}  // namespace
void PrintTo(const TCell& cell, std::ostream* out) { *out << CellName(cell); }
namespace {

std::string CellList(const std::vector<TCell>& cells) {
  std::string out;
  for (const TCell& cell : cells) out += " (" + CellName(cell) + ")";
  return out;
}

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

// A well-formed source: line 1 a comment, line 2 the name, lines 3..20 the
// rows (row r, counted from 0, on line r + 3), empty but for the 28 blue
// bricks of rows 10 and 11 that make it a level levelc accepts.
constexpr int BlueRow = 10;
std::vector<std::string> PlainSource(const std::string& name = "test level") {
  std::vector<std::string> lines = {"# a test level", "name: " + name};
  std::string empty = "|", blue = "|";
  for (int col = 0; col < LevelColumns; ++col) empty += ". ", blue += "b ";
  empty += "|", blue += "|";
  for (int row = 0; row < LevelRows; ++row)
    lines.push_back(row == BlueRow || row == BlueRow + 1 ? blue : empty);
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
  std::string Path(const std::string& name) const { return (scratch / name).string(); }
  // Runs ./levelc with the given arguments: its exit status and what it printed.
  TRun Run(const std::vector<std::string>& args) const {
    std::string command = "./levelc";
    for (const std::string& a : args) command += " " + Quoted(a);
    command += " >" + Quoted(Path("levelc.out")) + " 2>" + Quoted(Path("levelc.err"));
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(scratch / "levelc.out"),
            ReadText(scratch / "levelc.err")};
  }
  TRun Compile(const std::string& source, const std::string& map) const {
    return Run({"compile", Path(source), Path(map)});
  }
  TTempDir scratch;
};

}  // namespace

// ---------------------------------------------------------------------------
// The compiled maps of the game's level list.

TEST(LevelMaps, EveryListedLevelHasAMapOfTheRightSizeAndTagWithKnownCellsAndEnoughReachableBricks) {
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
    int breakable = 0;
    for (int row = 0; row < LevelRows; ++row) {
      for (int col = 0; col < LevelColumns; ++col) {
        uint8_t colour = Colour(map, row, col), powerUp = PowerUp(map, row, col);
        SCOPED_TRACE(CellName({row, col}));
        EXPECT_LE(colour, bcCracked);
        EXPECT_LE(powerUp, bbPaddleSpeed);
        if (colour == bcNone || colour == bcGray) {
          EXPECT_EQ(powerUp, bbNone) << "cannot carry a power-up";
        }
        if (IsBreakable(colour)) ++breakable;
      }
    }
    EXPECT_GE(breakable, MinBreakableBricks);
    std::vector<TCell> unreachable = UnreachableBricks(map);
    EXPECT_TRUE(unreachable.empty()) << "out of reach:" << CellList(unreachable);
  }
}

TEST(LevelMaps, SourcesAreNumberedInListOrder) {
  fs::path levels = SourceDir() / "data" / "levels";
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
// Fairness: no breakable brick may be out of the ball's reach (the rule levelc
// applies to every level it compiles).

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

// ---------------------------------------------------------------------------
// The level compiler.

TEST_F(LevelCompilerTest, PrintedLevelsCompileBackToTheSameBytes) {
  for (const std::string& name : LevelNames()) {
    SCOPED_TRACE(name);
    TRun print = Run({"print", MapPath(name)});
    ASSERT_EQ(print.status, 0) << print.err;
    EXPECT_NE(print.out.find("\nname: " + name + "\n"), std::string::npos) << "the name is lost";
    WriteText(scratch / "printed.lvl", print.out);
    TRun compile = Compile("printed.lvl", "again.map");
    ASSERT_EQ(compile.status, 0) << compile.err;
    EXPECT_EQ(ReadBytes(scratch / "again.map"), ReadBytes(MapPath(name)));
  }
}

TEST_F(LevelCompilerTest, PlacesEachCellAtItsOffset) {
  std::vector<std::string> lines = PlainSource();
  for (int col = 0; col < LevelColumns; ++col) SetCell(lines, 0, col, "# ");
  SetCell(lines, 1, 0, "bF");
  SetCell(lines, 17, 13, "cP");
  SetCell(lines, 9, 6, "w?");
  WriteText(scratch / "cells.lvl", Joined(lines));
  TRun run = Compile("cells.lvl", "cells.map");
  ASSERT_EQ(run.status, 0) << run.err;
  TBytes map = ReadBytes(scratch / "cells.map");
  ASSERT_EQ(map.size(), static_cast<size_t>(LevelFileBytes));

  TBytes expected(LevelFileBytes, 0);
  std::copy(Tag, Tag + 7, expected.begin());
  expected[7] = FormatVersion;
  for (int i = 9; i <= 36; i += 2) expected[i] = bcGray;
  for (int col = 0; col < LevelColumns; ++col)
    expected[CellAt(BlueRow, col)] = expected[CellAt(BlueRow + 1, col)] = bcBlue;
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
    std::string expected;  // the start of the message, after the file name
  };
  std::vector<TCase> cases;
  auto add = [&](const char* what, const std::string& expected, auto change) {
    std::vector<std::string> lines = PlainSource();
    change(lines);
    cases.push_back({what, lines, expected});
  };
  add("short row", ":7: grid row has 6 characters", [](auto& l) { l[6] = "|. . . |"; });
  add("row without closing bar", ":8: grid row does not end", [](auto& l) { l[7].pop_back(); });
  add("unknown colour", ":5: row 3, column 5: 'x' is not a colour", [](auto& l) { SetCell(l, 2, 4, "x "); });
  add("unknown power-up mark", ":12: row 10, column 1: 'Z'", [](auto& l) { SetCell(l, 9, 0, "bZ"); });
  add("gray with power-up", ":3: row 1, column 14: a gray", [](auto& l) { SetCell(l, 0, 13, "#B"); });
  add("empty with power-up", ":20: row 18, column 8: an empty", [](auto& l) { SetCell(l, 17, 7, ".L"); });
  add("too many rows", ":21: more than 18", [](auto& l) { l.push_back(l.back()); });
  add("too few rows", ":19: the grid has 17 rows", [](auto& l) { l.pop_back(); });
  add("no name", ":20: no 'name:' line", [](auto& l) { l[1] = "# no name here"; });
  add("second name", ":21: a second 'name:'", [](auto& l) { l.push_back("name: another"); });
  add("name with a slash", ":2: the level name contains '/'", [](auto& l) { l[1] = "name: up/down"; });
  add("empty name", ":2: the level name is empty", [](auto& l) { l[1] = "name:   "; });
  add("stray text", ":10: cannot read this line", [](auto& l) { l.insert(l.begin() + 9, "hello"); });
  add("byte order mark", ":1: the file starts with a byte order mark",
      [](auto& l) { l[0] = "\xEF\xBB\xBF" + l[0]; });
  add("tab", ":8: row 6, column 4: a tab", [](auto& l) { SetCell(l, 5, 3, "\t "); });
  add("empty file", ": the file is empty", [](auto& l) { l.clear(); });
  add("boxed-in brick", ":8: row 6, column 6: the ball can never reach this brick", [](auto& l) {
    for (int col : {4, 5, 6}) SetCell(l, 4, col, "# "), SetCell(l, 6, col, "# ");
    SetCell(l, 5, 4, "# "), SetCell(l, 5, 5, "r "), SetCell(l, 5, 6, "# ");
  });
  add("too few breakable bricks", ": 19 breakable bricks, a level needs at least 20", [](auto& l) {
    for (int col = 5; col < LevelColumns; ++col) SetCell(l, BlueRow, col, ". ");
  });

  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    fs::path source = scratch / "bad.lvl", map = scratch / "bad.map";
    WriteText(source, Joined(c.lines));
    fs::remove(map);
    TRun run = Compile("bad.lvl", "bad.map");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("bad.lvl" + c.expected), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(map)) << "a map was written from a bad source";
    // check says the same of the source and writes nothing.
    TRun check = Run({"check", source.string()});
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.err, run.err);
  }
}

TEST_F(LevelCompilerTest, RejectsA41stLevelWithABoxedInBrickAndChecksMaps) {
  // The game's own sources and one more whose brick sits in a gray box.
  fs::create_directory(scratch / "src");
  for (const auto& entry : fs::directory_iterator(SourceDir() / "data" / "levels"))
    fs::copy_file(entry.path(), scratch / "src" / entry.path().filename());
  std::vector<std::string> boxed = PlainSource("boxed in");
  for (int col : {10, 11, 12}) SetCell(boxed, 14, col, "# "), SetCell(boxed, 16, col, "# ");
  SetCell(boxed, 15, 10, "# "), SetCell(boxed, 15, 11, "yB"), SetCell(boxed, 15, 12, "# ");
  WriteText(scratch / "src/41-boxed-in.lvl", Joined(boxed));
  TRun run = Run({"build", Path("src"), Path("out")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("41-boxed-in.lvl:18: row 16, column 12: the ball can never reach"),
            std::string::npos)
      << run.err;
  EXPECT_FALSE(fs::exists(scratch / "out"));

  // The same level as a map, written without levelc's checks.
  TBytes map = ReadBytes(MapPath(LevelNames()[0]));
  auto set = [&](int row, int col, uint8_t colour) {
    map[CellAt(row, col)] = colour, map[CellAt(row, col) + 1] = 0;
  };
  for (int col : {10, 11, 12}) set(14, col, bcGray), set(15, col, bcGray), set(16, col, bcGray);
  set(15, 11, bcYellow);
  WriteBytes(scratch / "boxed.map", map);
  TRun check = Run({"check", Path("boxed.map"), MapPath(LevelNames()[1])});
  EXPECT_EQ(check.status, 1);
  EXPECT_NE(check.err.find("boxed.map: row 16, column 12: the ball can never reach"), std::string::npos)
      << check.err;
  EXPECT_EQ(check.err.find(LevelNames()[1]), std::string::npos) << "a good map was refused: " << check.err;
}

TEST_F(LevelCompilerTest, PrintRefusesMapsItCannotExpress) {
  std::vector<std::string> lines = PlainSource();
  SetCell(lines, 3, 3, "r ");
  SetCell(lines, 3, 4, "# ");
  WriteText(scratch / "good.lvl", Joined(lines));
  ASSERT_EQ(Compile("good.lvl", "good.map").status, 0);
  const TBytes good = ReadBytes(scratch / "good.map");
  ASSERT_EQ(Run({"print", Path("good.map")}).status, 0);

  TBytes longer = good;
  longer.push_back(0);
  const auto with = [&](int at, uint8_t value) {
    TBytes bytes = good;
    bytes[static_cast<size_t>(at)] = value;
    return bytes;
  };
  const std::pair<const char*, TBytes> bad[] = {{"short file", TBytes(good.begin(), good.end() - 1)},
                                                {"long file", longer},
                                                {"no tag", with(0, 'X')},
                                                {"unknown version", with(7, 2)},
                                                {"unknown colour", with(CellAt(3, 3), 9)},
                                                {"unknown power-up", with(CellAt(3, 3) + 1, 13)},
                                                {"gray with power-up", with(CellAt(3, 4) + 1, bbLife)},
                                                {"empty with power-up", with(CellAt(0, 0) + 1, bbBall)}};
  for (const auto& [what, bytes] : bad) {
    SCOPED_TRACE(what);
    WriteBytes(scratch / "bad.map", bytes);
    TRun run = Run({"print", Path("bad.map")});
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_NE(run.err.find("bad.map: "), std::string::npos) << run.err;
  }
}

TEST_F(LevelCompilerTest, BuildNamesEachMapAfterItsLevel) {
  fs::create_directory(scratch / "src");
  std::vector<std::string> sun = PlainSource("won't let the sun go down on me");
  SetCell(sun, 2, 2, "yF");
  std::vector<std::string> magic = PlainSource("it's a kind of magic");
  SetCell(magic, 5, 9, "p ");
  WriteText(scratch / "src/01-sun.lvl", Joined(sun));
  WriteText(scratch / "src/02-magic.lvl", Joined(magic));
  WriteText(scratch / "src/readme.txt", "not a level");

  fs::path out = scratch / "out/maps";
  TRun run = Run({"build", Path("src"), out.string()});
  ASSERT_EQ(run.status, 0) << run.err;
  std::set<std::string> made;
  for (const auto& entry : fs::directory_iterator(out)) made.insert(entry.path().filename().string());
  EXPECT_EQ(made, (std::set<std::string>{"won't let the sun go down on me.map", "it's a kind of magic.map"}));
  ASSERT_EQ(Compile("src/01-sun.lvl", "sun.map").status, 0);
  EXPECT_EQ(ReadBytes(out / "won't let the sun go down on me.map"), ReadBytes(scratch / "sun.map"));

  // A repeated name or a bad source stops the build before anything is written.
  std::vector<std::string> broken = PlainSource("broken");
  SetCell(broken, 4, 4, "q ");
  const struct {
    std::string file;
    std::vector<std::string> lines;
    std::string message;
  } stops[] = {{"03-again.lvl", PlainSource("it's a kind of magic"), "03-again.lvl"},
               {"04-broken.lvl", broken, "04-broken.lvl:7: "}};
  for (const auto& stop : stops) {
    SCOPED_TRACE(stop.file);
    WriteText(scratch / "src" / stop.file, Joined(stop.lines));
    run = Run({"build", Path("src"), Path("out-" + stop.file)});
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.err.find(stop.message), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(scratch / ("out-" + stop.file)));
    fs::remove(scratch / "src" / stop.file);
  }
}
