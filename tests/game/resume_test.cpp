// "continue" goes on exactly where the game stopped: a game quit and
// continued twice ends as the same game played straight through, and so does
// its recording played back; a killed game goes on from less than a second
// before it was killed; a journal that does not fit goes on from the level start.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/clock.h"
#include "base/globals.h"
#include "base/random.h"
#include "field/ball.h"
#include "field/bonus.h"
#include "field/brick.h"
#include "field/floater.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "game/input.h"
#include "game/mainloop.h"
#include "game/playback.h"
#include "platform/datafile.h"
#include "replay/journal.h"
#include "replay/recorder.h"
#include "session/gameflow.h"
#include "session/keptgame.h"
#include "session/players.h"
#include "tests/testenv.h"

namespace {
uint32_t clockNow = 0;
uint32_t FakeClock() { return clockNow; }

// Everything of the game that plays on: the field, what moves in it, the
// powers, timers, random generator and every player's seat.
std::string World() {
  std::ostringstream s;
  s << Game.score << ' ' << Game.lives << ' ' << Game.levelIndex << ' ' << Game.levelName << ' '
    << int(Game.gameState) << ' ' << Game.levelStartScore << ' ' << Game.levelStartLives << ' '
    << int(Game.ballType) << ' ' << Game.ballSpeed << ' ' << Game.baseBallSpeed << ' ' << Game.energy << ' '
    << Game.floaterTimer << ' ' << Game.maxFloaters << ' ' << Game.levelComplete << ' ' << RandomState()
    << " |";
  s << " paddle " << Game.paddle->x << ' ' << int(Game.paddle->size) << ' ' << Game.paddle->direction << ' '
    << Game.paddle->slow << " |";
  for (int i = 0; i < Game.balls.Count(); ++i) {
    const CBall* b = Game.balls[i];
    s << " ball " << b->x << ',' << b->y << ',' << b->angle << ',' << b->speed << ',' << int(b->type) << ','
      << b->stuck;
  }
  for (int i = 0; i < Game.bonuses.Count(); ++i)
    s << " capsule " << Game.bonuses[i]->x << ',' << Game.bonuses[i]->y << ',' << int(Game.bonuses[i]->kind);
  for (int i = 0; i < Game.floaters.Count(); ++i) {
    const CFloater* f = Game.floaters[i];
    s << " floater " << f->x << ',' << f->y << ',' << f->dx << ',' << f->dy << ',' << f->counter;
  }
  s << " |";
  auto field = [&s](const TObjectList<CBrick>& bricks) {
    for (int i = 0; i < bricks.Count(); ++i)
      s << ' ' << bricks[i]->x << ',' << bricks[i]->y << ',' << int(bricks[i]->colour) << ','
        << int(bricks[i]->bonus);
  };
  field(Game.bricks);
  s << " | turn " << HotSeat.turn;
  for (const TPlayer& p : HotSeat.players) {
    s << " | " << p.name << ' ' << p.score << ' ' << p.lives << ' ' << p.levelIndex << ' ' << p.started;
    field(p.bricks);
  }
  return s.str();
}

class Resume : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    std::string error;
    ASSERT_TRUE(MakeDataFolder(error)) << error;
    clockNow = 1000;
    SetTicksSource(FakeClock);
    EnableRecording(true);
  }
  void TearDown() override {
    FinishRecording();
    EnableRecording(false);
    DiscardSavedGame();
    GameTest::TearDown();
  }

  static void Key(SDLKey key, bool down) {
    Game.event = {};
    Game.event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    Game.event.key.keysym.sym = key;
    Game.keyState[key] = down ? 1 : 0;
    DispatchEvent();
  }

  // One pass as a player plays it: the paddle runs after the first ball
  // (but for a while now and then, so that balls are lost), fire is pressed
  // every so often; then a tick, the game-flow checks and the recording.
  static void Pass(int p) {
    const SDLKey fire = Game.settings.controls.keys[kaFire];
    if (p % 40 == 20) Key(fire, true);
    if (p % 40 == 23) Key(fire, false);
    const CBall* ball = Game.balls.First();
    const bool idle = p % 1000 >= 880 && p < 2500;
    const bool left = ball && !idle && ball->x < Game.paddle->x - 6;
    const bool right = ball && !idle && ball->x > Game.paddle->x + 6;
    if (left != (Game.keyState[SDLK_LEFT] == 1)) Key(SDLK_LEFT, left);
    if (right != (Game.keyState[SDLK_RIGHT] == 1)) Key(SDLK_RIGHT, right);
    LogicTick();
    clockNow += 25;
    EndPass(1);
  }

  // The program ends as it ends on a quit; a new run starts with nothing of
  // the game but its files, and "continue" is chosen on the main menu.
  static void QuitAndContinue(bool newFireKey) {
    ASSERT_TRUE(SaveDataFiles());
    if (newFireKey) Game.settings.controls.keys[kaFire] = SDLK_LCTRL;
    FinishRecording();
    Game.balls.Clear();
    Game.bonuses.Clear();
    Game.floaters.Clear();
    Game.effects.Clear();
    Game.bricks.Clear();
    ClearSeats();
    Game.paddle.reset(new CPaddle(240, 420));
    RandomSeed(99);
    Game.score = 0;
    Game.lives = 3;
    Game.levelIndex = -1;
    Game.fireHeld = false;
    for (int k = 0; k < SDLK_LAST; ++k) Game.keyState[k] = 0;
    Game.programState = psMenu;
    Game.returnState = psMenu;
    LoadSavedGame();
    ASSERT_TRUE(Game.haveSavedGame);
    OpenMainMenu();
    PressKey(SDLK_RETURN);
    ASSERT_EQ(Game.programState, psGame);
  }

  // Plays passes [0, passes) of a new game, quitting and continuing before
  // each pass in `quits`; returns the world at the end and its recording.
  // At the first quit the player takes another fire key (as the settings
  // screen would, in the game played straight through).
  std::string PlayGame(const std::vector<std::string>& players, int passes, const std::vector<int>& quits,
                       TReplay& recording) {
    // Lap 1 alone, a lap with floaters on a hot seat of three.
    StartNewGame(players.empty() ? 1 : 2, players);
    for (int p = 0; p < passes; ++p) {
      for (int q : quits)
        if (q == p) QuitAndContinue(q == quits[0]);
      if (quits.empty() && p == 1234) {
        const TControls before = Game.settings.controls;
        Game.settings.controls.keys[kaFire] = SDLK_LCTRL;
        RecordControls(before);
      }
      Pass(p);
    }
    EXPECT_NE(Game.gameState, gsGameOver) << "the game is still being recorded";
    const std::string world = World();
    recording = FinishRecording();
    return world;
  }

  static std::string PlayedBack(const TReplay& recording) {
    EnableRecording(false);
    CPlayback playback(recording);
    while (!playback.Done()) playback.Step(false);
    EXPECT_EQ(playback.Mismatch(), "");
    EnableRecording(true);
    return World();
  }
};
}  // namespace

