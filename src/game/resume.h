// Going on exactly where a kept game stopped: "continue" starts the kept game
// at its level start, and then, when its journal is there, the journal's
// snapshot and passes are played again headless to the tick where play
// stopped, and the recording and the journal go on from there.
#pragma once

struct TKeptGame;

// Told as a kept game resumes at its level start (before the game changes).
void NoteKeptGameResumed(const TKeptGame& kept);
// After each dispatched event: plays the journal of a game just resumed.
void ResumeWhereLeft();
