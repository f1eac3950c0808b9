// bonusstages.dat: a best score per kind, kept only when it is beaten, read
// back by the next run, and a line it cannot use passed over.
#include "store/bonusbest.h"

#include <fstream>

#include "platform/datafile.h"
#include "tests/testenv.h"

namespace {
class BonusBestTable : public GameTest {};
}  // namespace

TEST_F(BonusBestTable, EachKindKeepsItsBestAlone) {
  EXPECT_EQ(BonusBest("rain"), 0u);
  bool better = false;
  EXPECT_TRUE(KeepBonusScore("rain", 300, better));
  EXPECT_TRUE(better);
  EXPECT_TRUE(KeepBonusScore("rain", 200, better));
  EXPECT_FALSE(better) << "a lower score leaves the best";
  EXPECT_TRUE(KeepBonusScore("wall", 900, better));
  EXPECT_TRUE(better);
  EXPECT_TRUE(KeepBonusScore("wall", 0, better));
  EXPECT_FALSE(better);
  EXPECT_EQ(BonusBest("rain"), 300u);
  EXPECT_EQ(BonusBest("wall"), 900u);
  EXPECT_EQ(BonusBest("gallery"), 0u);

  // Another copy's line, and one the game cannot use, stay readable around it.
  { std::ofstream(DataFilePath("bonusstages.dat"), std::ios::app) << "gallery 50\n"; }
  EXPECT_EQ(BonusBest("gallery"), 50u);
  EXPECT_TRUE(KeepBonusScore("rain", 400, better));
  EXPECT_EQ(BonusBest("gallery"), 50u) << "kept when another kind is saved";
  EXPECT_EQ(BonusBest("rain"), 400u);
  { std::ofstream(DataFilePath("bonusstages.dat"), std::ios::app) << "keep-up lots\n"; }
  EXPECT_EQ(BonusBest("wall"), 900u);
}
