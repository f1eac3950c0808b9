// The kept game's journal: its snapshot, its passes written as play goes, and
// reading it back to the last pass written out whole.
#include "replay/journal.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "base/clock.h"
#include "base/globals.h"
#include "platform/appendfile.h"
#include "platform/datafile.h"
#include "session/gameflow.h"
#include "session/keptgame.h"
#include "session/players.h"
#include "replay/recorder.h"

namespace {
const char* const Magic = "rebounder-journal ";
// Written out at least this often: a killed game loses less than a second.
constexpr uint32_t WriteEvery = 500;
constexpr size_t MostBytes = 64u << 20;

CAppendFile file;

struct TJournal {
  bool active = false;  // a journal file is being written
  bool due = false;     // a new one starts at the next quiet moment
  bool aside = false;   // the game was put aside for the editor: nothing more is added
  std::string token;
  uint32_t hash = 2166136261u;  // FNV-1a of every byte of the file so far
  std::string kept;             // passes of play, not yet written out
  std::string waiting;          // passes out of play, kept only once play comes back
  uint8_t heldKept = 0, heldAll = 0;
  int ticksKept = 0, ticksAll = 0;
  TReplayCheckpoint summary;  // where the kept passes leave the game
  uint32_t lastWrite = 0;
  TGameState lastState = gsFirstBall;
  int lastTurn = 0;
};
TJournal journal;
// Where the journal last read ends (its last sync line) and the hash there:
// a game continued from it goes on adding from that point.
struct {
  std::string token;
  size_t end = 0;
  uint32_t hash = 0;
} loaded;

uint32_t Hash(uint32_t hash, const std::string& bytes) {
  for (unsigned char c : bytes) hash = (hash ^ c) * 16777619u;
  return hash;
}

// "sync TICK LEVEL SCORE LIVES HASH": the passes before it are whole, and
// leave the game so; the hash is of every byte before the line.
std::string SyncLine(const TReplayCheckpoint& c, uint32_t hash) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", hash);
  return "sync " + std::to_string(c.tick) + " " + std::to_string(c.level) + " " + std::to_string(c.score) +
         " " + std::to_string(c.lives) + " " + hex + "\n";
}

TReplayCheckpoint SummaryNow(int tick) {
  TReplayCheckpoint c;
  c.tick = tick;
  c.level = Game.levelIndex;
  c.score = Game.score;
  c.lives = Game.lives;
  return c;
}

std::string NewToken() {
  const uint64_t now = static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  static uint64_t count = 0;
  uint64_t mixed = now ^ (static_cast<uint64_t>(getpid()) << 40) ^ (++count * 0x9E3779B97F4A7C15ull);
  mixed ^= mixed >> 31;
  mixed *= 0xBF58476D1CE4E5B9ull;
  mixed ^= mixed >> 29;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(mixed));
  return hex;
}

// Said once: a folder that cannot be written to would say it at every level.
void Broken(const std::string& error) {
  static bool said = false;
  if (!said) std::fprintf(stderr, "rebounder: %s; a kept game goes on from its level start\n", error.c_str());
  said = true;
  file.Close();
  journal.active = false;
}

// Writes the journal file anew with `text`, then goes on adding to it.
bool OpenFile(const std::string& text) {
  std::string error;
  const std::string path = JournalPath();
  file.Close();
  if (!WriteFileAtomically(path, std::vector<unsigned char>(text.begin(), text.end()), error) ||
      !file.Open(path, error)) {
    Broken(error);
    return false;
  }
  journal.hash = Hash(2166136261u, text);
  journal.lastWrite = GetTicks();
  journal.active = true;
  return true;
}

void Write() {
  if (!journal.active || journal.kept.empty()) return;
  journal.kept += SyncLine(journal.summary, Hash(journal.hash, journal.kept));
  journal.hash = Hash(journal.hash, journal.kept);
  std::string error;
  if (!file.Append(journal.kept, error)) Broken(error);
  journal.kept.clear();
  journal.lastWrite = GetTicks();
}

// A quiet moment after a level loaded or the turn passed: the game is kept
// from here, savedgame.dat first, so that a crash between the two files
// leaves a journal that does not match and the game at this level's start.
void Start() {
  if (PlayerFilesKept()) return;
  StopJournal();
  journal = TJournal();
  journal.token = NewToken();
  TKeptGame kept = GameToKeep();
  kept.journal = journal.token;
  const TSaveResult saved = SaveGameForLater(kept);
  if (!saved) return Broken(saved.error);
  TReplay replay;
  replay.start = CaptureExactStart();
  replay.version = replay.start.bonusStages ? BonusReplayVersion : ExactReplayVersion;
  journal.heldKept = journal.heldAll = replay.start.held;
  journal.summary = SummaryNow(0);
  std::string text = Magic + journal.token + "\n" + ReplayHeadText(replay);
  text += SyncLine(journal.summary, Hash(2166136261u, text));
  journal.lastState = Game.gameState;
  journal.lastTurn = HotSeat.turn;
  OpenFile(text);
}
}  // namespace

