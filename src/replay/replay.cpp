// The text form of a recorded game read back strictly, since a replay file
// may come from anywhere; and its passes packed into bytes.
#include "replay/replay.h"

#include <SDL/SDL_keysym.h>
#include <SDL/SDL_mouse.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstring>

#include "platform/datafile.h"
#include "platform/echo.h"
#include "platform/fatal.h"
#include "session/levelset.h"
#include "session/players.h"
#include "store/replaystore.h"

namespace {
const char* const Magic = "rebounder-replay";
constexpr int64_t MostTicks = 40LL * 60 * 60 * 24 * 7;  // a week of play
constexpr size_t MostBytes = MostRecordingBytes;
// Far more than a real pass sees, even one that waited out a long stall, and
// few enough that a pass is dispatched in a blink.
constexpr size_t MostEventsInAPass = 8192;
constexpr size_t MostStars = 1024;

// Splits the text into lines and each line into its words, and reads numbers
// within stated bounds; every fault names the line.
class TReader {
public:
  explicit TReader(std::string_view text) : text(text) {}

  bool Next() {
    if (pos >= text.size()) return false;
    const size_t eol = text.find('\n', pos);
    if (eol == std::string::npos) return Fault("the file ends in the middle of a line");
    // Lines that end in a carriage return as well, as Windows writes them, read the same.
    const size_t cut = eol > pos && text[eol - 1] == '\r' ? eol - 1 : eol;
    line = text.substr(pos, cut - pos);
    pos = eol + 1;
    ++number;
    words.clear();
    size_t from = 0;
    while (from <= line.size()) {
      const size_t space = line.find(' ', from);
      const size_t to = space == std::string::npos ? line.size() : space;
      words.push_back(line.substr(from, to - from));
      if (space == std::string::npos) break;
      from = space + 1;
    }
    return true;
  }

  bool Fault(const std::string& reason) {
    if (error.empty()) error = "line " + std::to_string(number) + ": " + reason;
    return false;
  }

  // Whether the next line starts with the word `head`.
  bool NextIs(const std::string& head) const { return text.compare(pos, head.size() + 1, head + " ") == 0; }

  // The line must be `head` followed by exactly `count` words.
  bool Expect(const char* head, size_t count) {
    if (words[0] != head) return Fault(std::string("expected \"") + head + "\"");
    if (words.size() != count + 1) return Fault(std::string("wrong number of values after \"") + head + "\"");
    return true;
  }

  bool Unsigned64(size_t index, uint64_t& out) {
    const std::string& w = words[index];
    const char* end = w.data() + w.size();
    auto [ptr, ec] = std::from_chars(w.data(), end, out);
    if (w.empty() || ec != std::errc() || ptr != end || out == 0)
      return Fault("\"" + Echoed(w) + "\" is no generator state");
    return true;
  }

  template <class T>
  bool Number(size_t index, int64_t low, int64_t high, T& out) {
    const std::string& w = words[index];
    int64_t v = 0;
    const char* end = w.data() + w.size();
    auto [ptr, ec] = std::from_chars(w.data(), end, v);
    if (w.empty() || ec != std::errc() || ptr != end)
      return Fault("\"" + Echoed(w) + "\" is not a whole number");
    if (v < low || v > high) return Fault(Echoed(w) + " is out of range");
    out = static_cast<T>(v);
    return true;
  }

