// Playing a recorded game back: the recorded events go through the real
// dispatch and the recorded seeds through the clock seam of the random
// generator, so the game and its picture unfold exactly as they did.
#include "game/playback.h"

#include <algorithm>
#include <cstdio>

#include "base/clock.h"
#include "base/globals.h"
#include "base/random.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "game/attract.h"
#include "game/input.h"
#include "game/joystick.h"
#include "game/mainloop.h"
#include "media/catalogue.h"
#include "media/font.h"
#include "platform/datafile.h"
#include "platform/display.h"
#include "platform/echo.h"
#include "platform/fatal.h"
#include "platform/sessionend.h"
#include "replay/recorder.h"
#include "screens/panels.h"
#include "session/bonusflow.h"
#include "session/gameflow.h"
#include "session/keptgame.h"
#include "session/level.h"
#include "session/levelset.h"
#include "session/players.h"

namespace {
// The clock seconds the recorded level loads drew, handed out in order.
std::vector<uint32_t> seeds;
size_t nextSeed = 0;

uint32_t RecordedSeconds() { return nextSeed < seeds.size() ? seeds[nextSeed++] : 0; }

SDL_Event EventOf(const TReplayItem& item) {
  SDL_Event e = {};
  switch (item.kind) {
    case riMotion:
      e.type = SDL_MOUSEMOTION;
      e.motion.x = static_cast<Uint16>(item.value);
      e.motion.y = static_cast<Uint16>(item.a);
      e.motion.xrel = static_cast<Sint16>(item.b);
      e.motion.yrel = static_cast<Sint16>(item.c);
      break;
    case riButtonDown:
    case riButtonUp:
      e.type = item.kind == riButtonDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
      e.button.button = static_cast<Uint8>(item.value);
      e.button.x = static_cast<Uint16>(item.a);
      e.button.y = static_cast<Uint16>(item.b);
      break;
    case riKeyDown:
    case riKeyUp:
      e.type = item.kind == riKeyDown ? SDL_KEYDOWN : SDL_KEYUP;
      e.key.keysym.sym = static_cast<SDLKey>(item.value);
      break;
    case riPadAxis:
      e.type = SDL_JOYAXISMOTION;
      e.jaxis.which = static_cast<Uint8>(item.value);
      e.jaxis.axis = static_cast<Uint8>(item.a);
      e.jaxis.value = static_cast<Sint16>(item.b);
      break;
    case riPadButtonDown:
    case riPadButtonUp:
      e.type = item.kind == riPadButtonDown ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
      e.jbutton.which = static_cast<Uint8>(item.value);
      e.jbutton.button = static_cast<Uint8>(item.a);
      break;
    case riQuit:
      e.type = SDL_QUIT;
      break;
    case riPadHat:
      e.type = SDL_JOYHATMOTION;
      e.jhat.which = static_cast<Uint8>(item.value);
      e.jhat.hat = static_cast<Uint8>(item.a);
      e.jhat.value = static_cast<Uint8>(item.b);
      break;
    case riActive:
      e.type = SDL_ACTIVEEVENT;
      e.active.gain = static_cast<Uint8>(item.value);
      e.active.state = static_cast<Uint8>(item.a);
      break;
    default:
      e.type = SDL_ACTIVEEVENT;
      break;
  }
  return e;
}

TControls ControlsOf(const TReplayItem& item) {
  TControls c;
  c.mouseRate = static_cast<int>(item.value);
  const int32_t packed[] = {item.a & 0xffff, item.a >> 16, item.b & 0xffff, item.b >> 16};
  for (int k = 0; k < KeyActionCount; ++k) c.keys[k] = static_cast<SDLKey>(packed[k]);
  return c;
}

std::vector<std::string> Names(const TReplayStart& s) {
  std::vector<std::string> names;
  for (const TKeptPlayer& p : s.players) names.push_back(p.name);
  return names;
}

void ApplyStart(const TReplayStart& s) {
  // The options and controls that shape play and picture are the recorded
  // ones; the window and what is heard stay as the viewer has them.
  Game.optBackground.value = s.options[3];
  Game.optStars.value = s.options[4];
  Game.optExplosions.value = s.options[5];
  Game.settings.controls = s.controls;
  Game.settings.bonusStages = s.bonusStages;
  Game.tickCount = s.tickCount;
  Game.levelIndex = s.levelIndex;
  Game.returnState = static_cast<TProgramState>(s.returnState);
  Game.menuState = static_cast<TMenuState>(s.menuState);
  Game.menuCursor = s.menuCursor;
  Game.fireHeld = s.fireHeld;
  Game.firePressed = s.firePressed;
  Game.motionCarry = s.motionCarry;
  SetHeldKeys(s.held);
  Game.paddle->x = s.paddleX;
  Game.paddle->size = static_cast<TPaddleSize>(s.paddleSize);
  Game.paddle->direction = s.paddleDirection;
  Game.paddle->slow = s.paddleSlow;
  Game.ballType = static_cast<TBallType>(s.ballType);
  Game.ballSpeed = s.ballSpeed;
  Game.beamPhase = s.beamPhase;
  Game.stars->particles.Clear();
  for (const TReplayStar& star : s.stars)
    Game.stars->particles.Add(new CParticle(star.x, star.y, star.dx, 0, -1));
}
}  // namespace

