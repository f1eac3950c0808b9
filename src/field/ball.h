// CBall: one ball in play, its step, collisions, reflection and heading rules.
#pragma once
#include "base/types.h"

class CBall {
public:
  float x, y;
  int speed;
  int angle;
  TBallType type;
  bool stuck;
  float prevX, prevY;  // where the last step began, to draw the ball between ticks
  int movedTick = -1;  // the tick of that step

  CBall(int x, int y, TBallType type);
  // May remove (and so destroy) this ball; touch nothing of it afterwards.
  void Update();
  void Draw(float share = 1);
  // The centre the ball is drawn at, `share` of a tick after its last step, in
  // field pixels. A ball held by the magnet is drawn where it is.
  void DrawnAt(float share, int& drawnX, int& drawnY) const;
};

int ClampAngle(int angle);
int ReflectAngle(int angle, int surface);
// One step of length speed along heading angle (degrees), as 32-bit floats.
void StepVector(int angle, int speed, float& dx, float& dy);
