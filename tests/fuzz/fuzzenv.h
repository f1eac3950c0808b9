// What every fuzz target shares: the real game started once in a scratch
// folder (assets linked from the build, data files and maps of its own), and
// the checks that a refused input was refused properly.
#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using TBytes = std::vector<unsigned char>;

// The player's level set the kept games of the seeds name: "sets/mine" under
// the working folder, with the levels "one" and "two".
inline void MakeFuzzSet() {
  std::filesystem::create_directories("sets/mine");
  for (const char* name : {"one", "two"}) {
    std::ofstream source(std::string("sets/mine/") + name + ".lvl");
    source << "name: " << name << "\n";
    for (int row = 0; row < 18; ++row)
      source << (row == 4 || row == 5 ? "|r r r r r r r r r r r r r r |\n" : "|. . . . . . . . . . . . . . |\n");
  }
}
// Starts the game headless in its scratch folder; runs once per process.
void StartFuzzGame();
// Writes a file of the scratch folder.
void WriteScratchFile(const std::string& path, const uint8_t* data, size_t size);
TBytes ReadScratchFile(const std::string& path);
// Runs `load`; true when it went through, false when it stopped with a
// fatal error. A message that is empty, more than one line or does not name
// `file` is a finding.
template <class F>
bool Accepted(const std::string& file, F load);
// Stops the process as a finding, with the reason on standard error.
[[noreturn]] void Finding(const std::string& what);
// Plays `ticks` logic ticks of the current program state with fire held,
// drawing a frame every few ticks, as the main loop would.
void PlayTicks(int ticks);

void CheckRefusal(const std::string& file, const std::string& message);

template <class F>
bool Accepted(const std::string& file, F load) {
  try {
    load();
    return true;
  } catch (const std::exception& e) {
    CheckRefusal(file, e.what());
    return false;
  }
}
