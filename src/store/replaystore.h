// The recordings kept beside the high-score table: the game of each entry
// that a finished game earned, one file per rank, moved with their rows.
#pragma once
#include <string>
#include <vector>

// Where the recording of table row `rank` (1..10) is kept.
std::string BestRecordingPath(int rank);
// Makes the recordings follow their rows after the table changed: row k + 1
// now has the file of rank from[k], or, where from[k] is 0, the recording
// fresh[k] ("" for none). Returns "" or one line saying what was not kept.
std::string ArrangeRecordings(const std::vector<int>& from, const std::vector<std::string>& fresh);
