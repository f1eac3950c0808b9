// The recordings kept beside the high-score table: the game of each entry
// that a finished game earned, one file per rank, written in the background.
#pragma once
#include <string>

#include "replay/replay.h"

// Where the recording of table row `rank` (1..10) is kept.
std::string BestRecordingPath(int rank);
// A finished game entered the table at `rank`: the recordings from that rank
// down move one place, the tenth drops out, and this one takes its place.
// The files are written on a background thread, atomically, so no frame waits.
void KeepBestRecording(int rank, TReplay replay);
// Waits until every recording handed over is on disk.
void WaitForRecordingWrites();
