// Taking the game at a quiet moment, putting it back, and its text form.
#include "replay/snapshot.h"

#include <charconv>
#include <climits>

#include "base/globals.h"
#include "field/ball.h"
#include "field/bonus.h"
#include "field/brick.h"
#include "field/floater.h"
#include "session/level.h"
#include "field/particles.h"
#include "session/players.h"

namespace {
// A field never holds more bricks than the level grid has cells.
constexpr size_t MostBricks = LevelCells;

std::vector<TSnapBrick> BricksOf(const TObjectList<CBrick>& list) {
  std::vector<TSnapBrick> bricks;
  for (int i = 0; i < list.Count(); ++i) {
    const CBrick* b = list[i];
    bricks.push_back({b->x, b->y, b->colour, b->special, b->bonus, b->flash});
  }
  return bricks;
}

void PutBricks(const std::vector<TSnapBrick>& bricks, TObjectList<CBrick>& list) {
  list.Clear();
  for (const TSnapBrick& b : bricks) {
    CBrick* brick = new CBrick(b.x, b.y, static_cast<TBrickColour>(b.colour),
                               static_cast<TBrickSpecial>(b.special), static_cast<TBrickBonus>(b.bonus));
    brick->flash = b.flash;
    list.Add(brick);
  }
}

std::string SeatLine(const TSnapSeat& s) {
  std::string line = "seat";
  for (int64_t v :
       {int64_t(s.score), int64_t(s.levelStartScore), int64_t(s.lives), int64_t(s.levelStartLives),
        int64_t(s.levelIndex), int64_t(s.started), int64_t(s.maxFloaters), int64_t(s.floaterInterval),
        int64_t(s.baseBallSpeed), int64_t(s.floaterTimer), int64_t(s.energy), int64_t(s.levelComplete),
        int64_t(s.gameState)})
    line += " " + std::to_string(v);
  return line + " " + s.levelName;
}

// Reads the space-separated whole numbers at the start of `line` into
// `values`, each within its bounds; `rest` is what follows the last.
bool Numbers(const std::string& line, std::vector<std::pair<int64_t, int64_t>> bounds,
             std::vector<int64_t>& values, std::string* rest) {
  values.clear();
  size_t at = 0;
  for (const auto& [low, high] : bounds) {
    const size_t space = line.find(' ', at);
    const size_t end = space == std::string::npos ? line.size() : space;
    int64_t v = 0;
    const auto [ptr, ec] = std::from_chars(line.data() + at, line.data() + end, v);
    if (end == at || ec != std::errc() || ptr != line.data() + end || v < low || v > high) return false;
    values.push_back(v);
    if (space == std::string::npos) {
      if (values.size() != bounds.size() || rest) return false;
      return true;
    }
    at = space + 1;
  }
  if (rest) {
    *rest = line.substr(at);
    return true;
  }
  return false;
}

// A level name becomes part of a path: no folders, nothing hidden, no control characters.
bool CleanLevelName(const std::string& name) {
  bool clean = !name.empty() && name.size() <= 64 && name[0] != '.';
  for (unsigned char c : name) clean = clean && c >= 32 && c != '/' && c != 127;
  return clean;
}

bool ReadSeat(const std::vector<std::string>& lines, size_t& at, TSnapSeat& s, std::string& error) {
  std::vector<int64_t> v;
  const std::string& line = lines[at];
  std::string name;
  if (line.compare(0, 5, "seat ") != 0 ||
      !Numbers(line.substr(5),
               {{0, UINT32_MAX},
                {0, UINT32_MAX},
                {-1000, 1000},
                {-1000, 1000},
                {-1, 1 << 24},
                {0, 1},
                {0, 1000},
                {0, 1000000},
                {0, 64},
                {0, INT_MAX / 2},
                {0, 1000000},
                {0, 1},
                {0, 5}},
               v, &name) ||
      !CleanLevelName(name)) {
    error = "snapshot line " + std::to_string(at + 1) + ": expected a player's part of the game";
    return false;
  }
  s = TSnapSeat();
  s.score = static_cast<uint32_t>(v[0]);
  s.levelStartScore = static_cast<uint32_t>(v[1]);
  s.lives = static_cast<int>(v[2]);
  s.levelStartLives = static_cast<int>(v[3]);
  s.levelIndex = static_cast<int>(v[4]);
  s.started = v[5] != 0;
  s.maxFloaters = static_cast<int>(v[6]);
  s.floaterInterval = static_cast<int>(v[7]);
  s.baseBallSpeed = static_cast<int>(v[8]);
  s.floaterTimer = static_cast<int>(v[9]);
  s.energy = static_cast<int>(v[10]);
  s.levelComplete = v[11] != 0;
  s.gameState = static_cast<int>(v[12]);
  s.levelName = name;
  ++at;
  if (at >= lines.size() || lines[at].compare(0, 7, "bricks ") != 0 ||
      !Numbers(lines[at].substr(7), {{0, MostBricks}}, v, nullptr) || at + 1 + v[0] > lines.size()) {
    error = "snapshot line " + std::to_string(at + 1) + ": expected the bricks of a field";
    return false;
  }
  const size_t count = static_cast<size_t>(v[0]);
  ++at;
  for (size_t i = 0; i < count; ++i, ++at) {
    if (!Numbers(lines[at], {{0, 480}, {0, 480}, {0, bcCracked}, {0, bsSolid}, {0, bbPaddleSpeed}, {0, 1000}},
                 v, nullptr)) {
      error = "snapshot line " + std::to_string(at + 1) + ": a brick is unusable";
      return false;
    }
    s.bricks.push_back({int(v[0]), int(v[1]), int(v[2]), int(v[3]), int(v[4]), int(v[5])});
  }
  return true;
}

TSnapSeat AtPlay() {
  TSnapSeat s;
  s.score = Game.score;
  s.levelStartScore = Game.levelStartScore;
  s.lives = Game.lives;
  s.levelStartLives = Game.levelStartLives;
  s.levelIndex = Game.levelIndex;
  s.maxFloaters = Game.maxFloaters;
  s.floaterInterval = Game.floaterInterval;
  s.baseBallSpeed = Game.baseBallSpeed;
  s.floaterTimer = Game.floaterTimer;
  s.energy = Game.energy;
  s.levelComplete = Game.levelComplete;
  s.gameState = Game.gameState;
  s.levelName = Game.levelName;
  s.bricks = BricksOf(Game.bricks);
  return s;
}
}  // namespace

