// Scoring: every point enters through AddScore, scaled by the lap multiplier.
#include "field/score.h"

#include "base/globals.h"
#include "field/particles.h"

uint32_t ScoreMultiplier() {
  const int count = Game.levelList.empty() ? 1 : static_cast<int>(Game.levelList.size());
  // Truncating division: the command-line level (index -1) still pays once.
  return static_cast<uint32_t>(Game.levelIndex / count + 1);
}

void AddScore(uint32_t points, int x, int y, bool popup) {
  const uint32_t scaled = points * ScoreMultiplier();
  Game.score += scaled;
  if (!popup) return;
  CScore* text = new CScore();
  text->Create(x, y, scaled);
  Game.effects.Add(text);
}
