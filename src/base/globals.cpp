// The single instance of the global game record.
#include "base/globals.h"

TGameGlobals Game;
