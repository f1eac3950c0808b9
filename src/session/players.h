// The hot seat: two to four players taking turns at one game, the turn
// passing whenever a life is lost. The player at play has their score,
// lives, level and field in the game record; the others wait here, their
// fields as they left them, until the turn comes back to them.
#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "base/objectlist.h"
#include "base/records.h"
#include "base/types.h"

class CBrick;

constexpr int MostPlayers = 4;
constexpr size_t MostPlayerNameLength = 10;  // as long as a name in the high-score table

struct TPlayer {
  std::string name;
  uint32_t score = 0, levelStartScore = 0;
  int lives = 3, levelStartLives = 3;
  // Before their first turn: the level they are to start on (-1 with
  // levelName for a level named on the command line); after it, the level
  // they are on.
  int levelIndex = 0;
  std::string levelName;
  bool started = false;
  // The field they left and the rules of its level.
  TObjectList<CBrick> bricks;
  int maxFloaters = 0, floaterInterval = 0, baseBallSpeed = 4;
  bool levelComplete = false;  // their last brick went with their last ball
};

struct THotSeat {
  // Empty for a game of one player. A deque, so that a player is made in
  // place and never moved: the field list is not to be copied.
  std::deque<TPlayer> players;
  int turn = 0;  // the player at play
  void Swap(THotSeat& other) {
    players.swap(other.players);
    std::swap(turn, other.turn);
  }
};

extern THotSeat HotSeat;

bool HotSeatGame();
// Why a name cannot be a player's (empty, too long, or with a character the
// font cannot draw), and why these names cannot play together (too few or
// too many, or one of them); empty when they can.
std::string PlayerNameFault(const std::string& name);
std::string PlayerNamesFault(const std::vector<std::string>& names);
// Seats the players of a new game, each to start on level index `first`
// (-1: the level `levelName`, named on the command line), with no score and
// three lives. The first is at play: the caller loads their level. Fewer
// than two names seat nobody: a game of one.
void SeatPlayers(const std::vector<std::string>& names, int first, const std::string& levelName);
// Seats the players of a kept game, each to resume at their level start,
// and loads the level of the one whose turn it was.
void SeatKeptPlayers(const TKeptGame& kept);
// Forgets the players: the next game is a game of one.
void ClearSeats();
// After a lost ball: the turn goes to the next player with a life left,
// their field as they left it; a turn that passes waits for the new player's
// own fire press. Leaves the game alone when nobody else is left.
void PassTurn();
// A player's score, lives and whether they are out, wherever their field is.
uint32_t PlayerScore(int i);
int PlayerLives(int i);
// What to keep of every player: the level they are on (the next one once it
// is cleared) with the score and lives it began with; a player out stays out
// with the score they ended with.
std::vector<TKeptPlayer> PlayersToKeep(const TKeptPlayer& atPlay);
