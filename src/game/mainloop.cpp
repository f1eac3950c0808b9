// Start-up, the main loop with its fixed 25 ms logic tick and its pictures
// at the display's rate, and shutdown.
#include "game/mainloop.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/clock.h"
#include "base/globals.h"
#include "editor/editor.h"
#include "field/ball.h"
#include "field/bonus.h"
#include "field/brick.h"
#include "field/floater.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "field/world.h"
#include "game/attract.h"
#include "game/cmdline.h"
#include "game/input.h"
#include "game/intro.h"
#include "game/joystick.h"
#include "game/wiring.h"
#include "media/catalogue.h"
#include "media/notice.h"
#include "media/theme.h"
#include "menus/menu.h"
#include "platform/assetdir.h"
#include "platform/audiostart.h"
#include "platform/datafile.h"
#include "platform/display.h"
#include "platform/fatal.h"
#include "platform/framelog.h"
#include "platform/sessionend.h"
#include "replay/journal.h"
#include "replay/recorder.h"
#include "screens/hud.h"
#include "screens/panels.h"
#include "screens/question.h"
#include "session/bonusflow.h"
#include "session/gameflow.h"
#include "session/keptgame.h"
#include "session/level.h"
#include "session/levelset.h"
#include "store/highscores.h"
#include "store/options.h"
#include "store/replaystore.h"
#include "store/settings.h"

namespace {
constexpr uint32_t TickLength = 25;
// More owed than this is no slow frame but a stall: a busy machine, a
// suspend, a debugger, a stopped process. The game's own slowest frames (a
// level load, a mode switch) stay well below a quarter second, while played
// out at once a stall would lose balls the player never saw; so it is dropped
// and play goes on where it stood, one tick later.
constexpr uint32_t StallBound = 250;
// Only a stall this long pauses into the menu: the player has most likely
// been away (a suspended machine, a stopped process). A busy machine's
// shorter stalls only freeze the picture for their length; pausing for them
// threw players out of play again and again.
constexpr uint32_t PauseBound = 2000;
// How long a pass sleeps while the window is hidden: a restored window is
// drawn again within a tenth of a second, and the game costs next to nothing.
constexpr uint32_t HiddenNap = 100;
// Pictures at this rate or below go up once per tick, as the ticks come.
constexpr int TickRate = 1000 / TickLength;
bool silenced = false;
bool dataFilesLoaded = false;

// A long stall in play pauses the game as looking away does, through the
// same event, so that a recording of the game pauses at the same pass.
void PauseAfterStall() {
  if (Game.programState != psGame) return;
  SDL_Event lookedAway = {};
  lookedAway.type = SDL_ACTIVEEVENT;
  lookedAway.active.gain = 0;
  lookedAway.active.state = SDL_APPINPUTFOCUS;
  Game.event = lookedAway;
  DispatchEvent();
}

// Hidden, the game draws nothing, falls silent (the music alone would cost
// more than all the rest) and waits; play was paused as the window lost the
// player's attention.
bool IdleWhileHidden() {
  const bool hidden = !WindowVisible() && !Game.quitRequested;
  if (hidden != silenced) SDL_PauseAudio(hidden ? 1 : 0);
  silenced = hidden;
  if (hidden) SDL_Delay(HiddenNap);
  return hidden;
}

void DrawGameFrame(float share) {
  if (Game.optBackground.value)
    DrawBackground();
  else
    FillScreenRect(nullptr, 0);
  if (Game.optStars.value) Game.stars->Draw(share);
  DrawFrame();
  DrawWorld(share);
  DrawHud();
}

int PictureRate() { return Game.settings.frameRate > 0 ? Game.settings.frameRate : DisplayRefreshRate(); }

// When the next picture is due on the clock seam, and the part of a
// millisecond the rate carries over.
uint32_t pictureDue = 0;
double pictureFraction = 0;
}  // namespace

uint32_t PictureWait(int rate) {
  const double interval = 1000.0 / rate;
  const int32_t ahead = static_cast<int32_t>(pictureDue - GetTicks());
  if (ahead <= 0 && -ahead >= interval) {
    pictureDue = GetTicks();
    pictureFraction = 0;
  }
  pictureFraction += interval;
  const uint32_t whole = static_cast<uint32_t>(pictureFraction);
  pictureDue += whole;
  pictureFraction -= whole;
  return ahead > 0 ? static_cast<uint32_t>(ahead) : 0;
}

float TickShare() {
  return std::min(1.0f, static_cast<float>(GetTicks() - Game.lastTick) / static_cast<float>(TickLength));
}

