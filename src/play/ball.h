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

  CBall(int x, int y, TBallType type);
  // May remove (and so destroy) this ball; touch nothing of it afterwards.
  void Update();
  void Draw();
};

int ClampAngle(int angle);
int ReflectAngle(int angle, int surface);
// One step of length speed along heading angle (degrees), as 32-bit floats.
void StepVector(int angle, int speed, float& dx, float& dy);
