// Attract mode. The demo plays the real game on the real record; everything
// of the player's that it touches (the level behind the menu, the lists, the
// paddle, the menu, score, lives and the random generator) is traded out
// when it starts and traded back when it ends, so it leaves no trace.
#include "game/attract.h"

#include <ctime>
#include <memory>

#include "base/clock.h"
#include "base/globals.h"
#include "base/random.h"
#include "field/autopilot.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "game/input.h"
#include "game/watch.h"
#include "media/font.h"
#include "replay/savedgame.h"
#include "session/gameflow.h"
#include "session/level.h"

namespace {
constexpr int IdleTicks = 30 * 40;
constexpr int LongestDemo = 3 * 60 * 40;
constexpr int EndingTicks = 3 * 40;  // the "well done" or "game over" shown before going back

std::unique_ptr<TSavedGame> saved;
std::unique_ptr<CAutopilot> pilot;
int idleSince = 0;
int demoStart = 0;
int endingSince = -1;

bool MenuIdleCounts() {
  return Game.programState == psMenu && Game.menuState == msMain && Game.returnState != psGame;
}

bool IsInput(const SDL_Event& e) {
  switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEMOTION:
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
    case SDL_JOYAXISMOTION:
    case SDL_JOYHATMOTION:
      return true;
    default:
      return false;
  }
}
}  // namespace

bool DemoRunning() { return Game.demoRunning; }

void StartDemo(uint32_t seed) {
  if (DemoRunning()) return;
  saved.reset(new TSavedGame());
  TradeGame(*saved);
  Game.paddle.reset(new CPaddle(240, 420));
  pilot.reset(new CAutopilot(seed));
  Game.demoRunning = true;
  // A level of the first two laps, chosen by the demo's own seed; the level
  // load then reseeds the generator as every level does.
  Game.levelIndex = static_cast<int>(seed % static_cast<uint32_t>(2 * LevelCount())) - 1;
  NextLevel();
  demoStart = Game.tickCount;
  endingSince = -1;
}

void EndDemo() {
  if (!DemoRunning()) return;
  pilot.reset();
  Game.demoRunning = false;
  TradeGame(*saved);
  saved.reset();  // the demo's objects go now
  idleSince = Game.tickCount;
}

bool AttractTakesEvent(const SDL_Event& e) {
  if (IsInput(e)) idleSince = Game.tickCount;
  if (!DemoRunning()) return false;
  // Any key or click ends the demo and does nothing else; the pointer's
  // motion is the autopilot's business meanwhile.
  if (e.type == SDL_KEYDOWN || e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_JOYBUTTONDOWN ||
      e.type == SDL_QUIT)
    EndDemo();
  return e.type != SDL_QUIT;
}

void AttractTick() {
  if (!DemoRunning() || Game.programState != psGame) return;
  if (Game.gameState == gsGameDone || Game.gameState == gsGameOver) return;
  if (pilot->Tick()) TapFire();
}

void AttractPass() {
  if (!DemoRunning()) {
    if (!MenuIdleCounts()) idleSince = Game.tickCount;
    if (Game.tickCount - idleSince < IdleTicks) return;
    // The best game of the table, when it was kept, else the autopilot.
    if (WatchBestRecordingAsDemo())
      idleSince = Game.tickCount;
    else
      StartDemo(static_cast<uint32_t>(std::time(nullptr)) ^ GetTicks());
    return;
  }
  const bool over = Game.gameState == gsGameDone || Game.gameState == gsGameOver;
  if (over && endingSince < 0) endingSince = Game.tickCount;
  if ((over && Game.tickCount - endingSince >= EndingTicks) || Game.tickCount - demoStart >= LongestDemo ||
      Game.programState != psGame)
    EndDemo();
}

void DrawDemoLabel() {
  if (DemoRunning()) DrawDemoWord();
}

void DrawDemoWord() {
  const char* const text = "demo";
  DrawText(Game.fontMenu, (480 - TextWidth(Game.fontMenu, text)) / 2, 356, text);
}
