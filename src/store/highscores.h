// CHighScore and the table of the ten best scores kept in highscores.dat,
// with ranking and name entry.
#pragma once
#include <SDL/SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/datafile.h"

class CHighScore {
public:
  std::string name;  // always exactly 10 characters
  uint32_t score;

  CHighScore(const std::string& name, uint32_t score);
};

// The name a new entry has until the player types one: the login name in the
// letters and digits a name can be typed with, else PLAYER.
std::string DefaultName();
// Reads the set's highscores.dat. Without one a set has its starting table:
// the built-in set ten made-up rows, a player's set none (a table holds up
// to ten rows). A file that is not a table is moved aside to
// highscores.dat.bad with one line on standard error, and the starting table
// stands in.
void LoadHighScores();
// Merges this copy's new entries and names into the table on disk (another
// copy of the game may have saved since) and writes it; the table shown
// becomes the merged one. Says why when it could not.
TSaveResult SaveHighScores();
// Ranks the finished game's score (1-based, 0 when it does not enter) and
// puts it in the table under the default name.
int RankScore();
// The same for a score under a given name (a hot-seat player's).
int RankScoreAs(uint32_t score, const std::string& name);
// The recording of the game just ranked, saved with its rows (a hot-seat
// game may enter several).
void KeepNewScoreRecording(std::string text);
// Saves the new entry and its recording together, as soon as the game ends;
// the entry's rank in the merged table becomes Game.newScoreRank. Returns
// what went wrong with the recording, then with the table.
std::vector<TSaveResult> SaveNewScore();
// The character a key types into a name (0 for none): capitals, digits and
// with Shift their signs, and space, whatever the keyboard's layout.
char NameKeyChar(SDLKey key, SDLMod mod);
// Typing the new entry's name; Enter, or Escape, which keeps the name typed
// so far (or the row's own), stores the table at once and returns how that went.
TSaveResult NameEntryKey(SDLKey key, SDLMod mod = KMOD_NONE);