bool PlaybackRunning() { return Game.playbacks > 0; }

CPlayback::CPlayback(const TReplay& replay)
    : replay(replay), viewerControls(Game.settings.controls), viewerBonusStages(Game.settings.bonusStages) {
  ++Game.playbacks;
  ResetGamepadState();
  SetMenuPointer(replay.version >= 3);
  seeds.clear();
  nextSeed = 0;
  const TReplayStart& s = replay.start;
  if (s.fromLevel) seeds.push_back(s.levelSeed);
  if (s.levelSetFolder != Game.levelSetFolder) UseLevelSet(LoadSetFolder(s.levelSetFolder));
  TReplayPass p;
  for (size_t at = 0; replay.ReadPass(at, p);)
    for (const TReplayItem& item : p.items)
      if (item.kind == riSeed) seeds.push_back(item.value);
  replay.ReadPass(nextPass, current);
  SetSecondsSource(RecordedSeconds);
  if (s.fromLevel) {
    Game.levelIndex = -1;
    LoadLevel(s.levelName, 0, 0);
    Game.levelComplete = false;
    Game.score = 0;
    Game.lives = 3;
    Game.programState = psGame;
    StartGameAtLevel(Names(s));
    ApplyStart(s);
    SetRandomState(s.random);
    // The game drew its first frame before its first pass (and the drawing
    // moves the beams).
    DrawStateFrame();
  } else if (s.exact) {
    ApplyStart(s);
    RestoreSnapshot(s.snapshot, s.players, s.turn);
    Game.programState = psGame;
    SetRandomState(s.random);
  } else {
    ApplyStart(s);
    Game.programState = psMenu;
    TBonusKind kind;
    if (BonusKindByName(s.bonusKind, kind)) {
      StartBonusPractice(kind);
    } else if (s.resumed) {
      TKeptGame kept(s.resumeLevel, s.levelName, s.resumeScore, s.resumeLives, s.levelSetFolder);
      kept.players = s.players;
      kept.turn = s.turn;
      ResumeGame(kept);
    } else {
      StartNewGame(s.difficulty, Names(s));
    }
  }
}

CPlayback::~CPlayback() {
  SetSecondsSource(nullptr);
  Game.settings.controls = viewerControls;
  Game.settings.bonusStages = viewerBonusStages;
  --Game.playbacks;
  SetMenuPointer(true);
}

