// The command line: what the player asked for when starting the game, and
// the answers given without starting it (help, version, level names, errors).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/records.h"

TCommandLine ParseCommandLine(int argc, char** argv);
std::string UsageText();
// Answers help, version, level-list and usage requests and refuses a level
// that does not exist, printing the answer; returns the exit status, or -1
// when the game is to start.
int AnswerCommandLine(const TCommandLine& commandLine);
// Empty when a theme of that name exists, else one line (without its end)
// naming the closest names.
std::string UnknownThemeMessage(const std::string& name);
// Empty when a level of that name exists, else a message naming the closest names.
std::string UnknownLevelMessage(const std::string& name);
// The level names most like `name`, closest first.
std::vector<std::string> ClosestLevelNames(const std::string& name, size_t count);
