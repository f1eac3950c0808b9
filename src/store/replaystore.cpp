// The ten recordings beside the high-score table, written by a background
// thread so that the frame after a game over is not kept waiting for the disk.
#include "store/replaystore.h"

#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "shell/globals.h"
#include "store/datafile.h"

namespace {
constexpr int TableSize = 10;

// Joins the writer when the program ends, however main() returns.
struct TWriter {
  std::mutex lock;
  std::thread thread;
  ~TWriter() { Wait(); }
  void Wait() {
    std::lock_guard<std::mutex> guard(lock);
    if (thread.joinable()) thread.join();
  }
};
TWriter writer;

// paths[k] is the file of rank k + 1; the one past the table is never written.
void Write(int rank, const TReplay& replay, const std::vector<std::string>& paths) {
  for (int k = TableSize - 1; k >= rank; --k)
    if (FileExists(paths[k - 1])) std::rename(paths[k - 1].c_str(), paths[k].c_str());
  const std::string text = ReplayText(replay);
  std::string error;
  if (!WriteFileAtomically(paths[rank - 1], std::vector<unsigned char>(text.begin(), text.end()), error))
    std::fprintf(stderr, "rebounder: the recording of this game was not kept: %s\n", error.c_str());
}
}  // namespace

std::string BestRecordingPath(int rank) {
  char name[32];
  std::snprintf(name, sizeof name, "replays/best-%02d.replay", rank);
  return SetFilePath(Game.levelSetName, name);
}

void KeepBestRecording(int rank, TReplay replay) {
  if (rank < 1 || rank > TableSize) return;
  std::vector<std::string> paths;
  for (int k = 1; k <= TableSize; ++k) paths.push_back(BestRecordingPath(k));
  writer.Wait();
  std::lock_guard<std::mutex> guard(writer.lock);
  writer.thread = std::thread([rank, r = std::move(replay), p = std::move(paths)] { Write(rank, r, p); });
}

void WaitForRecordingWrites() { writer.Wait(); }
