// Recorded-input regression: a script of input events is replayed tick by
// tick through the real dispatch, logic tick and game-flow checks, and a text
// summary of the game every 50 ticks must match the recorded one exactly.
// Run with REBOUNDER_RECORD=1 to rewrite the expected summary after a
// deliberate change of the rules. The same script, recorded by the game's own
// recorder, must play back picture for picture.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "base/clock.h"
#include "base/globals.h"
#include "base/random.h"
#include "field/autopilot.h"
#include "field/ball.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "game/attract.h"
#include "game/input.h"
#include "game/mainloop.h"
#include "game/playback.h"
#include "media/theme.h"
#include "menus/menu.h"
#include "platform/datafile.h"
#include "replay/recorder.h"
#include "session/gameflow.h"
#include "session/level.h"
#include "store/highscores.h"
#include "store/replaystore.h"
#include "tests/testenv.h"

namespace {
// Script lines: "<tick> press|release space|left|right|escape|n|p|a|f|up|down|return|pad",
// "<tick> press|release click <x> <y>" (the left mouse button), "<tick> mouse <dx>",
// "<tick> stick <position>", "<tick> away" (the window loses the keyboard),
// "<tick> quit" (the window is closed), "end <tick>".
struct TScript {
  std::multimap<int, std::vector<std::string>> events;
  int end = 0;
};

TScript ReadScript(std::istream& in) {
  TScript script;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string s; words >> s;) w.push_back(s);
    if (w.empty() || w[0][0] == '#') continue;
    if (w[0] == "end")
      script.end = std::stoi(w[1]);
    else
      script.events.emplace(std::stoi(w[0]), std::vector<std::string>(w.begin() + 1, w.end()));
  }
  return script;
}

TScript ScriptOf(const std::string& text) {
  std::istringstream in(text);
  return ReadScript(in);
}

void Play(const std::vector<std::string>& e) {
  static const std::map<std::string, SDLKey> keys = {
      {"space", SDLK_SPACE}, {"left", SDLK_LEFT}, {"right", SDLK_RIGHT}, {"escape", SDLK_ESCAPE},
      {"n", SDLK_n},         {"up", SDLK_UP},     {"down", SDLK_DOWN},   {"return", SDLK_RETURN},
      {"a", SDLK_a},         {"f", SDLK_f},       {"y", SDLK_y},         {"p", SDLK_p}};
  Game.event = {};
  if (e[0] == "away") {
    Game.event.type = SDL_ACTIVEEVENT;
    Game.event.active.state = SDL_APPINPUTFOCUS;
  } else if (e[0] == "stick") {  // the first pad's stick across
    Game.event.type = SDL_JOYAXISMOTION;
    Game.event.jaxis.value = static_cast<Sint16>(std::stoi(e[1]));
  } else if (e[0] == "quit") {
    Game.event.type = SDL_QUIT;
  } else if (e[1] == "pad") {  // its south button
    Game.event.type = e[0] == "press" ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
  } else if (e[1] == "click") {
    Game.event.type = e[0] == "press" ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    Game.event.button.button = SDL_BUTTON_LEFT;
    Game.event.button.x = static_cast<Uint16>(std::stoi(e[2]));
    Game.event.button.y = static_cast<Uint16>(std::stoi(e[3]));
  } else if (e[0] == "mouse") {
    Game.event.type = SDL_MOUSEMOTION;
    // As the platform reports it after a warp: the warp point plus the movement.
    Game.event.motion.xrel = static_cast<Sint16>(std::stoi(e[1]));
    Game.event.motion.x = static_cast<Uint16>(240 + Game.event.motion.xrel);
  } else {
    const SDLKey key = keys.at(e[1]);
    const bool down = e[0] == "press";
    Game.event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    Game.event.key.keysym.sym = key;
    Game.keyState[key] = down ? 1 : 0;
  }
  DispatchEvent();
}

std::string Summary(int tick) {
  std::ostringstream s;
  s << tick << " program " << int(Game.programState) << " state " << int(Game.gameState) << " level "
    << Game.levelIndex << " score " << Game.score << " lives " << Game.lives << " balls "
    << Game.balls.Count() << " bricks " << Game.bricks.Count() << " capsules " << Game.bonuses.Count()
    << " energy " << Game.energy << " paddle " << Game.paddle->x << " size " << int(Game.paddle->size)
    << "\n";
  return s.str();
}

