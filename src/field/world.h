// The per-tick world update and the per-frame draw order of all play-field
// objects, and the tick of a game in play.
#pragma once

void ResetPowers();
void UpdateWorld();
void DrawWorld(float share = 1);
// One logic tick of a game in play, shared by the main loop and the headless
// level runs, in two halves: the world with the energy and the floaters'
// clock, then the paddle, the effects and the stars. The game steers the
// paddle by gamepad between the two.
void TickWorld();
void TickPaddleAndEffects();
