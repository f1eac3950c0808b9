// Recorded-input regression: a script of input events is replayed tick by
// tick through the real dispatch, logic tick and game-flow checks, and a text
// summary of the game every 50 ticks must match the recorded one exactly.
// Run with REBOUNDER_RECORD=1 to rewrite the expected summary after a
// deliberate change of the rules.
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "field/gameflow.h"
#include "field/paddle.h"
#include "shell/globals.h"
#include "shell/input.h"
#include "shell/mainloop.h"
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
  static const std::map<std::string, SDLKey> keys = {{"space", SDLK_SPACE},
                                                     {"left", SDLK_LEFT},
                                                     {"right", SDLK_RIGHT},
                                                     {"escape", SDLK_ESCAPE},
                                                     {"n", SDLK_n}};
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
