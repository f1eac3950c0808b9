// The kept game's journal and the files around it: read up to its last batch
// written out whole, refused when it belongs to another game; savedgame.dat
// naming it (format 5); a recording that starts from a snapshot of the whole
// game reads back as written and refuses a damaged snapshot.
#include "replay/journal.h"

#include <fstream>
#include <iterator>

#include "base/globals.h"
#include "game/mainloop.h"
#include "platform/datafile.h"
#include "field/brick.h"
#include "session/gameflow.h"
#include "session/keptgame.h"
#include "session/players.h"
#include "replay/recorder.h"
#include "tests/testenv.h"

namespace {
class Journal : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    std::string error;
    ASSERT_TRUE(MakeDataFolder(error)) << error;
    EnableRecording(true);
  }
  void TearDown() override {
    FinishRecording();
    EnableRecording(false);
    DiscardSavedGame();
    GameTest::TearDown();
  }
  static std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  }
  // A game of `passes` one-tick passes, the ball launched at once, written out.
  static std::string PlayAndKeep(int passes) {
    StartNewGame(0);
    EndPass(0);
    Game.fireHeld = true;
    for (int p = 0; p < passes; ++p) {
      LogicTick();
      EndPass(1);
    }
    return FlushJournal();
  }
};
}  // namespace

TEST_F(Journal, IsReadUpToItsLastBatchWrittenOutWholeAndOnlyForItsOwnGame) {
  const std::string token = PlayAndKeep(30);
  ASSERT_EQ(token.size(), 16u);
  const std::string path = KeptJournalPath(), whole = FileText(path);
  TReplay replay;
  std::string error;
  ASSERT_TRUE(LoadJournal(token, replay, error)) << error;
  EXPECT_EQ(replay.TotalTicks(), 30);
  EXPECT_TRUE(replay.start.exact);

  // Passes after the last sync line, whole or cut, are not played.
  WriteText(path, whole + "t 1\nt 1\nt");
  ASSERT_TRUE(LoadJournal(token, replay, error)) << error;
  EXPECT_EQ(replay.TotalTicks(), 30);
  // A byte changed in the last batch: back to the sync line before it.
  std::string damaged = whole;
  damaged[damaged.rfind("t 1")] = 'p';
  WriteText(path, damaged);
  ASSERT_TRUE(LoadJournal(token, replay, error)) << error;
  EXPECT_EQ(replay.TotalTicks(), 0);
  EXPECT_FALSE(LoadJournal("0123456789abcdef", replay, error));
  EXPECT_NE(error.find("another kept game"), std::string::npos) << error;
}

// Format 5 is any of the older forms with the journal's token before the
// check sum: a game of one, a hot seat, on a set whose folder needs escaping.
TEST_F(Journal, ASavedGameNamesItsJournalAndRefusesAnUnusableToken) {
  TKeptGame one(3, "arrr matey", 120, 2);
  one.journal = "00ff00ff00ff00ff";
  TKeptGame seats(0, "go easy on me", 0, 3);
  seats.players = {{"ANN", 0, "go easy on me", 0, 3}, {"BOB", 1, "dutchie land", 50, 0}};
  seats.journal = "0123456789abcdef";
  for (const TKeptGame& game : {one, seats}) {
    const std::string text = SavedGameText(game);
    EXPECT_EQ(text.compare(0, 23, "rebounder-saved-game 5\n"), 0) << text;
    TKeptGame read;
    std::string error;
    ASSERT_TRUE(ParseSavedGame(text, read, error)) << error << "\n" << text;
    EXPECT_TRUE(read == game);
    EXPECT_EQ(read.journal, game.journal);
  }
  std::string text = SavedGameText(one);
  text.replace(text.find("00ff"), 4, "00FF");
  TKeptGame read;
  std::string error;
  EXPECT_FALSE(ParseSavedGame(text, read, error));
  EXPECT_NE(error.find("journal"), std::string::npos) << error;
}

TEST_F(Journal, AnExactStartReadsBackAsWrittenAndADamagedSnapshotIsRefused) {
  const std::string token = PlayAndKeep(5);
  TReplay replay;
  std::string error;
  ASSERT_TRUE(LoadJournal(token, replay, error)) << error;
  const std::string text = ReplayText(replay);
  TReplay again;
  ASSERT_TRUE(ParseReplay(text, again, error)) << error;
  EXPECT_EQ(ReplayText(again), text);
  EXPECT_FALSE(again.start.snapshot.atPlay.bricks.empty());
  EXPECT_EQ(again.start.snapshot.atPlay.levelName, Game.levelName);

  for (const auto& [from, to] : {std::pair<std::string, std::string>{"\nbricks ", "\nbricks 999"},
                                 {"\nseat ", "\nseat -1"},
                                 {"start exact", "start exact 1"}}) {
    std::string bad = text;
    bad.insert(bad.find(from) + from.size(), to.substr(from.size()));
    EXPECT_FALSE(ParseReplay(bad, again, error)) << to;
  }
}
