// CBonusStage: the four kinds of bonus stage, their rules, objects and drawing.
#include "field/bonusstage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/globals.h"
#include "base/random.h"
#include "field/ball.h"
#include "field/bonus.h"
#include "field/brick.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "field/score.h"
#include "media/catalogue.h"
#include "platform/keymap.h"

namespace {
constexpr int Second = 40;  // ticks
constexpr int LeftWall = 20, RightWall = 460, TopWall = 20;

struct TKindText {
  const char *name, *title, *rule;
  int seconds;
};
const TKindText Kinds[BonusKindCount] = {
    {"rain", "capsule rain", "catch the capsules, dodge the bubbles", 40},
    {"keep-up", "keep-up", "keep every ball up, each hit pays", 45},
    {"gallery", "shooting gallery", "fire at the bubbles as they drift by", 40},
    {"wall", "falling wall", "clear the wall before it comes down", 60},
};

// Rain: what falls, and what a catch pays.
constexpr TBrickBonus Looks[] = {bbBall, bbPaddleLarge, bbFire, bbMagnet, bbSpeedDown, bbLife};
constexpr int DudShare = 5;  // one drop in five is a bubble
constexpr int CatchPoints = 10, MostStreak = 5;
constexpr int ShrunkTicks = 3 * Second;

// Keep-up: a new ball every few seconds, up to a handful.
constexpr int NewBallEvery = 8 * Second, MostBalls = 5, HitPoints = 10;
constexpr int RelaunchTicks = Second;

// Gallery: three rows, the top one fastest and worth most.
constexpr int RowY[] = {76, 132, 188};
constexpr int RowSpeed[] = {3, 2, 1};
constexpr uint32_t RowPoints[] = {50, 30, 20};
constexpr int ShotSpeed = 10, MostShots = 2, ShotCooldown = 8;

// Wall: twelve columns of four rows, a row lower every few seconds.
constexpr int WallRows = 4, WallColumns = 12, WallStepTicks = 100;
constexpr TBrickColour WallColours[WallRows] = {bcRed, bcYellow, bcGreen, bcBlue};
constexpr int WallFloor = 380;  // a brick's centre this low has reached the paddle
constexpr uint32_t BreakPoints = 20, ClearedPoints = 500, SecondPoints = 5;

int FloaterRadius() { return Game.sprFloater ? Game.sprFloater->w / 2 : 16; }

bool FireHeld() { return Game.fireHeld || Game.firePressed || BoundKeyHeld(kaFire); }

TBonusTarget NewTarget(int row, int x) {
  const int dx = row % 2 == 0 ? RowSpeed[row] : -RowSpeed[row];
  return {x, RowY[row], x, dx, row};
}
}  // namespace

const char* BonusKindName(TBonusKind kind) { return Kinds[kind].name; }
const char* BonusKindTitle(TBonusKind kind) { return Kinds[kind].title; }
const char* BonusKindRule(TBonusKind kind) { return Kinds[kind].rule; }
int BonusStageTicks(TBonusKind kind) { return Kinds[kind].seconds * Second; }

bool BonusKindByName(const std::string& name, TBonusKind& kind) {
  for (int k = 0; k < BonusKindCount; ++k)
    if (name == Kinds[k].name) {
      kind = static_cast<TBonusKind>(k);
      return true;
    }
  return false;
}

CBonusStage::CBonusStage(TBonusKind kind, bool practice)
    : kind(kind), practice(practice), ticksLeft(BonusStageTicks(kind)), startScore(Game.score) {}

void CBonusStage::Begin() {
  if (kind == bkWall) {
    for (int row = 0; row < WallRows; ++row)
      for (int col = 1; col <= WallColumns; ++col)
        Game.bricks.Add(new CBrick(32 * col + 33, 16 * row + 41, WallColours[row], bsNormal, bbNone));
  } else if (kind == bkGallery) {
    // Each row starts full, its floaters spaced at random.
    for (int row = 0; row < 3; ++row)
      for (int x = 40 + Random(40); x < 440; x += 90 + Random(60)) targets.push_back(NewTarget(row, x));
  }
}

void CBonusStage::Launch() {
  if (kind == bkKeepUp || kind == bkWall)
    Game.balls.Add(new CBall(Game.paddle->x, Game.paddle->y - 4, btNormal));
  paddleHits = Game.paddleHits;
}

bool CBonusStage::Over() const {
  if (ticksLeft <= 0) return true;
  if (kind != bkWall) return false;
  return wallDown || Game.bricks.Empty();
}

uint32_t CBonusStage::Paid() const { return Game.score - startScore; }

