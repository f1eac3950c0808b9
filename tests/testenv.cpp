// The shared test fixture.
#include "testenv.h"

#include <cstdlib>
#include <filesystem>

#include "base/clock.h"
#include "base/globals.h"
#include "base/random.h"
#include "field/ball.h"
#include "field/bonus.h"
#include "field/brick.h"
#include "field/floater.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "game/joystick.h"
#include "game/wiring.h"
#include "media/catalogue.h"
#include "media/theme.h"
#include "menus/menu.h"
#include "menus/playerlines.h"
#include "session/gameflow.h"
#include "session/levelset.h"
#include "session/players.h"
#include "store/highscores.h"

namespace {
uint32_t FixedSeconds() { return 12345; }
std::string userDataFolder;

// SDL's audio thread must be stopped before the process exits, or it may run
// its callback after SDL_mixer has gone.
class TCloseAudio : public ::testing::Environment {
  void TearDown() override {
    Mix_CloseAudio();
    SDL_Quit();
    if (!userDataFolder.empty()) std::filesystem::remove_all(userDataFolder);
  }
};
const auto* const closeAudio = ::testing::AddGlobalTestEnvironment(new TCloseAudio);
}  // namespace

void GameTest::SetUpTestSuite() {
  if (Game.screen) return;
  // Tests are headless whatever display or sound device the machine has.
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  // Whatever a test saves stays out of the player's home.
  char folder[] = "/tmp/rebounder-userdata-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  userDataFolder = folder;
  setenv("XDG_DATA_HOME", folder, 1);
  setenv("XDG_CONFIG_HOME", folder, 1);
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO), 0) << SDL_GetError();
  Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 1024);
  Mix_AllocateChannels(8);
  InstallGameHooks();
  LoadSprites();
  LoadSounds();
  LoadFonts();
  Game.screen = SDL_SetVideoMode(640, 480, 8, SDL_SWSURFACE | SDL_HWPALETTE);
  ASSERT_NE(Game.screen, nullptr) << SDL_GetError();
  SDL_Rect clip = {80, 0, 480, 480};
  SDL_SetClipRect(Game.screen, &clip);
  SDL_SetColors(Game.screen, Game.sprHud->format->palette->colors, 0, 256);
  Game.keyState = SDL_GetKeyState(nullptr);
}

void GameTest::SetUp() {
  // Every test starts with no files of the player's: a table or a kept game
  // an earlier test saved must not change what this one sees.
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(userDataFolder, ignored))
    std::filesystem::remove_all(entry.path(), ignored);
  if (CurrentTheme() != ClassicTheme) UseTheme(ClassicTheme);
  SetTicksSource(nullptr);
  SetSecondsSource(FixedSeconds);
  RandomSeed(1);
  ClearSeats();
  ForgetPlayerLines();
  ResetGamepadState();  // a pad left held by a test would steer the next one's paddle
  TakeMenuRequest();
  Game.balls.Clear();
  Game.bricks.Clear();
  Game.effects.Clear();
  Game.bonuses.Clear();
  Game.floaters.Clear();
  Game.highScores.Clear();
  Game.paddle.reset(new CPaddle(240, 420));
  Game.stars.reset(new CStars());
  Game.stars->Create(0, 0, Game.sprStar);
  for (COption* o : {&Game.optBackground, &Game.optStars, &Game.optExplosions, &Game.optMusic, &Game.optSound,
                     &Game.optFullscreen}) {
    o->value = true;
    o->applied = true;
  }
  Game.settings = TSettings();
  Game.quitRequested = false;
  Game.motionCarry = 0;
  Game.fireHeld = false;
  Game.firePressed = false;
  UseLevelSet(CLevelSet::Classic());
  Game.baseBallSpeed = 4;
  Game.ballType = btNormal;
  Game.ballSpeed = 4;
  Game.beamPhase = 0;
  Game.programState = psGame;
  Game.returnState = psMenu;
  Game.gameState = gsFirstBall;
  Game.menuState = msMain;
  Game.menuCursor = 1;
  Game.question = qnNone;
  Game.haveSavedGame = false;
  Game.playPaused = false;
  Game.lives = 3;
  Game.score = 0;
  Game.levelStartScore = 0;
  Game.levelStartLives = 3;
  Game.energy = 0;
  Game.levelComplete = false;
  Game.tickCount = 0;
  Game.levelIndex = -1;
  Game.levelName.clear();
  Game.maxFloaters = 0;
  Game.floaterInterval = 0;
  Game.floaterTimer = 0;
  Game.newScoreRank = 0;
  Game.gameOverSaved = false;
  Game.typedName.clear();
  Game.litTableRows.clear();
  Game.tableAfterGame = false;
  Game.viewerCard = {};
  Game.lastTick = 0;
  Game.frameTicks = 0;
  for (int k = 0; k < SDLK_LAST; ++k) Game.keyState[k] = 0;
  played.clear();
  SetSoundObserver([this](Mix_Chunk* c) { played.push_back(c); });
}

void GameTest::TearDown() {
  SetSoundObserver(nullptr);
  SetTicksSource(nullptr);
  SetSecondsSource(nullptr);
}

int GameTest::PlayedCount(Mix_Chunk* chunk) const {
  int n = 0;
  for (Mix_Chunk* c : played)
    if (c == chunk) ++n;
  return n;
}

std::string GameTest::PlayedNames() const {
  std::string s;
  for (Mix_Chunk* c : played) s += std::string(SoundName(c)) + " ";
  return s;
}

Uint8 GameTest::PixelAt(int x, int y) {
  SDL_LockSurface(Game.screen);
  Uint8 v = static_cast<Uint8*>(Game.screen->pixels)[y * Game.screen->pitch + x];
  SDL_UnlockSurface(Game.screen);
  return v;
}

Uint8 GameTest::SpritePixel(SDL_Surface* sprite, int x, int y) {
  SDL_LockSurface(sprite);
  Uint8 v = static_cast<Uint8*>(sprite->pixels)[y * sprite->pitch + x];
  SDL_UnlockSurface(sprite);
  return v;
}

void GameTest::ClearWindow(Uint8 index) {
  SDL_Rect all = {0, 0, 640, 480};
  SDL_SetClipRect(Game.screen, nullptr);
  SDL_FillRect(Game.screen, &all, index);
  SDL_Rect clip = {80, 0, 480, 480};
  SDL_SetClipRect(Game.screen, &clip);
}

Uint8 GameTest::MagentaIndex() { return static_cast<Uint8>(SDL_MapRGB(Game.screen->format, 255, 0, 255)); }

void StartEmptyPlay() {
  Game.bricks.Clear();
  Game.gameState = gsBallInGame;
  Game.programState = psGame;
}
