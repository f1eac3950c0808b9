// The recorder: the game's start, every event that reaches the dispatch, the
// keys the ticks poll, the seeds the level loads draw, and the level ends.
#include "replay/recorder.h"

#include <cstdlib>
#include <sstream>

#include "base/globals.h"
#include "base/random.h"
#include "field/bonusstage.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "platform/keymap.h"
#include "replay/journal.h"
#include "session/gameflow.h"
#include "session/players.h"
#include "store/highscores.h"

namespace {
bool enabled = false;
bool recording = false;
TReplay replay;
TReplayPass pass;  // the pass being recorded
TReplayPass run;   // the last pass closed, kept back while quiet passes may join it
bool runOpen = false;
size_t inFlight = 0;  // index in pass.items of the event being dispatched
TGameState lastState = gsFirstBall;
uint32_t lastSeed = 0;
int ticksBefore = 0, ticksAfter = 0;  // the recorded ticks around the last pass
int dispatchDepth = 0;

void OnSeed(uint32_t seed) {
  lastSeed = seed;
  if (recording) pass.items.push_back({riSeed, seed});
}

void Begin(TReplayStart start) {
  replay = TReplay();
  // Only a hot-seat game needs the newer format; any other stays readable
  // by a Rebounder that knows no players.
  if (!start.players.empty()) replay.version = HotSeatReplayVersion;
  if (start.exact) replay.version = ExactReplayVersion;
  if (!start.bonusKind.empty() || start.bonusStages) replay.version = BonusReplayVersion;
  replay.start = std::move(start);
  pass = TReplayPass();
  runOpen = false;
  inFlight = 0;
  lastState = Game.gameState;
  ticksBefore = ticksAfter = 0;
  recording = true;
  RestartJournal();
}

// Quiet one-tick passes with unchanged keys fold into one run.
void ClosePass(int ticks) {
  pass.held = HeldKeys();
  pass.ticks = ticks;
  if (runOpen && pass.items.empty() && ticks == 1 && run.items.empty() && run.ticks == 1 &&
      run.held == pass.held) {
    ++run.repeat;
  } else {
    if (runOpen) replay.AddPass(run);
    run = std::move(pass);
    runOpen = true;
  }
  pass = TReplayPass();
}

TReplayCheckpoint Summary(int tick) {
  TReplayCheckpoint c;
  c.tick = tick;
  c.level = Game.levelIndex;
  c.score = Game.score;
  c.lives = Game.lives;
  c.gameState = Game.gameState;
  return c;
}

TReplayItem ItemOf(const SDL_Event& e) {
  TReplayItem item = {riOther, 0};
  switch (e.type) {
    case SDL_QUIT:
      item.kind = riQuit;
      break;
    case SDL_MOUSEMOTION:
      item = {riMotion, e.motion.x, e.motion.y, e.motion.xrel, e.motion.yrel};
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      item = {e.type == SDL_MOUSEBUTTONDOWN ? riButtonDown : riButtonUp, e.button.button, e.button.x,
              e.button.y};
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      item = {e.type == SDL_KEYDOWN ? riKeyDown : riKeyUp, static_cast<uint32_t>(e.key.keysym.sym)};
      break;
    case SDL_JOYAXISMOTION:
      item = {riPadAxis, e.jaxis.which, e.jaxis.axis, e.jaxis.value};
      break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
      item = {e.type == SDL_JOYBUTTONDOWN ? riPadButtonDown : riPadButtonUp, e.jbutton.which,
              e.jbutton.button};
      break;
    case SDL_JOYHATMOTION:
      item = {riPadHat, e.jhat.which, e.jhat.hat, e.jhat.value};
      break;
    case SDL_ACTIVEEVENT:
      item = {riActive, e.active.gain, e.active.state};
      break;
    default:
      break;
  }
  return item;
}

std::vector<int> DumpTicks() {
  std::vector<int> ticks;
  const char* list = std::getenv("REBOUNDER_DUMP_TICKS");
  if (!list) return ticks;
  std::istringstream in(list);
  for (std::string word; std::getline(in, word, ',');)
    if (!word.empty()) ticks.push_back(std::atoi(word.c_str()));
  return ticks;
}
}  // namespace

void EnableRecording(bool on) {
  enabled = on;
  recording = false;
  SetSeedObserver(on ? OnSeed : nullptr);
}

bool RecordingEnabled() { return enabled; }

bool Recording() { return recording; }

TReplayStart CaptureStart() {
  TReplayStart s;
  const COption* options[] = {&Game.optFullscreen, &Game.optMusic, &Game.optSound,
                              &Game.optBackground, &Game.optStars, &Game.optExplosions};
  for (int i = 0; i < 6; ++i) s.options[i] = options[i]->value;
  s.controls = Game.settings.controls;
  s.tickCount = Game.tickCount;
  s.levelIndex = Game.levelIndex;
  s.returnState = Game.returnState;
  s.menuState = Game.menuState;
  s.menuCursor = Game.menuCursor;
  s.fireHeld = Game.fireHeld;
  s.firePressed = Game.firePressed;
  s.motionCarry = Game.motionCarry;
  s.held = HeldKeys();
  s.paddleX = Game.paddle->x;
  s.paddleSize = Game.paddle->size;
  s.paddleDirection = Game.paddle->direction;
  s.paddleSlow = Game.paddle->slow;
  s.ballType = Game.ballType;
  s.ballSpeed = Game.ballSpeed;
  s.beamPhase = Game.beamPhase;
  s.random = RandomState();
  s.levelSetFolder = Game.levelSetFolder;
  s.bonusStages = Game.settings.bonusStages;
  for (const TPlayer& p : HotSeat.players) {
    TKeptPlayer named;
    named.name = p.name;
    s.players.push_back(named);
  }
  s.turn = HotSeat.turn;
  if (Game.stars)
    for (int i = 0; i < Game.stars->particles.Count(); ++i) {
      const CParticle* p = Game.stars->particles[i];
      s.stars.push_back({p->x, p->y, p->dx});
    }
  return s;
}

