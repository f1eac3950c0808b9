// Writing the text form of a recorded game (docs/replays.md), whole or a
// pass at a time as the game is played.
#include <initializer_list>
#include <string>

#include "replay/replay.h"

namespace {
const char* const Magic = "rebounder-replay";

void Line(std::string& out, const char* head, std::initializer_list<int64_t> values) {
  out += head;
  for (int64_t v : values) {
    out += ' ';
    out += std::to_string(v);
  }
  out += '\n';
}

// Versions 1 and 2 kept no vertical movement and neither the button nor the place of a click.
void WriteItem(std::string& out, const TReplayItem& item, int version) {
  switch (item.kind) {
    case riMotion:
      if (version < 3)
        Line(out, "m", {item.value, item.a, item.b});
      else
        Line(out, "m", {item.value, item.a, item.b, item.c});
      break;
    case riButtonDown:
    case riButtonUp:
      if (version < 3)
        Line(out, "b", {item.kind == riButtonDown});
      else
        Line(out, "b", {item.kind == riButtonDown, item.value, item.a, item.b});
      break;
    case riKeyDown:
      Line(out, "k", {1, item.value});
      break;
    case riKeyUp:
      Line(out, "k", {0, item.value});
      break;
    case riOther:
      Line(out, "o", {});
      break;
    case riSeed:
      Line(out, "s", {item.value});
      break;
    case riPadAxis:
      Line(out, "ja", {item.value, item.a, item.b});
      break;
    case riPadButtonDown:
    case riPadButtonUp:
      Line(out, "jb", {item.kind == riPadButtonDown, item.value, item.a});
      break;
    case riPadHat:
      Line(out, "jh", {item.value, item.a, item.b});
      break;
    case riQuit:
      Line(out, "q", {});
      break;
    case riActive:
      Line(out, "a", {item.value, item.a});
      break;
    case riControls:
      Line(out, "x", {item.value, item.a & 0xffff, item.a >> 16, item.b & 0xffff, item.b >> 16});
      break;
  }
}

void WriteSummary(std::string& out, const char* head, const TReplayCheckpoint& c, bool withState) {
  if (withState)
    Line(out, head, {c.tick, c.level, c.score, c.lives, c.gameState});
  else
    Line(out, head, {c.tick, c.level, c.score, c.lives});
}

}  // namespace

std::string TReplayCheckpoint::Text() const {
  std::string s;
  WriteSummary(s, "c", *this, true);
  s.pop_back();
  return s;
}

std::string ReplayHeadText(const TReplay& replay) {
  const TReplayStart& s = replay.start;
  std::string out = std::string(Magic) + " " + std::to_string(replay.version) + "\n";
  if (s.exact)
    out += "start exact\n";
  else if (s.fromLevel)
    out += "start level " + std::to_string(s.levelSeed) + " " + s.levelName + "\n";
  else if (s.resumed)
    out += "start saved " + std::to_string(s.resumeLevel) + " " + std::to_string(s.resumeScore) + " " +
           std::to_string(s.resumeLives) + " " + s.levelName + "\n";
  else if (!s.bonusKind.empty())
    out += "start bonus " + s.bonusKind + "\n";
  else
    Line(out, "start difficulty", {s.difficulty});
  if (!s.levelSetFolder.empty()) out += "set " + s.levelSetFolder + "\n";
  if (s.bonusStages) out += "bonus-stages on\n";
  if (!s.players.empty()) {
    Line(out, "players", {static_cast<int64_t>(s.players.size()), s.turn});
    for (const TKeptPlayer& p : s.players) {
      out += "player " + p.name + "\n";
      if (s.resumed)
        out += "kept " + std::to_string(p.levelIndex) + " " + std::to_string(p.score) + " " +
               std::to_string(p.lives) + " " + p.levelName + "\n";
    }
  }
  Line(out, "options", {s.options[0], s.options[1], s.options[2], s.options[3], s.options[4], s.options[5]});
  if (s.controls != TControls()) {
    const TControls& c = s.controls;
    Line(out, "controls", {c.mouseRate, c.keys[kaLeft], c.keys[kaRight], c.keys[kaFire], c.keys[kaPause]});
  }
  Line(out, "clock", {s.tickCount});
  Line(out, "level", {s.levelIndex});
  Line(out, "menu", {s.returnState, s.menuState, s.menuCursor});
  Line(out, "input", {s.fireHeld, s.firePressed, s.motionCarry, s.held});
  Line(out, "paddle", {s.paddleX, s.paddleSize, s.paddleDirection, s.paddleSlow});
  Line(out, "ball", {s.ballType, s.ballSpeed});
  Line(out, "beam", {s.beamPhase});
  out += "random " + std::to_string(s.random) + "\n";
  out += "stars";
  for (const TReplayStar& star : s.stars)
    out += " " + std::to_string(star.x) + " " + std::to_string(star.y) + " " + std::to_string(star.dx);
  out += "\n";
  if (s.exact) {
    const std::vector<std::string> lines = SnapshotLines(s.snapshot);
    Line(out, "snapshot", {static_cast<int64_t>(lines.size())});
    for (const std::string& line : lines) out += line + "\n";
  }
  return out + "play\n";
}

void AppendPassText(std::string& out, const TReplayPass& p, int version, uint8_t& held) {
  for (const TReplayItem& item : p.items) WriteItem(out, item, version);
  if (p.held != held) Line(out, "h", {p.held});
  held = p.held;
  if (p.repeat > 1)
    Line(out, "p", {p.repeat});
  else
    Line(out, "t", {p.ticks});
}

std::string ReplayText(const TReplay& replay) {
  std::string out = ReplayHeadText(replay);
  // Checkpoints follow the pass after which they were taken.
  size_t nextCheckpoint = 0;
  int tick = 0;
  uint8_t held = replay.start.held;
  TReplayPass p;
  for (size_t at = 0; replay.ReadPass(at, p);) {
    AppendPassText(out, p, replay.version, held);
    tick += p.ticks * static_cast<int>(p.repeat);
    while (nextCheckpoint < replay.checkpoints.size() && replay.checkpoints[nextCheckpoint].tick <= tick)
      WriteSummary(out, "c", replay.checkpoints[nextCheckpoint++], true);
  }
  while (nextCheckpoint < replay.checkpoints.size())
    WriteSummary(out, "c", replay.checkpoints[nextCheckpoint++], true);
  WriteSummary(out, "end", replay.end, false);
  return out;
}
