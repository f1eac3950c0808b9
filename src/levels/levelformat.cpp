// Level source parsing and map printing for levelc.
#include "levels/levelformat.h"

#include <cstring>
#include <sstream>

#include "levels/levelcheck.h"
#include "levels/levelmap.h"

namespace {

// Index = colour number in the map.
constexpr char ColourLetters[] = ".#bgprywc";
// Index = power-up number in the map; index 0 (none) is a space.
constexpr char PowerUpMarks[] = " BNLSFM?UD+RP";
constexpr int RowChars = 2 * LevelColumns;

static_assert(sizeof(ColourLetters) - 1 == MaxColour + 1, "one letter per colour");
static_assert(sizeof(PowerUpMarks) - 1 == MaxPowerUp + 1, "one mark per power-up");
static_assert(sizeof(MapTag) - 1 == MapTagBytes, "tag length");
static_assert(MapTagBytes + 2 == LevelHeaderBytes, "tag, version and a zero fill the header");

const char* Legend =
    "# Rebounder level. A grid row holds 14 cells between bars; a cell is a\n"
    "# colour letter followed by a power-up mark (a space for none).\n"
    "# Colours:  . empty   # gray (solid, never breaks)   b blue   g green\n"
    "#           p purple   r red   y yellow   w white   c cracked (breaks at once)\n"
    "# Power-ups: B extra ball   N back to normal   L large paddle   S small paddle\n"
    "#            F fire ball   M magnet   ? mystery   U faster ball   D slower ball\n"
    "#            + extra life   R reversed paddle   P slow paddle\n";

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

[[noreturn]] void LineError(const std::string& file, int line, const std::string& what) {
  throw TLevelError(file + ":" + std::to_string(line) + ": " + what);
}

std::string Shown(char c) {
  if (c == ' ') return "a space";
  if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126) {
    return "byte " + std::to_string(static_cast<unsigned char>(c));
  }
  return std::string("'") + c + "'";
}

void ParseRow(const std::string& cells, int row, uint8_t* out, const std::string& file, int line) {
  if (static_cast<int>(cells.size()) != RowChars) {
    LineError(file, line,
              "grid row has " + std::to_string(cells.size()) + " characters between the bars, " +
                  std::to_string(RowChars) + " needed (14 cells of a colour letter and a power-up mark)");
  }
  const size_t tab = cells.find('\t');
  if (tab != std::string::npos) {
    LineError(file, line,
              "row " + std::to_string(row + 1) + ", column " + std::to_string(tab / 2 + 1) +
                  ": a tab; write the cells with spaces, since a tab has no fixed width");
  }
  for (int col = 0; col < LevelColumns; ++col) {
    char letter = cells[2 * col];
    char mark = cells[2 * col + 1];
    std::string where = "row " + std::to_string(row + 1) + ", column " + std::to_string(col + 1) + ": ";
    const char* c = letter != '\0' ? std::strchr(ColourLetters, letter) : nullptr;
    if (c == nullptr) {
      LineError(file, line, where + Shown(letter) + " is not a colour letter (use one of . # b g p r y w c)");
    }
    const char* m = mark != '\0' ? std::strchr(PowerUpMarks, mark) : nullptr;
    if (m == nullptr) {
      LineError(
          file, line,
          where + Shown(mark) + " is not a power-up mark (use a space or one of B N L S F M ? U D + R P)");
    }
    uint8_t colour = static_cast<uint8_t>(c - ColourLetters);
    uint8_t powerUp = static_cast<uint8_t>(m - PowerUpMarks);
    if (powerUp != 0 && colour == bcNone) {
      LineError(file, line, where + "an empty cell cannot carry a power-up");
    }
    if (powerUp != 0 && colour == bcGray) {
      LineError(file, line, where + "a gray brick never breaks, so it cannot carry a power-up");
    }
    out[2 * col] = colour;
    out[2 * col + 1] = powerUp;
  }
}

std::string UnreachableMessage(const std::vector<TCell>& cells) {
  std::string out =
      CellName(cells[0]) + ": the ball can never reach this brick: gray bricks and the walls shut it in";
  if (cells.size() > 1) {
    out += " (so are";
    for (size_t i = 1; i < cells.size(); ++i) out += (i > 1 ? "; " : " ") + CellName(cells[i]);
    out += ")";
  }
  return out;
}

std::string TooFewMessage(int breakable) {
  return std::to_string(breakable) + " breakable bricks, a level needs at least " +
         std::to_string(MinBreakableBricks);
}

}  // namespace

