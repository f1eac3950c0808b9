// TSnapshot: the whole game at a quiet moment of play (a level's start, a
// turn taken: no ball, capsule or floater about), beyond what every
// recording's start holds: the field and the level's rules of the player at
// play, and a hot seat's waiting players each with their own field. A kept
// game goes on from one, its input since played again.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/records.h"

struct TSnapBrick {
  int x = 0, y = 0, colour = 0, special = 0, bonus = 0, flash = 0;
};

// One player's part of the game: the player at play's from the game record,
// a waiting player's from their seat.
struct TSnapSeat {
  uint32_t score = 0, levelStartScore = 0;
  int lives = 3, levelStartLives = 3;
  int levelIndex = 0;
  bool started = true;
  int maxFloaters = 0, floaterInterval = 0, baseBallSpeed = 4, floaterTimer = 0, energy = 0;
  bool levelComplete = false;
  int gameState = 0;
  std::string levelName;
  std::vector<TSnapBrick> bricks;
};

struct TSnapshot {
  TSnapSeat atPlay;
  std::vector<TSnapSeat> seats;  // a hot seat's, in seat order; empty for a game of one
};

// No ball, capsule or floater in play, a ball waiting to be launched, and
// nothing over the field: what a snapshot can hold.
bool QuietMoment();
TSnapshot CaptureSnapshot();
// Puts the game as the snapshot holds it; the players' names and the turn
// come from the recording's start beside it.
void RestoreSnapshot(const TSnapshot& snapshot, const std::vector<TKeptPlayer>& players, int turn);
// Its lines of text, and reading them back strictly (false with `error` one line).
std::vector<std::string> SnapshotLines(const TSnapshot& snapshot);
bool ParseSnapshot(const std::vector<std::string>& lines, TSnapshot& snapshot, std::string& error);
