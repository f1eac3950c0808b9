// The hot seat: seating the players, passing the turn on a lost ball by
// trading the player's part of the game record with the waiting one's, and
// what of every player a kept game holds.
#include "play/players.h"

#include "base/globals.h"
#include "play/brick.h"
#include "play/gameflow.h"
#include "play/level.h"
#include "play/paddle.h"
#include "play/particles.h"

THotSeat HotSeat;

namespace {
// The game record's part of the player at play moves into their seat.
void LeaveSeat(TPlayer& p) {
  p.score = Game.score;
  p.levelStartScore = Game.levelStartScore;
  p.lives = Game.lives;
  p.levelStartLives = Game.levelStartLives;
  p.levelIndex = Game.levelIndex;
  p.levelName = Game.levelName;
  p.bricks.Clear();
  p.bricks.Swap(Game.bricks);
  p.maxFloaters = Game.maxFloaters;
  p.floaterInterval = Game.floaterInterval;
  p.baseBallSpeed = Game.baseBallSpeed;
  p.levelComplete = Game.levelComplete;
  p.gameState = Game.gameState;
}

// The player's first turn loads their first level; a later one puts their
// field back as they left it, waiting for a new ball.
void TakeSeat(int i) {
  TPlayer& p = HotSeat.players[static_cast<size_t>(i)];
  HotSeat.turn = i;
  Game.score = p.score;
  Game.lives = p.lives;
  Game.effects.Clear();
  Game.ballType = btNormal;
  if (!p.started) {
    p.started = true;
    PlayFromLevel(p.levelIndex, p.levelName);
    return;
  }
  Game.levelStartScore = p.levelStartScore;
  Game.levelStartLives = p.levelStartLives;
  Game.levelIndex = p.levelIndex;
  Game.levelName = p.levelName;
  Game.bricks.Clear();
  Game.bricks.Swap(p.bricks);
  Game.maxFloaters = p.maxFloaters;
  Game.floaterInterval = p.floaterInterval;
  Game.baseBallSpeed = p.baseBallSpeed;
  Game.ballSpeed = p.baseBallSpeed;
  Game.levelComplete = p.levelComplete;
  Game.gameState = p.gameState;
}

void AddSeat(const std::string& name, int level, const std::string& levelName, uint32_t score, int lives) {
  TPlayer& p = HotSeat.players.emplace_back();
  p.name = name;
  p.levelIndex = level;
  // A game kept before the player's first turn names their level too.
  p.levelName = level >= 0 && !Game.levelList.empty()
                    ? Game.levelList[static_cast<size_t>(level % LevelCount())]
                    : levelName;
  p.score = p.levelStartScore = score;
  p.lives = p.levelStartLives = lives;
}
}  // namespace

bool HotSeatGame() { return !HotSeat.players.empty(); }

std::string PlayerNameFault(const std::string& name) {
  if (name.empty()) return "a player's name is empty";
  if (name.size() > MostPlayerNameLength)
    return "the name \"" + name + "\" is longer than " + std::to_string(MostPlayerNameLength) + " letters";
  for (unsigned char c : name)
    if (c < ' ' || c > '~') return "the name \"" + name + "\" has a letter the game cannot draw";
  return "";
}

std::string PlayerNamesFault(const std::vector<std::string>& names) {
  if (names.size() < 2 || names.size() > MostPlayers)
    return "a hot-seat game takes two to four names, not " + std::to_string(names.size());
  for (const std::string& name : names)
    if (!PlayerNameFault(name).empty()) return PlayerNameFault(name);
  return "";
}

void ClearSeats() {
  HotSeat.players.clear();
  HotSeat.turn = 0;
}

void SeatPlayers(const std::vector<std::string>& names, int first, const std::string& levelName) {
  ClearSeats();
  if (names.size() < 2) return;
  for (const std::string& name : names) AddSeat(name, first, levelName, 0, 3);
  HotSeat.players[0].started = true;
}

void SeatKeptPlayers(const TKeptGame& kept) {
  ClearSeats();
  for (const TKeptPlayer& k : kept.players) AddSeat(k.name, k.levelIndex, k.levelName, k.score, k.lives);
  TakeSeat(kept.turn);
}

void PassTurn() {
  const int count = static_cast<int>(HotSeat.players.size());
  int next = -1;
  for (int k = 1; k <= count && next < 0; ++k) {
    const int i = (HotSeat.turn + k) % count;
    if (PlayerLives(i) > 0) next = i;
  }
  if (next < 0 || next == HotSeat.turn) return;
  LeaveSeat(HotSeat.players[static_cast<size_t>(HotSeat.turn)]);
  TakeSeat(next);
  // The new player takes the controls: a fire still held from the last turn
  // launches nothing.
  Game.fireHeld = false;
  Game.firePressed = false;
}

uint32_t PlayerScore(int i) {
  return i == HotSeat.turn ? Game.score : HotSeat.players[static_cast<size_t>(i)].score;
}

int PlayerLives(int i) {
  return i == HotSeat.turn ? Game.lives : HotSeat.players[static_cast<size_t>(i)].lives;
}

std::vector<TKeptPlayer> PlayersToKeep(const TKeptPlayer& atPlay) {
  std::vector<TKeptPlayer> kept;
  for (int i = 0; i < static_cast<int>(HotSeat.players.size()); ++i) {
    const TPlayer& p = HotSeat.players[static_cast<size_t>(i)];
    TKeptPlayer k = atPlay;
    if (i != HotSeat.turn) {
      k.levelIndex = p.levelIndex;
      k.levelName = p.levelName;
      k.score = p.levelStartScore;
      k.lives = p.lives > 0 ? p.levelStartLives : 0;
    }
    k.name = p.name;
    kept.push_back(k);
  }
  return kept;
}
