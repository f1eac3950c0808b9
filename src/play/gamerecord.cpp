// Making and unmaking the game record, here where the objects its lists and
// pointers hold (balls, bricks, effects, the table's rows) are complete types.
#include "base/globals.h"
#include "play/ball.h"
#include "play/bonus.h"
#include "play/brick.h"
#include "play/floater.h"
#include "play/paddle.h"
#include "play/particles.h"
#include "store/highscores.h"

TGameGlobals::TGameGlobals() = default;
TGameGlobals::~TGameGlobals() = default;