int CPlayback::Step(bool draw) {
  constexpr int Slice = 400;
  if (Done()) return 0;
  if (ticksDone == 0) {
    stateBefore = Game.gameState;
    for (const TReplayItem& item : current.items) {
      if (item.kind == riSeed) continue;
      if (item.kind == riControls) {
        Game.settings.controls = ControlsOf(item);
        continue;
      }
      Game.event = EventOf(item);
      DispatchEvent();
    }
  }
  SetHeldKeys(current.held);
  const int ticks = std::min(Slice, current.ticks - ticksDone);
  for (int t = 0; t < ticks; ++t) LogicTick();
  tick += ticks;
  ticksDone += ticks;
  if (ticksDone < current.ticks) return ticks;
  ticksDone = 0;
  if (Game.programState == psGame) CheckGameFlow();
  TReplayCheckpoint c;
  if (PassEndedLevel(static_cast<TGameState>(stateBefore), tick, c)) seen.push_back(c);
  if (draw) DrawStateFrame();
  if (++repeatDone >= current.repeat) {
    ++passIndex;
    repeatDone = 0;
    replay.ReadPass(nextPass, current);
  }
  return ticks;
}

TReplayCheckpoint CPlayback::Summary() const {
  TReplayCheckpoint c;
  c.tick = tick;
  c.level = Game.levelIndex;
  c.score = Game.score;
  c.lives = Game.lives;
  return c;
}

std::string CPlayback::Mismatch() const {
  const std::vector<TReplayCheckpoint>& want = replay.checkpoints;
  for (size_t i = 0; i < seen.size(); ++i) {
    if (i >= want.size()) return "an extra level end: " + seen[i].Text();
    if (seen[i] != want[i]) return "recorded " + want[i].Text() + ", played " + seen[i].Text();
  }
  if (!Done()) return "";
  if (seen.size() < want.size()) return "a level end never came: " + want[seen.size()].Text();
  if (nextSeed != seeds.size()) return "the levels were not loaded as recorded";
  if (Summary() != replay.end) return "recorded end " + replay.end.Text() + ", played " + Summary().Text();
  return "";
}

namespace {
// The viewer's controls, shown in the left strip beside the field, which the
// game never draws on, so that the field stays exactly the recorded picture.
struct TViewer {
  bool demo = false;  // any key or click ends it, and only "demo" is shown
  int speed = 1;
  bool paused = false;
  bool quit = false;
  bool closed = false;  // the window was closed, not just the viewer
};

std::string Clock(int ticks) {
  const int seconds = ticks / 40;
  char text[16];
  std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
  return text;
}

// The left panel's last card shows the speed, a bar of the part played and
// the time, among the cards of play (a hot seat's players too).
void DrawViewerLabel(const TViewer& v, const CPlayback& playback, int totalTicks) {
  if (v.demo) {
    DrawDemoWord();
    return;
  }
  const int64_t played = playback.Done() ? totalTicks : std::min<int64_t>(playback.Tick(), totalTicks);
  Game.viewerCard.shown = true;
  Game.viewerCard.state = playback.Done() ? "end" : v.paused ? "paused" : std::to_string(v.speed) + "x";
  Game.viewerCard.played = totalTicks > 0 ? static_cast<int>(1000 * played / totalTicks) : 1000;
  Game.viewerCard.time = Clock(static_cast<int>(played)) + "/" + Clock(totalTicks);
  DrawSidePanels();
}

void HandleViewerKeys(TViewer& v) {
  SDL_Event e;
  while (SDL_PollEvent(&e) == 1) {
    if (e.type == SDL_QUIT) v.quit = v.closed = true;
    if (v.demo && (e.type == SDL_KEYDOWN || e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_JOYBUTTONDOWN))
      v.quit = true;
    if (e.type != SDL_KEYDOWN) continue;
    switch (e.key.keysym.sym) {
      case SDLK_ESCAPE:
      case SDLK_q:
        v.quit = true;
        break;
      case SDLK_SPACE:
      case SDLK_p:
        v.paused = !v.paused;
        break;
      case SDLK_1:
        v.speed = 1;
        break;
      case SDLK_2:
        v.speed = 4;
        break;
      case SDLK_3:
        v.speed = 16;
        break;
      case SDLK_f:
        v.speed = v.speed == 1 ? 4 : v.speed == 4 ? 16 : 1;
        break;
      default:
        break;
    }
  }
}

}  // namespace

