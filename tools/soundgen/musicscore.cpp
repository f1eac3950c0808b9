// musicscore.cpp: the composition of the music track, an upbeat A minor tune in six sections: intro, A, A2,
// B, break, A' (40 bars at 150 bpm). Melodies are written as note names with lengths in sixteenths; bass,
// arpeggio, pad, harmony and drums are derived from each section's chords.
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "music.h"

namespace music {

namespace {

constexpr int kStepsPerBar = 16;

struct Chord {
  int root;  // pitch class, 0 = C
  bool minor;
};

enum class Groove { kIntro, kDrive, kLift, kBreak };

struct Section {
  const char* chords;
  const char* melody;
  const char* bell;
  Groove groove;
  bool harmony, pad, crash;
};

const char* const kMelodyA =
    "e5:4 a5:2 e5:2 c5:2 e5:2 a4:4 | f5:3 e5:3 c5:2 a4:4 c5:4 | g5:4 e5:2 c5:2 "
    "g4:2 c5:2 e5:4 |"
    "d5:3 e5:3 d5:2 b4:4 g4:4 | e5:4 a5:2 b5:2 c6:4 b5:2 a5:2 | a5:3 g5:3 f5:2 "
    "e5:4 c5:4 |"
    "d5:2 e5:2 f5:2 g5:2 f5:2 e5:2 d5:2 b4:2 | g#4:4 b4:4 e5:6 r:2";

const char* const kMelodyA2 =
    "e5:2 e5:2 a5:2 e5:2 c6:4 b5:2 a5:2 | c6:3 a5:3 f5:2 a5:4 g5:2 f5:2 | e5:3 "
    "g5:3 c6:2 g5:4 e5:4 |"
    "d5:2 g5:2 b5:4 a5:2 g5:2 d5:4 | c5:2 e5:2 a5:4 c6:2 b5:2 a5:2 e5:2 | f5:2 "
    "a5:2 c6:4 b5:2 a5:2 f5:4 |"
    "g#5:4 b5:4 e6:2 d6:2 b5:4 | a5:8 r:4 e5:2 g5:2";

const char* const kMelodyB =
    "a5:6 c6:2 a5:4 f5:4 | g5:6 b5:2 d6:4 b5:4 | e6:6 "
    "d6:2 b5:4 g5:4 | a5:6 e5:2 a5:2 b5:2 c6:4 |"
    "d6:6 c6:2 a5:4 f5:4 | g5:4 a5:2 b5:2 d6:4 b5:4 | "
    "c6:4 e6:4 g6:4 e6:2 c6:2 | b5:4 g#5:4 e5:4 b4:4";

const char* const kBellBreak =
    "a5:2 e5:2 a5:2 c6:2 b5:2 a5:2 e5:4 | f5:2 a5:2 c6:2 f6:2 e6:2 c6:2 a5:4 |"
    "g5:2 b5:2 d6:2 g6:2 f6:2 d6:2 b5:4 | g#5:2 b5:2 e6:2 g#6:2 b6:4 r:4";

const Section kSections[] = {
    {"Am Am F G", nullptr, nullptr, Groove::kIntro, false, true, false},
    {"Am F C G Am F G E", kMelodyA, nullptr, Groove::kDrive, false, false, true},
    {"Am F C G Am F E Am", kMelodyA2, nullptr, Groove::kDrive, false, false, false},
    {"F G Em Am Dm G C E", kMelodyB, nullptr, Groove::kLift, true, true, true},
    {"Am F G E", nullptr, kBellBreak, Groove::kBreak, false, true, true},
    {"Am F C G Am F G E", kMelodyA, nullptr, Groove::kDrive, true, false, true},
};

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "soundgen: bad score: %s\n", what.c_str());
  std::exit(1);
}

int PitchClass(char letter) {
  static const int kClasses[] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
  if (letter < 'a' || letter > 'g') Fail(std::string("note letter ") + letter);
  return kClasses[letter - 'a'];
}

