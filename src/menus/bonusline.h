// The new game screen's "bonus stages" line: a key (1 to 4) or a click on a
// kind's name plays that bonus stage at once, alone, for practice.
#pragma once
#include <SDL/SDL.h>

#include <vector>

#include "menus/menu.h"

void DrawBonusLine();
// True when the key started a stage.
bool BonusLineKey(SDLKey key);
void AddBonusLineTargets(std::vector<TMenuTarget>& targets);
