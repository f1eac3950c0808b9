// A long seeded game at the hardest difficulty with a scripted player, checking
// the invariants of the play field after every tick. Run it under the
// sanitizers too: every object of every list is touched after each tick.
#include <cmath>
#include <cstdlib>
#include <set>

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

bool MovingDown(const CBall* ball) { return std::sin(ball->angle * M_PI / 180.0) > 0; }

// Chases the lowest falling ball while it is near, otherwise the lowest
// catchable capsule, aiming a little off-centre so the bounces vary.
int PaddleTarget(int tick) {
  const CBall* ball = nullptr;
  for (int i = 0; i < Game.balls.Count(); ++i) {
    const CBall* b = Game.balls[i];
    if (MovingDown(b) && (!ball || b->y > ball->y)) ball = b;
  }
  const CBonus* capsule = nullptr;
  for (int i = 0; i < Game.bonuses.Count(); ++i) {
    const CBonus* c = Game.bonuses[i];
    if (c->y <= 436 && (!capsule || c->y > capsule->y)) capsule = c;
  }
  const int reach = Game.paddle->HalfWidth() * 3 / 4;
  const int aim = static_cast<int>((static_cast<uint32_t>(tick / 8) * 2654435761u) >> 20) % (2 * reach + 1) - reach;
  if (ball && (ball->y > 300 || !capsule)) return static_cast<int>(ball->x) + aim;
  if (capsule) return capsule->x;
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
  ASSERT_GE(Game.energy, 0) << "tick " << tick;
  ASSERT_LE(Game.energy, 40000) << "tick " << tick;
  ASSERT_GE(Game.lives, 0) << "tick " << tick;
  ASSERT_LE(Game.lives, 5) << "tick " << tick;
  for (int i = 0; i < Game.balls.Count(); ++i) {
    const CBall* ball = Game.balls[i];
    ASSERT_GE(ball->speed, Game.baseBallSpeed - 1) << "tick " << tick;
    ASSERT_LE(ball->speed, Game.baseBallSpeed + 1) << "tick " << tick;
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
    ASSERT_GT(effect->particles.Count(), 0) << "tick " << tick;
    ASSERT_LE(effect->particles.Count(), 8) << "tick " << tick;
    for (int j = 0; j < effect->particles.Count(); ++j) ASSERT_LE(effect->particles[j]->life, 48);
  }
}
}  // namespace

TEST_F(SoakTest, FiftyThousandTicksAtTheHardestDifficulty) {
  StartNewGame(4);
  std::set<int> levels;
  std::set<Mix_Chunk*> sounds;
  bool slowedPaddle = false, reversedPaddle = false;
  int mysteriesCaught = 0, games = 1, ticksOnLevel = 0, levelIndex = Game.levelIndex;

  for (int tick = 0; tick < 50000; ++tick) {
    // The player keeps clicking, which launches balls and moves on from a
    // cleared level, and skips a level that drags on with the n key.
    Dispatch(SDL_MOUSEBUTTONDOWN);
    if (Game.programState == psMenu) {
      StartNewGame(4);
      ++games;
    }
    if (++ticksOnLevel > 4000) Dispatch(SDL_KEYDOWN, SDLK_n);
    if (Game.levelIndex != levelIndex) ticksOnLevel = 0, levelIndex = Game.levelIndex;
    SteerTowards(PaddleTarget(tick));
    std::set<const CBonus*> mysteries;
    for (int i = 0; i < Game.bonuses.Count(); ++i)
      if (Game.bonuses[i]->kind == bbQuestion && Game.bonuses[i]->y <= 440) mysteries.insert(Game.bonuses[i]);

    LogicTick();

    for (const CBonus* mystery : mysteries)
      if (!Game.bonuses.Contains(mystery)) ++mysteriesCaught;
    slowedPaddle |= Game.paddle->slow;
    reversedPaddle |= Game.paddle->direction == -1;
    CheckInvariants(tick);
    if (HasFatalFailure()) return;
    CheckGameFlow();
    levels.insert(Game.levelIndex);
    for (Mix_Chunk* sound : played) sounds.insert(sound);
    played.clear();
  }

  RecordProperty("levels", static_cast<int>(levels.size()));
  RecordProperty("games", games);
  EXPECT_GE(levels.size(), 8u);
  EXPECT_GT(mysteriesCaught, 0);
  EXPECT_TRUE(slowedPaddle);
  EXPECT_TRUE(reversedPaddle);
  for (Mix_Chunk* sound : {Game.sndExtraBall, Game.sndBonusPickup, Game.sndLargePaddle, Game.sndSmallPaddle,
                           Game.sndFireball, Game.sndMagnet, Game.sndSpeedUp, Game.sndSpeedDown,
                           Game.sndExtraLife, Game.sndReverse, Game.sndFloaterEnter, Game.sndFloaterZapp})
    EXPECT_EQ(sounds.count(sound), 1u) << SoundName(sound);
}
