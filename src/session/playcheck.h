// CPlayCheck: watches a game in play, tick by tick, and notes every broken
// rule of the play field: a ball outside the walls or at a position that is
// not a number, a speed or heading outside its limits, lists that disagree
// with the game state, a ball that goes ten minutes of game time without
// touching a breakable brick or the paddle. It also measures the longest
// stretch of ball play without a hit on a breakable brick.
#pragma once
#include <string>
#include <vector>

#include "base/types.h"

class CBall;
class CBrick;
class CBonus;
class CFloater;

class CPlayCheck {
public:
  // Around every logic tick: BeforeTick just before it, AfterTick after the
  // game-flow check that follows it.
  void BeforeTick();
  void AfterTick();

  // The first few broken rules, each with its tick; BrokenCount counts them all.
  const std::vector<std::string>& Broken() const { return broken; }
  int BrokenCount() const { return brokenCount; }
  int LongestStretch() const { return longest; }
  int Hits() const { return hits; }
  // What was in play: capsules caught (and of which kinds, one bit each) and floaters zapped.
  int CapsulesCaught() const { return capsulesCaught; }
  unsigned KindsCaught() const { return kindsCaught; }
  int FloatersZapped() const { return floatersZapped; }

private:
  struct TBrickState {
    const CBrick* brick;
    TBrickColour colour;
  };
  struct TBallState {
    const CBall* ball;
    float x, y;
    int speed;
    int untouched;  // ticks since it last touched a breakable brick or the paddle
    bool meetsPaddle;
  };
  std::vector<TBrickState> bricksBefore;
  std::vector<TBallState> ballsBefore, tracked;
  std::vector<const CBonus*> capsulesBefore;
  std::vector<TBrickBonus> capsuleKinds;
  std::vector<const CFloater*> floatersBefore;
  int livesBefore = 0;
  int tick = 0, stretch = 0, longest = 0, hits = 0, brokenCount = 0;
  int capsulesCaught = 0, floatersZapped = 0;
  unsigned kindsCaught = 0;
  std::vector<std::string> broken;

  void Break(const std::string& what);
  void CheckBall(const CBall& ball, bool updated);
  void CheckLists();
  bool HitBreakableBricks(std::vector<const CBall*>& hitters);
  void CountWhatLeftPlay();
};

// Ten minutes of game time: no ball may go longer without touching a
// breakable brick or the paddle.
constexpr int MaxUntouchedTicks = 10 * 60 * 40;
