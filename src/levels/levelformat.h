// The two forms of a level: the readable source text (.lvl) and the compiled
// map the game loads (.map, 513 bytes). Parsing, checking and printing both.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/types.h"
#include "levels/levelmap.h"

// Map header: a tag, the format version and a zero byte.
constexpr char MapTag[] = "RBLEVEL";  // 7 characters, stored without the terminator
constexpr int MapTagBytes = 7;
constexpr uint8_t MapVersion = 1;

// Largest colour and power-up numbers a map may hold (cracked, slow paddle).
constexpr int MaxColour = 8;
constexpr int MaxPowerUp = 12;

// A problem with a source or map file. The message already names the file
// (and the line, for sources).
class TLevelError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

struct TCompiledLevel {
  std::string name;
  std::vector<uint8_t> bytes;  // exactly LevelFileBytes
};

// Parses the text of a .lvl source and checks the level it describes (see
// CheckMap); fileName is used only in error messages.
TCompiledLevel CompileSource(const std::string& text, const std::string& fileName);

// The name a source gives its level, read without compiling the level (the
// name line as ParseSource reads it); throws TLevelError as ParseSource does
// for a source with no name line, or a name that cannot be used.
std::string SourceLevelName(const std::string& text, const std::string& fileName);

// The name a source gives its level, with the checks that are quick enough to
// make on every source of a big set when it is read: the source parses and
// has enough breakable bricks (whether the ball reaches them all is left to
// CompileSource). Throws TLevelError as CompileSource does.
std::string CheckedLevelName(const std::string& text, const std::string& fileName);

// Parses a source without the play checks, so that a draft that does not yet
// pass them can still be opened; rowLines receives each grid row's line.
TCompiledLevel ParseSource(const std::string& text, const std::string& fileName, int (&rowLines)[LevelRows]);
// What keeps a well-formed map from being played: bricks the ball cannot
// reach, or too few breakable bricks. Empty when there is nothing.
std::string LevelProblem(const std::vector<uint8_t>& bytes);

// Prints a map back as source text carrying the given level name. Refuses a
// map that a source cannot express, so that printing and compiling again
// always gives back the same bytes.
std::string PrintMap(const std::vector<uint8_t>& bytes, const std::string& name, const std::string& fileName);

// Prints a map over the source it was opened from: its name line and grid
// rows are printed anew, every other line (comments, blank lines) is kept as
// it stood, line ends too. `original` must be a source ParseSource reads.
std::string ReprintSource(const std::string& original, const std::vector<uint8_t>& bytes,
                          const std::string& name);

// Checks what can be proved about a map: it prints as a source, has at least
// MinBreakableBricks breakable bricks, and the ball can reach every one.
void CheckMap(const std::vector<uint8_t>& bytes, const std::string& name, const std::string& fileName);

// Checks a level name for use as a file name: non-empty, no '/', no control
// characters, no leading or trailing spaces, not "." or "..". Returns the
// problem, or an empty string when the name is fine.
std::string NameProblem(const std::string& name);