void CBonusStage::Tick() {
  movedTick = Game.tickCount;
  ++step;
  if (ticksLeft > 0) --ticksLeft;
  switch (kind) {
    case bkRain:
      TickRain();
      break;
    case bkKeepUp:
      TickKeepUp();
      break;
    case bkGallery:
      TickGallery();
      break;
    case bkWall:
      TickWall();
      break;
    default:
      break;
  }
}

void CBonusStage::TickRain() {
  CPaddle& paddle = *Game.paddle;
  if (shrunk > 0 && --shrunk == 0) paddle.size = psNormal;
  // None starts in the last two seconds: what falls can still be caught.
  if (ticksLeft > 2 * Second && step % 4 == 0 && Random(4) == 0) {
    const bool dud = Random(DudShare) == 0;
    const int x = 40 + Random(401);
    drops.push_back({x, TopWall, TopWall, 2 + Random(3), dud, Looks[Random(6)]});
  }
  const int reach = paddle.HalfWidth() + 8;
  for (size_t i = drops.size(); i-- > 0;) {
    TBonusDrop& d = drops[i];
    d.prevY = d.y;
    d.y += d.speed;
    const bool caught = std::abs(d.x - paddle.x) <= reach && d.y >= paddle.y - 16 && d.y <= paddle.y + 8;
    if (caught && d.dud) {
      SpawnFloaterZapp(d.x, paddle.y - 8);
      paddle.size = psSmall;
      shrunk = ShrunkTicks;
      streak = 1;
    } else if (caught) {
      AddScore(CatchPoints * static_cast<uint32_t>(streak), paddle.x, paddle.y - 16, true);
      PlaySound(Game.sndBonusPickup, d.x);
      streak = std::min(streak + 1, MostStreak);
    } else if (d.y > paddle.y + 16) {
      if (!d.dud) streak = 1;  // a capsule let fall breaks the run
    } else {
      continue;
    }
    drops.erase(drops.begin() + static_cast<long>(i));
  }
}

void CBonusStage::BringBackBall() {
  if (!Game.balls.Empty()) {
    relaunch = RelaunchTicks;
    return;
  }
  if (--relaunch > 0) return;
  relaunch = RelaunchTicks;
  Game.balls.Add(new CBall(Game.paddle->x, Game.paddle->y - 4, btNormal));
  PlaySound(Game.sndExtraBall, Game.paddle->x);
}

void CBonusStage::TickKeepUp() {
  Game.balls.WalkBackward([](CBall* ball) { ball->Update(); });
  const int hits = Game.paddleHits - paddleHits;
  paddleHits = Game.paddleHits;
  if (hits > 0)
    AddScore(HitPoints * static_cast<uint32_t>(hits * Game.balls.Count()), Game.paddle->x,
             Game.paddle->y - 16, true);
  // Each new ball drops in from high up, somewhere across the field.
  if (step % NewBallEvery == 0 && Game.balls.Count() < MostBalls && ticksLeft > 3 * Second) {
    CBall* ball = new CBall(60 + Random(361), 60, btNormal);
    ball->angle = 60 + Random(61);
    Game.balls.Add(ball);
    PlaySound(Game.sndExtraBall, static_cast<int>(ball->x));
  }
  BringBackBall();
}

void CBonusStage::TickGallery() {
  const int r = FloaterRadius();
  for (TBonusTarget& t : targets) {
    t.prevX = t.x;
    t.x += t.dx;
  }
  // A floater that has drifted out comes back in at the far side of its
  // row, after a random gap.
  for (TBonusTarget& t : targets) {
    if (t.dx > 0 && t.x > RightWall + r) t.x = t.prevX = LeftWall - r - Random(80);
    if (t.dx < 0 && t.x < LeftWall - r) t.x = t.prevX = RightWall + r + Random(80);
  }
  if (cooldown > 0) --cooldown;
  const CPaddle& paddle = *Game.paddle;
  if (FireHeld() && cooldown == 0 && static_cast<int>(shots.size()) < MostShots) {
    shots.push_back({paddle.x, paddle.y - 12, paddle.y - 12});
    cooldown = ShotCooldown;
    PlaySound(Game.sndFireball, paddle.x);
  }
  for (size_t i = shots.size(); i-- > 0;) {
    TBonusShot& s = shots[i];
    s.prevY = s.y;
    s.y -= ShotSpeed;
    bool spent = s.y < TopWall;
    for (size_t k = 0; k < targets.size() && !spent; ++k) {
      TBonusTarget& t = targets[k];
      if (std::abs(t.x - s.x) >= r + 4 || std::abs(t.y - s.y) >= r + 4) continue;
      SpawnFloaterZapp(t.x, t.y);
      AddScore(RowPoints[t.row], t.x, t.y, true);
      // Its place in the row is taken by a new floater, coming in from the side.
      t = NewTarget(t.row, t.dx > 0 ? LeftWall - r - Random(120) : RightWall + r + Random(120));
      spent = true;
    }
    if (spent) shots.erase(shots.begin() + static_cast<long>(i));
  }
}

