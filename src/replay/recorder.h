// The recorder: every game played is recorded as it is played, from its start
// to its end, and a finished game that entered the high-score table is kept.
#pragma once
#include <SDL/SDL.h>

#include "base/types.h"
#include "replay/replay.h"
#include "session/keptgame.h"

// Only the real game records; tests switch it on to check what it keeps.
void EnableRecording(bool on);
bool RecordingEnabled();
bool Recording();
// A new game at a difficulty begins; called before the game changes anything.
void RecordGameStart(int difficulty);
// The level named on the command line has been loaded and start-up is done.
void RecordLevelStart(const std::string& levelName);
// A bonus stage of a kind (TBonusKind) is played alone; called before it begins.
void RecordBonusStart(int kind);
// A kept game is resumed; called before the game changes anything.
void RecordResumeStart(const TKeptGame& kept);
// Records the event being dispatched, for as long as it lives. Events the
// dispatch makes out of another (a gamepad button pressing a key) are left
// out: dispatching the first again makes them again.
class CEventRecording {
public:
  explicit CEventRecording(const SDL_Event& event);
  ~CEventRecording();
  CEventRecording(const CEventRecording&) = delete;
  CEventRecording& operator=(const CEventRecording&) = delete;
};
// Records the event being dispatched as `e` instead: a click that answers a
// question is kept as the key it stands for, which plays back wherever the
// pointer was and whatever the window's size.
void RecordEventAs(const SDL_Event& e);
// The pass has run `ticks` logic ticks and its game-flow checks.
void RecordPass(int ticks);
// Stops recording and hands over what was recorded. The event being
// dispatched now ended the game and is left out, so that a replay stops
// on the game-over picture without leaving it.
TReplay FinishRecording();
// The game ended at game over with this rank in the table (0: none).
void RecordGameEnd(int rank);

// How the game stands now, as a replay starts from it; and at a quiet
// moment of play, the whole game as an exact start holds it.
TReplayStart CaptureStart();
TReplayStart CaptureExactStart();
// A game continued from its journal: the recording goes on from what the
// journal holds, as if play had never stopped.
void ContinueRecording(const TReplay& sofar);
// The controls are the player's now, not `before`, those the game was played
// with: a recording keeps the change, to play on with them.
void RecordControls(const TControls& before);
// Keys held as the logic ticks poll them, and setting them for a replay.
uint8_t HeldKeys();
void SetHeldKeys(uint8_t held);
// After a pass: true when it ended a level or the game (state `before` at its start).
bool PassEndedLevel(TGameState before, int tick, TReplayCheckpoint& checkpoint);

// Frames of chosen ticks saved as BMP files (REBOUNDER_DUMP_TICKS, a list of
// ticks counted from a game's start; REBOUNDER_DUMP_DIR, default the working
// directory), to compare a game with its replay picture by picture.
void DumpFramesBetween(int fromTick, int toTick, const char* prefix);
// The live game's dump, after the frame of the last recorded pass is drawn.
void DumpRecordedFrame();
