// The level loader: reads maps//<name>.map into the brick list and sets the
// per-level tuning values.
#pragma once
#include <string>

#include "base/types.h"
#include "levels/levelmap.h"

extern const TBrickBonus (&BonusTable)[6][24];

// The number of names in the level list (never less than 1).
int LevelCount();

std::string LevelPath(const std::string& name);
void LoadLevel(const std::string& name, int maxFloaters, int floaterInterval);
TBrickBonus RandomBonus(int level);
