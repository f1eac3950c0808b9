// The generated set being made for a new game, a slice at a time.
#include "menus/setmaking.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>

#include "base/clock.h"
#include "base/globals.h"
#include "levels/generatedsets.h"
#include "levels/levelgen.h"
#include "media/notice.h"
#include "session/levelset.h"

namespace {
// Milliseconds of making a frame: the screen keeps its pace.
constexpr uint32_t SliceMs = 12;

struct TMaking {
  std::string folder;
  int difficulty = 0;
  std::unique_ptr<CSetMaker> maker;
  std::set<std::string> whole;  // the set's files there already, left as they are
};
std::unique_ptr<TMaking> making;

void GiveUp(const std::string& problem) {
  std::fprintf(stderr, "rebounder: the level set cannot be made: %s\n", problem.c_str());
  ShowNotice("the level set cannot be made", problem);
  making.reset();
}

}  // namespace

bool BeginSetMaking(const std::string& folder, int difficulty) {
  uint32_t seed = 0;
  if (!GeneratedSetSeed(folder, seed)) return false;
  making.reset(new TMaking{folder, difficulty, std::make_unique<CSetMaker>(seed, DefaultGeneratedCount), {}});
  for (const TSetLevel& level : CLevelSet::Load(folder).levels)
    making->whole.insert(std::filesystem::path(level.source).filename().string());
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) GiveUp(folder + ": " + error.message());
  return true;
}

bool SetMaking() { return making != nullptr; }

int StepSetMaking() {
  if (!making) return -1;
  if (Game.programState != psMenu || Game.menuState != msNewGame || Game.newGameSetFolder != making->folder) {
    making.reset();
    return -1;
  }
  const uint32_t start = GetTicks();
  while (!making->maker->Done() && GetTicks() - start < SliceMs) {
    const TGeneratedLevel level = making->maker->MakeNext();
    const std::string problem =
        making->whole.count(level.fileName) ? "" : WriteGeneratedLevels({level}, making->folder);
    if (!problem.empty()) {
      GiveUp(problem);
      return -1;
    }
  }
  if (!making->maker->Done()) return -1;
  const int difficulty = making->difficulty;
  making.reset();
  return difficulty;
}

std::string SetMakingProgress() {
  if (!making) return "";
  return "making the set: " + std::to_string(making->maker->Levels().size()) + " of " +
         std::to_string(making->maker->Count()) + " levels";
}