void RecordGameStart(int difficulty) {
  if (!enabled) return;
  TReplayStart start = CaptureStart();
  start.difficulty = difficulty;
  Begin(std::move(start));
}

void RecordLevelStart(const std::string& levelName) {
  if (!enabled) return;
  TReplayStart start = CaptureStart();
  start.fromLevel = true;
  start.levelName = levelName;
  start.levelSeed = lastSeed;
  Begin(std::move(start));
}

void RecordBonusStart(int kind) {
  if (!enabled) return;
  TReplayStart start = CaptureStart();
  start.bonusKind = BonusKindName(static_cast<TBonusKind>(kind));
  Begin(std::move(start));
}

void RecordResumeStart(const TKeptGame& kept) {
  if (!enabled) return;
  TReplayStart start = CaptureStart();
  start.resumed = true;
  start.resumeLevel = kept.levelIndex;
  start.levelName = kept.levelName;
  start.resumeScore = kept.score;
  start.resumeLives = kept.lives;
  start.players = kept.players;
  start.turn = kept.turn;
  Begin(std::move(start));
}

CEventRecording::~CEventRecording() { --dispatchDepth; }

CEventRecording::CEventRecording(const SDL_Event& e) {
  if (dispatchDepth++ > 0 || !recording) return;
  inFlight = pass.items.size();
  pass.items.push_back(ItemOf(e));
}

void RecordEventAs(const SDL_Event& e) {
  if (recording && dispatchDepth == 1 && inFlight < pass.items.size()) pass.items[inFlight] = ItemOf(e);
}

void RecordPass(int ticks) {
  if (!recording) {
    // A game whose recording stopped (for a play-test or a watched recording
    // in between) is recorded again from its next quiet moment on.
    if (enabled && GameInProgress() && QuietMoment()) {
      Begin(CaptureExactStart());
      JournalPass(TReplayPass());
    }
    return;
  }
  ticksBefore = ticksAfter;
  ticksAfter += ticks;
  pass.held = HeldKeys();
  pass.ticks = ticks;
  JournalPass(pass);
  ClosePass(ticks);
  TReplayCheckpoint c;
  if (PassEndedLevel(lastState, ticksAfter, c)) replay.checkpoints.push_back(c);
  lastState = Game.gameState;
}

TReplay FinishRecording() {
  recording = false;
  StopJournal();
  if (inFlight < pass.items.size()) pass.items.resize(inFlight);
  if (!pass.items.empty()) ClosePass(0);
  if (runOpen) replay.AddPass(run);
  runOpen = false;
  replay.Trim();
  replay.end = Summary(ticksAfter);
  replay.end.gameState = 0;
  return std::move(replay);
}

TReplayStart CaptureExactStart() {
  TReplayStart s = CaptureStart();
  s.exact = true;
  s.snapshot = CaptureSnapshot();
  return s;
}

void ContinueRecording(const TReplay& sofar) {
  if (!enabled) return;
  Begin(sofar.start);
  replay = sofar;
  replay.end = TReplayCheckpoint();
  ticksBefore = ticksAfter = sofar.TotalTicks();
}

void RecordControls(const TControls& before) {
  const TControls& c = Game.settings.controls;
  if (!recording || c == before) return;
  pass.items.push_back({riControls, static_cast<uint32_t>(c.mouseRate),
                        c.keys[kaLeft] | c.keys[kaRight] << 16, c.keys[kaFire] | c.keys[kaPause] << 16});
}

void RecordGameEnd(int rank) {
  if (!recording) return;
  TReplay finished = FinishRecording();
  if (rank > 0) KeepNewScoreRecording(ReplayText(finished));
}

uint8_t HeldKeys() {
  uint8_t held = 0;
  if (BoundKeyHeld(kaLeft)) held |= rhLeft;
  if (BoundKeyHeld(kaRight)) held |= rhRight;
  if (BoundKeyHeld(kaFire)) held |= rhSpace;
  return held;
}

void SetHeldKeys(uint8_t held) {
  Game.keyState[BoundKey(kaLeft)] = (held & rhLeft) ? 1 : 0;
  Game.keyState[BoundKey(kaRight)] = (held & rhRight) ? 1 : 0;
  Game.keyState[BoundKey(kaFire)] = (held & rhSpace) ? 1 : 0;
}

bool PassEndedLevel(TGameState before, int tick, TReplayCheckpoint& checkpoint) {
  const TGameState now = Game.gameState;
  if (now == before || (now != gsGameDone && now != gsGameOver)) return false;
  checkpoint = Summary(tick);
  return true;
}

void DumpFramesBetween(int fromTick, int toTick, const char* prefix) {
  static const std::vector<int> ticks = DumpTicks();
  if (ticks.empty() || !Game.screen) return;
  const char* dir = std::getenv("REBOUNDER_DUMP_DIR");
  for (int t : ticks) {
    if (t <= fromTick || t > toTick) continue;
    const std::string path = std::string(dir ? dir : ".") + "/" + prefix + std::to_string(t) + ".bmp";
    SDL_SaveBMP(Game.screen, path.c_str());
  }
}

void DumpRecordedFrame() {
  if (recording && ticksAfter > ticksBefore) DumpFramesBetween(ticksBefore, ticksAfter, "frame-");
}
