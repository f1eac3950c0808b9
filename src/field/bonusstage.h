// CBonusStage: a short stage with a rule of its own, played between levels or
// alone for practice. It is built from the game's own objects (capsules,
// floaters, balls, bricks) and draws everything at random from the game's
// generator, so a recording plays it back exactly. It never takes a life.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/types.h"

enum TBonusKind : uint8_t { bkRain, bkKeepUp, bkGallery, bkWall, BonusKindCount };

// The kind's name on the command line and in the table ("rain"), its title on
// the card and the one line that says what to do.
const char* BonusKindName(TBonusKind kind);
const char* BonusKindTitle(TBonusKind kind);
const char* BonusKindRule(TBonusKind kind);
bool BonusKindByName(const std::string& name, TBonusKind& kind);
// How long a stage of the kind lasts at most, in ticks.
int BonusStageTicks(TBonusKind kind);

// Something falling in the rain: a capsule to catch, or a dud to dodge.
struct TBonusDrop {
  int x, y, prevY, speed;
  bool dud;
  TBrickBonus look;
};
// A floater of the gallery, drifting across in its row.
struct TBonusTarget {
  int x, y, prevX, dx, row;
};
// A shot the paddle fires in the gallery.
struct TBonusShot {
  int x, y, prevY;
};

class CBonusStage {
public:
  CBonusStage(TBonusKind kind, bool practice);
  const TBonusKind kind;
  const bool practice;  // played alone, from the new game screen or the command line
  int ticksLeft;
  uint32_t startScore = 0;  // the score when the stage began: what it paid is the difference
  int step = 0;             // ticks played
  int movedTick = -1;       // the tick of the last step, to draw between ticks
  int streak = 1;           // rain: catches in a row; the next pays this many times
  int shrunk = 0;           // rain: ticks the paddle stays small after a dud
  int cooldown = 0;         // gallery: ticks until the paddle may fire again
  int relaunch = 0;         // keep-up and wall: ticks until a ball comes back
  int paddleHits = 0;       // keep-up: the hits counted so far
  bool wallDown = false;    // wall: it reached the paddle
  std::vector<TBonusDrop> drops;
  std::vector<TBonusTarget> targets;
  std::vector<TBonusShot> shots;

  // Puts the stage's objects on the field (the wall's bricks, the gallery's
  // first floaters).
  void Begin();
  // Fire on the stage's card: the play starts, with a ball where it needs one.
  void Launch();
  // One tick of play; the world's update while a stage is on.
  void Tick();
  void Draw(float share);
  // Time is up, or the kind's own end came (a cleared or fallen wall).
  bool Over() const;
  uint32_t Paid() const;
  // For the autopilot: the paddle x to head for, or -1 to follow the balls as
  // in a level; and whether to fire now.
  int PilotTarget() const;
  bool PilotFires() const;

private:
  void TickRain();
  void TickKeepUp();
  void TickGallery();
  void TickWall();
  void BringBackBall();
};
