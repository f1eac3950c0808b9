// Level sets: choosing, compiling and using the set games are played on.
#include "play/levelset.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>

#include "base/globals.h"
#include "platform/datafile.h"
#include "platform/fatal.h"
#include "play/gameflow.h"
#include "play/levelformat.h"

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

std::string FolderName(const std::string& folder) {
  fs::path path(folder);
  if (!path.has_filename()) path = path.parent_path();
  return path.filename().string();
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
  // The built-in set's table must stay the built-in set's.
  if (set.name == ClassicSetName) set.name += " (yours)";
  std::set<std::string> names;
  for (const std::string& path : SourcesIn(folder)) {
    try {
      const std::vector<unsigned char> bytes = ReadWholeFile(path, MaxSourceBytes);
      TCompiledLevel level = CompileSource(std::string(bytes.begin(), bytes.end()), path);
      if (!names.insert(level.name).second) {
        set.problems.push_back(path + ": the level name \"" + level.name + "\" is already used in this set");
        continue;
      }
      set.levels.push_back({level.name, std::move(level.bytes)});
    } catch (const std::exception& e) {
      set.problems.push_back(e.what());
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
    // A set is offered only when one of its levels compiles; compiling a few
    // pages of text is quick next to a key press.
    if (it->is_directory(ignored) && CLevelSet::Load(it->path().string()).Playable())
      folders.push_back(it->path().string());
  }
  std::sort(folders.begin(), folders.end());
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

void UseLevelSet(const CLevelSet& set) {
  Game.levelSetName = set.name;
  Game.levelSetFolder = set.folder;
  Game.newGameSetFolder = set.folder;
  Game.levelMaps.clear();
  if (set.IsClassic()) {
    BuildLevelList();
    return;
  }
  Game.levelList.clear();
  for (const TSetLevel& level : set.levels) {
    Game.levelList.push_back(level.name);
    Game.levelMaps.push_back(level.map);
  }
}

const std::vector<uint8_t>* SetLevelMap(const std::string& name) {
  for (size_t i = 0; i < Game.levelMaps.size() && i < Game.levelList.size(); ++i)
    if (Game.levelList[i] == name) return &Game.levelMaps[i];
  return nullptr;
}
