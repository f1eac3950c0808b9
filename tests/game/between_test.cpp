// Pictures between ticks: moving objects are drawn between their last two
// tick places, a drawn ball stays inside the field, and drawing any number of
// pictures changes nothing of the game.
#include <sstream>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/random.h"
#include "field/autopilot.h"
#include "field/ball.h"
#include "field/bonus.h"
#include "field/brick.h"
#include "field/floater.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "game/input.h"
#include "game/mainloop.h"
#include "session/gameflow.h"
#include "tests/screencheck.h"
#include "tests/testenv.h"

namespace {
uint32_t FixedSeconds() { return 1700000000u; }

void AddParticles(std::ostringstream& s, const CParticleSystem& system) {
  for (int i = 0; i < system.particles.Count(); ++i) {
    const CParticle* p = system.particles[i];
    s << ' ' << p->x << ',' << p->y << ',' << p->dx << ',' << p->dy << ',' << p->life;
  }
  s << ';';
}

// Everything of the game a picture could disturb, as text.
std::string WorldState() {
  std::ostringstream s;
  s << std::hexfloat << RandomState() << ' ' << Game.tickCount << ' ' << Game.beamPhase << ' ' << Game.score
    << ' ' << Game.lives << ' ' << Game.energy << ' ' << int(Game.gameState) << ' ' << Game.levelIndex << '|';
  for (int i = 0; i < Game.balls.Count(); ++i) {
    const CBall* b = Game.balls[i];
    s << b->x << ',' << b->y << ',' << b->angle << ',' << b->speed << ',' << int(b->type) << ',' << b->stuck
      << ' ';
  }
  const CPaddle& paddle = *Game.paddle;
  s << '|' << paddle.x << ',' << int(paddle.size) << ',' << paddle.direction << ',' << paddle.slow << '|'
    << Game.bricks.Count() << '|';
  for (int i = 0; i < Game.bonuses.Count(); ++i)
    s << Game.bonuses[i]->x << ',' << Game.bonuses[i]->y << ',' << int(Game.bonuses[i]->kind) << ' ';
  for (int i = 0; i < Game.floaters.Count(); ++i) {
    const CFloater* f = Game.floaters[i];
    s << f->x << ',' << f->y << ',' << f->dx << ',' << f->dy << ',' << f->counter << ' ';
  }
  for (int i = 0; i < Game.effects.Count(); ++i) AddParticles(s, *Game.effects[i]);
  AddParticles(s, *Game.stars);
  return s.str();
}

class Between : public GameTest {
protected:
  // The autopilot plays a game on the second lap (floaters, capsules, faster
  // balls); after each tick's own picture `between` more are drawn, each
  // checked for a ball outside the field. Returns the state after every tick.
  std::vector<std::string> Play(int ticks, int between) {
    SetSecondsSource(FixedSeconds);
    Game.paddle.reset(new CPaddle(240, 420));
    Game.effects.Clear();
    RandomSeed(1);
    Game.stars.reset(new CStars());
    Game.stars->Create(0, 0, Game.sprStar);
    Game.tickCount = Game.beamPhase = Game.energy = 0;
    Game.fireHeld = Game.firePressed = false;
    Game.ballType = btNormal;
    Game.ballSpeed = Game.baseBallSpeed;
    StartNewGame(1);
    CAutopilot pilot(7);
    std::vector<std::string> states;
    for (int tick = 0; tick < ticks; ++tick) {
      if (pilot.Tick()) TapFire();
      LogicTick();
      CheckGameFlow();
      DrawPicture(0.25f, true);
      for (int k = 1; k <= between; ++k) {
        const float share = static_cast<float>(k) / static_cast<float>(between + 1);
        DrawPicture(share, false);
        for (int i = 0; i < Game.balls.Count(); ++i) {
          int x, y;
          Game.balls[i]->DrawnAt(share, x, y);
          // Where the ticks keep it: its edge short of the walls, 20 pixels in
          // (a pixel nearer for a ball launched beside a wall), and above the strip.
          EXPECT_TRUE(x >= 27 && x <= 453 && y >= 27 && y <= 432)
              << "tick " << tick << " share " << share << ": " << x << "," << y;
        }
      }
      ballTicks += Game.balls.Count();
      states.push_back(WorldState());
      if (HasFailure()) break;
    }
    SetSecondsSource(nullptr);
    return states;
  }
  int ballTicks = 0;
};
}  // namespace

TEST_F(Between, PicturesBetweenTicksChangeNothingAndKeepTheBallInTheField) {
  const std::vector<std::string> plain = Play(3000, 0);
  ASSERT_GT(ballTicks, 2000) << "the autopilot must keep a ball in play";
  const std::vector<std::string> drawn = Play(3000, 3);
  ASSERT_EQ(drawn.size(), plain.size());
  for (size_t tick = 0; tick < plain.size(); ++tick)
    ASSERT_EQ(drawn[tick], plain[tick]) << "first difference after tick " << tick;
}

// A ball is drawn along its last step by the share of the tick passed; one
// that stood still in the last tick (play frozen), that was just launched or
// that the magnet holds is drawn where it is.
TEST_F(Between, ABallIsDrawnAlongItsLastStepOnlyWhenTheLastTickMovedIt) {
  StartEmptyPlay();
  CBall* ball = Game.balls.Add(new CBall(240, 300, btNormal));
  ball->angle = 300;
  int x, y;
  ball->DrawnAt(0.5f, x, y);
  EXPECT_EQ(x, 240) << "a new ball has no step to be drawn along";
  EXPECT_EQ(y, 300);
  LogicTick();
  float dx, dy;
  StepVector(300, ball->speed, dx, dy);
  for (float share : {0.0f, 0.5f, 1.0f}) {
    ball->DrawnAt(share, x, y);
    EXPECT_EQ(x, static_cast<int>(240 + dx * share)) << share;
    EXPECT_EQ(y, static_cast<int>(300 + dy * share)) << share;
  }
  Game.playPaused = true;
  LogicTick();
  ball->DrawnAt(0.0f, x, y);
  EXPECT_EQ(x, static_cast<int>(ball->x)) << "frozen play is drawn where it stands";
  EXPECT_EQ(y, static_cast<int>(ball->y));
  Game.playPaused = false;
  LogicTick();
  ball->stuck = true;
  ball->DrawnAt(0.0f, x, y);
  EXPECT_EQ(x, static_cast<int>(ball->x)) << "a ball held by the magnet is drawn where it is";
}

// The paddle is drawn from where the tick before left it: the mouse's moves
// between ticks glide too.
TEST_F(Between, ThePaddleGlidesFromWhereTheTickBeforeLeftIt) {
  StartEmptyPlay();
  CPaddle& paddle = *Game.paddle;
  const int h = paddle.HalfWidth();
  LogicTick();
  paddle.MouseMove(40);
  LogicTick();
  ASSERT_EQ(paddle.x, 260);
  for (const auto& at : {std::pair<float, int>{0.0f, 240}, {0.5f, 250}, {1.0f, 260}}) {
    ClearWindow(0);
    DrawPicture(at.first, false);
    EXPECT_TRUE(SpriteShown(paddle.Sprite(), at.second - h, paddle.y - 8)) << at.first;
  }
}
