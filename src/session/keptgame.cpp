// savedgame.dat: a small versioned text file, one value a line, closed by a
// check sum, so that a damaged or foreign file is refused rather than played.
//
//   rebounder-saved-game 1
//   level 41 dutchie land
//   lap 1
//   score 1234
//   lives 3
//   check 5d1c0a77
//
// A game on a player's level set is written as format 2, which adds the line
// "set FOLDER" after the first. A game on the built-in set stays format 1, so
// that an older Rebounder still resumes it, and refuses a game on a set it
// would resume on the wrong levels.
//
// A hot-seat game is written as format 3: after the optional set line,
// "players COUNT TURN", then for each player "name NAME" and their level,
// lap, score and lives lines as above (no lives: out of the game).
//
// A folder whose name holds a line end, a control character or a backslash
// is written as format 4: format 2 or 3 (told apart by the players line)
// with the folder escaped, \\ for a backslash, \n for a line end, \xNN for
// any other control byte; any name a file system allows then comes back.
//
// A game whose place in its level is kept in its journal (savedgame.journal)
// is written as format 5: any of the above, its folder escaped as in format 4,
// with "journal TOKEN" before the check sum, naming the journal it goes with.
#include "session/keptgame.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "base/globals.h"
#include "platform/echo.h"
#include "session/level.h"
#include "session/levelset.h"
#include "session/players.h"

namespace {
const char* const FileName = "savedgame.dat";
const char* const Magic = "rebounder-saved-game";
constexpr int FormatVersion = 5;
const char* const JournalFileName = "savedgame.journal";
constexpr size_t MostFolderBytes = 4096;  // PATH_MAX
// Room for a set folder as long as a path may be, every byte escaped.
constexpr size_t MostBytes = 4 * MostFolderBytes + 512;
constexpr int64_t MostLevelIndex = 1 << 24;
constexpr int64_t MostLives = 99;

// FNV-1a, written as eight hex digits.
std::string Checksum(const std::string& text) {
  uint32_t hash = 2166136261u;
  for (unsigned char c : text) hash = (hash ^ c) * 16777619u;
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", hash);
  return hex;
}

// "head VALUE", the value written exactly as the game writes it (no sign, no
// leading zeros) and within bounds.
bool NumberLine(const std::string& line, const std::string& head, int64_t low, int64_t high, int64_t& value) {
  if (line.compare(0, head.size() + 1, head + " ") != 0) return false;
  const std::string word = line.substr(head.size() + 1);
  const char* end = word.data() + word.size();
  const auto [ptr, ec] = std::from_chars(word.data(), end, value);
  return ec == std::errc() && ptr == end && std::to_string(value) == word && value >= low && value <= high;
}

// A name that comes from a file becomes part of a path: no folders, nothing
// hidden, no control characters, and a map of that name must be there.
bool PlayableName(const std::string& name) {
  bool clean = !name.empty() && name.size() <= 64 && name[0] != '.';
  for (unsigned char c : name) clean = clean && c >= 32 && c != '/' && c != 127;
  std::error_code ignored;
  return clean && std::filesystem::is_regular_file(LevelPath(name), ignored);
}

bool NeedsEscape(const std::string& folder) {
  for (unsigned char c : folder)
    if (c < 32 || c == 127 || c == '\\') return true;
  return false;
}

std::string Escaped(const std::string& folder) {
  std::string out;
  for (unsigned char c : folder) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c < 32 || c == 127) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

// The folder back from Escaped; false for what Escaped never writes.
bool Unescaped(const std::string& text, std::string& folder) {
  folder.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 32 || c == 127) return false;
    if (c != '\\') {
      folder += static_cast<char>(c);
    } else if (text.compare(i, 2, "\\\\") == 0 || text.compare(i, 2, "\\n") == 0) {
      folder += text[i + 1] == 'n' ? '\n' : '\\';
      ++i;
    } else {
      // Exactly as Escaped writes it: two small hex digits of a control byte other than a line end.
      if (text.compare(i, 2, "\\x") != 0 || i + 4 > text.size()) return false;
      const std::string digits = text.substr(i + 2, 2);
      unsigned value = 0;
      const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + 2, value, 16);
      if (ec != std::errc() || ptr != digits.data() + 2 ||
          digits.find_first_not_of("0123456789abcdef") != std::string::npos ||
          (value >= 32 && value != 127) || value == '\n' || value == 0)
        return false;
      folder += static_cast<char>(value);
      i += 3;
    }
  }
  return !folder.empty() && folder.size() <= MostFolderBytes;
}

