// CHighScore and the table of the ten best scores kept in highscores.dat,
// with ranking and name entry.
#pragma once
#include <SDL/SDL.h>

#include <cstdint>
#include <string>

class CHighScore {
public:
  std::string name;  // always exactly 10 characters
  uint32_t score;

  CHighScore(const std::string& name, uint32_t score);
};

void LoadHighScores();
// Writes highscores.dat; returns false (after reporting) when it could not.
bool SaveHighScores();
int RankScore();
void NameEntryKey(SDLKey key);
