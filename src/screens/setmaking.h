// Making a daily or random level set while the new game screen stays alive:
// a few levels each frame, each written as it is made, the progress shown in
// place of the difficulty's note, and the game started once the set is whole.
#pragma once
#include <string>

// Starts making the set of a generated set's folder, to play it at the
// difficulty once made; false when the folder is no generated set's.
bool BeginSetMaking(const std::string& folder, int difficulty);
bool SetMaking();
// Once a frame: makes levels for a few milliseconds; gives up when the
// player has left the screen or chosen another set; starts the game when done.
void StepSetMaking();
// "making the set: 12 of 40 levels"
std::string SetMakingProgress();