bool Refuse(std::string& error, const std::string& reason) {
  error = reason;
  return false;
}

// The levels of the game's set there are now, at least one.
size_t SetSize(const std::string& folder) {
  if (folder == Game.levelSetFolder) return std::max(1, LevelCount());
  return std::max<size_t>(1, LoadSetFolder(folder).LevelNames().size());
}
}  // namespace

namespace {
// The four lines of a level start: where, its lap, the score and the lives.
std::string LevelLines(const TKeptPlayer& p, size_t setSize) {
  const size_t lap = p.levelIndex < 0 ? 0 : static_cast<size_t>(p.levelIndex) / setSize;
  return "level " + std::to_string(p.levelIndex) + " " + p.levelName + "\nlap " + std::to_string(lap) +
         "\nscore " + std::to_string(p.score) + "\nlives " + std::to_string(p.lives) + "\n";
}

// Reads the four lines from `at`; lives may be 0 only for a hot-seat player.
bool ReadLevelLines(const std::vector<std::string>& lines, size_t at, int64_t fewestLives, TKeptPlayer& p,
                    int64_t& lap) {
  const std::string& level = lines[at];
  const size_t space = level.find(' ', 6);
  int64_t index = 0, score = 0, lives = 0;
  if (space == std::string::npos || !NumberLine(level.substr(0, space), "level", -1, MostLevelIndex, index) ||
      !NumberLine(lines[at + 1], "lap", 0, MostLevelIndex, lap) ||
      !NumberLine(lines[at + 2], "score", 0, UINT32_MAX, score) ||
      !NumberLine(lines[at + 3], "lives", fewestLives, MostLives, lives))
    return false;
  p.levelIndex = static_cast<int>(index);
  p.levelName = level.substr(space + 1);
  p.score = static_cast<uint32_t>(score);
  p.lives = static_cast<int>(lives);
  return true;
}

bool LapFits(int64_t lap, const TKeptPlayer& p, size_t setSize) {
  return lap == (p.levelIndex < 0 ? 0 : p.levelIndex / static_cast<int64_t>(setSize));
}

// The players of a format 3 file, from the line after "players", and each one's lap.
bool ReadPlayers(const std::vector<std::string>& lines, size_t count, TKeptGame& read,
                 std::vector<int64_t>& laps, std::string& error) {
  if (lines.size() != 3 + 5 * count)
    return Refuse(error, "damaged: " + std::to_string(lines.size()) + " lines, " +
                             std::to_string(3 + 5 * count) + " expected");
  for (size_t i = 0; i < count; ++i) {
    const size_t at = 2 + 5 * i;
    TKeptPlayer p;
    int64_t lap = 0;
    p.name = lines[at].substr(0, 5) == "name " ? lines[at].substr(5) : "";
    if (!PlayerNameFault(p.name).empty())
      return Refuse(error, "damaged: a player's name is missing or unusable");
    if (!ReadLevelLines(lines, at + 1, 0, p, lap))
      return Refuse(error, "damaged: a value is missing, malformed or out of range");
    read.players.push_back(p);
    laps.push_back(lap);
  }
  const TKeptPlayer& atPlay = read.players[static_cast<size_t>(read.turn)];
  if (atPlay.lives <= 0) return Refuse(error, "damaged: the player whose turn it is has no life left");
  read.levelIndex = atPlay.levelIndex;
  read.levelName = atPlay.levelName;
  read.score = atPlay.score;
  read.lives = atPlay.lives;
  return true;
}
}  // namespace

std::string SavedGamePath() { return DataFilePath(FileName); }

std::string KeptJournalPath() { return DataFilePath(JournalFileName); }