namespace {
CFrameLog frameLog;
const auto programStart = std::chrono::steady_clock::now();

// One line per picture shown: when, and where the first ball was drawn.
void LogPicture(float share) {
  if (!frameLog.IsOpen()) return;
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - programStart).count();
  const CBall* ball = Game.programState == psGame ? Game.balls.First() : nullptr;
  char line[64];
  if (!ball) {
    std::snprintf(line, sizeof line, "%.3f - -\n", ms);
  } else {
    int x, y;
    ball->DrawnAt(share, x, y);
    std::snprintf(line, sizeof line, "%.3f %d %d\n", ms, x + FieldLeft, y);
  }
  frameLog.Write(line);
}
}  // namespace

bool DataFilesLoaded() { return dataFilesLoaded; }

void StartUp() {
  InstallGameHooks();
  if (!Game.commandLine.frameLogPath.empty()) frameLog.Open(Game.commandLine.frameLogPath);
  ChooseGamepadLayout();
  // Before SDL starts: it takes interrupt and terminate for itself only
  // while nobody else has, and a signal it took would not keep the game.
  InstallQuitSignals();
  // Video and audio are started separately, so that a machine without a
  // sound device still gets a (silent) game.
  StartVideo();
  OpenGamepads();
  SDL_WM_SetCaption("Rebounder", nullptr);
  StartAudio();
  LoadSprites();
  Game.paddle.reset(new CPaddle(240, 420));
  Game.quitRequested = false;
  Game.keyState = SDL_GetKeyState(nullptr);
  Game.motionCarry = 0;
  LoadSounds();
  LoadFonts();
  Game.levelIndex = -1;
  Game.score = 0;
  Game.lives = 3;
  Game.programState = psIntro;
  Game.returnState = psMenu;
  Game.menuState = msMain;
  Game.menuCursor = 1;
  Game.energy = 0;
  Game.music = Mix_LoadMUS(AssetPath("music//rebounder.ogg").c_str());
  LoadOptions();
  LoadSettings();
  // The command line's theme was checked before the start; the saved one may have gone since.
  const std::string theme = Game.commandLine.theme.empty() ? Game.settings.theme : Game.commandLine.theme;
  const std::string missing = UnknownThemeMessage(theme);
  if (!missing.empty())
    std::fprintf(stderr, "rebounder: settings.conf: %s; classic is used\n", missing.c_str());
  else if (theme != ClassicTheme)
    UseTheme(theme);
  ApplySoundVolumes();
  if (Game.commandLine.window != wcSaved)
    Game.optFullscreen.OverrideForThisRun(Game.commandLine.window == wcFullscreen);
  SetRequestedScale(Game.commandLine.scale, Game.settings.scale);
  ApplyVideoSettings();
  // The set comes first: each set keeps its own table.
  UseLevelSet(Game.commandLine.levelSetFolder.empty() ? CLevelSet::Classic()
                                                      : CLevelSet::Load(Game.commandLine.levelSetFolder));
  LoadHighScores();
  dataFilesLoaded = true;
  Game.newScoreRank = 0;
  Game.baseBallSpeed = 4;
  if (!Game.commandLine.levelName.empty()) {
    // A level named on the command line is a new game, which replaces a kept one.
    DiscardSavedGame();
    LoadLevel(Game.commandLine.levelName, 0, 0);
    StartGameAtLevel(Game.commandLine.players);
    Game.programState = psGame;
  } else {
    LoadSavedGame();
    OpenMainMenu();
    NextLevel();
    if (Game.optMusic.value) Mix_PlayMusic(Game.music, -1);
  }
  Game.ballType = btNormal;
  Game.ballSpeed = Game.baseBallSpeed;
  Game.beamPhase = 0;
  Game.tickCount = 0;
  Game.stars.reset(new CStars());
  Game.stars->Create(0, 0, Game.sprStar);
  Game.lastTick = GetTicks();
  if (!Game.commandLine.levelName.empty()) RecordLevelStart(Game.commandLine.levelName);
  // Players named without a level start a new game at once, on the first level.
  if (Game.commandLine.levelName.empty() && !Game.commandLine.players.empty())
    StartNewGame(0, Game.commandLine.players);
  TBonusKind bonus;
  if (Game.commandLine.levelName.empty() && BonusKindByName(Game.commandLine.bonusName, bonus))
    StartBonusPractice(bonus);
}

void LogicTick() {
  AttractTick();
  // An open question or the pause key holds the game still.
  const bool playing = Game.programState == psGame && Game.question == qnNone && !Game.playPaused;
  if (playing) {
    TickWorld();
    SteerPaddleByGamepad();
    TickPaddleAndEffects();
  }
  Game.tickCount++;
}

