// Long seeded games with a scripted player, checking the invariants of the
// play field after every tick. Meant to run under the sanitizers too: every
// object of every list is touched after each tick.
#include <cmath>
#include <cstdlib>
#include <set>
#include <vector>

#include "effects/bonus.h"
#include "effects/floater.h"
#include "effects/particles.h"
#include "field/ball.h"
#include "field/brick.h"
#include "field/gameflow.h"
#include "field/paddle.h"
#include "shell/catalogue.h"
#include "shell/globals.h"
#include "shell/input.h"
#include "shell/mainloop.h"
#include "testenv.h"

namespace {
class SoakTest : public GameTest {};

// Ticks until a ball comes down to the paddle band, roughly.
double TicksToPaddle(const CBall* ball) {
  const double vy = std::sin(ball->angle * M_PI / 180.0) * ball->speed;
  if (std::fabs(vy) < 0.5) return 1000;
  return vy > 0 ? (404 - ball->y) / vy : (ball->y - 20 + 384) / -vy;
}

// Stays under the ball that comes down first, but fetches a capsule about to
// pass the paddle while there is time; aims a little off-centre so the
// bounces vary.
int PaddleTarget(int tick) {
  const CBall* ball = nullptr;
  for (int i = 0; i < Game.balls.Count(); ++i)
    if (!ball || TicksToPaddle(Game.balls[i]) < TicksToPaddle(ball)) ball = Game.balls[i];
  const CBonus* capsule = nullptr;
  for (int i = 0; i < Game.bonuses.Count(); ++i) {
    const CBonus* c = Game.bonuses[i];
    if (c->y >= 370 && c->y <= 430 && (!capsule || c->y > capsule->y)) capsule = c;
  }
  if (capsule && (!ball || TicksToPaddle(ball) > 24)) return capsule->x;
  const int reach = Game.paddle->HalfWidth() / 2;
  const int aim =
      static_cast<int>((static_cast<uint32_t>(tick / 8) * 2654435761u) >> 20) % (2 * reach + 1) - reach;
  if (ball) return static_cast<int>(ball->x + std::cos(ball->angle * M_PI / 180.0) * ball->speed) + aim;
  return 240;
}

// Steers like a mouse, so reversed and slowed paddles are steered through the real rule.
void SteerTowards(int target) {
  CPaddle& paddle = *Game.paddle;
  int step = target - paddle.x;
  if (step > 30) step = 30;
  if (step < -30) step = -30;
  paddle.MouseMove(step * (paddle.slow ? 5 : 2) * paddle.direction);
}

void Dispatch(Uint8 type, SDLKey key = SDLK_UNKNOWN) {
  Game.event = SDL_Event();
  Game.event.type = type;
  Game.event.key.keysym.sym = key;
  DispatchEvent();
}

void CheckInvariants(int tick) {
  ASSERT_TRUE(Game.energy >= 0 && Game.energy <= 40000) << "tick " << tick << ": " << Game.energy;
  ASSERT_TRUE(Game.lives >= 0 && Game.lives <= 5) << "tick " << tick << ": " << Game.lives;
  for (int i = 0; i < Game.balls.Count(); ++i) {
    const CBall* ball = Game.balls[i];
    ASSERT_LE(std::abs(ball->speed - Game.baseBallSpeed), 1) << "tick " << tick;
    ASSERT_LE(ball->type, btMagnet) << "tick " << tick;
  }
  for (int i = 0; i < Game.bricks.Count(); ++i) ASSERT_LE(Game.bricks[i]->special, bsSolid);
  for (int i = 0; i < Game.bonuses.Count(); ++i) {
    ASSERT_LE(Game.bonuses[i]->y, 480) << "tick " << tick;
    ASSERT_NE(Game.bonuses[i]->kind, bbNone) << "tick " << tick;
  }
  ASSERT_LE(Game.floaters.Count(), Game.maxFloaters) << "tick " << tick;
  for (int i = 0; i < Game.floaters.Count(); ++i) ASSERT_GT(Game.floaters[i]->radius, 0);
  for (int i = 0; i < Game.effects.Count(); ++i) {
    const CParticleSystem* effect = Game.effects[i];
    ASSERT_TRUE(effect->particles.Count() > 0 && effect->particles.Count() <= 8) << "tick " << tick;
    for (int j = 0; j < effect->particles.Count(); ++j) ASSERT_LE(effect->particles[j]->life, 48);
  }
}

struct TRunStats {
  std::set<int> levels;
  std::set<Mix_Chunk*> sounds;
  bool slowedPaddle = false, reversedPaddle = false;
  int mysteriesCaught = 0;
};

// Plays a game at a difficulty for a number of ticks; the player keeps
// clicking (which launches balls and moves on from a cleared level), starts a
// new game after a lost one and skips a level that drags on with the n key.
void RunScriptedGame(int difficulty, int ticks, int ticksPerLevel, TRunStats& stats,
                     std::vector<Mix_Chunk*>& played) {
  StartNewGame(difficulty);
  int ticksOnLevel = 0, levelIndex = Game.levelIndex;
  for (int tick = 0; tick < ticks; ++tick) {
    Dispatch(SDL_MOUSEBUTTONDOWN);
    if (Game.programState == psMenu) StartNewGame(difficulty);
    if (++ticksOnLevel > ticksPerLevel) Dispatch(SDL_KEYDOWN, SDLK_n);
    if (Game.levelIndex != levelIndex) ticksOnLevel = 0, levelIndex = Game.levelIndex;
    SteerTowards(PaddleTarget(tick));
    std::set<const CBonus*> mysteries;
    for (int i = 0; i < Game.bonuses.Count(); ++i)
      if (Game.bonuses[i]->kind == bbQuestion && Game.bonuses[i]->y <= 440) mysteries.insert(Game.bonuses[i]);

    LogicTick();

    for (const CBonus* mystery : mysteries)
      if (!Game.bonuses.Contains(mystery)) ++stats.mysteriesCaught;
    stats.slowedPaddle |= Game.paddle->slow;
    stats.reversedPaddle |= Game.paddle->direction == -1;
    CheckInvariants(tick);
    if (::testing::Test::HasFatalFailure()) return;
    CheckGameFlow();
    stats.levels.insert(Game.levelIndex);
    stats.sounds.insert(played.begin(), played.end());
    played.clear();
  }
}
}  // namespace

