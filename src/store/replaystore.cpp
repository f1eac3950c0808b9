// The ten recordings beside the high-score table, written by a background
// thread so that the frame after a game over is not kept waiting for the disk.
#include "store/replaystore.h"

#include <sys/stat.h>

#include <cstdio>
#include <mutex>
#include <thread>

#include "store/datafile.h"

namespace {
constexpr int TableSize = 10;
const char* const Folder = "replays";

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

std::string Name(int rank) {
  char name[32];
  std::snprintf(name, sizeof name, "/best-%02d.replay", rank);
  return name;
}

void Write(int rank, const TReplay& replay) {
  mkdir(Folder, 0755);
  for (int k = TableSize - 1; k >= rank; --k)
    if (FileExists(BestRecordingPath(k)))
      std::rename(BestRecordingPath(k).c_str(), BestRecordingPath(k + 1).c_str());
  const std::string text = ReplayText(replay);
  std::string error;
  if (!WriteFileAtomically(BestRecordingPath(rank), std::vector<unsigned char>(text.begin(), text.end()),
                           error))
    std::fprintf(stderr, "rebounder: the recording of this game was not kept: %s\n", error.c_str());
}
}  // namespace

std::string BestRecordingPath(int rank) { return Folder + Name(rank); }

void KeepBestRecording(int rank, TReplay replay) {
  if (rank < 1 || rank > TableSize) return;
  writer.Wait();
  std::lock_guard<std::mutex> guard(writer.lock);
  writer.thread = std::thread([rank, r = std::move(replay)] { Write(rank, r); });
}

void WaitForRecordingWrites() { writer.Wait(); }