// A tick runs only once more than 25 ms are owed. Waking at exactly 25 would
// draw a frame without a tick, and the next pass would draw the tick's frame
// a few milliseconds later: twice the frames for the same game. Sleeping until
// a tick is due keeps one frame per tick, about 40 a second.
void WaitForNextTick() {
  for (;;) {
    const uint32_t owed = GetTicks() - Game.lastTick;
    if (owed > TickLength) return;
    SDL_Delay(TickLength + 1 - owed);
  }
}

int RunOwedTicks() {
  int ran = 0;
  Game.frameTicks = GetTicks();
  const uint32_t owed = Game.frameTicks - Game.lastTick;
  if (owed > StallBound) {
    Game.lastTick = Game.frameTicks - (TickLength + 1);
    if (owed > PauseBound) PauseAfterStall();
  }
  while (Game.frameTicks - Game.lastTick > TickLength) {
    LogicTick();
    Game.lastTick += TickLength;
    ++ran;
  }
  Game.lastTick = GetTicks() - (Game.frameTicks - Game.lastTick);
  return ran;
}

void DrawStateFrame() { DrawPicture(1, true); }

void DrawPicture(float share, bool newPass) {
  switch (Game.programState) {
    case psIntro:
      DrawIntroFrame();
      break;
    case psMenu:
      DrawMenu();
      break;
    case psExit:
      Game.quitRequested = true;
      break;
    case psGame:
      if (newPass) AnimateBeams();
      DrawGameFrame(share);
      break;
    case psEditor:
      if (newPass) AnimateBeams();
      DrawEditor();
      break;
  }
  DrawSidePanels();
  DrawQuestion();
  DrawNotice();
}

void EndPass(int ticks) {
  if (Game.programState == psGame) CheckGameFlow();
  RecordPass(ticks);
  // After the pass is recorded, so that the game's recording holds its end.
  if (Game.programState == psGame && Game.gameState == gsGameOver)
    for (const TSaveResult& save : SaveFinishedGame()) ReportSave(save);
}

// Each pass of the loop shows a picture. At 40 pictures a second (the tick
// rate) a pass waits for a tick and draws where it left the world. Faster, a
// pass waits for its picture's time; the passes that find a tick due take the
// player's input and run the ticks, exactly as at 40, and the others only draw
// play between the last two ticks. The menus, the intro and the editor, which
// move nothing between ticks, are drawn only after a tick.
void RunMainLoop() {
  // The first picture goes up at once rather than after the first tick's wait.
  DrawStateFrame();
  PresentScreen();
  LogPicture(1);
  while (!Game.quitRequested) {
    const int rate = PictureRate();
    const bool followTicks = rate <= TickRate;
    if (followTicks)
      SDL_Delay(5);
    else if (const uint32_t wait = PictureWait(rate))
      SDL_Delay(wait);
    const bool tickPass = followTicks || GetTicks() - Game.lastTick > TickLength;
    if (tickPass) {
      while (SDL_PollEvent(&Game.event) == 1) {
        PointerToPicture(Game.event);
        if (!AttractTakesEvent(Game.event)) DispatchEvent();
      }
      if (QuitSignalled()) Game.quitRequested = true;
      FollowPointerRule();
    }
    if (IdleWhileHidden()) continue;
    if (tickPass) {
      RescanGamepads(GetTicks());
      if (followTicks) WaitForNextTick();
      EndPass(RunOwedTicks());
      AttractPass();
    } else if (Game.programState != psGame) {
      continue;
    }
    const float share = followTicks ? 1 : TickShare();
    DrawPicture(share, tickPass);
    DrawDemoLabel();
    if (tickPass) DumpRecordedFrame();
    PresentScreen();
    LogPicture(share);
  }
}

void ShutDown() {
  frameLog.Close();
  Game.stars.reset();
  Game.floaters.Clear();
  Game.bonuses.Clear();
  Game.effects.Clear();
  Game.bricks.Clear();
  Game.balls.Clear();
  Game.paddle.reset();
  CloseGamepads();
  Mix_CloseAudio();
  SDL_Quit();
}

bool SaveDataFiles() {
  // A home folder that cannot be written to is one fault: say it once.
  std::string error;
  if (!MakeDataFolder(error)) {
    std::fprintf(stderr, "rebounder: the high scores and options were not saved: %s\n", error.c_str());
    return false;
  }
  const bool scoresSaved = ReportSave(SaveHighScores());
  const bool optionsSaved = ReportSave(SaveOptions());
  const bool settingsSaved = ReportSave(SaveSettings());
  // However the program ends, an unfinished game is kept for the next start,
  // one put aside by the editor too.
  PutBackEditorsGame();
  bool gameKept = true;
  if (GameInProgress()) {
    TKeptGame kept = GameToKeep();
    kept.journal = FlushJournal();
    gameKept = ReportSave(SaveGameForLater(kept));
  }
  return scoresSaved && optionsSaved && settingsSaved && gameKept;
}
