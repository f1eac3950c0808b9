// The level loader and the two-hit brick.
#include "session/level.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "base/globals.h"
#include "base/random.h"
#include "field/bonus.h"
#include "field/brick.h"
#include "field/particles.h"
#include "field/world.h"
#include "platform/fatal.h"
#include "tests/testenv.h"

namespace fs = std::filesystem;

namespace {
// Runs a test inside a fresh folder with an empty maps/ folder.
class LevelFolder {
public:
  LevelFolder() : old(fs::current_path()) {
    char tmpl[] = "/tmp/rebounder-levels-XXXXXX";
    dir = mkdtemp(tmpl);
    fs::create_directory(dir / "maps");
    fs::current_path(dir);
    setenv("REBOUNDER_DATA_DIR", ".", 1);
  }
  ~LevelFolder() {
    unsetenv("REBOUNDER_DATA_DIR");
    fs::current_path(old);
    fs::remove_all(dir);
  }
  void Write(const std::string& name, const std::vector<unsigned char>& bytes) {
    std::ofstream f("maps/" + name + ".map", std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

private:
  fs::path old, dir;
};

std::vector<unsigned char> EmptyMap() { return std::vector<unsigned char>(LevelFileBytes, 0); }
void SetCell(std::vector<unsigned char>& m, int col, int row, int colour, int bonus) {
  m[9 + 2 * (14 * row + col)] = static_cast<unsigned char>(colour);
  m[10 + 2 * (14 * row + col)] = static_cast<unsigned char>(bonus);
}

class Loader : public GameTest {};
class Bricks : public GameTest {};
}  // namespace

TEST_F(Loader, CellsBecomeBricksAtTheirGridPositions) {
  LevelFolder folder;
  auto m = EmptyMap();
  SetCell(m, 0, 0, bcBlue, bbFire);
  SetCell(m, 13, 17, bcRed, bbLife);
  SetCell(m, 5, 3, bcGray, bbBall);  // a gray cell ignores its power-up byte
  SetCell(m, 6, 3, 9, 0);            // a colour byte the format does not know
  m.resize(600, 0xEE);               // bytes past the cells are never read
  folder.Write("grid", m);
  Game.levelIndex = 0;
  LoadLevel("grid", 3, 77);
  ASSERT_EQ(Game.bricks.Count(), 252);
  EXPECT_EQ(Game.bricks[0]->x, 33);
  EXPECT_EQ(Game.bricks[0]->y, 25);
  EXPECT_EQ(Game.bricks[0]->bonus, bbFire);
  EXPECT_EQ(Game.bricks[251]->x, 32 * 13 + 33);
  EXPECT_EQ(Game.bricks[251]->y, 16 * 17 + 25);
  const CBrick* gray = Game.bricks[14 * 3 + 5];
  EXPECT_EQ(gray->special, bsSolid);
  EXPECT_EQ(gray->bonus, bbNone);
  EXPECT_EQ(Game.bricks[14 * 3 + 6]->special, bsNormal);
  EXPECT_EQ(Game.maxFloaters, 3);
  EXPECT_EQ(Game.floaterInterval, 77);
  EXPECT_EQ(Game.gameState, gsFirstBall);
  EXPECT_EQ(Game.levelName, "grid");
}

TEST_F(Loader, RandomPowerUpsFallOnEveryThirdCellAndNeverReplaceTheFilesOwn) {
  LevelFolder folder;
  auto m = EmptyMap();
  for (int i = 0; i < 252; ++i) SetCell(m, i % 14, i / 14, bcGreen, 0);
  SetCell(m, 0, 0, bcGreen, bbReverse);  // picked position, but the file chose
  SetCell(m, 3, 0, bcGray, 0);           // picked position, but solid
  folder.Write("sprinkle", m);
  Game.levelIndex = 0;
  LoadLevel("sprinkle", 0, 0);
  for (int i = 0; i < 252; ++i) {
    const CBrick* b = Game.bricks[i];
    if (i == 0) {
      EXPECT_EQ(b->bonus, bbReverse);
    } else if (i == 3) {
      EXPECT_EQ(b->bonus, bbNone);
    } else if (i % 3 == i / 90) {
      EXPECT_NE(b->bonus, bbNone) << i;
    } else {
      EXPECT_EQ(b->bonus, bbNone) << i;
    }
  }
  // The draws are made in increasing cell order from a generator seeded with
  // the clock's whole seconds (fixed by the fixture): repeat them by hand.
  ReseedFromClock();
  for (int i = 0; i < 252; ++i) {
    if (i != 0 && i != 3 && i % 3 == i / 90) {
      ASSERT_EQ(Game.bricks[i]->bonus, RandomBonus(0)) << i;
    }
  }
}

TEST_F(Loader, RandomBonusDrawsFirstThenPicksTheTier) {
  // Tier 0 has no magnet, mystery, reverse or slow paddle; tier 5 has no extra ball or life.
  std::set<int> tier0, tier5;
  for (int k = 0; k < 2000; ++k) {
    tier0.insert(RandomBonus(29));
    tier5.insert(RandomBonus(100000));
  }
  EXPECT_EQ(tier0, (std::set<int>{bbBall, bbNormal, bbPaddleLarge, bbPaddleSmall, bbFire, bbSpeedUp,
                                  bbSpeedDown, bbLife}));
  EXPECT_EQ(tier5.count(bbBall) + tier5.count(bbLife) + tier5.count(bbPaddleLarge), 0u);
  EXPECT_EQ(tier5.count(bbReverse), 1u);
  // Level 30 is the first of tier 1: one draw, then the tier-1 entry.
  RandomSeed(5);
  const int e = Random(24);
  RandomSeed(5);
  EXPECT_EQ(RandomBonus(30), BonusTable[1][e]);
  // Negative levels use tier 0 (-1 / 30 truncates to 0); each tier has 24 real entries.
  RandomSeed(5);
  EXPECT_EQ(RandomBonus(-1), BonusTable[0][e]);
  for (int t = 0; t < 6; ++t)
    for (int i = 0; i < 24; ++i) EXPECT_NE(BonusTable[t][i], bbNone);
}

TEST_F(Loader, MissingShortAndEmptyFiles) {
  LevelFolder folder;
  Game.levelIndex = 85;
  LoadLevel("no such level", 2, 100);
  EXPECT_EQ(Game.bricks.Count(), 0);
  EXPECT_EQ(Game.baseBallSpeed, 5) << "the base speed is set whether or not the file exists";
  StartEmptyPlay();
  UpdateWorld();
  EXPECT_TRUE(Game.levelComplete);

  folder.Write("short", std::vector<unsigned char>(200, 2));
  try {
    LoadLevel("short", 0, 0);
    FAIL() << "a short level file must stop the game";
  } catch (const TFatalError& e) {
    EXPECT_STREQ(e.what(), "maps//short.map: file ends at byte 200, 513 needed");
  }

  folder.Write("blank", EmptyMap());
  Game.levelIndex = -1;
  LoadLevel("blank", 0, 0);
  EXPECT_EQ(Game.baseBallSpeed, 4);
  ASSERT_EQ(Game.bricks.Count(), 252);
  Game.gameState = gsBallInGame;
  UpdateWorld();
  EXPECT_FALSE(Game.levelComplete) << "the empty cells count until they are removed";
  EXPECT_EQ(Game.bricks.Count(), 0);
  UpdateWorld();
  EXPECT_TRUE(Game.levelComplete);
}

TEST_F(Bricks, FaceTestsUseTheLookAheadPointWithInclusiveBounds) {
  // Each ball meets a fresh brick spanning 84..116 across and 92..108 down.
  const auto face = [](int x, int y, float dx, float dy) {
    return CBrick(100, 100, bcBlue, bsNormal, bbNone).Collide(x, y, dx, dy, 8);
  };
  // Moving down: the look-ahead point's bottom (P.y + 8) must lie within 92..108.
  EXPECT_EQ(face(100, 80, 0, 4), 0);   // P.y + 8 = 92
  EXPECT_EQ(face(100, 79, 0, 4), -1);  // 91
  EXPECT_EQ(face(117, 80, 0, 4), -1);  // P.x = 117 > 116
  EXPECT_EQ(face(116, 80, 0, 4), 0);   // P.x = 116 on the edge
  // A horizontal ball (dy = 0) counts as moving down: it meets the top face.
  EXPECT_EQ(face(106, 88, 4, 0), 0);      // P = (110, 88), P.y + 8 = 96
  EXPECT_EQ(face(76, 100, 4, 0), 90);     // P.x + 8 = 88 >= 84
  EXPECT_EQ(face(100, 120, 0, -4), 180);  // P.y - 8 = 108
  EXPECT_EQ(face(128, 100, -4, 0), 270);  // P.x - 8 = 116
}

TEST_F(Bricks, TwoHitsCrackThenDestroyAndReleaseThePowerUp) {
  Game.levelIndex = 0;
  Game.bricks.Add(new CBrick(100, 100, bcRed, bsNormal, bbFire));
  CBrick* b = Game.bricks[0];
  EXPECT_EQ(b->Collide(100, 80, 0.0f, 4.0f, 8), 0);
  EXPECT_EQ(b->colour, bcCracked);
  EXPECT_EQ(b->flash, 4);
  EXPECT_EQ(Game.score, 10u);
  EXPECT_EQ(PlayedNames(), "pong.wav ");
  EXPECT_EQ(Game.bonuses.Count(), 0);
  played.clear();
  EXPECT_EQ(b->Collide(100, 80, 0.0f, 4.0f, 8), 0);
  EXPECT_EQ(b->colour, bcNone);
  EXPECT_EQ(Game.score, 30u);
  ASSERT_EQ(Game.bonuses.Count(), 1);
  EXPECT_EQ(Game.bonuses[0]->kind, bbFire);
  EXPECT_EQ(Game.bonuses[0]->x, 100);
  EXPECT_EQ(PlayedNames(), "brick_explosion.wav bonus_launch.wav pong.wav ");
  EXPECT_EQ(Game.effects.Count(), 2) << "sparks and rising debris";
  // Destroyed: no further contact, then removed at its next update.
  played.clear();
  EXPECT_EQ(b->Collide(100, 80, 0.0f, 4.0f, 8), -1);
  EXPECT_TRUE(played.empty());
  b->Update();
  EXPECT_EQ(Game.bricks.Count(), 0);
}

TEST_F(Bricks, CornerHitOnACrackedBrickExplodesTwiceAndReportsTheSide) {
  CBrick b(100, 100, bcCracked, bsNormal, bbNone);
  // Look-ahead point (86, 94): inside both face bands.
  EXPECT_EQ(b.Collide(82, 90, 4.0f, 4.0f, 8), 90);
  EXPECT_EQ(PlayedCount(Game.sndBrickExplosion), 2);
  EXPECT_EQ(PlayedCount(Game.sndBonusLaunch), 0) << "no power-up, no launch";
  EXPECT_EQ(Game.effects.Count(), 2);
  EXPECT_EQ(Game.bonuses.Count(), 0);
}

TEST_F(Bricks, SolidBricksOnlyFlashAndClank) {
  CBrick b(100, 100, bcGray, bsSolid, bbNone);
  EXPECT_EQ(b.Collide(100, 80, 0.0f, 4.0f, 8), 0);
  EXPECT_EQ(b.colour, bcGray);
  EXPECT_EQ(b.flash, 4);
  EXPECT_EQ(Game.score, 0u);
  EXPECT_EQ(PlayedNames(), "solid.wav ");
  for (int i = 0; i < 4; ++i) b.Update();
  EXPECT_EQ(b.flash, 0);
}

TEST_F(Bricks, DrawingShowsTheColourTheFlashAndNothingForUnknownColours) {
  ClearWindow(0);
  CBrick blue(100, 100, bcBlue, bsNormal, bbNone);
  blue.Draw();
  EXPECT_EQ(PixelAt(180, 100), SpritePixel(Game.sprBrickBlue, 16, 8));
  ClearWindow(0);
  CBrick odd(100, 100, static_cast<TBrickColour>(200), bsNormal, bbNone);
  odd.Draw();
  for (int y = 92; y < 108; ++y)
    for (int x = 164; x < 196; ++x) ASSERT_EQ(PixelAt(x, y), 0);
  // Its first hit makes it a visible cracked brick.
  odd.Collide(100, 80, 0.0f, 4.0f, 8);
  EXPECT_EQ(odd.colour, bcCracked);
  odd.flash = 0;
  odd.Draw();
  EXPECT_EQ(PixelAt(180, 100), SpritePixel(Game.sprBrickCracked, 16, 8));
}
