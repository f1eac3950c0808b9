// The hooks the game installs for the rooms beneath it.
#include "base/hooks.h"

TGameHooks Hooks;
