// `rebounder --replay FILE`: the game starts only to show the recording.
#include "game/replayrun.h"

#include <cstdio>
#include <exception>

#include "base/globals.h"
#include "game/mainloop.h"
#include "game/playback.h"
#include "platform/datafile.h"
#include "platform/echo.h"
#include "replay/replay.h"

int PlayReplayFile(const std::string& path) {
  TReplay replay;
  std::string error;
  if (LoadReplayFile(path, replay, error) && !MissingLevel(replay).empty())
    error = path + ": " + MissingLevel(replay);
  if (!error.empty()) {
    std::fprintf(stderr, "rebounder: %s\n", Echoed(error, EchoedMessageLength).c_str());
    return 1;
  }
  int status = 0;
  try {
    // The recording says which level it starts on; the menu's level is loaded behind it.
    Game.commandLine.levelName.clear();
    KeepPlayerFiles(true);
    StartUp();
    bool closed = false;
    status = RunViewer(path, replay, false, closed) ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "rebounder: %s\n", Echoed(e.what(), EchoedMessageLength).c_str());
    status = 1;
  }
  ShutDown();
  return status;
}