// The play field's pixels, eight at a time.
uint64_t ScreenHash() {
  uint64_t h = 0;
  SDL_LockSurface(Game.screen);
  for (int y = 0; y < 480; ++y) {
    const auto* row = static_cast<const Uint8*>(Game.screen->pixels) + y * Game.screen->pitch + 80;
    for (int x = 0; x < 480; x += 8) {
      uint64_t word;
      std::memcpy(&word, row + x, 8);
      h = (h ^ word) * 0x9E3779B97F4A7C15ull;
      h ^= h >> 29;
    }
  }
  SDL_UnlockSurface(Game.screen);
  return h;
}

const std::string ReplaysDir = std::string(REBOUNDER_TEST_DIR) + "/replays/";

TScript ReadScriptFile(const std::string& name) {
  std::ifstream file(ReplaysDir + name);
  EXPECT_TRUE(file) << name;
  return ReadScript(file);
}

void PlayEventsAt(const TScript& script, int tick) {
  auto range = script.events.equal_range(tick);
  for (auto it = range.first; it != range.second; ++it) Play(it->second);
}

// The whole file, or "" when there is none.
std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return in ? s.str() : "";
}

// One tick of the autopilot as input reaching the game: its taps go through
// the dispatch, and its steering is turned into the motion event that
// moves the paddle the same, so the recorder sees all of it.
void AutopilotPass(CAutopilot& pilot) {
  CPaddle& paddle = *Game.paddle;
  const int before = paddle.x;
  if (pilot.Tick()) TapFire();
  const int moved = paddle.x - before;
  if (moved == 0) return;
  paddle.x = before;
  // The dispatch adds the pixels it carried over from the last motion.
  const int pixels = moved * (paddle.slow ? 5 : 2) * paddle.direction;
  Play({"mouse", std::to_string(pixels - Game.motionCarry)});
}

// A pass of the main loop without its frame: the tick, the game-flow check
// and the recording.
void RecordedTick() {
  LogicTick();
  CheckGameFlow();
  RecordPass(1);
}

TReplay StopRecording() {
  TReplay replay = FinishRecording();
  EnableRecording(false);
  return replay;
}

// The recording as its text reads back.
void ReadBack(const TReplay& recorded, TReplay& read) {
  std::string error;
  ASSERT_TRUE(ParseReplay(ReplayText(recorded), read, error)) << error;
}

uint32_t clockSecond = 0;
uint32_t NextSecond() { return clockSecond++; }

// The recordings of the regression net: how each game starts, and how many
// levels the autopilot plays in it.
struct TNetGame {
  const char* file;
  int difficulty;  // -1: the level named on the command line
  const char* level;
  uint32_t seed;
  int levels;
};
const TNetGame NetGames[] = {
    {"newbie.replay", 0, "", 11, 3},
    {"experienced.replay", 1, "", 5, 2},
    {"command-line-level.replay", -1, "dutchie land", 3, 2},
};

// Plays one net game with the autopilot and the recorder on.
TReplay RecordNetGame(const TNetGame& g) {
  clockSecond = 1700000000u + g.seed * 1000;
  SetSecondsSource(NextSecond);
  EnableRecording(true);
  if (g.difficulty < 0) {
    LoadLevel(g.level, 0, 0);
    RecordLevelStart(g.level);
  } else {
    StartNewGame(g.difficulty);
  }
  CAutopilot pilot(g.seed);
  int ended = 0;
  for (int tick = 0; tick < 40 * 60 * 30 && ended < g.levels && Game.gameState != gsGameOver; ++tick) {
    const TGameState before = Game.gameState;
    AutopilotPass(pilot);
    RecordedTick();
    if (Game.gameState == gsGameDone && before != gsGameDone) ++ended;
  }
  return StopRecording();
}

// Records whole passes of the main loop to the script's end, the script's
// events sent first, and keeps each frame's picture for the comparison.
TReplay RecordFrames(const TScript& script, std::vector<uint64_t>& frames) {
  for (int tick = 0; tick <= script.end; ++tick) {
    PlayEventsAt(script, tick);
    RecordedTick();
    DrawStateFrame();
    frames.push_back(ScreenHash());
  }
  return StopRecording();
}