  std::string_view text;
  size_t pos = 0;
  int number = 0;
  std::string line;
  std::vector<std::string> words;
  std::string error;
};

// Present only when the game was played with other than the first mouse
// speed and keys.
bool ReadControls(TReader& r, TControls& c) {
  if (!r.Next() || !r.Expect("controls", 1 + KeyActionCount) ||
      !r.Number(1, 0, MouseRateCount - 1, c.mouseRate))
    return false;
  for (int a = 0; a < KeyActionCount; ++a)
    if (!r.Number(2 + a, SDLK_FIRST + 1, SDLK_LAST - 1, c.keys[a])) return false;
  return true;
}

// The rest of the line after `words` words: a level name, which becomes part
// of a path: no folders, nothing hidden, no control characters.
bool ReadLevelName(TReader& r, size_t words, std::string& name) {
  size_t at = 0;
  for (size_t i = 0; i < words; ++i) at = r.line.find(' ', at) + 1;
  name = r.line.substr(at);
  bool clean = !name.empty() && name.size() <= 64 && name[0] != '.';
  for (unsigned char c : name) clean = clean && c >= 32 && c != '/' && c != 127;
  return clean || r.Fault("unusable level name");
}

// "players COUNT TURN", then a "player NAME" line for each, and for a
// resumed game a "kept LEVEL SCORE LIVES LEVELNAME" line after each name.
bool ReadPlayers(TReader& r, TReplayStart& s) {
  size_t count = 0;
  if (!r.Next() || !r.Expect("players", 2) || !r.Number(1, 2, MostPlayers, count) ||
      !r.Number(2, 0, static_cast<int64_t>(count) - 1, s.turn))
    return false;
  std::vector<std::string> names;
  for (size_t i = 0; i < count; ++i) {
    TKeptPlayer p;
    if (!r.Next() || r.words[0] != "player" || r.line.size() < 8) return r.Fault("expected a player's name");
    p.name = r.line.substr(7);
    names.push_back(p.name);
    if (s.resumed) {
      if (!r.Next() || r.words[0] != "kept" || r.words.size() < 5 ||
          !r.Number(1, -1, 1 << 24, p.levelIndex) || !r.Number(2, 0, UINT32_MAX, p.score) ||
          !r.Number(3, 0, 99, p.lives))
        return r.Fault("bad kept player");
      if (!ReadLevelName(r, 4, p.levelName)) return false;
    }
    s.players.push_back(p);
  }
  const std::string fault = PlayerNamesFault(names);
  if (!fault.empty()) return r.Fault(fault);
  // As a kept game is read: the player at play has a life, and is where the game was resumed.
  if (!s.resumed) return true;
  const TKeptPlayer& atPlay = s.players[static_cast<size_t>(s.turn)];
  if (atPlay.lives <= 0) return r.Fault("the player whose turn it is has no life left");
  if (atPlay.levelIndex != s.resumeLevel || atPlay.score != s.resumeScore || atPlay.lives != s.resumeLives ||
      atPlay.levelName != s.levelName)
    return r.Fault("the player whose turn it is is not where the game was resumed");
  return true;
}

// "snapshot COUNT", then that many lines of the whole game, a seat for each player.
bool ReadSnapshot(TReader& r, TReplayStart& s) {
  constexpr size_t MostLines = 5 * 300;
  size_t count = 0;
  if (!r.Next() || !r.Expect("snapshot", 1) || !r.Number(1, 1, MostLines, count)) return false;
  std::vector<std::string> lines;
  for (size_t i = 0; i < count; ++i) {
    if (!r.Next()) return r.Fault("the snapshot is cut short");
    lines.push_back(r.line);
  }
  std::string error;
  if (!ParseSnapshot(lines, s.snapshot, error)) return r.Fault(error);
  if (s.snapshot.seats.size() != s.players.size()) return r.Fault("the snapshot does not seat the players");
  return true;
}

bool ReadStart(TReader& r, TReplayStart& s, int version) {
  if (!r.Next()) return r.Fault("the file stops before the game begins");
  if (r.words[0] != "start" || r.words.size() < 2) return r.Fault("expected how the game started");
  if (r.words[1] == "exact" && version >= ExactReplayVersion) {
    if (r.words.size() != 2) return r.Fault("bad exact start");
    s.exact = true;
  } else if (r.words[1] == "difficulty") {
    if (r.words.size() != 3 || !r.Number(2, 0, 4, s.difficulty)) return r.Fault("bad difficulty");
  } else if (r.words[1] == "level") {
    s.fromLevel = true;
    if (r.words.size() < 4 || !r.Number(2, 0, UINT32_MAX, s.levelSeed)) return r.Fault("bad level start");
    if (!ReadLevelName(r, 3, s.levelName)) return false;
  } else if (r.words[1] == "bonus" && version >= BonusReplayVersion) {
    if (r.words.size() != 3) return r.Fault("bad bonus stage start");
    s.bonusKind = r.words[2];
  } else if (r.words[1] == "saved" && version >= 2) {
    s.resumed = true;
    if (r.words.size() < 6 || !r.Number(2, -1, 1 << 24, s.resumeLevel) ||
        !r.Number(3, 0, UINT32_MAX, s.resumeScore) || !r.Number(4, 1, 99, s.resumeLives))
      return r.Fault("bad saved-game start");
    if (!ReadLevelName(r, 5, s.levelName)) return false;
  } else {
    return r.Fault("unknown start \"" + Echoed(r.words[1]) + "\"");
  }
  int v[6];
  // A game on a player's level set names the set's folder; the built-in set says nothing.
  if (r.NextIs("set")) {
    r.Next();
    s.levelSetFolder = r.line.substr(4);
    if (!CleanSetFolder(s.levelSetFolder)) return r.Fault("unusable level set folder");
  }
  s.bonusStages = version >= BonusReplayVersion && r.NextIs("bonus-stages") && r.Next();
  if (s.bonusStages && (r.words.size() != 2 || r.words[1] != "on")) return r.Fault("bad bonus-stages line");
  // From version 5 the players line is there only for a hot seat.
  if (version >= HotSeatReplayVersion && (version == HotSeatReplayVersion || r.NextIs("players")) &&
      !ReadPlayers(r, s))
    return false;
  if (!r.Next() || !r.Expect("options", 6)) return false;
  for (int i = 0; i < 6; ++i) {
    if (!r.Number(i + 1, 0, 1, v[i])) return false;
    s.options[i] = v[i] != 0;
  }
  if (r.NextIs("controls") && !ReadControls(r, s.controls)) return false;
  if (!r.Next() || !r.Expect("clock", 1) || !r.Number(1, 0, INT_MAX, s.tickCount)) return false;
  if (!r.Next() || !r.Expect("level", 1) || !r.Number(1, -1, INT_MAX / 2, s.levelIndex)) return false;
  if (!r.Next() || !r.Expect("menu", 3) || !r.Number(1, 0, 3, s.returnState) ||
      !r.Number(2, 0, 6, s.menuState) || !r.Number(3, 0, 6, s.menuCursor))
    return false;
  if (!r.Next() || !r.Expect("input", 4) || !r.Number(1, 0, 1, v[0]) || !r.Number(2, 0, 1, v[1]) ||
      !r.Number(3, -1000, 1000, s.motionCarry) || !r.Number(4, 0, 7, s.held))
    return false;
  s.fireHeld = v[0] != 0;
  s.firePressed = v[1] != 0;
  if (!r.Next() || !r.Expect("paddle", 4) || !r.Number(1, 0, 480, s.paddleX) ||
      !r.Number(2, 0, 2, s.paddleSize) || !r.Number(3, -1, 1, s.paddleDirection) || !r.Number(4, 0, 1, v[0]))
    return false;
  if (s.paddleDirection == 0) return r.Fault("the paddle's direction is 1 or -1");
  s.paddleSlow = v[0] != 0;
  if (!r.Next() || !r.Expect("ball", 2) || !r.Number(1, 0, 2, s.ballType) || !r.Number(2, 0, 64, s.ballSpeed))
    return false;
  if (!r.Next() || !r.Expect("beam", 1) || !r.Number(1, 0, 15, s.beamPhase)) return false;
  if (!r.Next() || !r.Expect("random", 1) || !r.Unsigned64(1, s.random)) return false;
  if (!r.Next() || r.words[0] != "stars" || (r.words.size() - 1) % 3 != 0 ||
      (r.words.size() - 1) / 3 > MostStars)
    return r.Fault("expected the star field");
  for (size_t i = 1; i + 2 < r.words.size(); i += 3) {
    TReplayStar star;
    if (!r.Number(i, -1000, 1000, star.x) || !r.Number(i + 1, -1000, 1000, star.y) ||
        !r.Number(i + 2, -1000, 1000, star.dx))
      return false;
    s.stars.push_back(star);
  }
  if (s.exact && !ReadSnapshot(r, s)) return false;
  if (!r.Next() || !r.Expect("play", 0)) return false;
  return true;
}

bool ReadSummary(TReader& r, TReplayCheckpoint& c, bool withState) {
  return r.Expect(withState ? "c" : "end", withState ? 5 : 4) && r.Number(1, 0, MostTicks, c.tick) &&
         r.Number(2, -1, INT_MAX / 2, c.level) && r.Number(3, 0, UINT32_MAX, c.score) &&
         r.Number(4, -1000, 1000, c.lives) && (!withState || r.Number(5, 0, 5, c.gameState));
}

bool ReadBody(TReader& r, TReplay& replay, int version) {
  TReplayPass pass;
  pass.items.reserve(64);
  uint8_t held = replay.start.held;
  int64_t ticks = 0;
  while (r.Next()) {
    const std::string& head = r.words[0];
    TReplayItem item = {riOther, 0};
    int flag = 0;
    if (head == "m") {
      const size_t count = version < 3 ? 3 : 4;
      if (!r.Expect("m", count) || !r.Number(1, 0, 65535, item.value) || !r.Number(2, 0, 65535, item.a) ||
          !r.Number(3, -32768, 32767, item.b) || (count == 4 && !r.Number(4, -32768, 32767, item.c)))
        return false;
      item.kind = riMotion;
    } else if (head == "b") {
      // Before version 3 neither the button nor the place was kept: the left button, at 0, 0.
      item.value = SDL_BUTTON_LEFT;
      if (!r.Expect("b", version < 3 ? 1 : 4) || !r.Number(1, 0, 1, flag) ||
          (version >= 3 && (!r.Number(2, 0, 255, item.value) || !r.Number(3, 0, 65535, item.a) ||
                            !r.Number(4, 0, 65535, item.b))))
        return false;
      item.kind = flag ? riButtonDown : riButtonUp;
    } else if (head == "k") {
      if (!r.Expect("k", 2) || !r.Number(1, 0, 1, flag) || !r.Number(2, 0, SDLK_LAST - 1, item.value))
        return false;
      item.kind = flag ? riKeyDown : riKeyUp;
    } else if (head == "o") {
      if (!r.Expect("o", 0)) return false;
    } else if (head == "q" && version >= 2) {
      if (!r.Expect("q", 0)) return false;
      item.kind = riQuit;
    } else if (head == "ja") {
      if (!r.Expect("ja", 3) || !r.Number(1, 0, 255, item.value) || !r.Number(2, 0, 255, item.a) ||
          !r.Number(3, -32768, 32767, item.b))
        return false;
      item.kind = riPadAxis;
    } else if (head == "jb") {
      if (!r.Expect("jb", 3) || !r.Number(1, 0, 1, flag) || !r.Number(2, 0, 255, item.value) ||
          !r.Number(3, 0, 255, item.a))
        return false;
      item.kind = flag ? riPadButtonDown : riPadButtonUp;
    } else if (head == "jh") {
      if (!r.Expect("jh", 3) || !r.Number(1, 0, 255, item.value) || !r.Number(2, 0, 255, item.a) ||
          !r.Number(3, 0, 15, item.b))
        return false;
      item.kind = riPadHat;
    } else if (head == "a" && version >= 2) {
      if (!r.Expect("a", 2) || !r.Number(1, 0, 1, item.value) || !r.Number(2, 0, 7, item.a)) return false;
      item.kind = riActive;
    } else if (head == "x" && version >= ExactReplayVersion) {
      int keys[KeyActionCount] = {};
      if (!r.Expect("x", 1 + KeyActionCount) || !r.Number(1, 0, MouseRateCount - 1, item.value)) return false;
      for (int k = 0; k < KeyActionCount; ++k)
        if (!r.Number(2 + k, SDLK_FIRST + 1, SDLK_LAST - 1, keys[k])) return false;
      item = {riControls, item.value, keys[0] | keys[1] << 16, keys[2] | keys[3] << 16};
    } else if (head == "s") {
      if (!r.Expect("s", 1) || !r.Number(1, 0, UINT32_MAX, item.value)) return false;
      item.kind = riSeed;
    } else if (head == "h") {
      if (!r.Expect("h", 1) || !r.Number(1, 0, 7, held)) return false;
      continue;
    } else if (head == "t" || head == "p") {
      int64_t n = 0;
      if (!r.Expect(head.c_str(), 1) || !r.Number(1, head == "t" ? 0 : 1, MostTicks, n)) return false;
      if (head == "p" && !pass.items.empty()) return r.Fault("a run of quiet passes cannot hold events");
      pass.held = held;
      pass.ticks = head == "t" ? static_cast<int>(n) : 1;
      pass.repeat = head == "t" ? 1 : static_cast<uint32_t>(n);
      ticks += n;
      if (ticks > MostTicks) return r.Fault("longer than any game");
      replay.AddPass(pass);
      pass.items.clear();
      pass.repeat = 1;
      continue;
    } else if (head == "c" || head == "end") {
      if (!pass.items.empty()) return r.Fault("a pass is left unfinished");
      TReplayCheckpoint c;
      if (!ReadSummary(r, c, head == "c")) return false;
      if (c.tick > ticks) return r.Fault("a summary lies beyond the ticks played");
      if (head == "end" && c.tick != ticks)
        return r.Fault("the passes run " + std::to_string(ticks) + " ticks, the end says " + r.words[1]);
      if (head == "c") {
        replay.checkpoints.push_back(c);
        continue;
      }
      replay.end = c;
      replay.Trim();
      if (r.Next()) return r.Fault("text after the end");
      return true;
    } else {
      return r.Fault("unknown line \"" + Echoed(head) + "\"");
    }
    if (pass.items.size() >= MostEventsInAPass) return r.Fault("more events in one pass than any pass holds");
    pass.items.push_back(item);
  }
  return r.Fault("the recording stops before its end (the file is cut short)");
}
}  // namespace

