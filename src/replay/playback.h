// CPlayback: plays a recorded game through the real dispatch, logic tick,
// game-flow checks and drawing, pass by pass as it was played, and checks
// that it ends its levels as it did when recorded.
#pragma once
#include <string>
#include <vector>

#include "replay/replay.h"

class CPlayback {
public:
  // Sets the game up as it stood when the recording began.
  explicit CPlayback(const TReplay& replay);
  ~CPlayback();
  CPlayback(const CPlayback&) = delete;
  CPlayback& operator=(const CPlayback&) = delete;

  bool Done() const { return passIndex >= replay.passes.size(); }
  // Runs one pass: its events, its ticks, the game-flow checks, and the
  // drawing of its frame when `draw` is set. Returns the ticks it ran.
  int Step(bool draw);
  int Tick() const { return tick; }
  // The level ends seen so far, and the summary now.
  const std::vector<TReplayCheckpoint>& Checkpoints() const { return seen; }
  TReplayCheckpoint Summary() const;
  // Empty while the playback agrees with the recording; else what differs first.
  std::string Mismatch() const;

private:
  const TReplay& replay;
  size_t passIndex = 0;
  uint32_t repeatDone = 0;
  int tick = 0;
  std::vector<TReplayCheckpoint> seen;
};

// `rebounder --replay FILE`: plays the file in the window at normal speed,
// with keys to pause, fast-forward and quit. Returns the exit status; the
// player's options and table are never written.
int PlayReplayFile(const std::string& path);
