// Bonus stages in the flow of a game: where they come (after every fifth
// level of a generated set, and of the other sets when the setting is on),
// starting and ending one, and a stage played alone for practice. A stage
// never costs a life and never ends the game; what it pays is scored under
// the lap's multiplier.
#pragma once
#include <string>

#include "field/bonusstage.h"

// The set in use was made by the level generator (daily, random, --generate).
bool GeneratedSetInUse();
// Games on the set in use have bonus stages between their levels.
bool SetPlaysBonusStages();
// The level just cleared is followed by a bonus stage.
bool BonusStageDue();
// The kind that follows the level at `levelIndex`: the kinds take turns.
TBonusKind BonusKindAfter(int levelIndex);
// Puts a stage on the field, on its card, waiting for fire; the level index
// (and so the multiplier) stays the cleared level's.
void StartBonusStage(TBonusKind kind, bool practice);
// A stage played alone, as a game of its own that nothing else counts.
void StartBonusPractice(TBonusKind kind);
// The game-flow checks while a stage is on: fire starts it, a lost ball costs
// nothing, and its end shows what it paid.
void CheckBonusFlow();
// Fire on the card of a cleared level or a finished stage: a stage when one
// is due, else the next level; a practice stage goes back to the menu.
void GoOnFromCleared();
// A practice stage's best so far, and whether the one just played beat it.
struct TBonusResult {
  uint32_t best = 0;
  bool newBest = false;
};
const TBonusResult& LastBonusResult();