bool QuietMoment() {
  // A bonus stage is kept from the start of the level before it, and played again from there.
  return !Game.bonusStage && Game.programState == psGame && Game.question == qnNone && !Game.playPaused &&
         Game.balls.Empty() && Game.bonuses.Empty() && Game.floaters.Empty() &&
         (Game.gameState == gsFirstBall || Game.gameState == gsNewBall);
}

TSnapshot CaptureSnapshot() {
  TSnapshot snapshot;
  snapshot.atPlay = AtPlay();
  for (const TPlayer& p : HotSeat.players) {
    TSnapSeat s;
    s.score = p.score;
    s.levelStartScore = p.levelStartScore;
    s.lives = p.lives;
    s.levelStartLives = p.levelStartLives;
    s.levelIndex = p.levelIndex;
    s.started = p.started;
    s.maxFloaters = p.maxFloaters;
    s.floaterInterval = p.floaterInterval;
    s.baseBallSpeed = p.baseBallSpeed;
    s.levelComplete = p.levelComplete;
    // A name is never empty, even where the seat has not been left yet.
    s.levelName = p.levelName.empty() ? Game.levelName : p.levelName;
    s.bricks = BricksOf(p.bricks);
    snapshot.seats.push_back(s);
  }
  return snapshot;
}

void RestoreSnapshot(const TSnapshot& snapshot, const std::vector<TKeptPlayer>& players, int turn) {
  const TSnapSeat& a = snapshot.atPlay;
  Game.score = a.score;
  Game.levelStartScore = a.levelStartScore;
  Game.lives = a.lives;
  Game.levelStartLives = a.levelStartLives;
  Game.levelIndex = a.levelIndex;
  Game.maxFloaters = a.maxFloaters;
  Game.floaterInterval = a.floaterInterval;
  Game.baseBallSpeed = a.baseBallSpeed;
  Game.floaterTimer = a.floaterTimer;
  Game.energy = a.energy;
  Game.levelComplete = a.levelComplete;
  Game.gameState = static_cast<TGameState>(a.gameState);
  Game.levelName = a.levelName;
  PutBricks(a.bricks, Game.bricks);
  Game.balls.Clear();
  Game.bonuses.Clear();
  Game.floaters.Clear();
  Game.effects.Clear();
  Game.playPaused = false;
  Game.question = qnNone;
  ClearSeats();
  for (size_t i = 0; i < snapshot.seats.size() && i < players.size(); ++i) {
    const TSnapSeat& s = snapshot.seats[i];
    TPlayer& p = HotSeat.players.emplace_back();
    p.name = players[i].name;
    p.score = s.score;
    p.levelStartScore = s.levelStartScore;
    p.lives = s.lives;
    p.levelStartLives = s.levelStartLives;
    p.levelIndex = s.levelIndex;
    p.levelName = s.levelName;
    p.started = s.started;
    p.maxFloaters = s.maxFloaters;
    p.floaterInterval = s.floaterInterval;
    p.baseBallSpeed = s.baseBallSpeed;
    p.levelComplete = s.levelComplete;
    PutBricks(s.bricks, p.bricks);
  }
  HotSeat.turn = HotSeat.players.empty() ? 0 : turn;
}

std::vector<std::string> SnapshotLines(const TSnapshot& snapshot) {
  std::vector<std::string> lines;
  auto add = [&lines](const TSnapSeat& s) {
    lines.push_back(SeatLine(s));
    lines.push_back("bricks " + std::to_string(s.bricks.size()));
    for (const TSnapBrick& b : s.bricks)
      lines.push_back(std::to_string(b.x) + " " + std::to_string(b.y) + " " + std::to_string(b.colour) + " " +
                      std::to_string(b.special) + " " + std::to_string(b.bonus) + " " +
                      std::to_string(b.flash));
  };
  add(snapshot.atPlay);
  for (const TSnapSeat& s : snapshot.seats) add(s);
  return lines;
}

bool ParseSnapshot(const std::vector<std::string>& lines, TSnapshot& snapshot, std::string& error) {
  snapshot = TSnapshot();
  size_t at = 0;
  if (lines.empty()) {
    error = "the snapshot is empty";
    return false;
  }
  if (!ReadSeat(lines, at, snapshot.atPlay, error)) return false;
  while (at < lines.size()) {
    if (snapshot.seats.size() >= MostPlayers) {
      error = "snapshot line " + std::to_string(at + 1) + ": more players than a game seats";
      return false;
    }
    if (!ReadSeat(lines, at, snapshot.seats.emplace_back(), error)) return false;
  }
  return true;
}