namespace {
// A pass packs into its items, each a kind byte and its numbers as 7-bit
// groups, then a closing byte with the held keys, its ticks and its repeat.
// A number takes no more bytes than its decimal digits, so a pass no more
// than its text.
constexpr uint8_t PassEnd = 0x80;

// How many of value, a, b and c each kind keeps.
int NumbersOf(TReplayItemKind kind) {
  switch (kind) {
    case riMotion:
      return 4;
    case riButtonDown:
    case riButtonUp:
    case riPadAxis:
    case riPadHat:
    case riControls:
      return 3;
    case riPadButtonDown:
    case riPadButtonUp:
    case riActive:
      return 2;
    case riKeyDown:
    case riKeyUp:
    case riSeed:
      return 1;
    default:
      return 0;
  }
}

void Pack(std::vector<uint8_t>& out, uint64_t n) {
  while (n >= 0x80) {
    out.push_back(static_cast<uint8_t>(n | 0x80));
    n >>= 7;
  }
  out.push_back(static_cast<uint8_t>(n));
}

uint64_t Unpack(const std::vector<uint8_t>& in, size_t& at) {
  uint64_t n = 0;
  for (int shift = 0;; shift += 7) {
    const uint8_t byte = in[at++];
    n |= static_cast<uint64_t>(byte & 0x7f) << shift;
    if (byte < 0x80) return n;
  }
}

// Signed numbers alternate, so that small negative ones stay short.
uint64_t Folded(int32_t n) {
  return n < 0 ? (static_cast<uint64_t>(-static_cast<int64_t>(n)) << 1) - 1 : static_cast<uint64_t>(n) << 1;
}
int32_t Unfolded(uint64_t n) {
  return static_cast<int32_t>((n & 1) ? -static_cast<int64_t>((n + 1) >> 1) : static_cast<int64_t>(n >> 1));
}
}  // namespace

