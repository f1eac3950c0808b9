// Watching a recording named on the command line instead of playing.
#pragma once
#include <string>

// `rebounder --replay FILE`: plays the file in the window at normal speed,
// with keys to pause, fast-forward and quit. Returns the exit status; the
// player's options and table are never written.
int PlayReplayFile(const std::string& path);
