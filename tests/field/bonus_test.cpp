// Falling capsules: reach, fall, the effects of a catch and their energy.
#include "field/bonus.h"

#include <map>
#include <vector>

#include "base/globals.h"
#include "base/random.h"
#include "field/ball.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "game/mainloop.h"
#include "media/catalogue.h"
#include "tests/testenv.h"

namespace {
class BonusTest : public GameTest {
protected:
  // Drops a capsule at (x, y) and lets the paddle's update try to catch it.
  bool Catch(TBrickBonus kind, int x = 240, int y = 420) {
    CBonus* bonus = Game.bonuses.Add(new CBonus(x, y, kind));
    Game.paddle->Update();
    return !Game.bonuses.Contains(bonus);
  }
  CBall* AddHeldBall() {
    CBall* ball = Game.balls.Add(new CBall(240, 412, btMagnet));
    ball->stuck = true;
    return ball;
  }
  void CatchEveryPower() {
    for (TBrickBonus kind : {bbPaddleLarge, bbReverse, bbPaddleSpeed, bbMagnet, bbSpeedUp}) Catch(kind);
  }
};

void ExpectNoPowers(const CBall* ball) {
  EXPECT_EQ(Game.paddle->size, psNormal);
  EXPECT_EQ(Game.paddle->direction, 1);
  EXPECT_FALSE(Game.paddle->slow);
  EXPECT_EQ(Game.ballType, btNormal);
  EXPECT_EQ(ball->type, btNormal);
  EXPECT_EQ(Game.ballSpeed, Game.baseBallSpeed);
  EXPECT_EQ(ball->speed, Game.baseBallSpeed);
}

std::vector<Uint8> WindowPixels() {
  std::vector<Uint8> pixels;
  SDL_LockSurface(Game.screen);
  const Uint8* p = static_cast<Uint8*>(Game.screen->pixels);
  pixels.assign(p, p + Game.screen->pitch * 480);
  SDL_UnlockSurface(Game.screen);
  return pixels;
}
}  // namespace

TEST_F(BonusTest, ReachIs32By16ForEveryPaddleSize) {
  for (TPaddleSize size : {psNormal, psLarge, psSmall}) {
    Game.paddle->size = size;
    for (int side : {-1, 1}) {
      EXPECT_FALSE(Catch(bbFire, 240 + 33 * side, 420)) << "size " << size;
      EXPECT_FALSE(Catch(bbFire, 240, 420 + 17 * side)) << "size " << size;
      Game.bonuses.Clear();
      EXPECT_TRUE(Catch(bbFire, 240 + 32 * side, 420 + 16 * side)) << "size " << size;
    }
  }
  EXPECT_EQ(PlayedCount(Game.sndFireball), 6);
}

TEST_F(BonusTest, CapsuleFallsAndLeavesOnceBelowTheField) {
  CBonus* bonus = Game.bonuses.Add(new CBonus(100, 420, bbBall));
  for (int t = 0; t < 20; ++t) bonus->Update();
  ASSERT_TRUE(Game.bonuses.Contains(bonus));
  EXPECT_EQ(bonus->y, 480);
  EXPECT_EQ(bonus->x, 100);
  bonus->Update();
  EXPECT_EQ(Game.bonuses.Count(), 0);
}

TEST_F(BonusTest, ExtraLifeAtFiveLivesOnlyPlaysItsSound) {
  Game.lives = 5;
  Game.energy = 1234;
  ASSERT_TRUE(Catch(bbLife));
  EXPECT_EQ(Game.lives, 5);
  EXPECT_EQ(Game.score, 0u);
  EXPECT_EQ(Game.energy, 1234);
  EXPECT_EQ(Game.effects.Count(), 0);
  EXPECT_EQ(played, std::vector<Mix_Chunk*>{Game.sndExtraLife}) << PlayedNames();

  Game.lives = 3;
  ASSERT_TRUE(Catch(bbLife));
  EXPECT_EQ(Game.lives, 4);
  EXPECT_EQ(Game.energy, 1234);
}

TEST_F(BonusTest, SpeedPowersStayWithinOneOfTheBaseSpeed) {
  CBall* ball = Game.balls.Add(new CBall(240, 200, btNormal));
  Catch(bbSpeedUp);
  Catch(bbSpeedUp);
  EXPECT_EQ(Game.ballSpeed, 5);
  EXPECT_EQ(ball->speed, 5);
  EXPECT_EQ(Game.score, 60u);
  Catch(bbSpeedDown);
  EXPECT_EQ(Game.ballSpeed, 4);
  EXPECT_EQ(ball->speed, 4);
  Catch(bbSpeedDown);
  Catch(bbSpeedDown);
  EXPECT_EQ(ball->speed, 3);
}

TEST_F(BonusTest, ExtraBallStartsAtBaseSpeedDuringASpeedPower) {
  Catch(bbFire);
  Catch(bbSpeedUp);
  ASSERT_EQ(Game.ballSpeed, 5);
  Game.score = 0;
  Game.effects.Clear();
  // The points must already be counted when the sound starts.
  uint32_t scoreAtSound = 0;
  SetSoundObserver([&](Mix_Chunk*) { scoreAtSound = Game.score; });
  ASSERT_TRUE(Catch(bbBall));
  ASSERT_EQ(Game.balls.Count(), 1);
  CBall* ball = Game.balls[0];
  EXPECT_EQ(ball->speed, Game.baseBallSpeed);
  EXPECT_EQ(ball->type, btFire);
  EXPECT_EQ(ball->x, 240.0f);
  EXPECT_EQ(ball->y, 416.0f);
  EXPECT_EQ(scoreAtSound, 10u);
  ASSERT_EQ(Game.effects.Count(), 1);
  EXPECT_EQ(Game.effects[0]->particles[0]->x, 240);
  EXPECT_EQ(Game.effects[0]->particles[0]->y, 420);
}

