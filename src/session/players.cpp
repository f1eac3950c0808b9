// The hot seat: seating the players, passing the turn on a lost ball by
// trading the player's part of the game record with the waiting one's, and
// what of every player a kept game holds.
#include "session/players.h"

#include <tuple>

#include "base/globals.h"
#include "field/brick.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "platform/echo.h"
#include "session/gameflow.h"
#include "session/level.h"

THotSeat HotSeat;

namespace {
// A player's part of the game record moves between the record and a seat:
// a field list is handed over whole, a value copied.
template <typename T>
void MoveInto(T& to, T& from) {
  to = from;
}
template <typename T>
void MoveInto(TObjectList<T>& to, TObjectList<T>& from) {
  to.Clear();
  to.Swap(from);
}

// Every field of the game record that belongs to the player at play, with
// the place in their seat that keeps it while they wait. A turn change moves
// each of them, so a field listed here is kept per player. (The game state
// is not: the turn passes only on a lost ball, and comes back to one.)
template <typename T>
struct TOwned {
  T TGameGlobals::*record;
  T TPlayer::*seat;
};
template <typename T>
constexpr TOwned<T> Owned(T TGameGlobals::*record, T TPlayer::*seat) {
  return {record, seat};
}
const auto PlayerOwned = std::make_tuple(Owned(&TGameGlobals::score, &TPlayer::score),
                                         Owned(&TGameGlobals::levelStartScore, &TPlayer::levelStartScore),
                                         Owned(&TGameGlobals::lives, &TPlayer::lives),
                                         Owned(&TGameGlobals::levelStartLives, &TPlayer::levelStartLives),
                                         Owned(&TGameGlobals::levelIndex, &TPlayer::levelIndex),
                                         Owned(&TGameGlobals::levelName, &TPlayer::levelName),
                                         Owned(&TGameGlobals::bricks, &TPlayer::bricks),
                                         Owned(&TGameGlobals::maxFloaters, &TPlayer::maxFloaters),
                                         Owned(&TGameGlobals::floaterInterval, &TPlayer::floaterInterval),
                                         Owned(&TGameGlobals::baseBallSpeed, &TPlayer::baseBallSpeed),
                                         Owned(&TGameGlobals::levelComplete, &TPlayer::levelComplete));

// The game record's part of the player at play moves into their seat.
void LeaveSeat(TPlayer& p) {
  std::apply([&p](const auto&... owned) { (MoveInto(p.*owned.seat, Game.*owned.record), ...); }, PlayerOwned);
}

// The player's first turn loads their first level; a later one puts their
// field back as they left it, waiting for a new ball.
void TakeSeat(int i) {
  TPlayer& p = HotSeat.players[static_cast<size_t>(i)];
  HotSeat.turn = i;
  Game.effects.Clear();
  Game.ballType = btNormal;
  if (!p.started) {
    p.started = true;
    Game.score = p.score;
    Game.lives = p.lives;
    PlayFromLevel(p.levelIndex, p.levelName);
    return;
  }
  std::apply([&p](const auto&... owned) { (MoveInto(Game.*owned.record, p.*owned.seat), ...); }, PlayerOwned);
  Game.ballSpeed = Game.baseBallSpeed;
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
    return "the name \"" + Echoed(name) + "\" is longer than " + std::to_string(MostPlayerNameLength) +
           " letters";
  for (unsigned char c : name)
    if (c < ' ' || c > '~') return "the name \"" + Echoed(name) + "\" has a letter the game cannot draw";
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
      // A player out is done: their last level's points count as they stand.
      k.score = p.lives > 0 ? p.levelStartScore : p.score;
      k.lives = p.lives > 0 ? p.levelStartLives : 0;
    }
    k.name = p.name;
    kept.push_back(k);
  }
  return kept;
}
