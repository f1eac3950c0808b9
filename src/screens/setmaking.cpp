// The generated set being made for a new game, a slice at a time.
#include "screens/setmaking.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "base/clock.h"
#include "base/globals.h"
#include "media/notice.h"
#include "platform/datafile.h"
#include "play/gameflow.h"
#include "play/generatedsets.h"
#include "play/levelgen.h"
#include "play/levelset.h"
#include "store/highscores.h"

namespace {
// Milliseconds of making a frame: the screen keeps its pace.
constexpr uint32_t SliceMs = 12;

struct TMaking {
  std::string folder;
  int difficulty = 0;
  std::unique_ptr<CSetMaker> maker;
};
std::unique_ptr<TMaking> making;

void GiveUp(const std::string& problem) {
  std::fprintf(stderr, "rebounder: the level set cannot be made: %s\n", problem.c_str());
  ShowNotice("the level set cannot be made", problem);
  making.reset();
}

// The whole set is in memory as made: it is played as it is, without
// reading and compiling the files again.
void Play() {
  CLevelSet set;
  set.folder = making->folder;
  set.name = SetName(set.folder);
  for (const TGeneratedLevel& level : making->maker->Levels()) set.levels.push_back({level.name, level.map});
  const int difficulty = making->difficulty;
  making.reset();
  UseLevelSet(set);
  LoadHighScores();
  StartNewGame(difficulty);
  // The last slice and the table's reading are not owed to the game.
  Game.lastTick = GetTicks();
}
}  // namespace

bool BeginSetMaking(const std::string& folder, int difficulty) {
  uint32_t seed = 0;
  if (!GeneratedSetSeed(folder, seed)) return false;
  making.reset(new TMaking{folder, difficulty, std::make_unique<CSetMaker>(seed, DefaultGeneratedCount)});
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) GiveUp(folder + ": " + error.message());
  return true;
}

bool SetMaking() { return making != nullptr; }

void StepSetMaking() {
  if (!making) return;
  if (Game.programState != psMenu || Game.menuState != msNewGame || Game.newGameSetFolder != making->folder) {
    making.reset();
    return;
  }
  const uint32_t start = GetTicks();
  while (!making->maker->Done() && GetTicks() - start < SliceMs) {
    const std::string problem = WriteGeneratedLevels({making->maker->MakeNext()}, making->folder);
    if (!problem.empty()) return GiveUp(problem);
  }
  if (making->maker->Done()) Play();
}

std::string SetMakingProgress() {
  if (!making) return "";
  return "making the set: " + std::to_string(making->maker->Levels().size()) + " of " +
         std::to_string(making->maker->Count()) + " levels";
}
