// Start-up, the main loop with its fixed 25 ms logic tick, and shutdown.
#pragma once
#include <cstdint>

// Starts the game as Game.commandLine asks.
void StartUp();
void RunMainLoop();
// Frees the game objects and closes SDL; the data files are saved by SaveDataFiles.
void ShutDown();
// Saves the high scores, the options and the settings, and keeps an unfinished game, trying
// each; false when any failed.
bool SaveDataFiles();
// True once the high scores and options have been read at start-up.
bool DataFilesLoaded();
void LogicTick();
// Runs every 25 ms tick the clock owes, carrying the remainder over; returns the ticks run.
// More than 250 ms owed is a stall, dropped but for one tick; one over 2 s pauses play first.
int RunOwedTicks();
// What follows a pass's ticks: the game-flow rules, the pass's recording,
// and a game that has just ended ranked and saved at once.
void EndPass(int ticks);
// How long to sleep, on the clock seam, until the next picture at `rate` a
// second is due. A loop that fell a whole picture behind (a slow picture, a
// stall) counts on from now rather than rushing to catch up.
uint32_t PictureWait(int rate);
// The share of the next tick that has passed on the clock seam, 0 to 1: how
// far between their last two tick places the moving objects are drawn.
float TickShare();
// Sleeps until a tick is due: more than 25 ms since lastTick.
void WaitForNextTick();
// Draws the picture of a pass for the program state (intro, menu or game),
// the world where the ticks left it.
void DrawStateFrame();
// Draws a picture with play `share` of a tick on from where the ticks left it
// (1: where they left it); a new pass also moves the frame's beams a step.
// A picture of play or the editor changes nothing else, and may be drawn any
// number of times; the intro and the menus move their star field with each
// picture, and are drawn once per pass.
void DrawPicture(float share, bool newPass);
