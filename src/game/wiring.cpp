// The game's answers to the hooks of the rooms beneath it.
#include "game/wiring.h"

#include "base/hooks.h"
#include "game/input.h"
#include "game/joystick.h"
#include "game/mainloop.h"
#include "replay/attract.h"
#include "replay/recorder.h"

void InstallGameHooks() {
  Hooks.dispatchEvent = DispatchEvent;
  Hooks.pressKey = PressKey;
  Hooks.logicTick = LogicTick;
  Hooks.drawFrame = DrawStateFrame;
  Hooks.menuPointer = SetMenuPointer;
  Hooks.resetGamepads = ResetGamepadState;
  Hooks.savePlayerFiles = [] {
    if (DataFilesLoaded()) SaveDataFiles();
  };
  Hooks.gameStarted = RecordGameStart;
  Hooks.gameResumed = RecordResumeStart;
  Hooks.gameEnded = RecordGameEnd;
  Hooks.demoRunning = DemoRunning;
}
