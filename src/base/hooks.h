// What a lower room tells the game above it: a game started, resumed or
// ended, and that the player's files are to be saved now. The game installs
// them as it starts (InstallGameHooks); until then each does nothing. Nothing
// here runs a tick, draws a frame or feeds input: the game alone drives those.
#pragma once

struct TKeptGame;

struct TGameHooks {
  // Saves the player's files if they were read, as the game ends abruptly.
  void (*savePlayerFiles)() = [] {};
  // Told when a game starts, resumes or ends, so it can be recorded.
  void (*gameStarted)(int difficulty) = [](int) {};
  void (*gameResumed)(const TKeptGame& kept) = [](const TKeptGame&) {};
  void (*gameEnded)(int rank) = [](int) {};
  // A bonus stage of this kind begins, played alone.
  void (*bonusStarted)(int kind) = [](int) {};
};

extern TGameHooks Hooks;
