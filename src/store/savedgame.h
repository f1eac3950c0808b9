// The unfinished game kept when the player leaves during a game, in
// savedgame.dat beside the high scores, and resumed at the start of its level.
#pragma once
#include <cstdint>
#include <string>
#include <utility>

#include "store/datafile.h"

class CLevelSet;

struct TKeptGame {
  TKeptGame() = default;
  TKeptGame(int levelIndex, std::string levelName, uint32_t score, int lives, std::string setFolder = "")
      : levelIndex(levelIndex),
        levelName(std::move(levelName)),
        score(score),
        lives(lives),
        setFolder(std::move(setFolder)) {}

  int levelIndex = 0;  // the place in the level sequence; -1 for a level named on the command line
  std::string levelName;
  uint32_t score = 0;     // as the level began
  int lives = 0;          // as the level began
  std::string setFolder;  // the level set it was played on; empty for the built-in one

  bool operator==(const TKeptGame& o) const {
    return levelIndex == o.levelIndex && levelName == o.levelName && score == o.score && lives == o.lives &&
           setFolder == o.setFolder;
  }
};

std::string SavedGamePath();
// The file's text; and reading it back strictly, against the level list of
// the game's own set as it is now: false with `error` set to a short reason.
std::string SavedGameText(const TKeptGame& game);
bool ParseSavedGame(const std::string& text, TKeptGame& game, std::string& error);
// Why a kept game cannot go on on `set`, its own set as it is now (the
// folder gone, or no longer holding the game's level); empty when it can.
std::string KeptGameMisfit(const TKeptGame& game, const CLevelSet& set);
// Reads the file into Game.savedGame. No file means no game; a damaged or
// foreign one is ignored with one line on standard error.
void LoadSavedGame();
TSaveResult SaveGameForLater(const TKeptGame& game);
// Forgets the kept game and deletes its file.
void DiscardSavedGame();
