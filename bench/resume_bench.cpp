// How long "continue" takes to go on exactly where a game stopped, after ten
// minutes of play on one level: the kept game and its journal read, and the
// 24,000 ticks played again headless.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "base/clock.h"
#include "base/globals.h"
#include "base/random.h"
#include "field/ball.h"
#include "field/brick.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "game/input.h"
#include "game/mainloop.h"
#include "game/wiring.h"
#include "media/catalogue.h"
#include "platform/datafile.h"
#include "replay/journal.h"
#include "replay/recorder.h"
#include "session/gameflow.h"
#include "session/keptgame.h"

namespace {
constexpr int TenMinutes = 10 * 60 * 40;
uint32_t clockNow = 0;
uint32_t FakeClock() { return clockNow; }

void Key(SDLKey key, bool down) {
  Game.event = {};
  Game.event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  Game.event.key.keysym.sym = key;
  Game.keyState[key] = down ? 1 : 0;
  DispatchEvent();
}

// Ten minutes of one level whose bricks never break, the paddle after the
// ball and fire pressed now and then, quit as the game quits.
void KeepTenMinutesOfPlay() {
  char folder[] = "/tmp/rebounder-bench-XXXXXX";
  if (!mkdtemp(folder)) std::abort();
  setenv("XDG_DATA_HOME", folder, 1);
  setenv("XDG_CONFIG_HOME", folder, 1);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SDL_Init(SDL_INIT_VIDEO);
  InstallGameHooks();
  LoadSprites();
  LoadFonts();
  Game.screen = SDL_SetVideoMode(640, 480, 8, SDL_SWSURFACE | SDL_HWPALETTE);
  Game.keyState = SDL_GetKeyState(nullptr);
  Game.optSound.value = false;
  Game.paddle.reset(new CPaddle(240, 420));
  Game.stars.reset(new CStars());
  Game.stars->Create(0, 0, Game.sprStar);
  BuildLevelList();
  SetTicksSource(FakeClock);
  SetSecondsSource([] { return 12345u; });
  std::string error;
  MakeDataFolder(error);
  EnableRecording(true);
  StartNewGame(0);
  for (int i = 0; i < Game.bricks.Count(); ++i) {
    Game.bricks[i]->colour = bcGray;
    Game.bricks[i]->special = bsSolid;
  }
  // One brick to break, above the top wall: the level is never cleared.
  Game.bricks[0]->colour = bcRed;
  Game.bricks[0]->special = bsNormal;
  Game.bricks[0]->y = 0;
  for (int p = 0; p < TenMinutes; ++p) {
    if (p % 40 == 20) Key(SDLK_SPACE, true);
    if (p % 40 == 23) Key(SDLK_SPACE, false);
    const CBall* ball = Game.balls.First();
    const bool left = ball && ball->x < Game.paddle->x - 6, right = ball && ball->x > Game.paddle->x + 6;
    if (left != (Game.keyState[SDLK_LEFT] == 1)) Key(SDLK_LEFT, left);
    if (right != (Game.keyState[SDLK_RIGHT] == 1)) Key(SDLK_RIGHT, right);
    LogicTick();
    clockNow += 25;
    EndPass(1);
  }
  SaveDataFiles();
  FinishRecording();
}
}  // namespace

static void BM_ContinueAfterTenMinutesOfALevel(benchmark::State& state) {
  static bool kept = false;
  if (!kept) KeepTenMinutesOfPlay();
  kept = true;
  const int score = static_cast<int>(Game.score);
  LoadSavedGame();
  TReplay journal;
  std::string error;
  if (!LoadJournal(Game.savedGame.journal, journal, error)) state.SkipWithError(error.c_str());
  state.counters["ticks"] = journal.TotalTicks();
  for (auto _ : state) {
    LoadSavedGame();
    Game.programState = psMenu;
    Game.returnState = psMenu;
    OpenMainMenu();
    PressKey(SDLK_RETURN);
    if (Game.score != static_cast<uint32_t>(score) || Game.savedGame.journal.empty())
      state.SkipWithError("the game did not go on where it stopped");
    FinishRecording();
  }
  state.counters["score"] = score;
}
BENCHMARK(BM_ContinueAfterTenMinutesOfALevel)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->UseRealTime();
