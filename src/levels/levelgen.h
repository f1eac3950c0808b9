// The level generator: a seed makes a whole level set, easiest level first,
// every level a picture (an animal, a face, a ship, an object or a word) in
// its scene, with frames and islands of gray bricks and power-ups placed in
// the picture, named after what it shows and checked as the level compiler
// checks.
// Integer arithmetic and the game's own generator only: the same seed gives
// the same bytes on every machine.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr int DefaultGeneratedCount = 40;
constexpr int MostGeneratedLevels = 999;

struct TGeneratedLevel {
  std::string name;      // two words naming the picture, unique in the set
  std::string fileName;  // the place in the set and the name: "07-sleepy-owl.lvl"
  std::string source;    // the level source, as the editor saves it
  std::vector<uint8_t> map;
};

// The `count` levels of the set `seed`, difficulty rising with the place.
// The game's random generator is left exactly as it was.
std::vector<TGeneratedLevel> GenerateLevels(uint32_t seed, int count);

// Makes the same levels one at a time, so that the game can show its
// progress and go on drawing meanwhile.
class CSetMaker {
public:
  CSetMaker(uint32_t seed, int count);
  bool Done() const { return static_cast<int>(levels.size()) >= count; }
  // Makes the next level; the game's random generator is left as it was.
  const TGeneratedLevel& MakeNext();
  const std::vector<TGeneratedLevel>& Levels() const { return levels; }
  int Count() const { return count; }

private:
  uint32_t seed;
  int count;
  uint64_t state;  // the random generator's state between levels
  // The pictures in dealing order, words after the drawn ones; each place
  // chooses among the next few.
  std::vector<int> deck;
  size_t dealt = 0;
  std::vector<TGeneratedLevel> levels;

  void Shuffle();
};

// How long the autopilot is expected to take to clear a map, in logic ticks:
// the generator's measure of difficulty, fitted to the autopilot's times.
int ExpectedClearTicks(const std::vector<uint8_t>& map);

// Writes the sources into the folder, made when missing, each file
// atomically. Returns "" or one line naming what failed.
std::string WriteGeneratedLevels(const std::vector<TGeneratedLevel>& levels, const std::string& folder);

// As WriteGeneratedLevels, for a set written where the player says: a folder
// that holds level sources the generator did not write is refused, and one
// that holds a generated set has that set replaced, its files that the new
// set does not write removed. `replaced` names the seeds of the set replaced
// ("" when the folder held none).
std::string ReplaceGeneratedSet(const std::vector<TGeneratedLevel>& levels, const std::string& folder,
                                std::string& replaced);

// A seed as typed: a whole number from 0 to 4294967295.
bool ParseSeed(const std::string& text, uint32_t& seed);
