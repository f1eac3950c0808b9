// fuzzseeds: writes the seed corpus of every fuzz target at build time, from
// the game's real generated files plus the damaged and hostile cases found by
// hand: pictures in other depths, huge declared sizes, short and long files.
// usage: fuzzseeds <game folder> <level sources folder> <output folder>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "../../tools/common/bytes.h"
#include "fuzzenv.h"
#include "session/gameflow.h"
#include "session/keptgame.h"

namespace fs = std::filesystem;
using TBytes = std::vector<uint8_t>;

namespace {
fs::path out;

struct TRgba {
  uint8_t r, g, b, a;
};

// A decoded 8-bit picture of the generator's own kind.
struct TPicture {
  int w = 0, h = 0;
  std::vector<TRgba> palette;
  std::vector<uint8_t> pixels;  // top row first
  TRgba At(int x, int y) const { return palette[pixels[y * w + x]]; }
};

[[noreturn]] void Die(const std::string& what) {
  std::fprintf(stderr, "fuzzseeds: %s\n", what.c_str());
  std::exit(1);
}

std::string Text(const TBytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

TBytes Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Die("cannot read " + path.string());
  return TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Seed(const std::string& target, const std::string& name, const TBytes& bytes) {
  fs::create_directories(out / target);
  std::ofstream file(out / target / name, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) Die("cannot write a seed of " + target);
}

TBytes Prefixed(uint8_t first, const TBytes& rest) {
  TBytes bytes(rest.size() + 1, first);
  std::copy(rest.begin(), rest.end(), bytes.begin() + 1);
  return bytes;
}

uint32_t Le32(const TBytes& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}

// The generator writes 8-bit pictures with a 40-byte header, bottom row first.
TPicture Decode(const TBytes& b, const std::string& name) {
  if (b.size() < 54 || b[0] != 'B' || Le32(b, 14) != 40 || (b[28] | b[29] << 8) != 8)
    Die(name + ": unexpected");
  TPicture p;
  p.w = static_cast<int>(Le32(b, 18));
  p.h = static_cast<int>(Le32(b, 22));
  const uint32_t colours = Le32(b, 46) ? Le32(b, 46) : 256;
  for (uint32_t i = 0; i < colours; ++i) {
    const size_t at = 54 + 4 * i;
    p.palette.push_back({b[at + 2], b[at + 1], b[at], 255});
  }
  const size_t row = (p.w + 3) & ~3u;
  for (int y = 0; y < p.h; ++y)
    for (int x = 0; x < p.w; ++x) p.pixels.push_back(b[Le32(b, 10) + (p.h - 1 - y) * row + x]);
  return p;
}

// A BMP of any depth. Paletted depths take indices, the others colours; 32
// bits with alpha use the header that carries an alpha mask.
TBytes Bmp(int w, int h, int bits, const std::vector<TRgba>& palette,
           const std::function<uint32_t(int, int)>& index, const std::function<TRgba(int, int)>& colour,
           bool topDown = false, bool alpha = false) {
  const uint32_t infoSize = alpha ? 108 : 40;
  const uint32_t colours = bits <= 8 ? static_cast<uint32_t>(palette.size()) : 0;
  const uint32_t rowBytes = (static_cast<uint32_t>(w) * bits + 31) / 32 * 4;
  const uint32_t offset = 14 + infoSize + 4 * colours;
  TBytes b{'B', 'M'};
  Put32(b, offset + rowBytes * h);
  Put32(b, 0);
  Put32(b, offset);
  Put32(b, infoSize);
  Put32(b, static_cast<uint32_t>(w));
  Put32(b, static_cast<uint32_t>(topDown ? -h : h));
  Put16(b, 1);
  Put16(b, static_cast<uint32_t>(bits));
  Put32(b, alpha ? 3 : 0);
  Put32(b, rowBytes * h);
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, colours);
  Put32(b, colours);
  if (alpha) {
    for (uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) Put32(b, mask);
    Put32(b, 0x73524742);  // "sRGB"
    b.resize(b.size() + 48, 0);
  }
  for (uint32_t i = 0; i < colours; ++i) {
    b.push_back(palette[i].b);
    b.push_back(palette[i].g);
    b.push_back(palette[i].r);
    b.push_back(0);
  }
  for (int r = 0; r < h; ++r) {
    const int y = topDown ? r : h - 1 - r;
    TBytes row;
    uint32_t bitsUsed = 0, acc = 0;
    for (int x = 0; x < w; ++x) {
      if (bits <= 8) {
        acc = (acc << bits) | (index(x, y) & ((1u << bits) - 1));
        bitsUsed += bits;
        if (bitsUsed == 8) row.push_back(static_cast<uint8_t>(acc)), acc = 0, bitsUsed = 0;
        continue;
      }
      const TRgba c = colour(x, y);
      if (bits == 16) Put16(row, (c.r >> 3) << 10 | (c.g >> 3) << 5 | c.b >> 3);
      if (bits >= 24) row.insert(row.end(), {c.b, c.g, c.r});
      if (bits == 32) row.push_back(alpha ? c.a : 0);
    }
    if (bitsUsed) row.push_back(static_cast<uint8_t>(acc << (8 - bitsUsed)));
    row.resize(rowBytes, 0);
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

TBytes InDepth(const TPicture& p, int bits, bool topDown = false, bool alpha = false) {
  return Bmp(
      p.w, p.h, bits, p.palette, [&](int x, int y) { return p.pixels[y * p.w + x]; },
      [&](int x, int y) {
        TRgba c = p.At(x, y);
        if (alpha && c.r == 255 && c.g == 0 && c.b == 255) c.a = 0;  // an editor's transparency
        return c;
      },
      topDown, alpha);
}

// Only a header: the sizes a hostile file may declare.
TBytes HeaderOnly(int32_t w, int32_t h, int bits, size_t total) {
  TBytes b = Bmp(
      1, 1, bits, std::vector<TRgba>(2, TRgba{0, 0, 0, 0}), [](int, int) { return 0u; },
      [](int, int) {
        return TRgba{0, 0, 0, 0};
      });
  for (int i = 0; i < 4; ++i) b[18 + i] = static_cast<uint8_t>(uint32_t(w) >> (8 * i));
  for (int i = 0; i < 4; ++i) b[22 + i] = static_cast<uint8_t>(uint32_t(h) >> (8 * i));
  b.resize(total, 0x5a);
  return b;
}

TBytes Garbage(size_t size, uint32_t seed) {
  TBytes b{'B', 'M'};
  while (b.size() < size) b.push_back(static_cast<uint8_t>((seed = seed * 1103515245u + 12345u) >> 16));
  return b;
}

TBytes WithCrlf(const TBytes& b) {
  TBytes out;
  for (uint8_t c : b) {
    if (c == '\n') out.push_back('\r');
    out.push_back(c);
  }
  return out;
}

TBytes Half(const TBytes& b) { return TBytes(b.begin(), b.begin() + b.size() / 2); }

std::vector<fs::path> Files(const fs::path& folder, const std::string& extension) {
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(folder))
    if (e.path().extension() == extension) files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

void PictureSeeds(const std::string& target, uint8_t slot, bool withSlot, const TBytes& real,
                  const std::string& name) {
  auto seed = [&](const std::string& n, const TBytes& b) {
    Seed(target, n, withSlot ? Prefixed(slot, b) : b);
  };
  const TPicture p = Decode(real, name);
  seed(name + "-24", InDepth(p, 24));
  seed(name + "-32-alpha", InDepth(p, 32, false, true));
  seed(name + "-16", InDepth(p, 16));
  seed(name + "-top-down", InDepth(p, 8, true));
  seed(name + "-half", Half(real));
}

void HostilePictures(const std::string& target, uint8_t slot, bool withSlot) {
  auto seed = [&](const std::string& n, const TBytes& b) {
    Seed(target, n, withSlot ? Prefixed(slot, b) : b);
  };
  seed("huge-32768", HeaderOnly(32768, 32768, 32, 1334));
  seed("huge-46341", HeaderOnly(46341, 46341, 32, 1334));
  seed("huge-negative", HeaderOnly(8, INT32_MIN, 8, 600));
  seed("no-pixels", HeaderOnly(0, 0, 8, 200));
  seed("odd-depth", HeaderOnly(4, 4, 7, 200));
  seed("garbage", Garbage(3000, slot + 1u));
  seed("not-bmp", TBytes(64, 'x'));
  seed("empty", {});
  const std::vector<TRgba> two = {{0, 0, 0, 255}, {255, 255, 255, 255}};
  seed("one-bit", Bmp(
                      19, 3, 1, two, [](int x, int y) { return unsigned(x + y) % 2; }, nullptr));
  std::vector<TRgba> sixteen;
  for (int i = 0; i < 16; ++i)
    sixteen.push_back({uint8_t(i * 17), uint8_t(255 - i * 17), uint8_t(i * 5), 255});
  seed("four-bit", Bmp(
                       33, 7, 4, sixteen, [](int x, int y) { return unsigned(x * 3 + y) % 16; }, nullptr));
  seed("one-by-one", Bmp(
                         1, 1, 8, sixteen, [](int, int) { return 3u; }, nullptr));
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) Die("usage: fuzzseeds <game folder> <level sources folder> <output folder>");
  const fs::path game = argv[1], sources = argv[2];
  out = fs::absolute(argv[3]);

  // Levels: every real map, then the edge cases of the map format.
  TBytes firstMap;
  for (const fs::path& map : Files(game / "maps", ".map")) {
    Seed("level", map.filename().string(), Read(map));
    if (firstMap.empty()) firstMap = Read(map);
  }
  TBytes odd(513, 0);
  for (size_t i = 9; i < odd.size(); i += 2) odd[i] = uint8_t(i * 37), odd[i + 1] = uint8_t(i * 91);
  Seed("level", "unknown-colours-and-powers", odd);
  Seed("level", "all-empty", TBytes(513, 0));
  Seed("level", "short", TBytes(firstMap.begin(), firstMap.end() - 1));
  TBytes longer = firstMap;
  longer.resize(700, 0xee);
  Seed("level", "long", longer);
  Seed("level", "empty", {});

  // Replays: the regression games, then a short one with every kind of line.
  for (const fs::path& replay : Files(sources / ".." / ".." / "tests" / "replays", ".replay"))
    Seed("replay", replay.filename().string(), Read(replay));
  const std::string every =
      "rebounder-replay 1\nstart level 7 go easy on me\noptions 0 1 1 0 1 0\nclock 3\nlevel -1\n"
      "menu 1 0 0\ninput 1 1 -1 0\npaddle 30 2 -1 1\nball 1 5\nbeam 15\nrandom 77\nstars 1 2 3 479 1 "
      "8\nplay\n"
      "m 250 240 10\nb 1\nb 0\nk 1 32\nk 0 32\no\nja 0 0 30000\njb 1 0 0\njb 0 0 0\njh 0 0 4\n"
      "h 3\nt 2\np 40\nk 1 27\nk 1 274\nk 1 13\nt 1\nk 1 110\ns 99\nt 0\nh 0\nt 5\n"
      "c 48 0 0 3 5\nend 48 0 0 3\n";
  Seed("replay", "every-line", TBytes(every.begin(), every.end()));
  std::string every2 = every;
  for (const auto& [from, to] : {std::pair<std::string, std::string>{"replay 1", "replay 2"},
                                 {"m 250 240 10", "m 250 240 10 -3"},
                                 {"b 1\nb 0", "b 1 3 200 100\nb 0 4 0 479"}})
    every2.replace(every2.find(from), from.size(), to);
  Seed("replay", "every-line-2", TBytes(every2.begin(), every2.end()));
  Seed("replay", "cut-short", TBytes(every.begin(), every.begin() + 200));
  // Version 2: a kept game resumed, and the window closed during play.
  std::string resumed =
      "rebounder-replay 2\nstart saved 41 1234 2 dutchie land\n" + every.substr(every.find("options"));
  resumed.replace(resumed.find("\no\n"), 3, "\no\nq\n");
  Seed("replay", "resumed-and-closed", TBytes(resumed.begin(), resumed.end()));
  // Version 5: a game going on from a snapshot, the player's controls changed.
  const size_t options = every.find("options"), play = every.find("play\n");
  const std::string exact = "rebounder-replay 5\nstart exact\n" + every.substr(options, play - options) +
                            "snapshot 4\nseat 100 50 2 3 0 1 0 2000 4 0 0 0 0 go easy on me\nbricks 2\n"
                            "33 25 5 0 1 0\n65 25 1 1 0 3\nplay\nk 1 32\nx 2 276 275 306 112\nt 1\np 40\n"
                            "end 41 0 100 2\n";
  Seed("replay", "exact-start", TBytes(exact.begin(), exact.end()));
  Seed("replay", "foreign", {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0});
  Seed("replay", "empty", {});

  // Saved games: kept ones as the game writes them, then damaged and foreign ones.
  BuildLevelList();
  auto saved = [](const std::string& name, const std::string& text) {
    Seed("savedgame", name, TBytes(text.begin(), text.end()));
  };
  const std::string kept = SavedGameText({41, "dutchie land", 1234, 2});
  saved("lap-1", kept);
  saved("first-level", SavedGameText({0, "go easy on me", 0, 3}));
  saved("beyond-aaargh", SavedGameText({245, "have a heart", 4000000000u, 5}));
  saved("command-line-level", SavedGameText({-1, "rainy day", 70, 1}));
  saved("other-level-name", SavedGameText({41, "oh deer", 1234, 2}));
  saved("no-life-left", SavedGameText({41, "dutchie land", 1234, 0}));
  saved("path-as-name", SavedGameText({-1, "../../etc/passwd", 0, 3}));
  TKeptGame journaled(41, "dutchie land", 1234, 2);
  journaled.journal = "0123456789abcdef";
  saved("with-journal", SavedGameText(journaled));
  // Kept on a player's set (made for the seeds in the output folder, as the
  // target makes it in its own), and on a set gone or changed since.
  const fs::path here = fs::current_path();
  fs::current_path(out);
  MakeFuzzSet();
  const std::string onSet = SavedGameText({3, "two", 50, 2, "sets/mine"});
  saved("set-lap-1", onSet);
  saved("set-command-line-level", SavedGameText({-1, "one", 0, 3, "sets/mine"}));
  saved("set-gone", SavedGameText({0, "one", 0, 3, "sets/gone"}));
  saved("set-without-the-level", SavedGameText({1, "three", 0, 3, "sets/mine"}));
  saved("set-line-empty", "rebounder-saved-game 2\nset \n" + kept.substr(kept.find('\n') + 1));
  fs::remove_all("sets");
  fs::current_path(here);
  std::string changed = kept;
  changed[changed.find("1234")] = '9';
  saved("changed-score", changed);
  Seed("savedgame", "crlf", WithCrlf(TBytes(kept.begin(), kept.end())));
  saved("newer", "rebounder-saved-game 2\nlevel 0 go easy on me\nmore 1\n");
  saved("cut-short", kept.substr(0, kept.size() - 5));
  saved("extra-line", kept + "lives 9\n");
  Seed("savedgame", "foreign", {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0});
  Seed("savedgame", "empty", {});

  Seed("options", "all-on", TBytes(6, 1));
  Seed("options", "mixed", {1, 0, 1, 0, 1, 0});
  Seed("options", "damaged-and-long", {2, 255, 1, 1, 0, 1, 9, 9});
  Seed("options", "short", {1, 1, 1, 1, 1});
  Seed("options", "empty", {});

  TBytes table;
  for (int k = 0; k < 10; ++k) {
    const std::string name = "VORTEX    ";
    table.insert(table.end(), name.begin(), name.end());
    Put32(table, uint32_t((10 - k) * 25));
  }
  Seed("highscores", "default", table);
  Seed("highscores", "short", TBytes(table.begin(), table.end() - 1));
  TBytes typed = table;
  Put32(typed, 0x00010000);  // a score that ranks first, then keys: a b 1 backspace 2 enter
  typed.insert(typed.end(), {'a', 'b', '1', 8, '2', 13});
  Seed("highscores", "ranked-and-named", typed);
  TBytes wild(140, 0xff);
  wild.insert(wild.end(), {0xff, 0xff, 0xff, 0xff, 13, 'z', 0x80, 13});
  Seed("highscores", "all-ones", wild);
  Seed("highscores", "empty", {});
  // Other files put in the table's place: a text file, a name with a tab.
  const std::string passwd =
      "root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1:daemon:/usr/sbin:/usr/sbin/nologin\n"
      "bin:x:2:2:bin:/bin:/usr/sbin/nologin\nsys:x:3:3:sys:/dev:/usr/sbin/nologin\n";
  Seed("highscores", "passwd-text", TBytes(passwd.begin(), passwd.end()));
  TBytes tab = table;
  tab[3] = '\t';
  Seed("highscores", "name-with-a-tab", tab);

  for (const fs::path& font : Files(game / "fonts", ".fnt"))
    Seed("font", font.filename().string(), Read(font));
  PictureSeeds("font", 0, false, Read(game / "fonts" / "score.fnt"), "score");
  HostilePictures("font", 0, false);
  TPicture blank;
  blank.w = 40, blank.h = 1, blank.palette = {{0, 0, 0, 255}, {255, 255, 255, 255}};
  blank.pixels.assign(40, 1);
  Seed("font", "marker-row-only", InDepth(blank, 8));

  // Sprites: the first byte is the catalogue slot, 0..54 in catalogue order.
  // The HUD (slot 40) carries the game's palette.
  const std::vector<std::string> slots = {"ball",
                                          "ball_fire",
                                          "wall_v",
                                          "wall_h",
                                          "wall_rt",
                                          "wall_rt",
                                          "gray",
                                          "blue",
                                          "green",
                                          "purple",
                                          "red",
                                          "yellow",
                                          "white",
                                          "cracked",
                                          "paddle",
                                          "paddle_large",
                                          "paddle_small",
                                          "paddle_magnet",
                                          "paddle_small_magnet",
                                          "paddle_large_magnet",
                                          "bonus",
                                          "bonus_normal",
                                          "bonus_ball",
                                          "bonus_paddlelarge",
                                          "bonus_paddlesmall",
                                          "bonus_fire",
                                          "bonus_magnet",
                                          "bonus_question",
                                          "bonus_speedup",
                                          "bonus_speeddown",
                                          "bonus_life",
                                          "bonus_reverse",
                                          "bonus_paddlespeed",
                                          "floater",
                                          "beam_blue",
                                          "beam_red",
                                          "beam_green",
                                          "beamer_left",
                                          "beamer_right",
                                          "life",
                                          "hud",
                                          "energy_bar",
                                          "message",
                                          "menu",
                                          "background",
                                          "mask",
                                          "spark",
                                          "zapp",
                                          "floater_zapp",
                                          "fall",
                                          "star",
                                          "logo",
                                          "rebounder",
                                          "check_off",
                                          "check_on"};
  for (size_t slot = 0; slot < slots.size(); ++slot) {
    const TBytes real = Read(game / "sprites" / (slots[slot] + ".bmp"));
    Seed("sprite", std::to_string(slot) + "-" + slots[slot], Prefixed(uint8_t(slot), real));
    const TPicture p = Decode(real, slots[slot]);
    TPicture tiny = p;
    tiny.w = tiny.h = 1;
    tiny.pixels = {p.pixels[0]};
    Seed("sprite", std::to_string(slot) + "-one-pixel", Prefixed(uint8_t(slot), InDepth(tiny, 8)));
  }
  PictureSeeds("sprite", 40, true, Read(game / "sprites" / "hud.bmp"), "hud");
  PictureSeeds("sprite", 0, true, Read(game / "sprites" / "ball.bmp"), "ball");
  HostilePictures("sprite", 40, true);
  HostilePictures("sprite", 14, true);

  // levelc: an even first byte for a source, an odd one for a map.
  for (const fs::path& source : Files(sources, ".lvl")) {
    Seed("levelc", source.filename().string(), Prefixed(0, Read(source)));
    if (source == Files(sources, ".lvl").front()) Seed("levelc", "crlf", Prefixed(0, WithCrlf(Read(source))));
  }
  for (const fs::path& map : Files(game / "maps", ".map"))
    Seed("levelc", map.filename().string(), Prefixed(1, Read(map)));
  Seed("levelc", "empty-source", {0});
  Seed("levelc", "all-empty-map", Prefixed(1, TBytes(513, 0)));
  // Settings files: every setting, each end of the ranges, lines the game
  // cannot use, and line ends of other systems.
  auto text = [](const std::string& target, const std::string& name, const std::string& t) {
    Seed(target, name, TBytes(t.begin(), t.end()));
  };
  const std::string everySetting =
      "# a comment\neffects_volume = 3\nmusic_volume = 0\nmouse_speed = 2.5\nkey_left = a\nkey_right = d\n"
      "key_fire = w\nkey_pause = f1\nscale = 2\nmusic_in_play = on\n";
  text("settings", "every-setting", everySetting);
  text("settings", "ends",
       "effects_volume = 10\nmusic_volume = 10\nmouse_speed = 4\nscale = 8\n"
       "effects_volume = 0\nmouse_speed = 0.5\nscale = auto\nmusic_in_play = off\n");
  text("settings", "refused-lines",
       "effects_volume = 11\nmusic_volume = -1\nmouse_speed = 5\nkey_left = no such key\nkey_fire = left\n"
       "scale = 9\n= 3\nvolume\nunknown = 1\nmusic_in_play = maybe\n");
  text("settings", "swapped-keys", "key_left = right\nkey_right = left\nkey_left = space\nkey_fire = x\n");
  text("settings", "crlf-no-last-newline", "effects_volume = 4\r\nmusic_volume = 6\r\nscale = 3");
  text("settings", "control-bytes",
       std::string("key_left = \x1b[2J\nscale = \x01\x02\nmouse_speed = 1\0x\n", 45));
  text("settings", "empty", "");

  // The editor: real sources, a draft it opens but cannot play, and files
  // that are no level source.
  std::vector<fs::path> levelSources = Files(sources, ".lvl");
  for (size_t i = 0; i < levelSources.size() && i < 4; ++i)
    Seed("editor", levelSources[i].filename().string(), Read(levelSources[i]));
  std::string draft = "name: draft\n";
  for (int row = 0; row < 18; ++row)
    draft += row == 3 ? "|. . . r r . . . . . . . . . |\n" : "|. . . . . . . . . . . . . . |\n";
  text("editor", "draft", draft);
  text("editor", "short-grid",
       "name: short\n|. . . . . . . . . . . . . . |\n|g g g g g g g g g g g g g g |\n");
  text("editor", "comments",
       "# made by hand\n" + draft.substr(0, 74) + "  # between the rows\n" + draft.substr(74) +
           "\n\n# the end\n");
  text("editor", "not-a-source", "hello\nworld\n");
  Seed("editor", "crlf", WithCrlf(Read(levelSources.front())));
  text("editor", "empty", "");

  // Set folders: the folder's name, then file names and contents, all
  // separated by NUL bytes.
  auto setSeed = [&](const std::string& name, const std::vector<std::string>& parts) {
    std::string t;
    for (size_t i = 0; i < parts.size(); ++i) t += (i ? std::string(1, '\0') : "") + parts[i];
    text("setfolder", name, t);
  };
  const std::string one = Text(Read(levelSources[0])), two = Text(Read(levelSources[1]));
  setSeed("two-levels", {"mine", "a.lvl", one, "b.lvl", two});
  setSeed("a-bad-source",
          {"mixed", "a.lvl", one, "b.lvl", "name: broken\n|x|\n", "notes.txt", "not a level"});
  setSeed("one-name-twice", {"twice", "a.lvl", one, "b.lvl", one});
  setSeed("named-classic", {"classic", "a.lvl", one});
  setSeed("named-classic-yours", {"classic (yours)", "a.lvl", one});
  setSeed("odd-names", {"sp ace\ttab\nnewline \xc3\xa9", "\x01.lvl", one, " .lvl", two, "..lvl", one});
  setSeed("nothing-playable", {"empty", "a.lvl", draft});
  setSeed("no-files", {"bare"});
  // Folders named "." and "..": the sets folder itself and the folder above it.
  setSeed("dot", {".", "a.lvl", one});
  setSeed("dot-dot", {"..", "a.lvl", one});
  return 0;
}
