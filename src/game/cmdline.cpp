// Parsing the command line and answering what can be answered without
// starting the game.
#include "game/cmdline.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "base/closestnames.h"
#include "base/globals.h"
#include "field/bonusstage.h"
#include "levels/levelgen.h"
#include "media/theme.h"
#include "platform/assetdir.h"
#include "platform/datafile.h"
#include "platform/echo.h"
#include "session/gameflow.h"
#include "session/level.h"
#include "session/levelset.h"
#include "session/players.h"

#ifndef REBOUNDER_VERSION
#define REBOUNDER_VERSION "unknown"
#endif

namespace {
// The listed names, then any other level files a player has added.
std::vector<std::string> KnownLevelNames() {
  if (Game.levelList.empty()) BuildLevelList();
  std::vector<std::string> names = Game.levelList;
  if (!Game.levelMaps.empty()) return names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(AssetPath("maps"), error)) {
    if (entry.path().extension() != ".map") continue;
    const std::string name = entry.path().stem().string();
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  return names;
}

// Takes the value of an option given as "--name VALUE" or "--name=VALUE".
bool TakeValue(const std::string& arg, const std::string& option, int& i, int argc, char** argv,
               std::string& value, std::string& error) {
  if (arg.compare(0, option.size() + 1, option + "=") == 0) {
    value = arg.substr(option.size() + 1);
  } else if (arg == option) {
    if (i + 1 >= argc) {
      error = option + " needs a value";
      return true;
    }
    value = argv[++i];
  } else {
    return false;
  }
  if (value.empty()) error = option + " needs a value";
  return true;
}

// "ANN,BOB": the names between the commas, without the spaces around them.
std::vector<std::string> SplitNames(const std::string& list) {
  std::vector<std::string> names;
  for (size_t from = 0;;) {
    const size_t comma = std::min(list.find(',', from), list.size());
    std::string name = list.substr(from, comma - from);
    name.erase(0, name.find_first_not_of(' '));
    name.erase(name.find_last_not_of(' ') + 1);
    names.push_back(name);
    if (comma == list.size()) return names;
    from = comma + 1;
  }
}

// --generate SEED [--count N] DIR: the level set written, one line said.
int GenerateSet(const TCommandLine& commandLine) {
  uint32_t seed = 0;
  int count = DefaultGeneratedCount;
  std::string problem;
  if (!ParseSeed(commandLine.generateSeed, seed))
    problem = "--generate takes a seed, a whole number from 0 to 4294967295";
  else if (!commandLine.generateCount.empty() &&
           !(commandLine.generateCount.find_first_not_of("0123456789") == std::string::npos &&
             commandLine.generateCount.size() <= 3 &&
             (count = std::atoi(commandLine.generateCount.c_str())) >= 1))
    problem = "--count takes a number of levels from 1 to " + std::to_string(MostGeneratedLevels);
  else if (commandLine.levelName.empty())
    problem = "--generate needs the folder to write the levels into";
  std::string replaced;
  if (problem.empty())
    problem = ReplaceGeneratedSet(GenerateLevels(seed, count), commandLine.levelName, replaced);
  if (!problem.empty()) {
    std::fprintf(stderr, "rebounder: %s\n", Echoed(problem, EchoedMessageLength).c_str());
    return problem[0] == '-' ? 2 : 1;
  }
  std::printf("rebounder: %d levels of set %u written into %s%s\n", count, seed,
              Echoed(commandLine.levelName, EchoedPathLength).c_str(),
              replaced.empty() || replaced == std::to_string(seed)
                  ? ""
                  : (", in place of the set of seed " + Echoed(replaced)).c_str());
  return 0;
}
}  // namespace