std::string SavedGameText(const TKeptGame& game) {
  const size_t setSize = SetSize(game.setFolder);
  const bool hotSeat = !game.players.empty();
  const bool journaled = !game.journal.empty();
  const bool escaped = journaled || NeedsEscape(game.setFolder);
  const int version = journaled ? 5 : escaped ? 4 : hotSeat ? 3 : game.setFolder.empty() ? 1 : 2;
  std::string text = std::string(Magic) + " " + std::to_string(version) + "\n";
  if (!game.setFolder.empty()) text += "set " + (escaped ? Escaped(game.setFolder) : game.setFolder) + "\n";
  if (!hotSeat)
    text += LevelLines({"", game.levelIndex, game.levelName, game.score, game.lives}, setSize);
  else
    text += "players " + std::to_string(game.players.size()) + " " + std::to_string(game.turn) + "\n";
  for (const TKeptPlayer& p : game.players) text += "name " + p.name + "\n" + LevelLines(p, setSize);
  if (journaled) text += "journal " + game.journal + "\n";
  return text + "check " + Checksum(text) + "\n";
}

bool ParseSavedGame(const std::string& text, TKeptGame& game, std::string& error) {
  std::vector<std::string> lines;
  for (size_t from = 0, eol; from < text.size(); from = eol + 1) {
    eol = text.find('\n', from);
    if (eol == std::string::npos) return Refuse(error, "damaged: it ends in the middle of a line");
    lines.push_back(text.substr(from, eol - from));
  }
  int64_t version = 0;
  if (lines.empty() || !NumberLine(lines[0], Magic, 1, INT_MAX, version))
    return Refuse(error, "not a Rebounder saved game");
  if (version > FormatVersion)
    return Refuse(error, "saved by a newer Rebounder (format " + std::to_string(version) + ")");
  TKeptGame read;
  // Format 5 is any of the others with its set escaped and the token of its
  // journal before the check sum.
  if (version == 5) {
    const std::string line = lines.size() > 2 ? lines[lines.size() - 2] : "";
    read.journal = line.substr(0, 8) == "journal " ? line.substr(8) : "";
    if (read.journal.size() != 16 || read.journal.find_first_not_of("0123456789abcdef") != std::string::npos)
      return Refuse(error, "damaged: its journal line is unusable");
    lines.erase(lines.end() - 2);
    const size_t at = lines.size() > 1 && lines[1].substr(0, 4) == "set " ? 2 : 1;
    version = lines.size() > at && lines[at].substr(0, 8) == "players " ? 3 : at == 2 ? 4 : 1;
  }
  // Format 4 is format 2, or 3 when its players line follows the set line, with the set escaped.
  const bool escaped = version == 4 || !read.journal.empty();
  if (version == 4) version = lines.size() > 2 && lines[2].substr(0, 8) == "players " ? 3 : 2;
  // Format 2 always names a set; format 3 only when the game was on a player's.
  const bool setLine = version == 2 || (version == 3 && lines.size() > 1 && lines[1].substr(0, 4) == "set ");
  if (version < 3) {
    const size_t expected = version == 1 ? 6 : 7;
    if (lines.size() != expected)
      return Refuse(error, "damaged: " + std::to_string(lines.size()) + " lines, " +
                               std::to_string(expected) + " expected");
  }
  if (setLine) {
    const std::string folder = lines[1].substr(0, 4) == "set " ? lines[1].substr(4) : "";
    const bool usable = escaped ? Unescaped(folder, read.setFolder) : CleanSetFolder(read.setFolder = folder);
    if (!usable) return Refuse(error, "damaged: its level set line is unusable");
    lines.erase(lines.begin() + 1);
  }
  int64_t lap = 0, count = 0, turn = 0;
  std::vector<int64_t> laps;
  TKeptPlayer atPlay;
  if (version < 3 && !ReadLevelLines(lines, 1, 1, atPlay, lap))
    return Refuse(error, "damaged: a value is missing, malformed or out of range");
  if (version == 3) {
    const std::string& head = lines.size() > 1 ? lines[1] : lines[0];
    const size_t space = head.find(' ', 8);
    if (space == std::string::npos || !NumberLine(head.substr(0, space), "players", 2, MostPlayers, count) ||
        !NumberLine("turn" + head.substr(space), "turn", 0, count - 1, turn))
      return Refuse(error, "damaged: its players line is unusable");
  }
  const size_t checked = text.size() - lines.back().size() - 1;
  if (lines.back() != "check " + Checksum(text.substr(0, checked)))
    return Refuse(error, "damaged: its check sum does not match");
  if (version == 3) {
    read.turn = static_cast<int>(turn);
    if (!ReadPlayers(lines, static_cast<size_t>(count), read, laps, error)) return false;
  } else {
    read.levelIndex = atPlay.levelIndex;
    read.levelName = atPlay.levelName;
    read.score = atPlay.score;
    read.lives = atPlay.lives;
  }
  const CLevelSet set = LoadSetFolder(read.setFolder);
  const std::string misfit = KeptGameMisfit(read, set);
  if (!misfit.empty()) return Refuse(error, misfit);
  // Laps are checked against a set that is there: a set gone is said as such.
  const size_t setSize = std::max<size_t>(1, set.LevelNames().size());
  if (version < 3) laps = {lap};
  const std::vector<TKeptPlayer> players = version < 3 ? std::vector<TKeptPlayer>{atPlay} : read.players;
  for (size_t i = 0; i < laps.size(); ++i)
    if (!LapFits(laps[i], players[i], setSize))
      return Refuse(error, "damaged: its lap does not match its level");
  game = read;
  return true;
}