std::string NameProblem(const std::string& name) {
  if (name.empty()) return "the level name is empty";
  if (name != Trim(name)) return "the level name starts or ends with a space";
  if (name == "." || name == "..") return "the level name cannot be \".\" or \"..\"";
  for (char c : name) {
    if (c == '/') return "the level name contains '/', which cannot be part of a file name";
    if (static_cast<unsigned char>(c) < 32 || c == 127) return "the level name contains a control character";
  }
  return "";
}

TCompiledLevel CompileSource(const std::string& text, const std::string& fileName) {
  int rowLines[LevelRows] = {};
  TCompiledLevel level = ParseSource(text, fileName, rowLines);
  std::vector<TCell> unreachable = UnreachableBricks(level.bytes);
  if (!unreachable.empty()) {
    LineError(fileName, rowLines[unreachable[0].row], UnreachableMessage(unreachable));
  }
  int breakable = BreakableBrickCount(level.bytes);
  if (breakable < MinBreakableBricks) throw TLevelError(fileName + ": " + TooFewMessage(breakable));
  return level;
}

std::string CheckedLevelName(const std::string& text, const std::string& fileName) {
  int rowLines[LevelRows] = {};
  const TCompiledLevel level = ParseSource(text, fileName, rowLines);
  const int breakable = BreakableBrickCount(level.bytes);
  if (breakable < MinBreakableBricks) throw TLevelError(fileName + ": " + TooFewMessage(breakable));
  return level.name;
}

std::string SourceLevelName(const std::string& text, const std::string& fileName) {
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
    LineError(fileName, 1, "the file starts with a byte order mark (BOM); save it as plain text without one");
  int lineNo = 0;
  for (size_t from = 0; from < text.size();) {
    size_t eol = text.find('\n', from);
    if (eol == std::string::npos) eol = text.size();
    ++lineNo;
    std::string line = text.substr(from, eol - from);
    from = eol + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    line = Trim(line);
    if (line.compare(0, 5, "name:") != 0) continue;
    const std::string name = Trim(line.substr(5));
    const std::string problem = NameProblem(name);
    if (!problem.empty()) LineError(fileName, lineNo, problem);
    return name;
  }
  if (text.empty())
    throw TLevelError(fileName + ": the file is empty; a level needs a 'name:' line and 18 grid rows");
  LineError(fileName, lineNo, "no 'name:' line; every level needs a name");
}

TCompiledLevel ParseSource(const std::string& text, const std::string& fileName, int (&rowLines)[LevelRows]) {
  TCompiledLevel level;
  level.bytes.assign(LevelFileBytes, 0);
  std::memcpy(level.bytes.data(), MapTag, MapTagBytes);
  level.bytes[MapTagBytes] = MapVersion;

  if (text.empty())
    throw TLevelError(fileName + ": the file is empty; a level needs a 'name:' line and 18 grid rows");
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    LineError(fileName, 1, "the file starts with a byte order mark (BOM); save it as plain text without one");
  }
  bool haveName = false;
  int rows = 0;
  int lineNo = 0;
  std::istringstream in(text);
  std::string raw;
  while (std::getline(in, raw)) {
    ++lineNo;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    std::string line = Trim(raw);
    if (line.empty() || line[0] == '#') continue;
    if (line.compare(0, 5, "name:") == 0) {
      if (haveName) LineError(fileName, lineNo, "a second 'name:' line; a level has one name");
      level.name = Trim(line.substr(5));
      std::string problem = NameProblem(level.name);
      if (!problem.empty()) LineError(fileName, lineNo, problem);
      haveName = true;
      continue;
    }
    if (line[0] == '|') {
      if (line.size() < 2 || line.back() != '|') {
        LineError(fileName, lineNo, "grid row does not end with a bar '|'");
      }
      if (rows == LevelRows) {
        LineError(fileName, lineNo, "more than " + std::to_string(LevelRows) + " grid rows");
      }
      rowLines[rows] = lineNo;
      ParseRow(line.substr(1, line.size() - 2), rows,
               level.bytes.data() + LevelHeaderBytes + 2 * LevelColumns * rows, fileName, lineNo);
      ++rows;
      continue;
    }
    LineError(fileName, lineNo,
              "cannot read this line; expected a comment starting with '#', a 'name:' line or a grid row "
              "between bars |...|");
  }
  if (!haveName) LineError(fileName, lineNo, "no 'name:' line; every level needs a name");
  if (rows != LevelRows) {
    LineError(fileName, lineNo,
              "the grid has " + std::to_string(rows) + " rows, " + std::to_string(LevelRows) + " needed");
  }
  return level;
}

