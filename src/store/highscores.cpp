// The table of the ten best scores: the built-in table, highscores.dat
// (ten records of a 10-byte name and a little-endian 32-bit score), ranking a
// finished game and typing the new entry's name. Two copies of the game may
// share the file, so a save merges this copy's rows into what is on disk.
#include "store/highscores.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "base/globals.h"
#include "media/catalogue.h"
#include "platform/datafile.h"
#include "platform/fatal.h"
#include "platform/filegroup.h"
#include "store/replaystore.h"

namespace {
const char* const ScoresFile = "highscores.dat";
constexpr int TableSize = 10;
constexpr size_t NameLength = 10;
constexpr size_t RecordSize = NameLength + 4;
constexpr size_t TableBytes = TableSize * RecordSize;

using TRows = std::vector<CHighScore>;

// Lists a save's changes of the table and its recordings while they are made.
std::string JournalPath() { return SetFilePath(Game.levelSetTable, "highscores.journal"); }

// A row this copy added in this run. Another copy may save rows in between,
// so the row is found again by its score and the number of equal scores above
// it: an equal score entered later ranks below it, and one above it can only
// leave the table after it.
struct TOwnRow {
  uint32_t score;
  std::string name;
  int equalAbove = 0;
  bool onDisk = false;    // the file holds the row
  bool gone = false;      // better scores filled the table before it was saved
  std::string recording;  // kept beside the row when it is first saved; "" for none
};
std::vector<TOwnRow> ownRows;
size_t unsavedFrom = 0;  // the rows ranked since the last save: the last game's

// The digit row with Shift held, as the common US keyboard prints it.
const char ShiftedDigits[] = ")!@#$%^&*(";

// The character a key types into a name, 0 for keys that type nothing. Key
// codes, not typed characters, so that every keyboard layout types the same:
// letters in capitals, the digit row's symbols with Shift, and the keypad and
// punctuation nothing.
char TypedChar(SDLKey key, SDLMod mod) {
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<char>('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9)
    return (mod & KMOD_SHIFT) ? ShiftedDigits[key - SDLK_0] : static_cast<char>('0' + (key - SDLK_0));
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

// Enter needs a name; Escape leaves with whatever there is, the row keeping
// its own name when nothing was typed.
TSaveResult ConfirmName(bool leaving) {
  PlaySound(Game.sndMenuSelect);
  const int row = Game.newScoreRank - 1;
  if ((Game.typedName.empty() && !leaving) || row < 0 || row >= Game.highScores.Count()) return {};
  if (!Game.typedName.empty()) Game.highScores[row]->name = CHighScore(Game.typedName, 0).name;
  if (!ownRows.empty()) ownRows.back().name = Game.highScores[row]->name;
  Game.menuState = msHighScores;
  // Saved at once, so that a crash or a power cut later cannot lose it.
  return SaveHighScores();
}

// The built-in set's table starts with ten made-up rows to beat; a player's
// set starts empty, so that its first games are its own best.
TRows DefaultTable() {
  TRows rows;
  if (!Game.levelSetFolder.empty()) return rows;
  for (int i = 0; i < TableSize; ++i)
    rows.emplace_back("VORTEX", static_cast<uint32_t>((TableSize - i) * 25));
  return rows;
}

// Only a file of exactly ten records whose names the font can draw is a
// table; anything else (another file linked in its place, a cut or grown
// one) would show as garbage and rank games against nonsense.
std::string WhyNotATable(const std::vector<unsigned char>& bytes) {
  if (bytes.size() != TableBytes)
    return bytes.size() > TableBytes
               ? "it is longer than the 140 bytes of a table"
               : "it is " + std::to_string(bytes.size()) + " bytes, not the 140 of a table";
  for (size_t k = 0; k < TableBytes; k += RecordSize)
    for (size_t c = k; c < k + NameLength; ++c)
      if (bytes[c] < ' ' || bytes[c] > '~')
        return "a name holds a character that is not a letter, digit or sign";
  return "";
}

// Reads the table on disk; a missing file is the built-in table. A file that
// is not a table is said in one line and moved aside, never written over.
// A file that cannot be read at all is fatal.
TRows ReadTable(const std::string& path, bool& damaged) {
  damaged = false;
  if (!FileExists(path)) return DefaultTable();
  const std::vector<unsigned char> bytes = ReadFileHead(path, TableBytes + 1);
  const std::string why = WhyNotATable(bytes);
  if (why.empty()) {
    TRows rows;
    for (size_t k = 0; k < TableBytes; k += RecordSize) {
      uint32_t score = 0;
      for (int b = 3; b >= 0; --b) score = (score << 8) | bytes[k + NameLength + b];
      // A score of 0 never enters a table: such a record is a free place.
      if (score > 0) rows.emplace_back(std::string(bytes.begin() + k, bytes.begin() + k + NameLength), score);
    }
    return rows;
  }
  damaged = true;
  std::string error, aside = "left where it is";
  if (!PlayerFilesKept()) {
    aside = SetFileAside(path, error);
    aside = aside.empty() ? error : "kept as " + aside;
  }
  std::fprintf(stderr, "rebounder: %s is not a high-score table (%s): %s; the built-in table stands in\n",
               path.c_str(), why.c_str(), aside.c_str());
  return DefaultTable();
}

// Always ten records; the places a table has no row for are blank with a score of 0.
std::vector<unsigned char> Encode(const TRows& rows) {
  std::vector<unsigned char> bytes(TableBytes, ' ');
  for (size_t k = 0; k < TableSize; ++k) {
    unsigned char* record = &bytes[k * RecordSize];
    const uint32_t score = k < rows.size() ? rows[k].score : 0;
    for (size_t c = 0; k < rows.size() && c < NameLength && c < rows[k].name.size(); ++c)
      record[c] = rows[k].name[c];
    for (int b = 0; b < 4; ++b) record[NameLength + b] = static_cast<unsigned char>(score >> (8 * b));
  }
  return bytes;
}

void ShowTable(const TRows& rows) {
  Game.highScores.Clear();
  for (const CHighScore& row : rows) Game.highScores.Add(new CHighScore(row));
}

// A tie ranks below the equal entries, and a table of fewer than ten rows
// takes any score but 0 at its end; TableSize when the score does not enter.
int RankIn(const TRows& rows, uint32_t score) {
  if (score == 0) return TableSize;
  int pos = std::min(static_cast<int>(rows.size()), TableSize);
  for (int i = static_cast<int>(rows.size()) - 1; i >= 0; --i)
    if (rows[i].score < score) pos = i;
  return pos;
}

int EqualAbove(const TRows& rows, int pos) {
  int equal = 0;
  for (int i = 0; i < pos; ++i) equal += rows[i].score == rows[pos].score;
  return equal;
}

// Where own row `row` stands in `rows`, or -1 when it has left the table.
int Find(const TRows& rows, const TOwnRow& row) {
  for (int i = 0, equal = 0; i < static_cast<int>(rows.size()); ++i)
    if (rows[i].score == row.score && equal++ == row.equalAbove) return i;
  return -1;
}

// Puts this copy's rows into the table read from disk. from[k] is the rank
// whose recording row k now has, or 0 for a new row whose recording is
// fresh[k].
void MergeOwnRows(TRows& rows, std::vector<int>& from, std::vector<std::string>& fresh) {
  for (int k = 0; k < TableSize; ++k) from.push_back(k + 1);
  fresh.assign(TableSize, "");
  for (TOwnRow& own : ownRows) {
    if (own.onDisk) {
      const int pos = Find(rows, own);
      if (pos >= 0) rows[pos].name = own.name;
      continue;
    }
    const int pos = RankIn(rows, own.score);
    own.gone = pos >= TableSize;
    if (own.gone) continue;
    rows.insert(rows.begin() + pos, CHighScore(own.name, own.score));
    if (rows.size() > TableSize) rows.pop_back();
    from.insert(from.begin() + pos, 0);
    from.pop_back();
    fresh.insert(fresh.begin() + pos, own.recording);
    fresh.pop_back();
    own.equalAbove = EqualAbove(rows, pos);
  }
}

// One step under the data folder's lock: re-read the table, merge this
// copy's rows, write their recordings and move the others with their rows,
// then the table. `recordingError` is set when a recording was not kept.
TSaveResult MergeAndSave(std::string& recordingError) {
  if (PlayerFilesKept()) return {};
  const std::string path = SetFilePath(Game.levelSetTable, ScoresFile);
  CDataLock lock;
  FinishFileGroup(JournalPath(), TableFiles(path));
  TRows rows;
  bool damaged;
  try {
    rows = ReadTable(path, damaged);
  } catch (const TFatalError& e) {
    return TSaveResult::Failed("the high scores", e.what());
  }
  std::vector<int> from;
  std::vector<std::string> fresh;
  MergeOwnRows(rows, from, fresh);
  std::string error;
  TFileGroup group{JournalPath(), {path}, {}};
  const bool prepared = PrepareFile(path, Encode(rows), error);
  bool recorded = false;
  for (const std::string& text : fresh) recorded = recorded || !text.empty();
  if (prepared)
    recordingError = ArrangeRecordings(from, fresh, group);
  else if (recorded)
    recordingError = "the table it belongs to could not be saved";
  // The rows and their recordings change together, or not at all.
  const bool saved = prepared && CommitFileGroup(group, error);
  // A recording is tried once, and a row that no longer ranks is done with.
  std::vector<TOwnRow> kept;
  std::vector<int> entered;
  int last = -1;
  for (TOwnRow& own : ownRows) {
    own.recording.clear();
    last = own.gone || !saved ? -1 : Find(rows, own);
    if (own.gone || (saved && last < 0)) continue;
    if (saved && !own.onDisk) entered.push_back(last);
    own.onDisk = own.onDisk || saved;
    kept.push_back(own);
  }
  ownRows = kept;
  unsavedFrom = ownRows.size();
  if (!saved) return TSaveResult::Failed("the high scores", error);
  ShowTable(rows);
  Game.newScoreRank = last + 1;
  if (!entered.empty()) Game.litTableRows = entered;
  return {};
}
}  // namespace

CHighScore::CHighScore(const std::string& name, uint32_t score)
    : name(name.substr(0, NameLength)), score(score) {
  this->name.resize(NameLength, ' ');
}

std::string DefaultName() {
  const passwd* entry = getpwuid(getuid());
  std::string name;
  for (const char* c = entry ? entry->pw_name : ""; *c && name.size() < NameLength; ++c) {
    const SDLKey key = static_cast<SDLKey>(*c >= 'A' && *c <= 'Z' ? *c - 'A' + 'a' : *c);
    if (const char typed = TypedChar(key, KMOD_NONE)) name += typed;
  }
  return name.empty() || name[0] == ' ' ? "PLAYER" : name;
}

void LoadHighScores() {
  ownRows.clear();
  unsavedFrom = 0;
  const std::string path = SetFilePath(Game.levelSetTable, ScoresFile);
  // A damaged file is moved aside under the lock, so that a good table
  // another copy is saving meanwhile cannot be taken for it.
  std::optional<CDataLock> lock;
  if (!PlayerFilesKept() && FileExists(path)) lock.emplace();
  // A save a crash cut short is finished, or undone, before the table is read.
  if (!PlayerFilesKept() && (FileExists(JournalPath()) || FileExists(path + ".new"))) {
    if (!lock) lock.emplace();
    FinishFileGroup(JournalPath(), TableFiles(path));
  }
  bool damaged;
  ShowTable(ReadTable(path, damaged));
  // The built-in table takes the damaged one's place at once, so the files
  // stay in the folder they were found in.
  std::string error;
  if (damaged && !PlayerFilesKept() && !WriteFileAtomically(path, Encode(DefaultTable()), error))
    std::fprintf(stderr, "rebounder: %s\n", error.c_str());
}

TSaveResult SaveHighScores() {
  std::string recordingError;
  const TSaveResult result = MergeAndSave(recordingError);
  if (!recordingError.empty())
    std::fprintf(stderr, "rebounder: the recording of a game was not kept: %s\n", recordingError.c_str());
  return result;
}

std::vector<TSaveResult> SaveNewScore() {
  std::string recordingError;
  const TSaveResult table = MergeAndSave(recordingError);
  std::vector<TSaveResult> results;
  if (!recordingError.empty())
    results.push_back(TSaveResult::Failed("the recording of this game", recordingError, "was not kept"));
  results.push_back(table);
  return results;
}

void KeepNewScoreRecording(std::string text) {
  for (size_t i = std::min(unsavedFrom, ownRows.size()); i < ownRows.size(); ++i) ownRows[i].recording = text;
}

int RankScore() { return RankScoreAs(Game.score, DefaultName()); }

int RankScoreAs(uint32_t score, const std::string& name) {
  TRows rows;
  for (int i = 0; i < Game.highScores.Count(); ++i) rows.push_back(*Game.highScores[i]);
  const int pos = RankIn(rows, score);
  if (pos >= TableSize) return 0;
  Game.highScores.Insert(pos, new CHighScore(name, score));
  while (Game.highScores.Count() > TableSize) Game.highScores.RemoveAt(Game.highScores.Count() - 1);
  TOwnRow own;
  own.score = score;
  own.name = CHighScore(name, 0).name;
  ownRows.push_back(own);
  return pos + 1;
}

char NameKeyChar(SDLKey key, SDLMod mod) { return TypedChar(key, mod); }

TSaveResult NameEntryKey(SDLKey key, SDLMod mod) {
  if (const char c = TypedChar(key, mod)) {
    TypeKey(c);
  } else if (key == SDLK_BACKSPACE) {
    Backspace();
  } else if (key == SDLK_RETURN || key == SDLK_ESCAPE) {
    return ConfirmName(key == SDLK_ESCAPE);
  }
  return {};
}
