// Scoring: every point enters through AddScore, scaled by the lap multiplier.
#include "field/score.h"

#include <algorithm>
#include <cstdint>

#include "base/globals.h"
#include "field/particles.h"

uint32_t ScoreMultiplier() {
  const int count = Game.levelList.empty() ? 1 : static_cast<int>(Game.levelList.size());
  // Truncating division: the command-line level (index -1) still pays once.
  return static_cast<uint32_t>(Game.levelIndex / count + 1);
}

void AddScore(uint32_t points, int x, int y, bool popup) {
  // The score stops at the most it can hold rather than wrap round to nothing.
  const uint32_t scaled =
      static_cast<uint32_t>(std::min<uint64_t>(UINT32_MAX, uint64_t{points} * ScoreMultiplier()));
  Game.score = static_cast<uint32_t>(std::min<uint64_t>(UINT32_MAX, uint64_t{Game.score} + scaled));
  if (!popup) return;
  CScore* text = new CScore();
  text->Create(x, y, scaled);
  Game.effects.Add(text);
}
