// Attract mode: when the main menu has had no input for 30 seconds (and no
// game is paused behind it), the autopilot plays a random level of the first
// two laps as a demo; any key or click returns to the menu exactly as it was.
#pragma once
#include <SDL/SDL.h>

// Every polled event passes here first; true when the demo took it (the
// dispatch must not see it). Input also restarts the menu's idle time.
bool AttractTakesEvent(const SDL_Event& event);
// Before each logic tick: the autopilot's move while a demo runs.
void AttractTick();
// After each pass's ticks and game-flow checks: starts a demo when the menu
// has been idle long enough, ends one whose level is over.
void AttractPass();
bool DemoRunning();
// Starts a demo now, and ends one, putting the menu back as it was.
void StartDemo(uint32_t seed);
void EndDemo();
// "demo" over the play field while one runs.
void DrawDemoLabel();
void DrawDemoWord();
