// The unfinished game kept when the player leaves during a game, in
// savedgame.dat beside the high scores, and resumed at the start of its level.
#pragma once
#include <cstdint>
#include <string>

#include "store/datafile.h"

struct TKeptGame {
  int levelIndex = 0;  // the place in the level sequence; -1 for a level named on the command line
  std::string levelName;
  uint32_t score = 0;  // as the level began
  int lives = 0;       // as the level began

  bool operator==(const TKeptGame& o) const {
    return levelIndex == o.levelIndex && levelName == o.levelName && score == o.score && lives == o.lives;
  }
};

std::string SavedGamePath();
// The file's text; and reading it back strictly, against this game's level
// list: false with `error` set to a short reason.
std::string SavedGameText(const TKeptGame& game);
bool ParseSavedGame(const std::string& text, TKeptGame& game, std::string& error);
// Reads the file into Game.savedGame. No file means no game; a damaged or
// foreign one is ignored with one line on standard error.
void LoadSavedGame();
TSaveResult SaveGameForLater(const TKeptGame& game);
// Forgets the kept game and deletes its file.
void DiscardSavedGame();