// Fifty thousand ticks at the hardest difficulty (floaters, handicaps, fast
// balls), then as many at the easiest: the hardest one's random capsules never
// hold fire or an extra life, so only both runs together catch every kind.
TEST_F(SoakTest, LongScriptedGamesAtTheHardestThenTheEasiestDifficulty) {
  TRunStats hard;
  RunScriptedGame(4, 50000, 6000, hard, played);
  if (HasFatalFailure()) return;
  EXPECT_GE(hard.levels.size(), 8u);
  EXPECT_GT(hard.mysteriesCaught, 0);
  EXPECT_TRUE(hard.slowedPaddle);
  EXPECT_TRUE(hard.reversedPaddle);
  EXPECT_EQ(hard.sounds.count(Game.sndFloaterEnter), 1u);
  EXPECT_EQ(hard.sounds.count(Game.sndFloaterZapp), 1u);

  TRunStats easy;
  RunScriptedGame(0, 50000, 5000, easy, played);
  if (HasFatalFailure()) return;
  EXPECT_GE(easy.levels.size(), 8u);
  for (Mix_Chunk* sound :
       {Game.sndExtraBall, Game.sndBonusPickup, Game.sndLargePaddle, Game.sndSmallPaddle, Game.sndFireball,
        Game.sndMagnet, Game.sndSpeedUp, Game.sndSpeedDown, Game.sndExtraLife, Game.sndReverse})
    EXPECT_TRUE(hard.sounds.count(sound) || easy.sounds.count(sound)) << SoundName(sound);
}