void CBonusStage::TickWall() {
  Game.bricks.WalkBackward([](CBrick* brick) { brick->Update(); });
  Game.balls.WalkBackward([](CBall* ball) { ball->Update(); });
  // One hit breaks a brick of the wall: a cracked one goes at once.
  Game.bricks.WalkForward([](CBrick* brick) {
    if (brick->colour != bcCracked) return;
    brick->colour = bcNone;
    SpawnExplosion(brick->x, brick->y);
    AddScore(BreakPoints, brick->x, brick->y, false);
  });
  if (step % WallStepTicks == 0) {
    Game.bricks.WalkForward([this](CBrick* brick) {
      brick->y += 16;
      if (brick->colour != bcNone && brick->y >= WallFloor) wallDown = true;
    });
  }
  bool left = false;
  Game.bricks.WalkForward([&left](CBrick* brick) { left = left || brick->colour != bcNone; });
  if (!left) {
    Game.bricks.Clear();
    AddScore(ClearedPoints + SecondPoints * static_cast<uint32_t>(ticksLeft / Second), 240, 240, true);
    PlaySound(Game.sndExtraLife);
    return;
  }
  BringBackBall();
}

void CBonusStage::Draw(float share) {
  for (const TBonusDrop& d : drops) {
    const int y = static_cast<int>(std::lround(Between(d.prevY, d.y, movedTick, share)));
    if (d.dud) {
      DrawSprite(Game.sprFloater, d.x - FloaterRadius(), y - FloaterRadius());
    } else {
      DrawSprite(Game.sprBonus, d.x - 16, y - 8);
      DrawSprite(BonusIcon(d.look), d.x - 16, y - 8);
    }
  }
  for (const TBonusTarget& t : targets) {
    const int x = static_cast<int>(std::lround(Between(t.prevX, t.x, movedTick, share)));
    DrawSprite(Game.sprFloater, x - FloaterRadius(), t.y - FloaterRadius());
  }
  for (const TBonusShot& s : shots) {
    const int y = static_cast<int>(std::lround(Between(s.prevY, s.y, movedTick, share)));
    DrawSprite(Game.sprBallFire, s.x - 8, y - 8);
  }
}

int CBonusStage::PilotTarget() const {
  const CPaddle& paddle = *Game.paddle;
  if (kind == bkRain) {
    // The lowest capsule it can still reach, unless a bubble lands there first.
    const TBonusDrop* best = nullptr;
    for (const TBonusDrop& d : drops) {
      if (d.dud || d.y > paddle.y) continue;
      const int ticks = (paddle.y - d.y) / d.speed;
      if (std::abs(d.x - paddle.x) > 30 * ticks + 24) continue;
      if (!best || d.y > best->y) best = &d;
    }
    int target = best ? best->x : paddle.x;
    for (const TBonusDrop& d : drops)
      if (d.dud && d.y > paddle.y - 120 && d.y <= paddle.y + 8 &&
          std::abs(d.x - target) < paddle.HalfWidth() + 24)
        target = d.x < 240 ? d.x + paddle.HalfWidth() + 40 : d.x - paddle.HalfWidth() - 40;
    return target;
  }
  if (kind == bkGallery) {
    // Under the floater a shot would meet soonest.
    int best = -1, bestTicks = 1 << 20;
    for (const TBonusTarget& t : targets) {
      const int rise = (paddle.y - 12 - t.y) / ShotSpeed;
      const int meet = t.x + t.dx * rise;
      if (meet < LeftWall + 20 || meet > RightWall - 20) continue;
      const int ticks = std::abs(meet - paddle.x) / 30 + rise;
      if (ticks < bestTicks) best = meet, bestTicks = ticks;
    }
    return best < 0 ? 240 : best;
  }
  return -1;
}

bool CBonusStage::PilotFires() const {
  if (kind != bkGallery || cooldown > 0) return false;
  const CPaddle& paddle = *Game.paddle;
  for (const TBonusTarget& t : targets) {
    const int rise = (paddle.y - 12 - t.y) / ShotSpeed;
    if (std::abs(t.x + t.dx * rise - paddle.x) < FloaterRadius()) return true;
  }
  return false;
}
