// Level sets: choosing, compiling and using the set games are played on.
#include "session/levelset.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

#include "base/globals.h"
#include "levels/levelformat.h"
#include "media/notice.h"
#include "platform/datafile.h"
#include "platform/echo.h"
#include "platform/fatal.h"
#include "session/gameflow.h"

namespace fs = std::filesystem;

const char* const ClassicSetName = "classic";

namespace {
// A level source is a page of text; anything far larger is not one.
constexpr size_t MaxSourceBytes = 64 * 1024;

std::vector<std::string> SourcesIn(const std::string& folder) {
  std::vector<std::string> sources;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->path().extension() == ".lvl") sources.push_back(it->path().string());
  }
  std::sort(sources.begin(), sources.end());
  return sources;
}

// What is known of one source file, for as long as it stays as it was.
struct TKnownSource {
  struct stat seen = {};
  std::string name, problem;  // its level name, or why it has none
  bool compiled = false;
  std::vector<uint8_t> map;  // once compiled: the level, or nothing when it fails the checks
  std::string failed;        // why it failed them
};
std::map<std::string, TKnownSource> knownSources;

bool Unchanged(const struct stat& a, const struct stat& b) {
  return a.st_ino == b.st_ino && a.st_dev == b.st_dev && a.st_size == b.st_size &&
         a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

std::string ReadSource(const std::string& path) {
  const std::vector<unsigned char> bytes = ReadWholeFile(path, MaxSourceBytes);
  return std::string(bytes.begin(), bytes.end());
}

// The entry of a source, its name read afresh when the file is new or changed.
TKnownSource& Known(const std::string& path) {
  struct stat now = {};
  const bool statted = stat(path.c_str(), &now) == 0;
  const auto at = knownSources.find(path);
  if (statted && at != knownSources.end() && Unchanged(at->second.seen, now)) return at->second;
  TKnownSource& known = knownSources[path] = TKnownSource();
  known.seen = now;
  try {
    known.name = CheckedLevelName(ReadSource(path), path);
  } catch (const std::exception& e) {
    known.problem = Echoed(e.what(), EchoedMessageLength);
  }
  return known;
}

// How long looking through the player's sets for the new game screen may take.
constexpr std::chrono::milliseconds ChoicesTime(100);

// What was found of a set folder: while the folder is unchanged (no file
// added, removed or replaced) and that source too, the set still has it.
struct TSeenFolder {
  struct stat seen = {};
  std::string levelThatReads;  // "" when none did
};
std::map<std::string, TSeenFolder> seenFolders;

bool HasLevelThatReads(const std::string& folder) {
  struct stat now = {};
  if (stat(folder.c_str(), &now) != 0) return false;
  TSeenFolder& seen = seenFolders[folder];
  const auto reads = [](const TKnownSource& known) { return known.problem.empty() && known.failed.empty(); };
  if (Unchanged(seen.seen, now) && !seen.levelThatReads.empty() && reads(Known(seen.levelThatReads)))
    return true;
  seen.seen = now;
  seen.levelThatReads.clear();
  for (const std::string& source : SourcesIn(folder))
    if (reads(Known(source))) {
      seen.levelThatReads = source;
      return true;
    }
  return false;
}

// The last name of the folder as the path was given: what a set's table was once kept under.
std::string GivenName(const std::string& folder) {
  fs::path path(folder);
  if (!path.has_filename()) path = path.parent_path();
  return path.filename().string();
}

// The folder's own name, once "sets/.." or "." is resolved.
std::string FolderName(const std::string& folder) {
  std::error_code error;
  fs::path path = fs::weakly_canonical(fs::absolute(folder, error), error);
  if (error) return GivenName(folder);
  if (!path.has_filename()) path = path.parent_path();
  return path.filename().empty() ? path.string() : path.filename().string();
}
}  // namespace

CLevelSet CLevelSet::Classic() {
  CLevelSet set;
  set.name = ClassicSetName;
  return set;
}

CLevelSet CLevelSet::Load(const std::string& folder) {
  CLevelSet set;
  set.folder = folder;
  set.name = SetName(folder);
  set.table = SetTableName(folder);
  // Told apart from the built-in set by name too.
  if (set.name == ClassicSetName) set.name += " (yours)";
  std::vector<std::string> sources = SourcesIn(folder);
  if (sources.size() > MostSetLevels) {
    static std::set<std::string> told;
    if (told.insert(folder).second)
      std::fprintf(stderr,
                   "rebounder: %s: %zu level files, more than the %zu a set can have; the first %zu are "
                   "played, from %s on they are left out\n",
                   Echoed(folder, EchoedPathLength).c_str(), sources.size(), MostSetLevels, MostSetLevels,
                   Echoed(fs::path(sources[MostSetLevels]).filename().string()).c_str());
    sources.resize(MostSetLevels);
  }
  std::set<std::string> names;
  for (const std::string& path : sources) {
    const TKnownSource& known = Known(path);
    if (!known.problem.empty()) {
      set.problems.push_back(known.problem);
    } else if (!names.insert(known.name).second) {
      set.problems.push_back(Echoed(path, EchoedPathLength) + ": the level name \"" + Echoed(known.name) +
                             "\" is already used in this set");
    } else {
      set.levels.push_back({known.name, {}, path});
    }
  }
  return set;
}