std::string LevelProblem(const std::vector<uint8_t>& bytes) {
  std::vector<TCell> unreachable = UnreachableBricks(bytes);
  if (!unreachable.empty()) return UnreachableMessage(unreachable);
  int breakable = BreakableBrickCount(bytes);
  return breakable < MinBreakableBricks ? TooFewMessage(breakable) : "";
}

std::string PrintMap(const std::vector<uint8_t>& bytes, const std::string& name,
                     const std::string& fileName) {
  auto fail = [&](const std::string& what) -> void { throw TLevelError(fileName + ": " + what); };
  if (bytes.size() != static_cast<size_t>(LevelFileBytes)) {
    fail("the file has " + std::to_string(bytes.size()) + " bytes, a level map has " +
         std::to_string(LevelFileBytes));
  }
  if (std::memcmp(bytes.data(), MapTag, MapTagBytes) != 0) {
    fail(std::string("no ") + MapTag + " tag at the start: not a level map written by levelc");
  }
  if (bytes[MapTagBytes] != MapVersion) {
    fail("map format version " + std::to_string(bytes[MapTagBytes]) + ", this levelc reads version " +
         std::to_string(MapVersion));
  }
  // A source has no way to say this byte, so compiling again could not give it back.
  if (bytes[MapTagBytes + 1] != 0)
    fail("header byte " + std::to_string(MapTagBytes + 1) + " is " + std::to_string(bytes[MapTagBytes + 1]) +
         ", levelc writes 0 there");
  std::string problem = NameProblem(name);
  if (!problem.empty()) fail(problem);

  std::string out = Legend;
  out += "name: " + name + "\n\n";
  for (int row = 0; row < LevelRows; ++row) {
    out += '|';
    for (int col = 0; col < LevelColumns; ++col) {
      int at = LevelHeaderBytes + 2 * (LevelColumns * row + col);
      int colour = bytes[at];
      int powerUp = bytes[at + 1];
      std::string where = "row " + std::to_string(row + 1) + ", column " + std::to_string(col + 1) +
                          " (byte " + std::to_string(at) + "): ";
      if (colour > MaxColour) fail(where + "colour " + std::to_string(colour) + " is unknown");
      if (powerUp > MaxPowerUp) fail(where + "power-up " + std::to_string(powerUp) + " is unknown");
      if (powerUp != 0 && (colour == bcNone || colour == bcGray)) {
        fail(where + (colour == bcNone ? "an empty cell" : "a gray brick") + " carries power-up " +
             std::to_string(powerUp));
      }
      out += ColourLetters[colour];
      out += PowerUpMarks[powerUp];
    }
    out += "|\n";
  }
  return out;
}

std::string ReprintSource(const std::string& original, const std::vector<uint8_t>& bytes,
                          const std::string& name) {
  // The printed name line and rows, in order; the legend and the blank line are the original's to keep.
  std::vector<std::string> fresh;
  std::istringstream printed(PrintMap(bytes, name, name));
  for (std::string line; std::getline(printed, line);)
    if (line.compare(0, 5, "name:") == 0 || (!line.empty() && line[0] == '|')) fresh.push_back(line);
  std::string out;
  size_t next = 0;
  for (size_t from = 0; from < original.size();) {
    size_t eol = original.find('\n', from);
    const bool ended = eol != std::string::npos;
    if (!ended) eol = original.size();
    std::string line = original.substr(from, eol - from);
    from = eol + 1;
    const bool cr = !line.empty() && line.back() == '\r';
    const std::string trimmed = Trim(cr ? line.substr(0, line.size() - 1) : line);
    const bool replaced = trimmed.compare(0, 5, "name:") == 0 || (!trimmed.empty() && trimmed[0] == '|');
    if (replaced && next < fresh.size()) line = fresh[next++] + (cr ? "\r" : "");
    out += line + (ended ? "\n" : "");
  }
  return out;
}

void CheckMap(const std::vector<uint8_t>& bytes, const std::string& name, const std::string& fileName) {
  PrintMap(bytes, name, fileName);
  const std::string problem = LevelProblem(bytes);
  if (!problem.empty()) throw TLevelError(fileName + ": " + problem);
}
