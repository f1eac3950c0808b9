// Scoring: every point enters through AddScore, scaled by the lap multiplier.
#pragma once
#include <cstdint>

uint32_t ScoreMultiplier();
void AddScore(uint32_t points, int x, int y, bool popup);
