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

  bool Done() const { return passIndex >= replay.PassCount(); }
  // Runs one pass: its events, its ticks, the game-flow checks, and the
  // drawing of its frame when `draw` is set. Returns the ticks it ran. A
  // pass of many ticks runs a slice of them per call, so a viewer never
  // freezes; its checks and frame come with its last slice.
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
  size_t nextPass = 0;  // where the pass after the current one begins in the packed passes
  TReplayPass current;
  uint32_t repeatDone = 0;
  int ticksDone = 0;    // of the current pass, when it runs in slices
  int stateBefore = 0;  // the game state when the current pass began
  int tick = 0;
  std::vector<TReplayCheckpoint> seen;
  TControls viewerControls;  // given back when the playback ends
  bool viewerBonusStages;
};

// True while a recording is played back (a recorded game never watches another).
bool PlaybackRunning();
// Plays the recording in the window until the viewer quits it: Space or P
// pause, F and 1, 2, 3 set the speed, Escape or Q quit. The strip left of the
// field shows the speed, a bar of the part played and the time. False when
// it did not play as recorded, said once on standard error naming `name`;
// `closed` is set when the window was closed meanwhile. As a `demo`, any key
// or click ends it, "demo" is shown over the field instead of the strip, and
// it ends by itself a few seconds after the game does.
bool RunViewer(const std::string& name, const TReplay& replay, bool demo, bool& closed);
// Empty when the levels the recording plays are all there; else one line naming the missing one.
std::string MissingLevel(const TReplay& replay);
