// Fuzz target: a folder of level sources loaded as a level set, played, and
// its table kept. The input is NUL-separated: the set folder's name, then
// pairs of a file name and its contents. Sources that fail are left out with
// one line each naming the file; a playable set plays; its table lands in
// the tables folder and never touches the built-in set's table.
#include <filesystem>
#include <string>
#include <vector>

#include "base/globals.h"
#include "fuzzenv.h"
#include "platform/datafile.h"
#include "session/gameflow.h"
#include "session/levelset.h"
#include "store/highscores.h"

namespace fs = std::filesystem;

namespace {
// A part of the input as a name a folder can hold: no slash, at most 100 bytes.
std::string AsName(std::string part) {
  for (char& c : part)
    if (c == '/') c = '_';
  return part.substr(0, 100);
}

bool Inside(const fs::path& path, const fs::path& folder) {
  const std::string p = fs::weakly_canonical(path).string(), f = fs::weakly_canonical(folder).string();
  return p.compare(0, f.size(), f) == 0 && p.size() > f.size();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StartFuzzGame();
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0)
      parts.emplace_back();
    else
      parts.back() += static_cast<char>(data[i]);
  }
  std::error_code ignored;
  fs::remove_all("sets", ignored);
  const std::string setName = AsName(parts[0]).empty() ? "set" : AsName(parts[0]);
  const std::string folder = "sets/" + setName;
  fs::create_directories(folder, ignored);
  for (size_t k = 1; k + 1 < parts.size() && k < 17; k += 2) {
    const std::string name = AsName(parts[k]);
    if (name.empty() || name == "." || name == "..") continue;
    WriteScratchFile(folder + "/" + name, reinterpret_cast<const uint8_t*>(parts[k + 1].data()),
                     parts[k + 1].size());
  }

  // The built-in set's table, as the player has it.
  UseLevelSet(CLevelSet::Classic());
  LoadHighScores();
  if (!SaveHighScores()) Finding("the built-in table could not be saved");
  const std::string builtInTable = DataFilePath("highscores.dat");
  const TBytes builtIn = ReadScratchFile(builtInTable);

  const CLevelSet set = LoadSetFolder(folder);
  for (const std::string& problem : set.problems)
    if (problem.empty() || problem.find('\n') != std::string::npos)
      Finding("a source left out must be said in one line, got: " + problem);
  if (set.Playable()) {
    UseLevelSet(set);
    const std::string table = SetFilePath(Game.levelSetTable, "highscores.dat");
    if (!Inside(table, DataFilePath("tables")))
      Finding("a set's table is kept outside the tables folder: " + table);
    if (!Accepted(table, LoadHighScores)) Finding("a set's table stopped the game");
    Game.programState = psGame;
    Game.levelIndex = -1;
    Game.lives = 3;
    NextLevel();
    PlayTicks(40);
    Game.score = 1234;
    Game.newScoreRank = RankScore();
    if (!SaveHighScores()) Finding("a set's table could not be saved");
    if (ReadScratchFile(table).size() != 140)
      Finding("a set's table was not saved where it is kept: " + table);
  }
  if (ReadScratchFile(builtInTable) != builtIn) Finding("a set's game changed the built-in set's table");
  UseLevelSet(CLevelSet::Classic());
  return 0;
}
