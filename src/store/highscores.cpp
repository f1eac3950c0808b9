// The table of the ten best scores: the built-in table, highscores.dat
// (ten records of a 10-byte name and a little-endian 32-bit score), ranking a
// finished game and typing the new entry's name.
#include "store/highscores.h"

#include <cstdio>
#include <vector>

#include "shell/catalogue.h"
#include "shell/globals.h"
#include "store/datafile.h"

namespace {
const char* const ScoresFile = "highscores.dat";
constexpr int TableSize = 10;
constexpr size_t NameLength = 10;
constexpr size_t RecordSize = NameLength + 4;

// The characters a key types into a name, 0 for keys that type nothing. Key
// codes, not typed characters: shifted keys type the same, and the keypad
// and punctuation type nothing.
char TypedChar(SDLKey key) {
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<char>('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<char>('0' + (key - SDLK_0));
  if (key == SDLK_SPACE) return ' ';
  return 0;
}

// A name never starts with a space. Besides, the space bar that leaves the
// game-over screen reaches the name entry as its first key, and must not type.
void TypeKey(char c) {
  if (Game.typedName.size() >= NameLength) return;
  if (c == ' ' && Game.typedName.empty()) return;
  Game.typedName += c;
  PlaySound(Game.sndMenuSelect);
}

void Backspace() {
  if (Game.typedName.empty()) return;
  Game.typedName.pop_back();
  PlaySound(Game.sndMenuSelect);
}

TSaveResult ConfirmName() {
  PlaySound(Game.sndMenuSelect);
  const int row = Game.newScoreRank - 1;
  if (Game.typedName.empty() || row < 0 || row >= Game.highScores.Count()) return {};
  Game.highScores[row]->name = CHighScore(Game.typedName, 0).name;
  Game.menuState = msHighScores;
  // Saved at once, so that a crash or a power cut later cannot lose it.
  return SaveHighScores();
}
}  // namespace

CHighScore::CHighScore(const std::string& name, uint32_t score)
    : name(name.substr(0, NameLength)), score(score) {
  this->name.resize(NameLength, ' ');
}

void LoadHighScores() {
  Game.highScores.Clear();
  for (int i = 0; i < TableSize; ++i)
    Game.highScores.Add(new CHighScore("VORTEX", static_cast<uint32_t>((TableSize - i) * 25)));
  if (!FileExists(SetFilePath(Game.levelSetName, ScoresFile))) return;
  const std::vector<unsigned char> bytes =
      ReadFileBytes(SetFilePath(Game.levelSetName, ScoresFile), TableSize * RecordSize);
  for (int k = 0; k < TableSize; ++k) {
    const unsigned char* record = &bytes[k * RecordSize];
    CHighScore* entry = Game.highScores[k];
    entry->name.assign(reinterpret_cast<const char*>(record), NameLength);
    entry->score = 0;
    for (int b = 3; b >= 0; --b) entry->score = (entry->score << 8) | record[NameLength + b];
  }
}

TSaveResult SaveHighScores() {
  if (PlayerFilesKept()) return {};
  // Always ten full records, whatever the table holds.
  std::vector<unsigned char> bytes(TableSize * RecordSize, 0);
  for (int k = 0; k < TableSize; ++k) {
    unsigned char* record = &bytes[k * RecordSize];
    const CHighScore blank("", 0);
    const CHighScore& entry = k < Game.highScores.Count() ? *Game.highScores[k] : blank;
    for (size_t c = 0; c < NameLength; ++c) record[c] = c < entry.name.size() ? entry.name[c] : ' ';
    for (int b = 0; b < 4; ++b) record[NameLength + b] = static_cast<unsigned char>(entry.score >> (8 * b));
  }
  std::string error;
  if (WriteFileAtomically(SetFilePath(Game.levelSetName, ScoresFile), bytes, error)) return {};
  return TSaveResult::Failed("the high scores", error);
}

// A tie ranks below the equal entries; the new entry starts with a blank name.
int RankScore() {
  int pos = 0;
  for (int i = Game.highScores.Count() - 1; i >= 0; --i)
    if (Game.highScores[i]->score < Game.score) pos = i + 1;
  if (pos == 0) return 0;
  Game.highScores.Insert(pos - 1, new CHighScore("", Game.score));
  while (Game.highScores.Count() > TableSize) Game.highScores.RemoveAt(Game.highScores.Count() - 1);
  return pos;
}

TSaveResult NameEntryKey(SDLKey key) {
  if (const char c = TypedChar(key)) {
    TypeKey(c);
  } else if (key == SDLK_BACKSPACE) {
    Backspace();
  } else if (key == SDLK_RETURN) {
    return ConfirmName();
  }
  return {};
}