// "g#4" -> 68
int ParsePitch(const std::string& name) {
  size_t i = 0;
  int pc = PitchClass(name[i++]);
  if (i < name.size() && name[i] == '#') ++pc, ++i;
  if (i < name.size() && name[i] == 'b' && i + 1 < name.size()) --pc, ++i;
  if (i >= name.size()) Fail("octave missing in " + name);
  return 12 * (std::atoi(name.c_str() + i) + 1) + pc;
}

Chord ParseChord(const std::string& name) {
  int pc = PitchClass(static_cast<char>(name[0] - 'A' + 'a'));
  size_t i = 1;
  if (i < name.size() && name[i] == '#') ++pc, ++i;
  return {pc % 12, i < name.size() && name[i] == 'm'};
}

std::vector<Chord> ParseChords(const char* text) {
  std::istringstream in(text);
  std::vector<Chord> chords;
  for (std::string name; in >> name;) chords.push_back(ParseChord(name));
  return chords;
}

// The lowest pitch of this pitch class at or above floor.
int PitchAbove(int pitchClass, int floor) { return floor + ((pitchClass - floor) % 12 + 12) % 12; }

std::vector<int> ChordTones(const Chord& chord, int floor) {
  int root = PitchAbove(chord.root, floor);
  return {root, root + (chord.minor ? 3 : 4), root + 7, root + 12};
}

struct Writer {
  Song& song;
  int start;  // first step of the current section
  const std::vector<Chord>& chords;

  void Add(Voice voice, int step, int length, int midi, float velocity, float pan) {
    song.events.push_back({voice, start + step, length, midi, velocity, pan});
  }
  const Chord& ChordAt(int step) const { return chords[step / kStepsPerBar]; }
};

// Splits a line into tokens; bar lines need no spaces around them.
std::vector<std::string> Tokens(const char* text) {
  std::string spaced;
  for (const char* c = text; *c != '\0'; ++c) spaced += *c == '|' ? std::string(" | ") : std::string(1, *c);
  std::istringstream in(spaced);
  std::vector<std::string> tokens;
  for (std::string token; in >> token;) tokens.push_back(token);
  return tokens;
}

// Writes a melody; returns the notes as (step, pitch) pairs so a harmony can follow it.
std::vector<std::pair<int, int>> AddLine(Writer& w, const char* text, Voice voice, float pan) {
  std::vector<std::pair<int, int>> notes;
  int step = 0;
  for (const std::string& token : Tokens(text)) {
    if (token == "|") {
      if (step % kStepsPerBar != 0) Fail("bar ends at step " + std::to_string(step) + " in " + text);
      continue;
    }
    size_t colon = token.find(':');
    if (colon == std::string::npos) Fail("token " + token);
    int length = std::atoi(token.c_str() + colon + 1);
    std::string name = token.substr(0, colon);
    if (name != "r") {
      int midi = ParsePitch(name);
      float velocity = step % kStepsPerBar == 0 ? 1.0f : (step % 4 == 0 ? 0.9f : 0.82f);
      w.Add(voice, step, length, midi, velocity, pan);
      notes.push_back({step, midi});
    }
    step += length;
  }
  if (step != static_cast<int>(w.chords.size()) * kStepsPerBar) Fail(std::string("line length in ") + text);
  return notes;
}

// A second voice on the highest chord tone at least a minor third under each melody note.
void AddHarmony(Writer& w, const std::vector<std::pair<int, int>>& melody, const char* text) {
  size_t index = 0;
  for (const std::string& token : Tokens(text)) {
    if (token == "|" || token.rfind("r:", 0) == 0) continue;
    auto [step, midi] = melody[index++];
    int length = std::atoi(token.c_str() + token.find(':') + 1);
    int below = 0;
    for (int tone : ChordTones(w.ChordAt(step), midi - 15)) {
      if (tone <= midi - 3) below = tone;
    }
    w.Add(Voice::kHarmony, step, length, below, 0.8f, 0.35f);
  }
}