void TReplay::AddPass(const TReplayPass& pass) {
  for (const TReplayItem& item : pass.items) {
    packed.push_back(item.kind);
    const int numbers = NumbersOf(item.kind);
    if (numbers > 0) Pack(packed, item.value);
    if (numbers > 1) Pack(packed, Folded(item.a));
    if (numbers > 2) Pack(packed, Folded(item.b));
    if (numbers > 3) Pack(packed, Folded(item.c));
  }
  packed.push_back(static_cast<uint8_t>(PassEnd | pass.held));
  Pack(packed, static_cast<uint64_t>(pass.ticks));
  Pack(packed, pass.repeat);
  ++passCount;
  totalTicks += static_cast<int64_t>(pass.ticks) * pass.repeat;
}

bool TReplay::ReadPass(size_t& offset, TReplayPass& pass) const {
  pass.items.clear();
  while (offset < packed.size()) {
    const uint8_t head = packed[offset++];
    if (head & PassEnd) {
      pass.held = head & 7;
      pass.ticks = static_cast<int>(Unpack(packed, offset));
      pass.repeat = static_cast<uint32_t>(Unpack(packed, offset));
      return true;
    }
    TReplayItem item = {static_cast<TReplayItemKind>(head)};
    const int numbers = NumbersOf(item.kind);
    if (numbers > 0) item.value = static_cast<uint32_t>(Unpack(packed, offset));
    if (numbers > 1) item.a = Unfolded(Unpack(packed, offset));
    if (numbers > 2) item.b = Unfolded(Unpack(packed, offset));
    if (numbers > 3) item.c = Unfolded(Unpack(packed, offset));
    pass.items.push_back(item);
  }
  return false;
}