TEST_F(BonusTest, ResetPowersKeepsTheEnergyAsItIs) {
  CBall* ball = Game.balls.Add(new CBall(240, 200, btNormal));
  CatchEveryPower();
  ASSERT_EQ(Game.energy, 40000);
  Game.energy = 5000;
  const uint32_t score = Game.score;
  ASSERT_TRUE(Catch(bbNormal));
  ExpectNoPowers(ball);
  EXPECT_EQ(Game.energy, 5000);
  EXPECT_EQ(Game.score, score);
  EXPECT_EQ(PlayedCount(Game.sndBonusPickup), 1);
}

TEST_F(BonusTest, MysteryTurnsIntoOneOfEightAndRefillsUnlessReset) {
  std::map<Mix_Chunk*, int> outcomes;
  for (int i = 0; i < 800; ++i) {
    Game.energy = 0;
    Game.paddle->slow = false;
    Game.lives = 3;
    played.clear();
    ASSERT_TRUE(Catch(bbQuestion));
    ASSERT_EQ(played.size(), 1u);
    ++outcomes[played[0]];
    EXPECT_FALSE(Game.paddle->slow);
    EXPECT_EQ(Game.lives, 3);
    EXPECT_EQ(Game.energy, played[0] == Game.sndBonusPickup ? 0 : 40000) << SoundName(played[0]);
  }
  const std::vector<Mix_Chunk*> expected = {Game.sndExtraBall,   Game.sndBonusPickup, Game.sndLargePaddle,
                                            Game.sndSmallPaddle, Game.sndFireball,    Game.sndMagnet,
                                            Game.sndSpeedUp,     Game.sndSpeedDown};
  EXPECT_EQ(outcomes.size(), expected.size());
  for (Mix_Chunk* sound : expected) {
    EXPECT_GT(outcomes[sound], 60) << SoundName(sound);
    EXPECT_LT(outcomes[sound], 140) << SoundName(sound);
  }
}

TEST_F(BonusTest, FireMagnetAndResetReleaseAHeldBall) {
  for (TBrickBonus kind : {bbFire, bbMagnet, bbNormal}) {
    Game.balls.Clear();
    Game.ballType = btMagnet;
    CBall* ball = AddHeldBall();
    CBall* other = AddHeldBall();
    ASSERT_TRUE(Catch(kind));
    EXPECT_FALSE(ball->stuck) << "kind " << int(kind);
    EXPECT_FALSE(other->stuck) << "kind " << int(kind);
    EXPECT_EQ(ball->type, Game.ballType);
  }
  EXPECT_EQ(PlayedCount(Game.sndPing), 0);
}

TEST_F(BonusTest, UnknownKindDrawsTheBareBodyAndDoesNothing) {
  const TBrickBonus unknown = static_cast<TBrickBonus>(200);
  EXPECT_EQ(BonusIcon(unknown), nullptr);
  EXPECT_EQ(BonusIcon(static_cast<TBrickBonus>(13)), nullptr);
  EXPECT_EQ(BonusIcon(bbNone), nullptr);
  for (int k = bbBall; k <= bbPaddleSpeed; ++k)
    EXPECT_NE(BonusIcon(static_cast<TBrickBonus>(k)), nullptr) << k;

  ClearWindow(0);
  CBonus(100, 100, unknown).Draw();
  const std::vector<Uint8> drawn = WindowPixels();
  ClearWindow(0);
  DrawSprite(Game.sprBonus, 84, 92);
  EXPECT_EQ(drawn, WindowPixels());

  Game.energy = 700;
  Game.balls.Add(new CBall(240, 200, btNormal));
  ASSERT_TRUE(Catch(unknown));
  EXPECT_TRUE(played.empty()) << PlayedNames();
  EXPECT_EQ(Game.score, 0u);
  EXPECT_EQ(Game.energy, 700);
  EXPECT_EQ(Game.lives, 3);
  EXPECT_EQ(Game.balls.Count(), 1);
  EXPECT_EQ(Game.effects.Count(), 0);
  ExpectNoPowers(Game.balls[0]);
}

TEST_F(BonusTest, LastTickOfEnergyEndsEveryPowerInThatTick) {
  StartEmptyPlay();
  CatchEveryPower();
  CBall* ball = AddHeldBall();
  ball->speed = Game.ballSpeed;
  Game.energy = 50;
  LogicTick();
  EXPECT_EQ(Game.energy, 25);
  EXPECT_TRUE(ball->stuck);
  EXPECT_EQ(Game.ballSpeed, 5);
  EXPECT_EQ(Game.paddle->direction, -1);

  played.clear();
  LogicTick();
  EXPECT_EQ(Game.energy, 0);
  ExpectNoPowers(ball);
  EXPECT_FALSE(ball->stuck);
  EXPECT_EQ(PlayedCount(Game.sndPing), 0);
}
