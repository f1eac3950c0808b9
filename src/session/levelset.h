// Level sets: the 40 built-in levels, the set "classic", and the player's own
// sets, folders of level sources whose names are read when the set is
// loaded, and each compiled when it is first played.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

extern const char* const ClassicSetName;

// The most levels a set plays: as many as a player can go through, and few
// enough to list and look through at once.
constexpr size_t MostSetLevels = 1000;

struct TSetLevel {
  std::string name;
  std::vector<uint8_t> map;  // the compiled level, LevelFileBytes; empty until it is compiled
  std::string source;        // the source file; "" for a level given compiled
};

class CLevelSet {
public:
  std::string name;                   // "classic", or the folder's own name
  std::string folder;                 // empty for the built-in set
  std::string table;                  // its table's folder, SetTableName; empty for the built-in set
  std::vector<TSetLevel> levels;      // a player's set only: the built-in maps are files
  std::vector<std::string> problems;  // one line for each source left out

  bool IsClassic() const { return folder.empty(); }
  // A player's set has at least one level with a name.
  bool Playable() const { return IsClassic() || !levels.empty(); }
  // The level names in play order, the built-in ones for the built-in set.
  std::vector<std::string> LevelNames() const;

  static CLevelSet Classic();
  // Reads the name of every .lvl file of the folder in file-name order,
  // without compiling a level; a source without a usable name, one that does
  // not parse or has too few bricks, or with a name already used, is left
  // out with one line naming the file and the reason.
  // A folder of more than MostSetLevels sources plays the first ones and
  // says so, once, on standard error. Never throws.
  static CLevelSet Load(const std::string& folder);
  // Compiles every level with all the checks, and says why each that fails
  // them is left out of play; their names stay in the set, so that a level's
  // place in it never changes.
  std::vector<std::string> LeftOutWhenPlayed() const;
};

// Where the player's sets live: $XDG_DATA_HOME/rebounder/levels/ (by default
// ~/.local/share/rebounder/levels/), with a trailing slash.
std::string PlayerSetsFolder();
// The sets a new game can be played on, by folder: "" for the built-in set
// first, then the player's playable sets by name, and the set in use when it
// came from elsewhere (the command line). Quick, however many and big the
// sets: each is read only up to its first level that reads, and what was
// found is kept while the folder is unchanged.
std::vector<std::string> SetFolderChoices();
// "" loads the built-in set.
CLevelSet LoadSetFolder(const std::string& folder);
// A set folder read from a file: a path of printable characters of sane length.
bool CleanSetFolder(const std::string& folder);
// The name a set's folder is shown by.
std::string SetName(const std::string& folder);
// A set chosen to play that has no level to play is refused, never swapped
// for another: one line and a notice say so, and the result is true.
bool RefusedUnplayable(const CLevelSet& set);
// Games are now played on this set: its level names become the level list.
void UseLevelSet(const CLevelSet& set);
// The compiled map of a level of the set in use, compiled when first asked
// for; null for the built-in set, whose maps are files, and for a name the
// set does not have.
const std::vector<uint8_t>* SetLevelMap(const std::string& name);
// The map a source compiles to, with the level compiler's checks, kept until
// the file changes. A source that does not pass them gives nothing, and one
// line on standard error and a notice naming the file, the place and the reason.
const std::vector<uint8_t>& CompiledLevel(const std::string& source);
// A level of the set in use that fails the checks when it is reached: it is
// left out of play, the next one played in its place.
bool SetLevelLeftOut(const std::string& name);