struct BassNote {
  int step, length, interval;
};

const std::vector<BassNote>& BassPattern(Groove groove, int bar) {
  static const std::vector<BassNote> kHold = {{0, 6, 0}, {6, 2, 0}, {8, 6, 0}, {14, 2, 12}};
  static const std::vector<BassNote> kDrive = {{0, 2, 0}, {2, 2, 0},  {4, 2, 12},  {6, 2, 0},
                                               {8, 2, 7}, {10, 2, 0}, {12, 2, 12}, {14, 2, 7}};
  static const std::vector<BassNote> kLift = {{0, 3, 0}, {3, 3, 7},  {6, 2, 12},
                                              {8, 3, 0}, {11, 3, 7}, {14, 2, 12}};
  static const std::vector<BassNote> kBreak = {{0, 2, 0},  {3, 1, 0},   {4, 2, 12}, {6, 2, 0},  {8, 2, 0},
                                               {10, 1, 7}, {11, 1, 12}, {12, 2, 0}, {14, 2, 12}};
  switch (groove) {
    case Groove::kIntro:
      return bar < 2 ? kHold : kDrive;
    case Groove::kDrive:
      return kDrive;
    case Groove::kLift:
      return kLift;
    case Groove::kBreak:
      return kBreak;
  }
  return kDrive;
}

void AddBass(Writer& w, Groove groove) {
  for (size_t bar = 0; bar < w.chords.size(); ++bar) {
    int root = PitchAbove(w.chords[bar].root, 40);
    for (const BassNote& n : BassPattern(groove, static_cast<int>(bar))) {
      float velocity = n.step == 0 ? 1.0f : (n.step % 4 == 0 ? 0.85f : 0.72f);
      w.Add(Voice::kBass, static_cast<int>(bar) * kStepsPerBar + n.step, n.length, root + n.interval,
            velocity, 0.0f);
    }
  }
}

// Up-and-down over four chord tones: a six-step cycle against the sixteen-step bar keeps it moving.
void AddArpeggio(Writer& w, int fromBar) {
  static const int kCycle[] = {0, 1, 2, 3, 2, 1};
  int steps = static_cast<int>(w.chords.size()) * kStepsPerBar;
  for (int step = fromBar * kStepsPerBar; step < steps; ++step) {
    std::vector<int> tones = ChordTones(w.ChordAt(step), 57);
    float velocity = step % 4 == 0 ? 0.85f : 0.6f;
    w.Add(Voice::kPluck, step, 1, tones[kCycle[step % 6]], velocity, step % 2 == 0 ? -0.45f : 0.45f);
  }
}

void AddPad(Writer& w) {
  static const float kPans[] = {-0.6f, 0.6f, 0.0f};
  for (size_t bar = 0; bar < w.chords.size(); ++bar) {
    std::vector<int> tones = ChordTones(w.chords[bar], 55);
    for (int i = 0; i < 3; ++i)
      w.Add(Voice::kPad, static_cast<int>(bar) * kStepsPerBar, 16, tones[i], 0.7f, kPans[i]);
  }
}

struct DrumBar {
  const char* kick;
  const char* snare;
  const char* hat;
  const char* openHat;
};

DrumBar DrumsFor(Groove groove, int bar, bool lastBar) {
  const char* fill = "....x.......oxxX";
  switch (groove) {
    case Groove::kIntro:
      if (bar < 2) return {"x.......x.x.....", "................", "..x...x...x...x.", "................"};
      return {"x.......x.x.....", lastBar ? fill : "....x.......x...", "x.x.x.x.x.x.x.x.",
              "................"};
    case Groove::kDrive:
      return {"x.....x.x.x.....", lastBar ? fill : "....X.......X...", "x.o.x.o.x.o.x.o.",
              bar % 2 == 1 ? "..............o." : "................"};
    case Groove::kLift:
      return {"x..x....x..x....", lastBar ? fill : "....X.......X..o", "xooxxooxxooxxoox",
              "................"};
    case Groove::kBreak:
      return {"x...x...x...x...", lastBar ? "....x...x.x.xxxX" : "....X.......X...", "x...x...x...x...",
              "..o...o...o...o."};
  }
  return {"", "", "", ""};
}

