// Recorded-input regression: a script of input events is replayed tick by
// tick through the real dispatch, logic tick and game-flow checks, and a text
// summary of the game every 50 ticks must match the recorded one exactly.
// Run with REBOUNDER_RECORD=1 to rewrite the expected summary after a
// deliberate change of the rules. The same script, recorded by the game's own
// recorder, must play back picture for picture.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include "effects/particles.h"
#include "field/gameflow.h"
#include "field/paddle.h"
#include "shell/globals.h"
#include "shell/input.h"
#include "shell/mainloop.h"
#include "shell/playback.h"
#include "shell/recorder.h"
#include "testenv.h"

namespace {
// Script lines: "<tick> press|release space|left|right|escape|n", "<tick> mouse <dx>", "end <tick>".
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

void Play(const std::vector<std::string>& e) {
  static const std::map<std::string, SDLKey> keys = {
      {"space", SDLK_SPACE}, {"left", SDLK_LEFT}, {"right", SDLK_RIGHT}, {"escape", SDLK_ESCAPE},
      {"n", SDLK_n},         {"up", SDLK_UP},     {"down", SDLK_DOWN},   {"return", SDLK_RETURN}};
  Game.event = {};
  if (e[0] == "mouse") {
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

TScript ReadScriptFile(const std::string& name) {
  std::ifstream file(std::string(REBOUNDER_TEST_DIR) + "/replays/" + name);
  EXPECT_TRUE(file) << name;
  return ReadScript(file);
}

class Replay : public GameTest {};
}  // namespace

TEST_F(Replay, FirstLevelsPlayExactlyAsRecorded) {
  const std::string dir = std::string(REBOUNDER_TEST_DIR) + "/replays/";
  std::ifstream scriptFile(dir + "first-levels.script");
  ASSERT_TRUE(scriptFile) << dir;
  const TScript script = ReadScript(scriptFile);
  ASSERT_GT(script.end, 0);

  StartNewGame(0);
  std::string summary;
  for (int tick = 0; tick <= script.end; ++tick) {
    auto range = script.events.equal_range(tick);
    for (auto it = range.first; it != range.second; ++it) Play(it->second);
    LogicTick();
    CheckGameFlow();
    if (tick % 50 == 0) summary += Summary(tick);
  }

  const std::string expectedPath = dir + "first-levels.expected";
  if (std::getenv("REBOUNDER_RECORD")) std::ofstream(expectedPath) << summary;
  std::ifstream expectedFile(expectedPath);
  ASSERT_TRUE(expectedFile) << expectedPath;
  std::stringstream expected;
  expected << expectedFile.rdbuf();
  EXPECT_EQ(summary, expected.str());
}

// The script, with a pause in which the explosions are switched off, is
// recorded as it is played; the recording, read back from its text, must give
// the same frame after every pass, whatever state the game was left in.
TEST_F(Replay, ARecordedGamePlaysBackPictureForPicture) {
  TScript script = ReadScriptFile("first-levels.script");
  std::istringstream pause(
      "210 press escape\n211 press down\n212 press down\n213 press return\n214 press down\n"
      "215 press down\n216 press down\n217 press down\n218 press down\n219 press return\n"
      "230 press escape\n231 press up\n232 press up\n240 press return\n");
  for (auto& e : ReadScript(pause).events) script.events.insert(e);
  const int end = 1250;  // the game is over, and fire has not left it yet

  Game.paddle->x = 300;
  Game.beamPhase = 7;
  EnableRecording(true);
  StartNewGame(0);
  std::vector<uint64_t> frames;
  for (int tick = 0; tick <= end; ++tick) {
    auto range = script.events.equal_range(tick);
    for (auto it = range.first; it != range.second; ++it) Play(it->second);
    LogicTick();
    CheckGameFlow();
    RecordPass(1);
    DrawStateFrame();
    frames.push_back(ScreenHash());
  }
  const TReplay recorded = FinishRecording();
  EnableRecording(false);
  ASSERT_EQ(Game.gameState, gsGameOver);
  EXPECT_FALSE(Game.optExplosions.value);
  const TReplayCheckpoint final = {end + 1, Game.levelIndex, Game.score, Game.lives, 0};

  TReplay read;
  std::string error;
  const std::string text = ReplayText(recorded);
  ASSERT_TRUE(ParseReplay(text, read, error)) << error;
  EXPECT_EQ(ReplayText(read), text);
  ASSERT_EQ(read.checkpoints.size(), 1u);  // the game over; n skipped the other level
  EXPECT_EQ(read.checkpoints[0].gameState, gsGameOver);
  EXPECT_EQ(read.end, final);

  // Leave the game elsewhere: another level, paddle, stars and options.
  Game.optExplosions.value = true;
  Game.paddle->x = 100;
  Game.paddle->size = psLarge;
  Game.stars->Create(0, 0, Game.sprStar);
  Game.levelIndex = 17;
  NextLevel();
  for (int i = 0; i < 9; ++i) LogicTick();

  CPlayback playback(read);
  size_t pass = 0;
  for (; !playback.Done(); ++pass) {
    playback.Step(true);
    ASSERT_LT(pass, frames.size());
    ASSERT_EQ(ScreenHash(), frames[pass]) << "first different frame after pass " << pass;
  }
  EXPECT_EQ(pass, frames.size());
  EXPECT_EQ(playback.Mismatch(), "");
  EXPECT_EQ(playback.Summary(), final);
}
