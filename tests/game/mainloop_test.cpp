// The main loop's tick schedule: owed ticks, stalls and the pacing of pictures.
#include "game/mainloop.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <vector>

#include "base/clock.h"
#include "base/globals.h"
#include "base/random.h"
#include "field/ball.h"
#include "field/particles.h"
#include "media/catalogue.h"
#include "media/spritecopy.h"
#include "tests/testenv.h"

namespace {
uint32_t fakeNow = 0;
uint32_t FakeTicks() { return fakeNow; }

class TickSchedule : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    SetTicksSource(FakeTicks);
    Game.programState = psMenu;  // ticks then only count
  }
};
}  // namespace

// Whole ticks owed run in a row; what is left over stays owed, across the
// clock's wrap-around too.
TEST_F(TickSchedule, OwedTicksRunAndTheRemainderStaysOwed) {
  const struct {
    uint32_t last, now;
    int ran;
    uint32_t lastAfter;
  } steps[] = {
      {1000, 1025, 0, 1000},                            // exactly one tick waits for the next pass
      {1000, 1026, 1, 1025},                            // the 1 ms remainder is carried over
      {5000, 5000 + 25 * 7 + 10, 7, 5000 + 25 * 7},     // seven whole ticks and 10 ms
      {0xFFFFFFF0u, 0x0000000Cu, 1, 0xFFFFFFF0u + 25},  // 28 ms later, across the wrap
      {0xFFFFFFF0u + 25, 0x0000000Cu + 40, 1, 0xFFFFFFF0u + 50},
  };
  for (const auto& s : steps) {
    Game.lastTick = s.last;
    Game.tickCount = 0;
    fakeNow = s.now;
    EXPECT_EQ(RunOwedTicks(), s.ran) << s.last << " to " << s.now;
    EXPECT_EQ(Game.tickCount, s.ran) << s.last << " to " << s.now;
    EXPECT_EQ(Game.lastTick, s.lastAfter) << s.last << " to " << s.now;
  }
}

// A stall is not played out: play goes on one tick later where it stood. A
// short one (a busy machine) is only a frozen picture; one over two seconds
// (a suspend, a stopped process) pauses play before anything moves.
TEST_F(TickSchedule, StallsAreDroppedAndOnlyALongOnePausesPlay) {
  Game.lastTick = fakeNow = 1000;
  fakeNow += 20000;
  EXPECT_EQ(RunOwedTicks(), 1);
  EXPECT_EQ(fakeNow - Game.lastTick, 1u);

  StartEmptyPlay();
  CBall* ball = Game.balls.Add(new CBall(240, 300, btNormal));
  ball->angle = 265;  // nearly straight up, clear of everything for a while
  for (int stall = 0; stall < 3; ++stall) {
    const float y = ball->y;
    fakeNow += 400;
    EXPECT_EQ(RunOwedTicks(), 1);
    EXPECT_EQ(Game.programState, psGame) << "stall " << stall;
    EXPECT_NEAR(ball->y, y - ball->speed, 0.1) << "one tick's step, no more";
  }
  EXPECT_EQ(Game.lives, 3);

  Game.lastTick = fakeNow;
  fakeNow += 2000;  // the longest stall that only holds the picture
  RunOwedTicks();
  EXPECT_EQ(Game.programState, psGame);
  const float x = ball->x, y = ball->y;
  Game.lastTick = fakeNow;
  fakeNow += 2001;
  RunOwedTicks();
  EXPECT_EQ(Game.programState, psMenu);
  EXPECT_EQ(Game.returnState, psGame);
  EXPECT_EQ(Game.menuCursor, 0);
  EXPECT_EQ(ball->x, x);
  EXPECT_EQ(ball->y, y);
  EXPECT_EQ(Game.lives, 3);
}

// Between ticks the moving objects are drawn by the share of the tick passed
// since the last one: none at once, in step with the clock, and never past
// the next tick's place when the next tick is late.
TEST_F(TickSchedule, TheTickShareFollowsTheClockUpToAWholeTick) {
  Game.lastTick = 1000;
  const std::pair<uint32_t, float> shares[] = {{1000, 0}, {1010, 0.4f}, {1025, 1}, {1040, 1}, {3000, 1}};
  for (const auto& [now, share] : shares) {
    fakeNow = now;
    EXPECT_FLOAT_EQ(TickShare(), share) << now;
  }
}

// A clock that reads the same millisecond twice before moving on, as real
// readings a few microseconds apart do.
uint32_t readings = 0;
uint32_t SlowTicks() { return fakeNow + 5 * (readings++ / 2); }

TEST_F(TickSchedule, EveryWaitEndsWithATickDueSoEachFrameHasItsTick) {
  Game.lastTick = fakeNow = 100;
  readings = 0;
  SetTicksSource(SlowTicks);
  for (int frame = 1; frame <= 5; ++frame) {
    WaitForNextTick();
    EXPECT_EQ(RunOwedTicks(), 1) << "frame " << frame;
  }
  EXPECT_EQ(Game.tickCount, 5);
}

// Pictures come evenly at every rate, each interval a whole millisecond
// either side of the exact one; one that is late by a whole picture or more
// goes up at once and the next follows a full interval later, never a burst.
TEST_F(TickSchedule, PicturesArePacedEvenlyAndALateOneIsNotRushed) {
  for (int rate : {60, 120, 144}) {
    fakeNow += 1000;  // late: the pace starts again from now
    ASSERT_EQ(PictureWait(rate), 0u);
    const uint32_t start = fakeNow;
    const double interval = 1000.0 / rate;
    int pictures = 1;
    for (;;) {
      const uint32_t wait = PictureWait(rate);
      EXPECT_TRUE(wait == static_cast<uint32_t>(interval) || wait == static_cast<uint32_t>(interval) + 1)
          << rate << ": " << wait;
      fakeNow += wait;
      if (fakeNow - start >= 1000) break;
      ++pictures;
    }
    EXPECT_EQ(pictures, rate);
    fakeNow += 3 * static_cast<uint32_t>(interval);
    EXPECT_EQ(PictureWait(rate), 0u);
    EXPECT_GE(PictureWait(rate), static_cast<uint32_t>(interval)) << rate;
  }
}
