// levelreport: plays every chosen level from its start many times with the
// autopilot, headless, and prints per level how many runs cleared it, the
// median and worst game time to clear, the longest stretch of ball play
// without a breakable brick hit, the lives lost and any broken rule of the
// play field; then how much of the field the levels use and how much each
// differs from the one before, beside the built-in levels' figures. Run it
// in the game folder (it reads sprites/ and maps/).
#include <SDL/SDL.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "base/globals.h"
#include "field/paddle.h"
#include "game/wiring.h"
#include "levels/levelmap.h"
#include "levels/levelvariety.h"
#include "media/catalogue.h"
#include "platform/datafile.h"
#include "session/gameflow.h"
#include "session/level.h"
#include "session/levelrun.h"
#include "session/levelset.h"

namespace {
struct TOptions {
  int runs = 10;
  int minutes = 20;
  uint32_t seed = 1;
  bool powerUps = true;
  std::vector<int> laps{0};
  std::vector<int> levels;  // 0-based list positions
  int jobs = 0;
  bool varietyOnly = false;
};

// One line of the table: a level at a lap, over all its runs.
struct TRow {
  int lap = 0, level = 0;
  int cleared = 0, runs = 0;
  std::vector<int> clearTicks;
  int longestStretch = 0, livesLost = 0, broken = 0;
  std::vector<std::string> notes;
};

void Usage(FILE* to) {
  std::fprintf(to,
               "usage: levelreport [options] [level name or number ...]\n"
               "  --runs N        runs per level (default 10)\n"
               "  --minutes M     game time allowed for one run (default 20)\n"
               "  --seed S        first seed; run k of a level uses S + k (default 1)\n"
               "  --laps L[,L..]  difficulty laps: 0 newbie .. 4 AAARGH (default 0)\n"
               "  --powerups on|off  whether bricks release capsules (default on)\n"
               "  --jobs J        worker processes (default: one per processor)\n"
               "  --levels DIR    play the level set in DIR (a folder of .lvl sources)\n"
               "  --variety       print the variety figures only, playing nothing\n"
               "Levels are every level of the list unless named (by name or number 1..40).\n"
               "Ends with the rank correlation of the median clear time with the place, and the\n"
               "set's variety: the share of the field's cells a level uses and the share that\n"
               "differ from the level before, and the share of its bricks below the top third\n"
               "of the field, each beside the built-in levels' own.\n"
               "Exit status 1 when any rule of the play field was broken.\n");
}

int ParseInt(const char* text, int low, int high) {
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (!*text || *end || v < low || v > high) {
    std::fprintf(stderr, "levelreport: '%s' is not a number from %d to %d\n", text, low, high);
    std::exit(2);
  }
  return static_cast<int>(v);
}

int FindLevel(const std::string& word) {
  const int n = static_cast<int>(Game.levelList.size());
  for (int i = 0; i < n; ++i)
    if (Game.levelList[static_cast<size_t>(i)] == word) return i;
  if (!word.empty() && word.find_first_not_of("0123456789") == std::string::npos)
    return ParseInt(word.c_str(), 1, n) - 1;
  std::fprintf(stderr, "levelreport: no level called '%s' (try a number 1..%d)\n", word.c_str(), n);
  std::exit(2);
}

// A set named with --levels replaces the built-in list before names are looked up.
void UseSetOption(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::string(argv[i]) == "--levels") {
      const CLevelSet set = CLevelSet::Load(argv[i + 1]);
      for (const std::string& problem : set.problems)
        std::fprintf(stderr, "levelreport: left out: %s\n", problem.c_str());
      if (set.levels.empty()) {
        std::fprintf(stderr, "levelreport: %s: no level of this folder can be played\n", argv[i + 1]);
        std::exit(2);
      }
      UseLevelSet(set);
    }
}

TOptions ParseOptions(int argc, char** argv) {
  UseSetOption(argc, argv);
  TOptions o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&]() -> const char* {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "levelreport: %s needs a value\n", a.c_str());
        std::exit(2);
      }
      return argv[++i];
    };
    if (a == "--help" || a == "-h") {
      Usage(stdout);
      std::exit(0);
    } else if (a == "--runs") {
      o.runs = ParseInt(value(), 1, 100000);
    } else if (a == "--minutes") {
      o.minutes = ParseInt(value(), 1, 10000);
    } else if (a == "--seed") {
      o.seed = static_cast<uint32_t>(ParseInt(value(), 0, 2000000000));
    } else if (a == "--levels") {
      value();  // taken before the level names are read
    } else if (a == "--variety") {
      o.varietyOnly = true;
    } else if (a == "--jobs") {
      o.jobs = ParseInt(value(), 1, 64);
    } else if (a == "--powerups") {
      const std::string v = value();
      if (v != "on" && v != "off") {
        std::fprintf(stderr, "levelreport: --powerups takes on or off\n");
        std::exit(2);
      }
      o.powerUps = v == "on";
    } else if (a == "--laps" || a == "--lap") {
      o.laps.clear();
      std::stringstream list(value());
      for (std::string lap; std::getline(list, lap, ',');) o.laps.push_back(ParseInt(lap.c_str(), 0, 50));
    } else if (a.size() > 1 && a[0] == '-') {
      std::fprintf(stderr, "levelreport: unknown option %s\n", a.c_str());
      Usage(stderr);
      std::exit(2);
    } else {
      o.levels.push_back(FindLevel(a));
    }
  }
  if (o.levels.empty())
    for (int i = 0; i < static_cast<int>(Game.levelList.size()); ++i) o.levels.push_back(i);
  if (o.jobs == 0) o.jobs = std::max(1L, sysconf(_SC_NPROCESSORS_ONLN));
  return o;
}

