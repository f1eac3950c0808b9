// PlayLevelRun: one level played headless from its start by the autopilot,
// with the play-field rules checked after every tick. The level report and
// the soak test are built on it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct TLevelRun {
  int levelIndex = 0;  // position in the endless sequence: lap * level count + level
  uint32_t seed = 1;   // seeds the autopilot and every reseed of the game's generator
  int maxTicks = 20 * 60 * 40;
  bool powerUps = true;  // false: no brick releases a capsule
};

struct TLevelRunResult {
  bool cleared = false;
  int ticks = 0;  // game time played, to the clear or to the limit
  int livesLost = 0;
  int longestStretch = 0;  // ticks of ball play without a breakable brick hit
  int brokenCount = 0;
  int capsulesCaught = 0, floatersZapped = 0;
  unsigned kindsCaught = 0;  // one bit for each kind of capsule caught
  std::vector<std::string> broken;
};

// Needs the sprites loaded, the level list built and a paddle; changes the
// whole game record. The result depends only on the setup.
TLevelRunResult PlayLevelRun(const TLevelRun& run);
