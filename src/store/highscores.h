// CHighScore and the table of the ten best scores kept in highscores.dat,
// with ranking and name entry.
#pragma once
#include <SDL/SDL.h>

#include <cstdint>
#include <string>

#include "store/datafile.h"

class CHighScore {
public:
  std::string name;  // always exactly 10 characters
  uint32_t score;

  CHighScore(const std::string& name, uint32_t score);
};

void LoadHighScores();
// Writes highscores.dat; says why when it could not.
TSaveResult SaveHighScores();
int RankScore();
// Typing the new entry's name; Enter stores the table at once and returns how that went.
TSaveResult NameEntryKey(SDLKey key);