void StartHeadless() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "levelreport: cannot start SDL: %s\n", SDL_GetError());
    std::exit(1);
  }
  InstallGameHooks();
  LoadSprites();
  Game.keyState = SDL_GetKeyState(nullptr);
  Game.paddle.reset(new CPaddle(240, 420));
  Game.optSound.value = false;
  Game.optStars.value = false;
  Game.optExplosions.value = true;
  BuildLevelList();
}

TRow PlayRow(const TOptions& o, int lap, int level) {
  TRow row;
  row.lap = lap;
  row.level = level;
  for (int k = 0; k < o.runs; ++k) {
    TLevelRun run;
    run.levelIndex = lap * static_cast<int>(Game.levelList.size()) + level;
    run.seed = o.seed + static_cast<uint32_t>(k);
    run.maxTicks = o.minutes * 60 * 40;
    run.powerUps = o.powerUps;
    const TLevelRunResult r = PlayLevelRun(run);
    ++row.runs;
    if (r.cleared) row.clearTicks.push_back(r.ticks);
    row.longestStretch = std::max(row.longestStretch, r.longestStretch);
    row.livesLost += r.livesLost;
    row.broken += r.brokenCount;
    for (const std::string& note : r.broken)
      if (row.notes.size() < 3) row.notes.push_back("seed " + std::to_string(run.seed) + ", " + note);
  }
  row.cleared = static_cast<int>(row.clearTicks.size());
  std::sort(row.clearTicks.begin(), row.clearTicks.end());
  return row;
}

// Rows travel from the workers to the parent as text over a pipe.
std::string Encode(const TRow& row) {
  std::ostringstream out;
  out << row.lap << ' ' << row.level << ' ' << row.runs << ' ' << row.longestStretch << ' ' << row.livesLost
      << ' ' << row.broken << ' ' << row.clearTicks.size();
  for (int t : row.clearTicks) out << ' ' << t;
  out << ' ' << row.notes.size() << '\n';
  for (const std::string& note : row.notes) out << note << '\n';
  return out.str();
}

bool Decode(std::istream& in, TRow& row) {
  size_t clears = 0, notes = 0;
  if (!(in >> row.lap >> row.level >> row.runs >> row.longestStretch >> row.livesLost >> row.broken >>
        clears))
    return false;
  row.clearTicks.resize(clears);
  for (int& t : row.clearTicks) in >> t;
  in >> notes;
  in.ignore(1);
  row.notes.resize(notes);
  for (std::string& note : row.notes) std::getline(in, note);
  row.cleared = static_cast<int>(clears);
  return static_cast<bool>(in);
}

std::vector<TRow> PlayAll(const TOptions& o) {
  std::vector<std::pair<int, int>> work;
  for (int lap : o.laps)
    for (int level : o.levels) work.push_back({lap, level});
  const int jobs = std::min<int>(o.jobs, static_cast<int>(work.size()));
  std::vector<FILE*> pipes;
  std::vector<pid_t> children;
  for (int w = 0; w < jobs; ++w) {
    int fd[2];
    if (pipe(fd) != 0) {
      std::perror("levelreport: pipe");
      std::exit(1);
    }
    const pid_t pid = fork();
    if (pid < 0) {
      std::perror("levelreport: fork");
      std::exit(1);
    }
    if (pid == 0) {
      close(fd[0]);
      FILE* out = fdopen(fd[1], "w");
      for (size_t k = static_cast<size_t>(w); k < work.size(); k += static_cast<size_t>(jobs))
        std::fputs(Encode(PlayRow(o, work[k].first, work[k].second)).c_str(), out);
      std::fclose(out);
      _exit(0);
    }
    close(fd[1]);
    pipes.push_back(fdopen(fd[0], "r"));
    children.push_back(pid);
  }
  std::vector<TRow> rows;
  for (FILE* in : pipes) {
    std::string text;
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;) text.append(buffer, got);
    std::fclose(in);
    std::istringstream stream(text);
    for (TRow row; Decode(stream, row);) rows.push_back(row);
  }
  bool failed = false;
  for (pid_t pid : children) {
    int status = 0;
    waitpid(pid, &status, 0);
    failed = failed || !WIFEXITED(status) || WEXITSTATUS(status) != 0;
  }
  if (failed || rows.size() != work.size()) {
    std::fprintf(stderr, "levelreport: a worker process failed\n");
    std::exit(1);
  }
  std::sort(rows.begin(), rows.end(),
            [&](const TRow& a, const TRow& b) { return a.lap != b.lap ? a.lap < b.lap : a.level < b.level; });
  return rows;
}

