// The calls a lower room makes into the game above it. The game installs
// them as it starts (InstallGameHooks), so that play, replay and the screens
// never include the rooms that drive them; until then each does nothing.
#pragma once
#include <SDL/SDL.h>

struct TKeptGame;

struct TGameHooks {
  // The game's input dispatch of Game.event: the autopilot and a recording
  // feed their events through it as the player's would arrive.
  void (*dispatchEvent)() = [] {};
  // Runs a key press through the dispatch, as the menus' pointer targets do.
  void (*pressKey)(SDLKey key) = [](SDLKey) {};
  // One 25 ms tick of whatever is on screen, and one frame of it.
  void (*logicTick)() = [] {};
  void (*drawFrame)() = [] {};
  // Whether the menus answer the pointer (recordings made before they did do not).
  void (*menuPointer)(bool on) = [](bool) {};
  // Forgets what the gamepads held, before a recording plays.
  void (*resetGamepads)() = [] {};
  // Saves the player's files if they were read, as the game ends abruptly.
  void (*savePlayerFiles)() = [] {};
  // Told when a game starts, resumes or ends, so it can be recorded; and
  // asked whether the idle demo is playing, whose games are not the player's.
  void (*gameStarted)(int difficulty) = [](int) {};
  void (*gameResumed)(const TKeptGame& kept) = [](const TKeptGame&) {};
  void (*gameEnded)(int rank) = [](int) {};
  bool (*demoRunning)() = [] { return false; };
};

extern TGameHooks Hooks;
