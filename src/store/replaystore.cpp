// The ten recordings beside the high-score table, written and moved in the
// same step as the table itself.
#include "store/replaystore.h"

#include <cstdio>

#include "base/globals.h"
#include "platform/datafile.h"
#include "store/highscores.h"

std::string BestRecordingPath(int rank) {
  char name[32];
  std::snprintf(name, sizeof name, "replays/best-%02d.replay", rank);
  return SetFilePath(Game.levelSetTable, name);
}

// Every recording that changes is written in full beside its place, a
// moved one under its new rank, so that the table and all of them can
// change at once.
std::string ArrangeRecordings(const std::vector<int>& from, const std::vector<std::string>& fresh,
                              TFileGroup& group) {
  std::string error, failed;
  for (size_t k = 0; k < from.size(); ++k) {
    const int rank = static_cast<int>(k) + 1;
    const std::string path = BestRecordingPath(rank);
    if (from[k] == rank) continue;
    const std::string& text = k < fresh.size() ? fresh[k] : std::string();
    error.clear();
    const bool ready = from[k] > 0 ? PrepareCopy(BestRecordingPath(from[k]), path, MostRecordingBytes, error)
                                   : !text.empty() && PrepareFile(path, {text.begin(), text.end()}, error);
    (ready ? group.put : group.drop).push_back(path);
    if (!ready && !error.empty() && failed.empty()) failed = error;
  }
  return failed;
}

std::vector<std::string> TableFiles(const std::string& tablePath) {
  std::vector<std::string> paths = {tablePath};
  for (int rank = 1; rank <= 10; ++rank) paths.push_back(BestRecordingPath(rank));
  return paths;
}