TCommandLine ParseCommandLine(int argc, char** argv) {
  TCommandLine cl;
  bool optionsEnded = false;
  std::string bareName, players;
  for (int i = 1; i < argc && cl.error.empty(); ++i) {
    const std::string arg = argv[i];
    if (optionsEnded || arg.empty() || arg[0] != '-') {
      // Only the first bare argument names a level; the rest are ignored.
      if (bareName.empty()) bareName = arg;
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      cl.help = true;
    } else if (arg == "--version") {
      cl.version = true;
    } else if (arg == "--list-levels") {
      cl.listLevels = true;
    } else if (arg == "--list-themes") {
      cl.listThemes = true;
    } else if (arg == "--list-bonus") {
      cl.listBonus = true;
    } else if (arg == "--windowed") {
      cl.window = wcWindowed;
    } else if (arg == "--fullscreen") {
      cl.window = wcFullscreen;
    } else if (TakeValue(arg, "--level", i, argc, argv, cl.levelName, cl.error) ||
               TakeValue(arg, "--scale", i, argc, argv, cl.scale, cl.error) ||
               TakeValue(arg, "--replay", i, argc, argv, cl.replayPath, cl.error) ||
               TakeValue(arg, "--levels", i, argc, argv, cl.levelSetFolder, cl.error) ||
               TakeValue(arg, "--edit", i, argc, argv, cl.editPath, cl.error) ||
               TakeValue(arg, "--players", i, argc, argv, players, cl.error) ||
               TakeValue(arg, "--frame-log", i, argc, argv, cl.frameLogPath, cl.error) ||
               TakeValue(arg, "--theme", i, argc, argv, cl.theme, cl.error) ||
               TakeValue(arg, "--bonus", i, argc, argv, cl.bonusName, cl.error) ||
               TakeValue(arg, "--generate", i, argc, argv, cl.generateSeed, cl.error) ||
               TakeValue(arg, "--count", i, argc, argv, cl.generateCount, cl.error)) {
    } else {
      cl.error = "unknown option " + Echoed(arg);
    }
  }
  if (cl.levelName.empty()) cl.levelName = bareName;
  if (!players.empty()) cl.players = SplitNames(players);
  if (!cl.generateCount.empty() && cl.generateSeed.empty()) cl.error = "--count goes with --generate";
  return cl;
}

std::string UsageText() {
  return "Usage: rebounder [OPTION]... [LEVEL NAME]\n"
         "Rebounder, a brick-breaking arcade game.\n"
         "\n"
         "  LEVEL NAME, --level NAME  play that level at once, skipping intro and menu\n"
         "                            (quote a name with spaces: rebounder \"rainy day\")\n"
         "      --replay FILE         watch a recorded game (space pauses, f or 1/2/3 set\n"
         "                            the speed to 1x, 4x or 16x, Escape quits)\n"
         "      --list-levels         print the level names in play order and exit\n"
         "      --levels DIR          play the level set in DIR, a folder of .lvl sources\n"
         "      --players NAMES       start a hot-seat game at once (on --level NAME when\n"
         "                            given): two to four names with commas between them,\n"
         "                            \"ANN,BOB\"; the turn passes whenever a life is lost\n"
         "      --bonus NAME          play a bonus stage of that kind at once, alone, for\n"
         "                            its own best score (stages also come after every\n"
         "                            fifth level of a generated set)\n"
         "      --list-bonus          print the kinds of bonus stage and exit\n"
         "      --edit FILE.lvl       open a level source in the level editor (a new\n"
         "                            level when FILE.lvl does not exist yet)\n"
         "      --generate SEED [--count N] DIR\n"
         "                            write a generated level set of N levels (40 by\n"
         "                            default) into DIR; the same SEED, a number, always\n"
         "                            gives the same levels (play them with --levels DIR)\n"
         "      --windowed            play in a window this time (the saved option stays)\n"
         "      --fullscreen          play full screen this time (the saved option stays)\n"
         "      --scale VALUE         draw the 640x480 picture VALUE times larger, 1 to 8;\n"
         "                            fill: as high as the screen (or a window as large\n"
         "                            as the desktop allows) at any factor; or auto: the\n"
         "                            largest whole scale that fits, or fill in full screen\n"
         "                            where that leaves over a tenth of the height black\n"
         "                            (also REBOUNDER_SCALE)\n"
         "      --theme NAME          play in that theme this time (the saved one stays):\n"
         "                            a built-in one or a folder in themes/ of the data\n"
         "                            folder below\n"
         "      --list-themes         print the built-in themes and yours, one a line, and\n"
         "                            exit\n"
         "      --frame-log FILE      write a line to FILE for every picture shown: the\n"
         "                            milliseconds since the start and the first ball's\n"
         "                            x and y in the picture (- - when none is drawn)\n"
         "  -h, --help                print this help and exit\n"
         "      --version             print the version and exit\n"
         "\n"
         "Options and high scores are kept in $XDG_DATA_HOME/rebounder/\n"
         "(~/.local/share/rebounder/), or in the working directory when it already\n"
         "holds options.dat or highscores.dat. The settings screen's choices are kept\n"
         "in $XDG_CONFIG_HOME/rebounder/settings.conf (~/.config/rebounder/).\n"
         "REBOUNDER_DATA_DIR names another folder of the game's sprites, sounds,\n"
         "music, fonts and maps.\n";
}

