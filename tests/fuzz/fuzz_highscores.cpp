// Fuzz target: highscores.dat, loaded, ranked into, named, drawn, saved and
// loaded again. Bytes past the table pick the score and the keys typed.
#include "fuzzenv.h"
#include "shell/globals.h"
#include "shell/mainloop.h"
#include "store/highscores.h"

namespace {
constexpr size_t TableBytes = 140;

std::vector<std::pair<std::string, uint32_t>> Table() {
  std::vector<std::pair<std::string, uint32_t>> rows;
  for (int i = 0; i < Game.highScores.Count(); ++i)
    rows.emplace_back(Game.highScores[i]->name, Game.highScores[i]->score);
  return rows;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StartFuzzGame();
  WriteScratchFile("highscores.dat", data, size);
  const bool loaded = Accepted("highscores.dat", LoadHighScores);
  if (loaded != (size >= TableBytes)) Finding("a table of " + std::to_string(size) + " bytes was mishandled");
  if (!loaded) return 0;
  Game.score = 0;
  for (size_t i = TableBytes; i < TableBytes + 4 && i < size; ++i) Game.score = (Game.score << 8) | data[i];
  Game.programState = psMenu;
  Game.newScoreRank = RankScore();
  Game.typedName.clear();
  Game.menuState = Game.newScoreRank > 0 ? msNewHighScore : msHighScores;
  if (Game.highScores.Count() != 10) Finding("the table does not hold ten entries");
  for (size_t i = TableBytes + 4; i < size; ++i) {
    if (Game.menuState == msNewHighScore) NameEntryKey(static_cast<SDLKey>(data[i]));
    if (i % 4 == 0) DrawStateFrame();
  }
  DrawStateFrame();
  const auto before = Table();
  if (!SaveHighScores()) Finding("the table could not be saved");
  if (ReadScratchFile("highscores.dat").size() != TableBytes) Finding("the saved table is not 140 bytes");
  LoadHighScores();
  if (Table() != before) Finding("the table changed between saving and loading");
  return 0;
}
