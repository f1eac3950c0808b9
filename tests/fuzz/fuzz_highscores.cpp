// Fuzz target: highscores.dat, loaded, ranked into, named, drawn, saved and
// loaded again. The first 140 bytes are the file, the bytes past them pick
// the score and the keys typed. A file that is not a table must give the
// built-in table and be kept aside whole.
#include <algorithm>
#include <cstdio>

#include "base/globals.h"
#include "fuzzenv.h"
#include "game/mainloop.h"
#include "store/highscores.h"

namespace {
constexpr size_t TableBytes = 140;

using TRows = std::vector<std::pair<std::string, uint32_t>>;

TRows Table() {
  TRows rows;
  for (int i = 0; i < Game.highScores.Count(); ++i)
    rows.emplace_back(Game.highScores[i]->name, Game.highScores[i]->score);
  return rows;
}

TRows BuiltIn() {
  TRows rows;
  for (uint32_t i = 0; i < 10; ++i) rows.emplace_back("VORTEX    ", 250 - 25 * i);
  return rows;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StartFuzzGame();
  std::remove("highscores.dat.bad");
  const size_t fileSize = std::min(size, TableBytes);
  WriteScratchFile("highscores.dat", data, fileSize);
  bool table = size >= TableBytes;
  for (size_t i = 0; i < fileSize; ++i)
    if (i % 14 < 10 && (data[i] < ' ' || data[i] > '~')) table = false;
  if (!Accepted("highscores.dat", LoadHighScores)) Finding("a table file stopped the game");
  if (!table && Table() != BuiltIn()) Finding("a damaged table was not replaced by the built-in one");
  if (!table && ReadScratchFile("highscores.dat.bad") != TBytes(data, data + fileSize))
    Finding("a damaged table was not kept aside whole");
  Game.score = 0;
  for (size_t i = TableBytes; i < TableBytes + 4 && i < size; ++i) Game.score = (Game.score << 8) | data[i];
  Game.programState = psMenu;
  Game.newScoreRank = RankScore();
  Game.typedName.clear();
  Game.menuState = Game.newScoreRank > 0 ? msNewHighScore : msHighScores;
  // Records with a score of 0 are free places: a table holds at most ten rows.
  if (Game.highScores.Count() > 10) Finding("the table holds more than ten entries");
  for (int i = 0; i < Game.highScores.Count(); ++i)
    if (Game.highScores[i]->score == 0) Finding("a row of the table scores 0");
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
