// Making a daily or random level set while the new game screen stays alive:
// a few levels each frame, each written as it is made, the progress shown in
// place of the difficulty's note, until the set is whole.
#pragma once
#include <string>

// Starts making the set of a generated set's folder, to play it at the
// difficulty once made; false when the folder is no generated set's.
bool BeginSetMaking(const std::string& folder, int difficulty);
bool SetMaking();
// Once a frame: makes levels for a few milliseconds; gives up when the
// player has left the screen or chosen another set. Once the set is whole,
// returns the difficulty it was asked for, for the caller to start the
// game; -1 until then.
int StepSetMaking();
// "making the set: 12 of 40 levels"
std::string SetMakingProgress();
