// The recordings kept beside the high-score table: the game of each entry
// that a finished game earned, one file per rank, moved with their rows.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "platform/filegroup.h"

// The largest recording the game writes or reads.
constexpr size_t MostRecordingBytes = 64u << 20;
// Where the recording of table row `rank` (1..10) is kept.
std::string BestRecordingPath(int rank);
// Readies the recordings to follow their rows after the table changed: row
// k + 1 now has the file of rank from[k], or, where from[k] is 0, the
// recording fresh[k] ("" for none). Each file that changes is put in `group`
// (its new contents prepared) or dropped. Returns "" or one line saying what
// was not kept.
std::string ArrangeRecordings(const std::vector<int>& from, const std::vector<std::string>& fresh,
                              TFileGroup& group);
// The table's files a save changes together: the table, then the recordings.
std::vector<std::string> TableFiles(const std::string& tablePath);
