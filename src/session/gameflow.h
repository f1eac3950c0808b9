// Game flow: the level list, the endless level sequence, new games, lives,
// launching balls, level completion and game over.
#pragma once
#include <string>
#include <vector>

#include "platform/datafile.h"
#include "session/keptgame.h"

// What the level index sets for a level: the floaters allowed at once, the
// ticks between floaters, and the ball speed.
struct TLapSettings {
  int mostFloaters, floaterInterval, ballSpeed;
};
TLapSettings LapSettings(int levelIndex);

std::vector<std::string> BuiltInLevelNames();
void BuildLevelList();
void NextLevel();
// A new game at a difficulty; two to four names make it a hot-seat game.
void StartNewGame(int difficulty, const std::vector<std::string>& players = {});
// The level named on the command line has been loaded as a game of one;
// two to four names seat players who all start on it.
void StartGameAtLevel(const std::vector<std::string>& players);
void CheckGameFlow();
// The fire input goes down or up. It is held while down, and a press in play
// is kept until the next game-flow check, so that a tap released within the
// same pass still counts.
void SetFireInput(bool down);
// The moment a game is over, before the player leaves the "game over" card:
// throws the kept game away, ranks the score (in a hot-seat game every
// player's, under their names) and saves the new entries with the recording,
// so that quitting on the card loses nothing and a lost game cannot be
// continued. Once for each game over; a demo or a play-test is not ranked.
// Returns how the saves went, for the caller to report.
std::vector<TSaveResult> SaveFinishedGame();
// Leaving the "game over" card: the game is saved when it was not yet, and
// the name entry opens, or the table (at once in a hot-seat game).
std::vector<TSaveResult> EndGame();
// True while there is a game to lose: in play or paused, not over, with a life left.
bool GameInProgress();
// What to keep of the game in progress: the level it is on (the next one once
// this one is cleared) with the score and lives that level began with.
TKeptGame GameToKeep();
// "continue" has a paused game, or a kept one, to go on with.
bool CanContinue();
// The main menu as the program opens it: on "continue" when it is lit, so
// that Enter goes on with the game there is; else on "new game".
void OpenMainMenu();
// Plays a kept game on from the start of its level, on the set in use.
void ResumeGame(const TKeptGame& kept);
// Plays on from the start of a level: the one at `levelIndex` of the sequence,
// or, at -1, the level of that name alone.
void PlayFromLevel(int levelIndex, const std::string& levelName);
// "continue" with a kept game of an earlier run: its own level set, loaded
// afresh, becomes the one in use, with its table, and the game resumes there.
// When that set no longer has the game's level, nothing starts, the kept game
// is dropped from the menu, and the reason comes back.
std::string ContinueKeptGame(const TKeptGame& kept);
