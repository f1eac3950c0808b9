// The per-tick world update and the per-frame draw order of all play-field objects.
#pragma once

void ResetPowers();
void UpdateWorld();
void DrawWorld(float share = 1);