float HitVelocity(char c) { return c == 'X' ? 1.0f : (c == 'x' ? 0.78f : 0.5f); }

void AddHits(Writer& w, Voice voice, int barStart, const char* pattern, float pan) {
  for (int i = 0; pattern[i] != '\0'; ++i) {
    if (pattern[i] != '.') w.Add(voice, barStart + i, 1, 0, HitVelocity(pattern[i]), pan);
  }
}

void AddDrums(Writer& w, Groove groove, bool crash) {
  int bars = static_cast<int>(w.chords.size());
  for (int bar = 0; bar < bars; ++bar) {
    DrumBar d = DrumsFor(groove, bar, bar == bars - 1);
    int at = bar * kStepsPerBar;
    AddHits(w, Voice::kKick, at, d.kick, 0.0f);
    AddHits(w, Voice::kSnare, at, d.snare, 0.08f);
    AddHits(w, Voice::kHat, at, d.hat, 0.3f);
    AddHits(w, Voice::kOpenHat, at, d.openHat, 0.3f);
  }
  if (crash) w.Add(Voice::kCrash, 0, 1, 0, 0.9f, -0.3f);
}

// How a theme plays the sections: which in what order, the melody's instrument, and the parts left out.
struct Arrangement {
  int bpm;
  int transpose;  // semitones
  std::vector<int> sections;
  Voice lead;
  bool drums, arpeggio, pad;
  const Groove* groove;  // one groove for every section, or null for each section's own
};

void AddSection(Song& song, const Section& section, const Arrangement& a) {
  std::vector<Chord> chords = ParseChords(section.chords);
  Writer w{song, song.steps, chords};
  const Groove groove = a.groove ? *a.groove : section.groove;
  if (section.melody != nullptr) {
    auto notes = AddLine(w, section.melody, a.lead, -0.1f);
    if (section.harmony) AddHarmony(w, notes, section.melody);
  }
  if (section.bell != nullptr) AddLine(w, section.bell, Voice::kBell, 0.2f);
  AddBass(w, groove);
  if (a.arpeggio) AddArpeggio(w, groove == Groove::kIntro ? 1 : 0);
  if (section.pad || a.pad) AddPad(w);
  if (a.drums) AddDrums(w, groove, section.crash);
  song.steps += static_cast<int>(chords.size()) * kStepsPerBar;
}

bool Pitched(Voice v) { return v < Voice::kKick; }

}  // namespace

Song Compose(const std::string& theme) {
  static const Groove lift = Groove::kLift, hold = Groove::kIntro, pulse = Groove::kBreak;
  Arrangement a{150, 0, {0, 1, 2, 3, 4, 5}, Voice::kLead, true, true, false, nullptr};
  if (theme == "neon")  // faster and higher, lifted all through, over a held pad
    a = {168, 3, {0, 2, 3, 1, 3, 5}, Voice::kLead, true, true, true, &lift};
  else if (theme == "paper")  // slow bells and plucks over the pad, no drums
    a = {96, -5, {0, 1, 4, 3}, Voice::kBell, false, true, true, &hold};
  else if (theme == "contrast")  // plain and steady: melody, bass and a four-square beat
    a = {132, -2, {1, 3, 2, 5}, Voice::kLead, true, false, false, &pulse};
  Song song{a.bpm, 0, {}};
  for (int i : a.sections) AddSection(song, kSections[i], a);
  for (Event& e : song.events)
    if (Pitched(e.voice)) e.midi += a.transpose;
  return song;
}

}  // namespace music