std::vector<std::string> CLevelSet::LevelNames() const {
  if (IsClassic()) return BuiltInLevelNames();
  std::vector<std::string> names;
  for (const TSetLevel& level : levels) names.push_back(level.name);
  return names;
}

std::string PlayerSetsFolder() { return UserDataFolder() + "levels/"; }

std::vector<std::string> SetFolderChoices() {
  std::vector<std::string> folders;
  std::error_code error;
  for (fs::directory_iterator it(PlayerSetsFolder(), error), end; !error && it != end; it.increment(error)) {
    std::error_code ignored;
    if (it->is_directory(ignored)) folders.push_back(it->path().string());
  }
  std::sort(folders.begin(), folders.end());
  // A set is offered when one of its levels reads. The screen must not wait
  // on many big sets: a set's sources are read only up to the first that
  // reads, what was found is kept, and once the time is spent the sets not
  // yet looked at are offered as they are (choosing one checks it whole).
  const auto start = std::chrono::steady_clock::now();
  folders.erase(std::remove_if(folders.begin(), folders.end(),
                               [&](const std::string& folder) {
                                 const bool late = std::chrono::steady_clock::now() - start > ChoicesTime;
                                 return !late && !HasLevelThatReads(folder);
                               }),
                folders.end());
  folders.insert(folders.begin(), "");
  if (std::find(folders.begin(), folders.end(), Game.levelSetFolder) == folders.end())
    folders.push_back(Game.levelSetFolder);
  return folders;
}

CLevelSet LoadSetFolder(const std::string& folder) {
  return folder.empty() ? CLevelSet::Classic() : CLevelSet::Load(folder);
}

bool CleanSetFolder(const std::string& folder) {
  bool clean = !folder.empty() && folder.size() <= 4096;
  for (unsigned char c : folder) clean = clean && c >= 32 && c != 127;
  return clean;
}

std::string SetName(const std::string& folder) {
  return folder.empty() ? ClassicSetName : FolderName(folder);
}

bool RefusedUnplayable(const CLevelSet& set) {
  if (set.Playable()) return false;
  std::fprintf(stderr, "rebounder: %s: no level of this set can be played\n",
               Echoed(set.folder, EchoedPathLength).c_str());
  ShowNotice("this level set cannot be played", "no level of \"" + Echoed(set.name) + "\" can be played");
  return true;
}

void UseLevelSet(const CLevelSet& set) {
  Game.levelSetName = set.name;
  Game.levelSetFolder = set.folder;
  Game.levelSetTable = set.table;
  Game.newGameSetFolder = set.folder;
  if (!set.IsClassic()) {
    const std::string given = GivenName(set.folder);
    CarryOverOldTable(given == ClassicSetName ? given + " (yours)" : given, set.table);
  }
  Game.levelMaps.clear();
  Game.levelSources.clear();
  if (set.IsClassic()) {
    BuildLevelList();
    return;
  }
  Game.levelList.clear();
  for (const TSetLevel& level : set.levels) {
    Game.levelList.push_back(level.name);
    Game.levelMaps.push_back(level.map);
    Game.levelSources.push_back(level.source);
  }
}

const std::vector<uint8_t>* SetLevelMap(const std::string& name) {
  for (size_t i = 0; i < Game.levelMaps.size() && i < Game.levelList.size(); ++i) {
    if (Game.levelList[i] != name) continue;
    if (Game.levelMaps[i].empty() && i < Game.levelSources.size() && !Game.levelSources[i].empty())
      Game.levelMaps[i] = CompiledLevel(Game.levelSources[i]);
    return &Game.levelMaps[i];
  }
  return nullptr;
}

namespace {
// Compiles a known source once, keeping its level or why it fails the
// checks; true when this call compiled it.
bool Compile(TKnownSource& known, const std::string& source) {
  if (known.compiled) return false;
  known.compiled = true;
  try {
    known.map = CompileSource(ReadSource(source), source).bytes;
  } catch (const std::exception& e) {
    known.failed = Echoed(e.what(), EchoedMessageLength);
  }
  return true;
}
}  // namespace

const std::vector<uint8_t>& CompiledLevel(const std::string& source) {
  TKnownSource& known = Known(source);
  if (Compile(known, source) && known.map.empty()) {
    std::fprintf(stderr, "rebounder: left out: %s\n", known.failed.c_str());
    ShowNotice("a level is left out", known.failed);
  }
  return known.map;
}

bool SetLevelLeftOut(const std::string& name) {
  const std::vector<uint8_t>* map = SetLevelMap(name);
  return map && map->empty();
}

std::vector<std::string> CLevelSet::LeftOutWhenPlayed() const {
  std::vector<std::string> problems;
  for (const TSetLevel& level : levels) {
    TKnownSource& known = Known(level.source);
    Compile(known, level.source);
    if (known.map.empty()) problems.push_back(known.failed);
  }
  return problems;
}