// Spearman's rank correlation of the values with their order (ties share their mean rank).
double RankCorrelation(const std::vector<double>& values) {
  const size_t n = values.size();
  if (n < 2) return 0;
  std::vector<size_t> order(n);
  for (size_t i = 0; i < n; ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return values[a] < values[b]; });
  std::vector<double> rank(n);
  for (size_t i = 0; i < n;) {
    size_t j = i;
    while (j + 1 < n && values[order[j + 1]] == values[order[i]]) ++j;
    for (size_t k = i; k <= j; ++k) rank[order[k]] = (static_cast<double>(i + j) / 2) + 1;
    i = j + 1;
  }
  double meanX = (static_cast<double>(n) + 1) / 2, sxy = 0, sxx = 0, syy = 0;
  for (size_t i = 0; i < n; ++i) {
    const double x = static_cast<double>(i) + 1 - meanX, y = rank[i] - meanX;
    sxy += x * y, sxx += x * x, syy += y * y;
  }
  return sxy / std::sqrt(sxx * syy);
}

// The maps of the levels, from the set in use or else the built-in files.
std::vector<std::vector<uint8_t>> Maps(const std::vector<std::string>& names) {
  std::vector<std::vector<uint8_t>> maps;
  for (const std::string& name : names) {
    const std::vector<uint8_t>* compiled = SetLevelMap(name);
    maps.push_back(compiled ? *compiled : ReadFileBytes(LevelPath(name), LevelFileBytes));
  }
  return maps;
}

void PrintVariety() {
  const TVariety set = MeasureVariety(Maps(Game.levelList));
  const TVariety builtIn = MeasureVariety(Maps(BuiltInLevelNames()));
  std::printf(
      "variety: cells used %.1f %% a level (built-in levels %.1f %%, so %.0f %% of theirs), "
      "cells differing from the level before %.1f %% (built-in %.1f %%, so %.0f %%)\n",
      100 * set.fieldShare, 100 * builtIn.fieldShare, 100 * set.fieldShare / builtIn.fieldShare,
      100 * set.neighbourDifference, 100 * builtIn.neighbourDifference,
      100 * set.neighbourDifference / builtIn.neighbourDifference);
  std::printf("bricks below the top third of the field %.1f %% (built-in %.1f %%, so %.0f %%)\n",
              100 * set.lowerShare, 100 * builtIn.lowerShare, 100 * set.lowerShare / builtIn.lowerShare);
}

std::string GameTime(int ticks) {
  const int tenths = ticks / 4;
  char text[32];
  std::snprintf(text, sizeof text, "%d:%02d.%d", tenths / 600, tenths / 10 % 60, tenths % 10);
  return text;
}
}  // namespace

int main(int argc, char** argv) {
  StartHeadless();
  const TOptions o = ParseOptions(argc, argv);
  if (o.varietyOnly) {
    PrintVariety();
    SDL_Quit();
    return 0;
  }
  const std::vector<TRow> rows = PlayAll(o);
  std::printf("%d runs a level, up to %d min of game time each, seeds %u.., power-ups %s\n", o.runs,
              o.minutes, o.seed, o.powerUps ? "on" : "off");
  std::printf("%-3s %-3s %-36s %8s %9s %9s %9s %5s %6s\n", "lap", "#", "level", "cleared", "median", "worst",
              "no hit", "lost", "broken");
  int broken = 0;
  for (const TRow& row : rows) {
    const bool any = !row.clearTicks.empty();
    const std::string median = any ? GameTime(row.clearTicks[row.clearTicks.size() / 2]) : "-";
    const std::string worst = any ? GameTime(row.clearTicks.back()) : "-";
    char cleared[16];
    std::snprintf(cleared, sizeof cleared, "%d/%d", row.cleared, row.runs);
    std::printf("%-3d %-3d %-36.36s %8s %9s %9s %9s %5d %6d\n", row.lap, row.level + 1,
                Game.levelList[static_cast<size_t>(row.level)].c_str(), cleared, median.c_str(),
                worst.c_str(), GameTime(row.longestStretch).c_str(), row.livesLost, row.broken);
    broken += row.broken;
  }
  // Per lap, levels in list order; a level never cleared counts as the slowest.
  for (int lap : o.laps) {
    std::vector<double> medians;
    int fewest = o.runs;
    for (const TRow& row : rows) {
      if (row.lap != lap) continue;
      medians.push_back(row.clearTicks.empty() ? 1e12 : row.clearTicks[row.clearTicks.size() / 2]);
      fewest = std::min(fewest, row.cleared);
    }
    std::printf("lap %d: rank correlation of the median with the place %.2f, fewest cleared %d of %d\n", lap,
                RankCorrelation(medians), fewest, o.runs);
  }
  PrintVariety();
  for (const TRow& row : rows)
    for (const std::string& note : row.notes)
      std::printf("lap %d level %d: %s\n", row.lap, row.level + 1, note.c_str());
  SDL_Quit();
  return broken > 0 ? 1 : 0;
}