// Quit twice mid-level, with balls, capsules and floaters about, in a game of
// one and in a hot seat of three: the same end as without the quits, and the
// recording of the continued game plays back to that end as well.
TEST_F(Resume, AGameQuitAndContinuedTwiceEndsAsOnePlayedStraightThrough) {
  for (const std::vector<std::string>& players :
       {std::vector<std::string>{}, std::vector<std::string>{"ANN", "BOB", "CID"}}) {
    SCOPED_TRACE(players.size());
    TReplay straight, continued;
    const std::string unbroken = PlayGame(players, 3000, {}, straight);
    EXPECT_EQ(PlayedBack(straight), unbroken);
    SetUp();
    const std::string broken = PlayGame(players, 3000, {1234, 2345}, continued);
    EXPECT_EQ(Game.settings.controls.keys[kaFire], SDLK_LCTRL);
    EXPECT_EQ(broken, unbroken);
    EXPECT_EQ(PlayedBack(continued), unbroken);
    EXPECT_TRUE(continued.start.exact) << "the recording starts where the journal did";
    SetUp();
  }
}

// Killed without a word: "continue" goes on from the last moment written
// out, never more than a second (40 ticks) before the kill, exactly as the
// game stood then.
TEST_F(Resume, AKilledGameGoesOnFromLessThanASecondBeforeTheKill) {
  StartNewGame(0);
  std::vector<std::string> worlds;
  for (int p = 0; p < 1500; ++p) {
    Pass(p);
    worlds.push_back(World());
  }
  const int killedAt = static_cast<int>(worlds.size()) - 1;
  // Nothing is saved at a kill: the files are what they were.
  Game.quitRequested = false;
  TReplay ignored = FinishRecording();
  (void)ignored;
  LoadSavedGame();
  ASSERT_TRUE(Game.haveSavedGame);
  Game.bricks.Clear();
  Game.balls.Clear();
  Game.programState = psMenu;
  Game.returnState = psMenu;
  OpenMainMenu();
  PressKey(SDLK_RETURN);
  const std::string now = World();
  int found = -1;
  for (int p = killedAt; p >= 0 && found < 0; --p)
    if (worlds[p] == now) found = p;
  ASSERT_GE(found, 0) << "the game goes on as it stood at some moment before the kill";
  EXPECT_GE(found, killedAt - 40);
  EXPECT_GT(Game.balls.Count(), 0) << "mid-level, a ball in play";
}

// Closing the window asks first; the pass in which "yes" ends the game still
// runs its tick, which the player never sees: the game goes on as it stood
// when the question came up.
TEST_F(Resume, AGameLeftThroughTheQuitQuestionGoesOnAsTheQuestionFoundIt) {
  StartNewGame(0);
  for (int p = 0; p < 300; ++p) Pass(p);
  const std::string asked = World();
  Game.event = {};
  Game.event.type = SDL_QUIT;
  DispatchEvent();
  ASSERT_EQ(Game.question, qnQuit);
  LogicTick();
  EndPass(1);
  PressKey(SDLK_y);
  ASSERT_TRUE(Game.quitRequested);
  LogicTick();
  EndPass(1);
  ASSERT_NE(World(), asked) << "play moved on after the answer";
  Game.quitRequested = false;
  QuitAndContinue(false);
  EXPECT_EQ(World(), asked);
  EXPECT_EQ(Game.question, qnNone);
}

// A journal that belongs to another game, or one damaged, is never played:
// the game goes on from its level start, as a game kept by an older Rebounder does.
TEST_F(Resume, AJournalThatDoesNotFitGoesOnFromTheLevelStart) {
  StartNewGame(0);
  for (int p = 0; p < 400; ++p) Pass(p);
  ASSERT_TRUE(SaveDataFiles());
  FinishRecording();
  {
    std::fstream f(KeptJournalPath(), std::ios::in | std::ios::out);
    f.seekp(200);
    f << "x";
  }
  LoadSavedGame();
  ASSERT_FALSE(Game.savedGame.journal.empty());
  Game.programState = psMenu;
  OpenMainMenu();
  PressKey(SDLK_RETURN);
  EXPECT_EQ(Game.gameState, gsFirstBall) << "at the level start";
  EXPECT_EQ(Game.balls.Count(), 0);
  EXPECT_NE(Game.noticeLines[0].find("level start"), std::string::npos);
}
