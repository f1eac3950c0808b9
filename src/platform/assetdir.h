// Where the game's generated files (sprites, sounds, music, fonts, levels)
// are read from, wherever the game is started.
#pragma once
#include <string>

// The folder holding the game's files, with a trailing slash, or "" when it
// is the working directory (also what REBOUNDER_DATA_DIR=. asks for). In order: $REBOUNDER_DATA_DIR; the
// working directory if it holds them (the build tree, as always); the program's own folder if it holds them;
// ../share/rebounder beside the program (an install moved to another prefix); the folder fixed when the game
// was built.
std::string AssetFolder();
// A path relative to the game's files (e.g. "sprites//ball.bmp"), made
// usable from any working directory. Absolute paths are returned unchanged.
std::string AssetPath(const std::string& relative);