// Plays a recording to its end; every pass must draw the recorded picture and
// the playback must not stray from it. Returns where it ended.
TReplayCheckpoint ExpectPicturesAsRecorded(const TReplay& replay, const std::vector<uint64_t>& frames) {
  CPlayback playback(replay);
  size_t pass = 0;
  for (; !playback.Done(); ++pass) {
    playback.Step(true);
    if (pass >= frames.size()) break;
    const uint64_t picture = ScreenHash();
    EXPECT_EQ(picture, frames[pass]) << "first different frame after pass " << pass;
    if (picture != frames[pass]) break;
  }
  EXPECT_EQ(pass, frames.size());
  EXPECT_EQ(playback.Mismatch(), "");
  return playback.Summary();
}

void PushKey(SDLKey key) {
  SDL_Event e = {};
  e.type = SDL_KEYDOWN;
  e.key.keysym.sym = key;
  SDL_PushEvent(&e);
}

// A clock that runs fast, and closes the viewer after `quitAt` milliseconds of it.
uint32_t fastNow = 0, quitAt = 0;
uint32_t FastTicks() {
  fastNow += 5;
  if (fastNow == quitAt) PushKey(SDLK_q);
  return fastNow;
}

std::string MenuAsItIs() {
  std::ostringstream s;
  s << Game.programState << Game.menuState << Game.returnState << Game.menuCursor << " " << Game.tableCursor
    << " " << Game.score << " " << Game.lives << " " << Game.levelIndex << " " << Game.levelName << " "
    << Game.bricks.Count() << " " << Game.tickCount << " " << RandomState() << " "
    << Game.stars->particles.Count() << Game.optBackground.value << Game.optStars.value
    << Game.optExplosions.value << Recording() << PlayerFilesKept();
  for (int i = 0; i < Game.highScores.Count(); ++i)
    s << " " << Game.highScores[i]->name << Game.highScores[i]->score;
  return s.str();
}

class Replay : public GameTest {};

// The per-user data folder in a scratch folder of its own.
class TopTen : public GameTest {
protected:
  std::string home, folder, savedXdg;
  void SetUp() override {
    GameTest::SetUp();
    home = std::filesystem::current_path();
    char temp[] = "/tmp/rebounder-topten-XXXXXX";
    ASSERT_NE(mkdtemp(temp), nullptr);
    folder = temp;
    std::filesystem::current_path(folder);
    savedXdg = getenv("XDG_DATA_HOME") ? getenv("XDG_DATA_HOME") : "";
    setenv("XDG_DATA_HOME", (folder + "/xdg").c_str(), 1);
    setenv("REBOUNDER_DATA_DIR", home.c_str(), 1);  // the levels stay where they were
  }
  void TearDown() override {
    EnableRecording(false);
    unsetenv("REBOUNDER_DATA_DIR");
    setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
    std::filesystem::current_path(home);
    std::filesystem::remove_all(folder);
    GameTest::TearDown();
  }
  static std::string Kept(int rank) { return ReadText(BestRecordingPath(rank)); }
  // The table on the menu, with a recorded game kept for the row `rank`.
  void ShowTableWithARecordingAt(int rank) {
    std::filesystem::create_directories(folder + "/xdg/rebounder/replays");
    std::filesystem::copy_file(ReplaysDir + "newbie.replay", BestRecordingPath(rank));
    Game.programState = psMenu;
    Game.returnState = psMenu;
    Game.menuState = msHighScores;
  }
  // Runs `view` on a fast clock that quits the viewer after `quit` ms of it;
  // the recorded game must have been played.
  void ViewFast(uint32_t quit, const std::function<void()>& view) {
    played.clear();
    fastNow = 0;
    quitAt = quit;
    SetTicksSource(FastTicks);
    view();
    SetTicksSource(nullptr);
    EXPECT_GE(fastNow, quit) << "the viewer ran until it was quit";
    EXPECT_GT(PlayedCount(Game.sndPing) + PlayedCount(Game.sndBrickExplosion), 0) << "the game was played";
  }
};
}  // namespace

