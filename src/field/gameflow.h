// Game flow: the level list, the endless level sequence, new games, lives,
// launching balls, level completion and game over.
#pragma once

// What the level index sets for a level: the floaters allowed at once, the
// ticks between floaters, and the ball speed.
struct TLapSettings {
  int mostFloaters, floaterInterval, ballSpeed;
};
TLapSettings LapSettings(int levelIndex);

void BuildLevelList();
void NextLevel();
void StartNewGame(int difficulty);
void CheckGameFlow();
void EndGame();
