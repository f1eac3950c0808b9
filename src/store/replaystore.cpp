// The ten recordings beside the high-score table, written and moved in the
// same step as the table itself.
#include "store/replaystore.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/globals.h"
#include "platform/datafile.h"
#include "store/highscores.h"

std::string BestRecordingPath(int rank) {
  char name[32];
  std::snprintf(name, sizeof name, "replays/best-%02d.replay", rank);
  return SetFilePath(Game.levelSetTable, name);
}

// New recordings are written in full first. Rows only ever move down, so
// working up from the last row, a file is moved only after the file at its
// new place has moved on, and a place whose row has no recording is cleared.
std::string ArrangeRecordings(const std::vector<int>& from, const std::vector<std::string>& fresh) {
  std::string error, failed;
  std::vector<bool> prepared(fresh.size());
  for (size_t k = 0; k < fresh.size(); ++k) {
    const std::string& text = fresh[k];
    prepared[k] = !text.empty() &&
                  PrepareFile(BestRecordingPath(static_cast<int>(k) + 1), {text.begin(), text.end()}, error);
    if (!text.empty() && !prepared[k] && failed.empty()) failed = error;
  }
  for (int k = static_cast<int>(from.size()) - 1; k >= 0; --k) {
    const std::string path = BestRecordingPath(k + 1);
    if (from[k] == k + 1) continue;
    if (prepared[k]) {
      if (CommitFile(path, error)) continue;
      if (failed.empty()) failed = error;
    } else if (from[k] > 0 && std::rename(BestRecordingPath(from[k]).c_str(), path.c_str()) == 0) {
      continue;
    } else if (from[k] > 0 && errno != ENOENT && failed.empty()) {
      failed = path + ": cannot move the recording of its row here: " + std::strerror(errno);
    }
    std::remove(path.c_str());
  }
  return failed;
}
