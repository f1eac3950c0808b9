// Making and unmaking the game record, here where the objects its lists and
// pointers hold (balls, bricks, effects, the table's rows) are complete types.
#include "base/globals.h"
#include "field/ball.h"
#include "field/bonus.h"
#include "field/bonusstage.h"
#include "field/brick.h"
#include "field/floater.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "store/highscores.h"

TGameGlobals::TGameGlobals() = default;
TGameGlobals::~TGameGlobals() = default;
