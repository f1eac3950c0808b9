// Playing a kept game's journal again, headless, to where play stopped.
#include "game/resume.h"

#include <cstdio>

#include "base/clock.h"
#include "base/globals.h"
#include "media/notice.h"
#include "platform/datafile.h"
#include "session/gameflow.h"
#include "replay/journal.h"
#include "game/playback.h"
#include "replay/recorder.h"
#include "screens/hud.h"

namespace {
bool pending = false;
bool playing = false;  // the journal is being played: a resume inside it is no new one
TKeptGame kept;

// Plays the journal through the real dispatch and ticks, with nothing
// recorded or saved meanwhile; empty when it reached the end it recorded.
std::string PlayJournal(const TReplay& journal, TControls& played) {
  const bool recordingWas = RecordingEnabled(), filesKeptWas = PlayerFilesKept(),
             quitWas = Game.quitRequested;
  const uint8_t held = HeldKeys();
  const SDL_Event event = Game.event;
  EnableRecording(false);
  KeepPlayerFiles(true);
  std::string mismatch;
  {
    CPlayback playback(journal);
    // The picture of the pass that took the snapshot was drawn after it.
    if (Game.programState == psGame) AnimateBeams();
    while (!playback.Done() && mismatch.empty()) {
      playback.Step(false);
      // The beams move with each picture of play, which the journal's passes do not draw.
      if (Game.programState == psGame) AnimateBeams();
      mismatch = playback.Mismatch();
    }
    played = Game.settings.controls;
  }
  EnableRecording(recordingWas);
  KeepPlayerFiles(filesKeptWas);
  Game.quitRequested = quitWas;
  Game.event = event;
  // The keys the player holds now, not the ones held when play stopped.
  SetHeldKeys(held);
  // The time it took is no stall to be caught up.
  Game.lastTick = GetTicks();
  return mismatch;
}
}  // namespace

void NoteKeptGameResumed(const TKeptGame& game) {
  if (playing) return;
  kept = game;
  pending = true;
}

void ResumeWhereLeft() {
  if (!pending) return;
  pending = false;
  if (kept.journal.empty()) return;  // kept by an older Rebounder: at its level start
  TReplay journal;
  std::string error;
  playing = true;
  if (LoadJournal(kept.journal, journal, error)) {
    // The set "continue" found for the kept game: the journal may name it by
    // a path relative to another working folder.
    journal.start.levelSetFolder = Game.levelSetFolder;
    TControls played;
    error = PlayJournal(journal, played);
    if (error.empty()) {
      ContinueRecording(journal);
      ContinueJournal(journal, kept.journal);
      RecordControls(played);
    } else {
      error = "its journal does not play as it was written (" + error + ")";
      ResumeGame(kept);
    }
  }
  playing = false;
  if (error.empty()) return;
  std::fprintf(stderr, "rebounder: %s; the game goes on from the start of its level\n", error.c_str());
  ShowNotice("the game goes on from its level start", error);
}