bool ParseReplay(std::string_view text, TReplay& replay, std::string& error) {
  replay = TReplay();
  if (text.size() > MostBytes) {
    error = "far too large to be a replay";
    return false;
  }
  TReader r(text);
  const std::string magic = std::string(Magic) + " ";
  if (text.compare(0, magic.size(), magic) != 0) {
    error = "not a Rebounder replay";
    return false;
  }
  int version = 0;
  if (!r.Next() || r.words.size() != 2 || !r.Number(1, 1, INT_MAX, version)) {
    error = "not a Rebounder replay";
    return false;
  }
  if (version > BonusReplayVersion) {
    error = "recorded by a newer Rebounder (replay format " + std::to_string(version) + ")";
    return false;
  }
  replay.version = version;
  const bool ok = ReadStart(r, replay.start, version) && ReadBody(r, replay, version);
  if (!ok) {
    error = "damaged replay, " + r.error;
    replay = TReplay();
  }
  return ok;
}

bool LoadReplayFile(const std::string& path, TReplay& replay, std::string& error) {
  std::vector<unsigned char> bytes;
  try {
    // Opened as the data files are: without blocking, so a named pipe cannot
    // hang the game, and only when it is a plain file.
    bytes = ReadWholeFile(path, MostBytes);
  } catch (const TFatalError& e) {
    error = e.what();
    return false;
  }
  if (!ParseReplay(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), replay,
                   error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}
