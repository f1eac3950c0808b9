// The journal: where a kept game stands, to the tick. From each quiet moment
// of play (a level's start, a turn taken) it holds the whole game, then
// every pass of input since, added as play goes and written out at least
// twice a second, so that "continue" plays it again to where play stopped,
// even after the game was killed. savedgame.dat names the journal it goes
// with by a token; a journal that does not match is never played.
#pragma once
#include <string>

#include "replay/replay.h"

std::string JournalPath();
// The recording began afresh: a new journal starts at the next quiet moment.
void RestartJournal();
// A recorded pass has ended (its ticks run, the game-flow checks done).
// Passes that end with the game out of play (the menu, a question) wait
// until play comes back: a game is never kept past its last moment of play,
// and the pass in which the player chose to quit is never kept.
void JournalPass(const TReplayPass& pass);
// The recording ended with the game: no journal is written any more.
void StopJournal();
// Writes out what is kept of the journal and gives its token, "" when there
// is none to go with the game being kept.
std::string FlushJournal();
// Reads the journal of `token`: its start and every pass written out whole,
// with the summary it must reach. False with `error` set to one line.
bool LoadJournal(const std::string& token, TReplay& replay, std::string& error);
// The game went on from `replay`, the journal of `token`: it is written on
// from there.
void ContinueJournal(const TReplay& replay, const std::string& token);
