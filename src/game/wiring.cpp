// The game's answers to the hooks of the rooms beneath it.
#include "game/wiring.h"

#include "base/hooks.h"
#include "game/mainloop.h"
#include "game/resume.h"
#include "replay/recorder.h"

void InstallGameHooks() {
  Hooks.savePlayerFiles = [] {
    if (DataFilesLoaded()) SaveDataFiles();
  };
  Hooks.gameStarted = RecordGameStart;
  Hooks.gameResumed = [](const TKeptGame& kept) {
    RecordResumeStart(kept);
    NoteKeptGameResumed(kept);
  };
  Hooks.gameEnded = RecordGameEnd;
  Hooks.bonusStarted = RecordBonusStart;
}
