// TReplay: one recorded game as data, and its versioned text form
// (docs/replays.md): how the game stood when it began, then pass by pass the
// input that reached it, the clock seconds its level loads drew, and the
// summary it must reproduce.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/records.h"
#include "replay/snapshot.h"
#include "store/settings.h"

// Version 2 adds the window-close and window-attention items and games
// resumed from a kept game; version 3 the vertical movement of the pointer
// and the button and place of a click, which the menus answer.
constexpr int ReplayFormatVersion = 3;
// Version 4, written only for hot-seat games, adds the players.
constexpr int HotSeatReplayVersion = 4;
// Version 5, written only for games that go on from a snapshot of the whole
// game (a kept game continued where it stopped), adds that start; its
// players line is there only for a hot seat.
constexpr int ExactReplayVersion = 5;
// Version 6, written only for games with bonus stages, adds a stage played
// alone and the setting that puts stages into the built-in set.
constexpr int BonusReplayVersion = 6;

enum TReplayItemKind : uint8_t {
  riMotion,
  riButtonDown,
  riButtonUp,
  riKeyDown,
  riKeyUp,
  riOther,
  riSeed,
  riPadAxis,
  riPadButtonDown,
  riPadButtonUp,
  riPadHat,
  riQuit,
  riActive,
  riControls
};

// Keys the logic ticks poll from the key-state array.
enum TReplayHeld : uint8_t { rhLeft = 1, rhRight = 2, rhSpace = 4 };

// What each kind keeps: a motion its picture x, y and x, y movement; a mouse
// button its number and picture x, y (the menus need the place); a key its
// code; a seed itself; a gamepad event its pad, then its axis and position,
// its button, or its hat and position; a window's gain or loss of attention
// whether gained and what (SDL's active-event state bits); new controls
// (version 5: the player changed them between a quit and "continue") the
// mouse speed, then the left and right keys in a, the fire and pause keys in b.
struct TReplayItem {
  TReplayItemKind kind;
  uint32_t value = 0;
  int32_t a = 0, b = 0, c = 0;
};

// One pass of the main loop: its events (and the seeds drawn while handling
// them), the keys held when its ticks ran, and how many ticks ran. `repeat`
// counts identical passes without events; only those are ever repeated.
struct TReplayPass {
  std::vector<TReplayItem> items;
  uint8_t held = 0;
  int ticks = 0;
  uint32_t repeat = 1;
};

struct TReplayCheckpoint {
  int tick = 0;  // ticks since the recording began
  int level = 0;
  uint32_t score = 0;
  int lives = 0;
  int gameState = 0;
  bool operator==(const TReplayCheckpoint& o) const {
    return tick == o.tick && level == o.level && score == o.score && lives == o.lives &&
           gameState == o.gameState;
  }
  bool operator!=(const TReplayCheckpoint& o) const { return !(*this == o); }
  std::string Text() const;
};

struct TReplayStar {
  int x, y, dx;
};

// Everything a game starts from besides the level files: how it began, the
// options that shape play and picture, and the state that carries over from
// before (the paddle, the ball power, the input, the animations).
struct TReplayStart {
  bool fromLevel = false;    // a level named on the command line
  bool resumed = false;      // a kept game resumed at its level start
  bool exact = false;        // a game going on from `snapshot`; else a difficulty
  std::string bonusKind;     // a bonus stage played alone, by its kind's name
  bool bonusStages = false;  // the setting that puts bonus stages into every set
  int difficulty = 0;
  std::string levelName;
  std::string levelSetFolder;  // a player's level set the game was played on, empty for the built-in one
  int resumeLevel = 0;         // the kept game's level index, score and lives
  uint32_t resumeScore = 0;
  int resumeLives = 0;
  uint32_t levelSeed = 0;  // the seed of the command-line level, loaded before recording began
  // A hot-seat game's players (of a resumed one, each as kept) and whose turn it was.
  std::vector<TKeptPlayer> players;
  int turn = 0;
  bool options[6] = {};  // fullscreen, music, sound, background, stars, explosions
  TControls controls;    // the mouse speed and keys the game was played with
  int tickCount = 0;
  int levelIndex = -1;
  int returnState = 0, menuState = 0, menuCursor = 0;
  bool fireHeld = false, firePressed = false;
  int motionCarry = 0;
  uint8_t held = 0;
  int paddleX = 240, paddleSize = 0, paddleDirection = 1;
  bool paddleSlow = false;
  int ballType = 0, ballSpeed = 4;
  int beamPhase = 0;
  uint64_t random = 1;  // the random generator's state (the star field draws after a level's reseed)
  std::vector<TReplayStar> stars;
  TSnapshot snapshot;  // of an exact start
};

// The passes are kept packed into bytes, each pass in no more bytes than its
// text, so that a long recording takes no more memory than its file.
struct TReplay {
  // Version 1 games were played with menus that took no pointer, and replay so.
  int version = ReplayFormatVersion;
  TReplayStart start;
  std::vector<TReplayCheckpoint> checkpoints;
  TReplayCheckpoint end;  // the state when the recording stopped; its gameState is unused

  void AddPass(const TReplayPass& pass);
  // Gives back the room kept for passes that never came.
  void Trim() { packed.shrink_to_fit(); }
  size_t PassCount() const { return passCount; }
  // Unpacks the pass that starts at byte `offset` and moves `offset` to the
  // next one; false after the last.
  bool ReadPass(size_t& offset, TReplayPass& pass) const;
  int TotalTicks() const { return static_cast<int>(totalTicks); }

private:
  std::vector<uint8_t> packed;
  size_t passCount = 0;
  int64_t totalTicks = 0;
};

std::string ReplayText(const TReplay& replay);
// The text up to and including its "play" line, and a pass's lines after it
// (`held`: the keys held before the pass, moved on to the pass's own).
std::string ReplayHeadText(const TReplay& replay);
void AppendPassText(std::string& out, const TReplayPass& pass, int version, uint8_t& held);
// Reads the text form strictly; on any fault returns false with `error` set to
// a short reason ("line 12: ..."), never more than one line.
bool ParseReplay(std::string_view text, TReplay& replay, std::string& error);
// Reads a replay file; `error` is one line naming the file.
bool LoadReplayFile(const std::string& path, TReplay& replay, std::string& error);
