// Game flow: the level list, the endless level sequence, new games, lives,
// launching balls, level completion and game over.
#pragma once

void BuildLevelList();
void NextLevel();
void StartNewGame(int difficulty);
void CheckGameFlow();
void EndGame();
