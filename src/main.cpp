// Program entry: start up, run the loop, shut down, and keep the player's
// data safe whatever happens on the way.
#include <cstdio>
#include <exception>

#include "base/globals.h"
#include "editor/editor.h"
#include "game/cmdline.h"
#include "game/mainloop.h"
#include "game/replayrun.h"
#include "platform/echo.h"
#include "platform/fatal.h"
#include "replay/recorder.h"

int main(int argc, char** argv) {
  try {
    // Answered before SDL starts, so no window flashes up for --help or a typo.
    Game.commandLine = ParseCommandLine(argc, argv);
    const int answered = AnswerCommandLine(Game.commandLine);
    if (answered >= 0) return answered;
    if (!Game.commandLine.replayPath.empty()) return PlayReplayFile(Game.commandLine.replayPath);
    EnableRecording(true);
    StartUp();
    if (!Game.commandLine.editPath.empty()) OpenEditor(Game.commandLine.editPath);
    RunMainLoop();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "rebounder: %s\n", Echoed(e.what(), EchoedMessageLength).c_str());
    // The table and options are only saved once they were read, so a bad
    // file at start-up is never overwritten with defaults.
    if (DataFilesLoaded()) SaveDataFiles();
    // SDL's audio thread must stop before the libraries unload at exit.
    ShutDown();
    return 1;
  }
  ShutDown();
  return SaveDataFiles() ? 0 : 1;
}
