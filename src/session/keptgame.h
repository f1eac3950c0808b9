// The unfinished game kept when the player leaves during a game, in
// savedgame.dat beside the high scores: the start of its level, and the token
// of the journal that holds where in the level it stood.
#pragma once
#include <cstdint>
#include <string>
#include <utility>

#include "base/records.h"
#include "platform/datafile.h"

class CLevelSet;

std::string SavedGamePath();
// Where the journal of the kept game lies, beside it.
std::string KeptJournalPath();
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
