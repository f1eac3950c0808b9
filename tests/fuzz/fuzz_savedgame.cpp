// Fuzz target: savedgame.dat, read as at start-up and, when it is accepted,
// resumed through the menu's "continue" (on its own level set), played for a while, kept again as at
// the program's end and read back.
#include <filesystem>

#include "base/globals.h"
#include "fuzzenv.h"
#include "menus/menu.h"
#include "session/gameflow.h"
#include "session/keptgame.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StartFuzzGame();
  std::string error;
  if (!MakeDataFolder(error)) Finding(error);
  // The one map a kept command-line level of the seeds names.
  std::error_code ignored;
  std::filesystem::copy_file(REBOUNDER_GAME_DIR "/maps/rainy day.map", "maps/rainy day.map", ignored);
  MakeFuzzSet();
  WriteScratchFile(SavedGamePath(), data, size);
  LoadSavedGame();
  const std::string text(reinterpret_cast<const char*>(data), size);
  TKeptGame parsed;
  const bool accepted = ParseSavedGame(text, parsed, error);
  if (Game.haveSavedGame != accepted) Finding("the start-up read and the parser disagree");
  if (!accepted) {
    if (error.empty() || error.find('\n') != std::string::npos)
      Finding("a refusal must be one line, got: " + error);
    return 0;
  }
  if (SavedGameText(parsed) != text) Finding("an accepted saved game is not as the game writes it");

  Game.programState = psMenu;
  Game.returnState = psMenu;
  Game.menuState = msMain;
  Game.menuCursor = 0;
  HandleMenuKey(SDLK_RETURN);
  if (Game.programState != psGame || Game.gameState != gsFirstBall || Game.levelIndex != parsed.levelIndex ||
      Game.score != parsed.score || Game.lives != parsed.lives)
    Finding("\"continue\" did not resume the kept game at its level's start");
  PlayTicks(300);
  if (!GameInProgress()) return 0;
  const TKeptGame kept = GameToKeep();
  if (!SaveGameForLater(kept)) Finding("the game could not be kept");
  LoadSavedGame();
  if (!Game.haveSavedGame || !(Game.savedGame == kept)) Finding("a kept game does not read back");
  return 0;
}