std::string KeptGameMisfit(const TKeptGame& game, const CLevelSet& set) {
  // The folder last: a notice on the screen shows only the start of a long line.
  const std::string named = "level set \"" + Echoed(SetName(set.folder)) + "\"",
                    folder = " (" + Echoed(set.folder, EchoedPathLength) + ")";
  const std::vector<std::string> names = set.LevelNames();
  std::error_code ignored;
  if (!set.IsClassic() && !std::filesystem::is_directory(set.folder, ignored))
    return "its " + named + " is gone" + folder;
  if (names.empty()) return "its " + named + " has no level left that can be played" + folder;
  auto there = [&](int index, const std::string& name) {
    if (index >= 0) return names[static_cast<size_t>(index) % names.size()] == name;
    if (set.IsClassic()) return PlayableName(name);
    return std::find(names.begin(), names.end(), name) != names.end();
  };
  // Every player of a hot-seat game must find their level, the player at play first.
  std::string name = game.levelName;
  bool found = there(game.levelIndex, name);
  for (const TKeptPlayer& p : game.players)
    if (found && !there(p.levelIndex, p.levelName)) {
      name = p.levelName;
      found = false;
    }
  if (found) return "";
  return "its level \"" + Echoed(name) + "\" is not " +
         (set.IsClassic() ? "this game's" : "in the " + named + folder);
}

void LoadSavedGame() {
  Game.haveSavedGame = false;
  const std::string path = SavedGamePath();
  std::vector<unsigned char> bytes;
  std::string error;
  TKeptGame game;
  if (!TryReadWholeFile(path, MostBytes, bytes, error)) {
    if (!error.empty()) std::fprintf(stderr, "rebounder: %s; the saved game is ignored\n", error.c_str());
    return;
  }
  if (!ParseSavedGame(std::string(bytes.begin(), bytes.end()), game, error)) {
    std::fprintf(stderr, "rebounder: %s: %s; the saved game is ignored\n", path.c_str(), error.c_str());
    return;
  }
  Game.savedGame = game;
  Game.haveSavedGame = true;
}

TSaveResult SaveGameForLater(const TKeptGame& game) {
  if (PlayerFilesKept()) return {};
  const std::string text = SavedGameText(game);
  std::string error;
  if (WriteFileAtomically(SavedGamePath(), std::vector<unsigned char>(text.begin(), text.end()), error))
    return {};
  return TSaveResult::Failed("this game's level, score and lives", error);
}

void DiscardSavedGame() {
  Game.haveSavedGame = false;
  if (PlayerFilesKept()) return;
  for (const std::string& path : {SavedGamePath(), KeptJournalPath()})
    if (std::remove(path.c_str()) != 0 && errno != ENOENT && errno != ENOTDIR)
      std::fprintf(stderr, "rebounder: %s: cannot delete the finished game: %s\n", path.c_str(),
                   std::strerror(errno));
}