TEST_F(Replay, FirstLevelsPlayExactlyAsRecorded) {
  const TScript script = ReadScriptFile("first-levels.script");
  ASSERT_GT(script.end, 0);

  StartNewGame(0);
  std::string summary;
  for (int tick = 0; tick <= script.end; ++tick) {
    PlayEventsAt(script, tick);
    LogicTick();
    CheckGameFlow();
    if (tick % 50 == 0) summary += Summary(tick);
  }

  const std::string expectedPath = ReplaysDir + "first-levels.expected";
  if (std::getenv("REBOUNDER_RECORD")) std::ofstream(expectedPath) << summary;
  ASSERT_TRUE(std::filesystem::exists(expectedPath)) << expectedPath;
  EXPECT_EQ(summary, ReadText(expectedPath));
}

// The script, with a pause (the window lost from sight) in which the
// explosions are switched off, a freeze with the pause key, and a gamepad
// that steers, launches and pauses, is recorded as it is played; the
// recording, read back from its text, must give the same frame after every
// pass, whatever state the game was left in.
TEST_F(Replay, ARecordedGamePlaysBackPictureForPicture) {
  TScript script = ReadScriptFile("first-levels.script");
  const TScript pause = ScriptOf(
      "210 away\n211 press down\n212 press down\n213 press return\n214 press down\n"
      "215 press down\n216 press down\n217 press down\n218 press down\n219 press return\n"
      "230 press escape\n231 press up\n232 press up\n240 press return\n250 press p\n253 press p\n"
      "405 stick 30000\n430 stick -12000\n470 stick 0\n1005 press pad\n1009 release pad\n");
  for (auto& e : pause.events) script.events.insert(e);
  script.end = 1290;  // the game is over, and fire has not left it yet

  Game.paddle->x = 300;
  Game.beamPhase = 7;
  EnableRecording(true);
  StartNewGame(0);
  std::vector<uint64_t> frames;
  const TReplay recorded = RecordFrames(script, frames);
  ASSERT_EQ(Game.gameState, gsGameOver);
  EXPECT_FALSE(Game.optExplosions.value);
  const TReplayCheckpoint final = {script.end + 1, Game.levelIndex, Game.score, Game.lives, 0};

  TReplay read;
  ASSERT_NO_FATAL_FAILURE(ReadBack(recorded, read));
  EXPECT_EQ(ReplayText(read), ReplayText(recorded));
  // The game over, and again after n went on from it to a level without a life.
  ASSERT_EQ(read.checkpoints.size(), 2u);
  EXPECT_EQ(read.checkpoints[0].gameState, gsGameOver);
  EXPECT_EQ(read.checkpoints[1].gameState, gsGameOver);
  EXPECT_EQ(read.end, final);

  // Leave the game elsewhere: another level, paddle, stars and options.
  Game.optExplosions.value = true;
  Game.paddle->x = 100;
  Game.paddle->size = psLarge;
  Game.stars->Create(0, 0, Game.sprStar);
  Game.levelIndex = 17;
  NextLevel();
  for (int i = 0; i < 9; ++i) LogicTick();

  EXPECT_EQ(ExpectPicturesAsRecorded(read, frames), final);
}

// A level named on the command line is loaded before the star field is made
// (which draws random numbers) and before the first frame is drawn (which
// moves the beams): the playback must start from there too. It is played
// with other keys and mouse speed than the viewer's: the playback uses the
// recorded ones and gives the viewer's back.
TEST_F(Replay, ACommandLineLevelPlaysBackPictureForPictureWithItsOwnControls) {
  TControls own;
  own.mouseRate = MouseRateCount - 1;
  own.keys[kaLeft] = SDLK_a;
  own.keys[kaFire] = SDLK_f;
  Game.settings.controls = own;
  EnableRecording(true);
  LoadLevel("dutchie land", 0, 0);
  Game.stars->Create(0, 0, Game.sprStar);
  RecordLevelStart("dutchie land");
  DrawStateFrame();
  std::vector<uint64_t> frames;
  std::string events = "3 press f\n6 release f\n100 press a\n130 release a\nend 399\n";
  for (int tick = 20; tick < 400; tick += 40)
    events += std::to_string(tick) + (tick % 80 == 20 ? " mouse 25\n" : " mouse -21\n");
  const TReplay recorded = RecordFrames(ScriptOf(events), frames);
  TReplay read;
  ASSERT_NO_FATAL_FAILURE(ReadBack(recorded, read));
  EXPECT_TRUE(read.start.controls == own);

  Game.settings.controls = TControls();
  Game.stars->Create(0, 0, Game.sprStar);
  ExpectPicturesAsRecorded(read, frames);
  EXPECT_TRUE(Game.settings.controls == TControls());
}