std::string JournalPath() { return KeptJournalPath(); }

void RestartJournal() {
  StopJournal();
  journal.due = true;
}

void JournalPass(const TReplayPass& pass) {
  bool loaded = false;
  for (const TReplayItem& item : pass.items) loaded = loaded || item.kind == riSeed;
  if (loaded || HotSeat.turn != journal.lastTurn) journal.due = true;
  journal.lastTurn = HotSeat.turn;
  if (journal.due && QuietMoment() && GameInProgress()) {
    Start();
    return;
  }
  if (!journal.active || journal.aside) return;
  // The level editor's input is never played again: the journal keeps the
  // game as it was left for the editor, until the next quiet moment.
  if (Game.programState == psEditor || Game.playTesting) {
    journal.waiting.clear();
    journal.aside = journal.due = true;
    return;
  }
  if (Game.quitRequested) {
    // Never played again: the game stays where the player last saw it.
    journal.waiting.clear();
    journal.heldAll = journal.heldKept;
    journal.ticksAll = journal.ticksKept;
    Write();
    return;
  }
  AppendPassText(journal.waiting, pass, ExactReplayVersion, journal.heldAll);
  journal.ticksAll += pass.ticks;
  TReplayCheckpoint c;
  if (PassEndedLevel(journal.lastState, journal.ticksAll, c)) journal.waiting += c.Text() + "\n";
  journal.lastState = Game.gameState;
  if (Game.programState == psGame && Game.question == qnNone) {
    journal.kept += journal.waiting;
    journal.waiting.clear();
    journal.heldKept = journal.heldAll;
    journal.ticksKept = journal.ticksAll;
    journal.summary = SummaryNow(journal.ticksKept);
  }
  if (GetTicks() - journal.lastWrite >= WriteEvery) Write();
}

void StopJournal() {
  file.Close();
  journal.active = journal.due = false;
  journal.kept.clear();
  journal.waiting.clear();
}

std::string FlushJournal() {
  if (!journal.active) return "";
  Write();
  return journal.active ? journal.token : "";
}

bool LoadJournal(const std::string& token, TReplay& replay, std::string& error) {
  std::vector<unsigned char> bytes;
  const std::string path = JournalPath();
  if (!TryReadWholeFile(path, MostBytes, bytes, error)) {
    if (error.empty()) error = path + ": missing";
    return false;
  }
  const std::string text(bytes.begin(), bytes.end());
  const std::string first = Magic + token + "\n";
  if (text.compare(0, first.size(), first) != 0) {
    error = path + ": belongs to another kept game";
    return false;
  }
  // The passes up to the last sync line whose hash holds; the sync lines go.
  std::string body, pending, lastSync;
  loaded.token.clear();
  uint32_t hash = Hash(2166136261u, first);
  for (size_t from = first.size(), eol; from < text.size(); from = eol + 1) {
    eol = text.find('\n', from);
    if (eol == std::string::npos) break;
    const std::string line = text.substr(from, eol + 1 - from);
    if (line.compare(0, 5, "sync ") == 0) {
      char hex[9];
      std::snprintf(hex, sizeof hex, "%08x", hash);
      if (line.size() < 10 || line.compare(line.size() - 9, 8, hex) != 0) break;
      body += pending;
      pending.clear();
      lastSync = line.substr(5, line.size() - 15);
      loaded = {token, eol + 1, Hash(hash, line)};
    } else {
      pending += line;
    }
    hash = Hash(hash, line);
  }
  if (lastSync.empty()) {
    error = path + ": damaged before its first pass";
    return false;
  }
  if (!ParseReplay(body + "end " + lastSync + "\n", replay, error) || !replay.start.exact) {
    error = path + ": " + (error.empty() ? "not a journal" : error);
    return false;
  }
  return true;
}

void ContinueJournal(const TReplay& replay, const std::string& token) {
  if (PlayerFilesKept()) return;
  StopJournal();
  journal = TJournal();
  journal.token = token;
  journal.ticksKept = journal.ticksAll = replay.TotalTicks();
  journal.summary = SummaryNow(journal.ticksKept);
  uint8_t held = replay.start.held;
  TReplayPass p;
  for (size_t at = 0; replay.ReadPass(at, p);) held = p.held;
  journal.heldKept = journal.heldAll = held;
  journal.lastState = Game.gameState;
  journal.lastTurn = HotSeat.turn;
  // What follows the last sync line was never played: it goes, and the
  // journal goes on from there.
  std::error_code failed;
  const std::string path = JournalPath();
  if (loaded.token == token) std::filesystem::resize_file(path, loaded.end, failed);
  std::string error;
  if (loaded.token != token || failed || !file.Open(path, error))
    return Broken(failed          ? path + ": " + failed.message()
                  : error.empty() ? path + ": not the one read"
                                  : error);
  journal.hash = loaded.hash;
  journal.lastWrite = GetTicks();
  journal.active = true;
}