bool RunViewer(const std::string& name, const TReplay& replay, bool demo, bool& closed) {
  // A demo, like the autopilot's, stops a few seconds after its game ends,
  // and after three minutes at most.
  constexpr uint32_t DemoEnding = 3000, LongestDemo = 3 * 60 * 1000;
  CPlayback playback(replay);
  TViewer viewer;
  viewer.demo = demo;
  const uint32_t started = GetTicks();
  uint32_t endedAt = 0;
  const int totalTicks = replay.TotalTicks();
  bool reported = false;
  // Real time owed to the playback, in milliseconds times the speed, so a
  // change of speed keeps the picture steady.
  int64_t owed = 0;
  uint32_t last = GetTicks(), lastFlip = 0;
  while (!viewer.quit && !Game.quitRequested && !QuitSignalled()) {
    HandleViewerKeys(viewer);
    const uint32_t now = GetTicks();
    const uint32_t elapsed = now - last;
    last = now;
    if (demo && (now - started >= LongestDemo || (playback.Done() && endedAt && now - endedAt >= DemoEnding)))
      break;
    if (playback.Done() && !endedAt) endedAt = now;
    if (viewer.paused || playback.Done()) {
      owed = 0;
      DrawViewerLabel(viewer, playback, totalTicks);
      PresentScreen();
      SDL_Delay(20);
      continue;
    }
    owed += static_cast<int64_t>(elapsed) * viewer.speed;
    bool drew = false;
    // Every pass is drawn, as the drawing moves some animations; only the
    // frames the screen can show are flipped.
    while (owed > 0 && !playback.Done() && GetTicks() - now < 40) {
      const int before = playback.Tick();
      owed -= 25 * playback.Step(true);
      DumpFramesBetween(before, playback.Tick(), "replay-");
      drew = true;
      if (viewer.speed == 1) break;
    }
    // A stall is not caught up in a rush, and a pass that ran a long stall's
    // ticks at once is not waited for as long.
    if (owed > 200 * viewer.speed) owed = 200 * viewer.speed;
    if (owed < -1000) owed = -1000;
    const std::string mismatch = playback.Mismatch();
    if (!mismatch.empty() && !reported) {
      std::fprintf(stderr, "rebounder: %s does not play as it was recorded (%s)\n", name.c_str(),
                   mismatch.c_str());
      reported = true;
    }
    if (drew && (viewer.speed == 1 || GetTicks() - lastFlip >= 25)) {
      DrawViewerLabel(viewer, playback, totalTicks);
      PresentScreen();
      lastFlip = GetTicks();
    }
    SDL_Delay(owed > 0 ? 1 : 5);
  }
  closed = viewer.closed;
  Game.viewerCard.shown = false;
  return !reported;
}

std::string MissingLevel(const TReplay& replay) {
  TBonusKind kind;
  if (!replay.start.bonusKind.empty() && !BonusKindByName(replay.start.bonusKind, kind))
    return "the recording plays a bonus stage called \"" + Echoed(replay.start.bonusKind) +
           "\", and this Rebounder has none of that name";
  const std::string& name = replay.start.levelName;
  const std::string& folder = replay.start.levelSetFolder;
  // A resumed game must find its level where the kept game would: by its
  // place in the set, or by name for a level played from the command line.
  if (replay.start.resumed) {
    const TKeptGame kept{replay.start.resumeLevel, name, replay.start.resumeScore, replay.start.resumeLives,
                         folder};
    const std::string misfit = KeptGameMisfit(kept, LoadSetFolder(folder));
    return misfit.empty() ? "" : "the recording resumes a saved game, and " + misfit;
  }
  if (!folder.empty()) {
    const CLevelSet set = CLevelSet::Load(folder);
    if (!set.Playable())
      return "the recording plays the level set in " + Echoed(folder, EchoedPathLength) +
             ", and none of its levels can be played";
    if (!replay.start.fromLevel && !replay.start.resumed) return "";
    for (const TSetLevel& level : set.levels)
      if (level.name == name) return "";
    return "the recording plays the level \"" + Echoed(name) + "\", and its set " +
           Echoed(folder, EchoedPathLength) + " has no level called that";
  }
  if (!replay.start.fromLevel) return "";
  try {
    if (FileExists(LevelPath(name))) return "";
  } catch (const TFatalError&) {
  }
  return "the recording plays the level \"" + Echoed(name) + "\", and there is no level called that";
}