// A kept game resumed, in which the window is closed and the question
// answered "no" by a click, then n is pressed and confirmed: the recording
// (a version 2 file) plays all of it back picture for picture.
TEST_F(Replay, AResumedGameAndItsQuestionsPlayBackPictureForPicture) {
  EnableRecording(true);
  Game.programState = psMenu;
  ResumeGame({41, "dutchie land", 1234, 2});
  std::vector<uint64_t> frames;
  const TReplay recorded = RecordFrames(ScriptOf("3 press space\n6 release space\n50 quit\n"
                                                 "52 press click 370 270\n53 release click 370 270\n"  // "no"
                                                 "100 press n\n102 press y\nend 299\n"),
                                        frames);
  ASSERT_EQ(Game.levelIndex, 42);
  ASSERT_EQ(Game.score, 0u);

  const std::string text = ReplayText(recorded);
  EXPECT_EQ(text.compare(0, 38, "rebounder-replay 3\nstart saved 41 1234"), 0) << text.substr(0, 60);
  TReplay read;
  ASSERT_NO_FATAL_FAILURE(ReadBack(recorded, read));
  Game.levelIndex = 3;
  NextLevel();
  EXPECT_EQ(ExpectPicturesAsRecorded(read, frames), recorded.end);
}

// Games the autopilot played over several levels, kept with the level ends
// and the final state they must reproduce. Run with REBOUNDER_RECORD=1 to
// record them again after a deliberate change of the rules.
TEST_F(Replay, TheRegressionGamesEndTheirLevelsAsRecorded) {
  for (const TNetGame& g : NetGames) {
    const std::string path = ReplaysDir + g.file;
    if (std::getenv("REBOUNDER_RECORD")) {
      SetUp();
      const std::string text = ReplayText(RecordNetGame(g));
      std::ofstream(path) << text;
      SetUp();
    }
    TReplay replay;
    std::string error;
    ASSERT_TRUE(LoadReplayFile(path, replay, error)) << error;
    EXPECT_GE(static_cast<int>(replay.checkpoints.size()), g.levels) << g.file;
    CPlayback playback(replay);
    while (!playback.Done()) playback.Step(false);
    EXPECT_EQ(playback.Mismatch(), "") << g.file;
    EXPECT_EQ(playback.Checkpoints().size(), replay.checkpoints.size());
    SetUp();
  }
}

// A theme changes pictures and sounds only: the autopilot's game recorded in
// one theme is the very recording made in classic, and it plays back to the
// same end in another.
TEST_F(Replay, ARecordingMadeInOneThemePlaysBackToTheSameEndInAnother) {
  const TNetGame& g = NetGames[0];
  const std::string classic = ReplayText(RecordNetGame(g));
  SetUp();
  UseTheme("contrast");
  const TReplay recorded = RecordNetGame(g);
  EXPECT_TRUE(ReplayText(recorded) == classic) << "the same game, recorded the same";
  SetUp();
  UseTheme("neon");
  CPlayback playback(recorded);
  while (!playback.Done()) playback.Step(false);
  EXPECT_EQ(playback.Mismatch(), "");
  EXPECT_EQ(playback.Checkpoints().size(), recorded.checkpoints.size());
}

