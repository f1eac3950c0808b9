// The command line: what the player asked for when starting the game, and
// the answers given without starting it (help, version, level names, errors).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum TWindowChoice : uint8_t { wcSaved, wcWindowed, wcFullscreen };

struct TCommandLine {
  std::string levelName;  // empty: intro and menu as usual
  bool help = false;
  bool version = false;
  bool listLevels = false;
  TWindowChoice window = wcSaved;  // for this run only; the saved option stays
  std::string scale;               // as typed, empty when absent
  std::string replayPath;          // a recorded game to watch instead of playing
  std::string levelSetFolder;      // a folder of level sources to play instead of the built-in levels
  std::string editPath;            // a level source to open in the editor
  std::string error;               // why the arguments were not understood

  static TCommandLine Parse(int argc, char** argv);
};

std::string UsageText();
// Answers help, version, level-list and usage requests and refuses a level
// that does not exist, printing the answer; returns the exit status, or -1
// when the game is to start.
int AnswerCommandLine(const TCommandLine& commandLine);
// Empty when a level of that name exists, else a message naming the closest names.
std::string UnknownLevelMessage(const std::string& name);
// The level names most like `name`, closest first.
std::vector<std::string> ClosestLevelNames(const std::string& name, size_t count);
