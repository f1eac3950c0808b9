// Speed of one logic tick and one drawn game frame on a busy level, and of
// loading each built-in theme (pictures, letters, sounds and music), headless.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "base/globals.h"
#include "base/random.h"
#include "field/ball.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "field/world.h"
#include "game/mainloop.h"
#include "game/wiring.h"
#include "media/catalogue.h"
#include "media/theme.h"
#include "screens/hud.h"
#include "session/gameflow.h"
#include "session/level.h"

namespace {
void SetUpGame() {
  static bool ready = false;
  if (ready) return;
  ready = true;
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  SDL_Init(SDL_INIT_VIDEO);
  InstallGameHooks();
  LoadSprites();
  LoadFonts();
  Game.screen = SDL_SetVideoMode(640, 480, 8, SDL_SWSURFACE | SDL_HWPALETTE);
  SDL_Rect clip = {80, 0, 480, 480};
  SDL_SetClipRect(Game.screen, &clip);
  SDL_SetColors(Game.screen, Game.sprHud->format->palette->colors, 0, 256);
  Game.keyState = SDL_GetKeyState(nullptr);
  Game.optSound.value = false;
  Game.paddle.reset(new CPaddle(240, 420));
  Game.stars.reset(new CStars());
  Game.stars->Create(0, 0, Game.sprStar);
  BuildLevelList();
}

void StartBusyLevel() {
  Game.levelIndex = 27;
  LoadLevel(Game.levelList[27], 0, 0);
  RandomSeed(7);
  for (int i = 0; i < 8; ++i) Game.balls.Add(new CBall(240, 300, btNormal));
  Game.gameState = gsBallInGame;
  Game.programState = psGame;
}
}  // namespace

static void BM_LogicTick(benchmark::State& state) {
  SetUpGame();
  StartBusyLevel();
  for (auto _ : state) {
    if (Game.balls.Count() < 4) StartBusyLevel();
    Game.energy = 40000;
    LogicTick();
  }
}
BENCHMARK(BM_LogicTick);

static void BM_GameFrame(benchmark::State& state) {
  SetUpGame();
  StartBusyLevel();
  for (auto _ : state) {
    DrawBackground();
    Game.stars->Draw();
    DrawFrame();
    DrawWorld();
    DrawHud();
  }
}
BENCHMARK(BM_GameFrame);

// The sounds and music are loaded only with the sound device open, as in the game.
static void BM_LoadTheme(benchmark::State& state) {
  SetUpGame();
  if (!SDL_WasInit(SDL_INIT_AUDIO)) {
    SDL_InitSubSystem(SDL_INIT_AUDIO);
    Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024);
    LoadSounds();
  }
  const std::string theme = BuiltInThemes()[state.range(0)];
  state.SetLabel(theme);
  for (auto _ : state) UseTheme(theme);
  UseTheme(ClassicTheme);
}
BENCHMARK(BM_LoadTheme)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