// A finished game that enters the table keeps its recording at its rank; the
// lower ones move down and the eleventh is dropped. Each kept file replays
// to the score of its row.
TEST_F(TopTen, FinishedGamesKeepTheirRecordingsBesideTheTable) {
  EXPECT_EQ(BestRecordingPath(3).find(folder + "/xdg/rebounder/replays/"), 0u) << BestRecordingPath(3);
  for (int k = 1; k <= 10; ++k) {
    std::string error;
    const std::string text = "game " + std::to_string(k);
    ASSERT_TRUE(WriteFileAtomically(BestRecordingPath(k), {text.begin(), text.end()}, error)) << error;
  }
  LoadHighScores();
  const TNetGame& g = NetGames[0];
  RecordNetGame(g);  // the autopilot's levels, then the ball is let go to the game over
  EnableRecording(true);
  StartNewGame(0);
  CAutopilot pilot(g.seed);
  for (int tick = 0; tick < 3000; ++tick) {
    AutopilotPass(pilot);
    RecordedTick();
  }
  // Then the paddle runs from the ball with the arrow keys.
  Play({"press", "left"});
  for (int tick = 0; Game.gameState != gsGameOver && tick < 20000; ++tick) {
    if (tick % 50 == 0) Play({"press", "space"});
    if (tick % 50 == 5) Play({"release", "space"});
    const CBall* ball = Game.balls.First();
    const bool left = Game.keyState[SDLK_LEFT] == 1;
    if (ball && (ball->x < 240) == left) {
      Play({"release", left ? "left" : "right"});
      Play({"press", left ? "right" : "left"});
    }
    RecordedTick();
  }
  EXPECT_EQ(Game.gameState, gsGameOver);
  Play({"press", "space"});  // leaves the game over: the game is ranked and ends
  Play({"release", "space"});
  EXPECT_FALSE(Recording());
  const int rank = Game.newScoreRank;
  ASSERT_GT(rank, 0);
  ASSERT_LT(rank, 10);
  for (int k = 1; k < rank; ++k) EXPECT_EQ(Kept(k), "game " + std::to_string(k));
  for (int k = rank + 1; k <= 10; ++k) EXPECT_EQ(Kept(k), "game " + std::to_string(k - 1));
  EXPECT_FALSE(std::filesystem::exists(BestRecordingPath(11)));

  TReplay replay;
  std::string error;
  ASSERT_TRUE(LoadReplayFile(BestRecordingPath(rank), replay, error)) << error;
  const uint32_t score = Game.highScores[rank - 1]->score;
  GameTest::SetUp();
  CPlayback playback(replay);
  while (!playback.Done()) playback.Step(false);
  EXPECT_EQ(playback.Mismatch(), "");
  EXPECT_EQ(Game.gameState, gsGameOver);  // the last picture is the game over, not the table
  EXPECT_EQ(playback.Summary().score, score);
}

// From the table, Up and Down choose a row and Enter plays its recording in
// the window; afterwards the menu, the table and the game behind are as they
// were. A row without a recording says so; with a game paused behind the
// menu the table is only a table.
TEST_F(TopTen, ATableRowPlaysItsRecordingAndTheMenuComesBack) {
  ShowTableWithARecordingAt(2);
  LoadHighScores();
  Game.optExplosions.value = false;
  const std::string before = MenuAsItIs();

  Play({"press", "return"});
  EXPECT_EQ(Game.noticeLines[0], "no recording of this game");
  Play({"press", "down"});
  EXPECT_EQ(Game.tableCursor, 1);
  const std::string onRow = MenuAsItIs();
  ViewFast(20000, [] {
    PushKey(SDLK_3);  // at 16 times the speed
    Play({"press", "return"});
  });
  EXPECT_EQ(MenuAsItIs(), onRow);

  Game.returnState = psGame;
  EXPECT_EQ(HighScoreRowAt(100, 190), -1);
  played.clear();
  Play({"press", "up"});
  Play({"press", "return"});
  EXPECT_EQ(Game.tableCursor, 1);
  EXPECT_TRUE(played.empty()) << PlayedNames();
  Game.returnState = psMenu;
  EXPECT_EQ(HighScoreRowAt(100, 190), 0);
  EXPECT_EQ(HighScoreRowAt(100, 190 + 28 * 3), 3);
  EXPECT_NE(MenuAsItIs(), before);  // only the cursor moved
  Game.tableCursor = 0;
  EXPECT_EQ(MenuAsItIs(), before);
}

// When the table's best game was kept, the idle menu's demo plays it instead
// of the autopilot; a key ends it and the menu is back as it was.
TEST_F(TopTen, TheDemoPlaysTheBestRecording) {
  ShowTableWithARecordingAt(1);
  AttractPass();  // the idle time starts over
  Game.menuState = msMain;
  Game.tickCount += 30 * 40;
  const std::string before = MenuAsItIs();
  ViewFast(6000, AttractPass);  // at the demo's own speed
  EXPECT_FALSE(DemoRunning());
  EXPECT_EQ(MenuAsItIs(), before);
  const size_t sounds = played.size();
  AttractPass();
  EXPECT_EQ(played.size(), sounds) << "the idle time starts over after a demo";
}