std::vector<std::string> ClosestLevelNames(const std::string& name, size_t count) {
  return ClosestNames(name, KnownLevelNames(), count);
}

std::string UnknownThemeMessage(const std::string& name) {
  if (ThemeExists(name)) return "";
  std::string message = "there is no theme called \"" + Echoed(name) + "\"; the closest names are ";
  const std::vector<std::string> closest = ClosestNames(name, ThemeNames(), 3);
  for (size_t i = 0; i < closest.size(); ++i) message += (i ? ", " : "") + Echoed(closest[i]);
  return message + " ('rebounder --list-themes' prints them all)";
}

std::string UnknownLevelMessage(const std::string& name) {
  if (!Game.levelMaps.empty() && SetLevelLeftOut(name))
    return "rebounder: the level \"" + Echoed(name) + "\" does not pass the checks, so it cannot be played\n";
  if (Game.levelMaps.empty() ? FileExists(LevelPath(name)) : SetLevelMap(name) != nullptr) return "";
  std::string message =
      "rebounder: there is no level called \"" + Echoed(name) + "\"; the closest names are:\n";
  for (const std::string& close : ClosestLevelNames(name, 3)) message += "  " + close + "\n";
  message += "'rebounder --list-levels' prints them all.\n";
  return message;
}

int AnswerCommandLine(const TCommandLine& commandLine) {
  if (!commandLine.error.empty()) {
    std::fprintf(stderr, "rebounder: %s\n%s", commandLine.error.c_str(), UsageText().c_str());
    return 2;
  }
  // Names that cannot play are refused in one line, before anything starts.
  if (!commandLine.players.empty()) {
    const std::string fault = PlayerNamesFault(commandLine.players);
    if (!fault.empty()) {
      std::fprintf(stderr, "rebounder: --players: %s\n", fault.c_str());
      return 2;
    }
  }
  if (commandLine.help) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  if (commandLine.version) {
    std::puts("rebounder " REBOUNDER_VERSION);
    return 0;
  }
  if (!commandLine.generateSeed.empty()) return GenerateSet(commandLine);
  if (commandLine.listThemes) {
    for (const std::string& name : ThemeNames()) std::puts(Echoed(name).c_str());
    return 0;
  }
  if (!commandLine.theme.empty()) {
    const std::string message = UnknownThemeMessage(commandLine.theme);
    if (!message.empty()) {
      std::fprintf(stderr, "rebounder: --theme: %s\n", message.c_str());
      return 2;
    }
  }
  if (commandLine.listBonus) {
    for (int k = 0; k < BonusKindCount; ++k) {
      const auto kind = static_cast<TBonusKind>(k);
      std::printf("%-8s %s: %s\n", BonusKindName(kind), BonusKindTitle(kind), BonusKindRule(kind));
    }
    return 0;
  }
  TBonusKind kind;
  if (!commandLine.bonusName.empty() && !BonusKindByName(commandLine.bonusName, kind)) {
    std::fprintf(stderr,
                 "rebounder: there is no bonus stage called \"%s\"; 'rebounder --list-bonus' prints them\n",
                 Echoed(commandLine.bonusName).c_str());
    return 2;
  }
  // A set named on the command line is compiled here, so that its problems
  // and its names are known before anything starts.
  if (!commandLine.levelSetFolder.empty()) {
    const CLevelSet set = CLevelSet::Load(commandLine.levelSetFolder);
    for (const std::string& problem : set.problems)
      std::fprintf(stderr, "rebounder: left out: %s\n", problem.c_str());
    if (!set.Playable()) {
      std::fprintf(stderr, "rebounder: %s: no level of this folder can be played\n",
                   Echoed(commandLine.levelSetFolder, EchoedPathLength).c_str());
      return 1;
    }
    UseLevelSet(set);
  }
  if (commandLine.listLevels) {
    if (Game.levelList.empty()) BuildLevelList();
    for (const std::string& problem : LoadSetFolder(Game.levelSetFolder).LeftOutWhenPlayed())
      std::fprintf(stderr, "rebounder: left out: %s\n", problem.c_str());
    for (const std::string& name : Game.levelList)
      if (!SetLevelLeftOut(name)) std::puts(name.c_str());
    return 0;
  }
  if (!commandLine.levelName.empty()) {
    const std::string message = UnknownLevelMessage(commandLine.levelName);
    if (!message.empty()) {
      std::fputs(message.c_str(), stderr);
      return 2;
    }
  }
  return -1;
}
