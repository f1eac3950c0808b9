// The generated level sets a new game can be played on: "daily" (seeded by
// the date, the same set for every player that day) and "random" (a new
// seed each time). Each is a folder of sources under the user data folder,
// named after its seed so that it keeps a top ten of its own.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The folder the generated sets live in, with a trailing slash.
std::string GeneratedSetsFolder();
// Today's set: seeded by the local date as YYYYMMDD, in "daily YYYY-MM-DD".
std::string DailySetFolder();
// A random set's folder, "random SEED".
std::string RandomSetFolder(uint32_t seed);
// A new seed for a random set, from the clock: six digits at most, easy to share.
uint32_t NewRandomSeed();
// Whether the folder is a daily or random set's, and its seed.
bool GeneratedSetSeed(const std::string& folder, uint32_t& seed);
// Adds today's set and a new random one to the end of a new game's choices,
// today's unless it is there already.
void AddGeneratedChoices(std::vector<std::string>& folders);
// A generated set's folder that does not yet hold all its levels whole: some
// are missing or damaged. What is whole is played as it is (a player may
// have changed it); only what is missing or damaged is made again.
bool NeedsMaking(const std::string& folder);
