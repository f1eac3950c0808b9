// The single instance of the global game record.
#include "shell/globals.h"

#include "effects/bonus.h"
#include "effects/floater.h"
#include "effects/particles.h"
#include "field/ball.h"
#include "field/brick.h"
#include "field/paddle.h"
#include "store/highscores.h"

TGameGlobals::TGameGlobals() = default;
TGameGlobals::~TGameGlobals() = default;

TGameGlobals Game;
