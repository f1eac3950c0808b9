// PlayLevelRun: a level played headless by the autopilot, checked every tick.
#include "session/levelrun.h"

#include "base/globals.h"
#include "base/random.h"
#include "field/autopilot.h"
#include "field/brick.h"
#include "field/paddle.h"
#include "field/world.h"
#include "session/gameflow.h"
#include "session/playcheck.h"

namespace {
uint32_t runSeconds = 0;
uint32_t RunSeconds() { return runSeconds; }
}  // namespace

TLevelRunResult PlayLevelRun(const TLevelRun& run) {
  // The level loader reseeds from the clock; a fixed clock makes runs repeatable.
  runSeconds = run.seed * 2654435761u + static_cast<uint32_t>(run.levelIndex);
  SetSecondsSource(RunSeconds);
  Game.programState = psGame;
  Game.lives = 3;
  Game.score = 0;
  Game.fireHeld = false;
  Game.paddle->x = 240;
  Game.paddle->ClearPowers();
  Game.levelIndex = run.levelIndex - 1;
  NextLevel();
  if (!run.powerUps)
    for (int i = 0; i < Game.bricks.Count(); ++i) Game.bricks[i]->bonus = bbNone;
  Game.ballType = btNormal;
  Game.ballSpeed = Game.baseBallSpeed;

  CAutopilot pilot(run.seed);
  CPlayCheck check;
  TLevelRunResult result;
  for (result.ticks = 0; result.ticks < run.maxTicks && Game.gameState != gsGameDone; ++result.ticks) {
    // The autopilot's tap, as the input dispatch takes it in play.
    if (pilot.Tick()) {
      SetFireInput(true);
      SetFireInput(false);
    }
    check.BeforeTick();
    TickWorld();
    TickPaddleAndEffects();
    Game.tickCount++;
    const int lives = Game.lives;
    CheckGameFlow();
    check.AfterTick();
    if (Game.lives < lives) {
      ++result.livesLost;
      // Lives are topped up so that a run measures the level, not the player.
      Game.lives = 3;
    }
  }
  Game.fireHeld = false;
  result.cleared = Game.gameState == gsGameDone;
  result.longestStretch = check.LongestStretch();
  result.brokenCount = check.BrokenCount();
  result.broken = check.Broken();
  result.capsulesCaught = check.CapsulesCaught();
  result.floatersZapped = check.FloatersZapped();
  result.kindsCaught = check.KindsCaught();
  SetSecondsSource(nullptr);
  return result;
}
