// The level loader and the random power-up table.
#include "session/level.h"

#include <algorithm>
#include <cstdio>

#include "base/globals.h"
#include "base/random.h"
#include "field/ball.h"
#include "field/bonus.h"
#include "field/bonusstage.h"
#include "field/brick.h"
#include "field/floater.h"
#include "field/particles.h"
#include "platform/assetdir.h"
#include "platform/datafile.h"
#include "session/gameflow.h"
#include "session/levelset.h"

namespace {
// How many of the 24 entries of each tier a power-up kind takes, kinds in
// ascending order from bbBall; columns are tiers 0..5.
constexpr int BonusWeights[12][6] = {
    {4, 3, 2, 1, 1, 0},  // extra ball
    {3, 2, 2, 2, 2, 1},  // reset powers
    {3, 3, 2, 2, 1, 0},  // large paddle
    {3, 3, 3, 3, 4, 5},  // small paddle
    {2, 1, 1, 2, 0, 0},  // fire ball
    {0, 1, 3, 2, 2, 1},  // magnet
    {0, 2, 2, 2, 2, 1},  // mystery
    {4, 4, 3, 4, 4, 6},  // speed up
    {4, 3, 3, 2, 2, 1},  // slow down ball
    {1, 1, 1, 0, 0, 0},  // extra life
    {0, 0, 1, 2, 3, 6},  // reverse paddle
    {0, 1, 1, 2, 3, 3},  // slow paddle
};

struct TBonusTable {
  TBrickBonus table[6][24] = {};
};

constexpr TBonusTable BuildBonusTable() {
  TBonusTable t;
  for (int tier = 0; tier < 6; ++tier) {
    int e = 0;
    for (int kind = 0; kind < 12; ++kind)
      for (int k = 0; k < BonusWeights[kind][tier]; ++k)
        t.table[tier][e++] = static_cast<TBrickBonus>(kind + 1);
  }
  return t;
}
constexpr TBonusTable Built = BuildBonusTable();

void ReadCells(const std::vector<unsigned char>& bytes) {
  for (int row = 0; row < LevelRows; ++row) {
    for (int col = 0; col < LevelColumns; ++col) {
      const int offset = LevelHeaderBytes + 2 * (LevelColumns * row + col);
      const auto colour = static_cast<TBrickColour>(bytes[offset]);
      const auto bonus = static_cast<TBrickBonus>(bytes[offset + 1]);
      const int cx = 32 * col + 33;
      const int cy = 16 * row + 25;
      if (colour == bcGray)
        Game.bricks.Add(new CBrick(cx, cy, bcGray, bsSolid, bbNone));
      else
        Game.bricks.Add(new CBrick(cx, cy, colour, bsNormal, bonus));
    }
  }
}

// Every third cell (a different third in each band of 90) that the file left
// without a power-up gets a random one.
void SprinkleBonuses() {
  for (int i = 0; i < Game.bricks.Count() && i < LevelCells; ++i) {
    CBrick* b = Game.bricks[i];
    if (b->special == bsNormal && b->colour != bcNone && b->bonus == bbNone && i % 3 == i / 90)
      b->bonus = RandomBonus(Game.levelIndex);
  }
}
}  // namespace

const TBrickBonus (&BonusTable)[6][24] = Built.table;

int LevelCount() { return std::max(1, static_cast<int>(Game.levelList.size())); }

std::string LevelPath(const std::string& name) { return AssetPath("maps//" + name + ".map"); }

void LoadLevel(const std::string& name, int maxFloaters, int floaterInterval) {
  Game.maxFloaters = maxFloaters;
  Game.floaterInterval = floaterInterval;
  Game.floaterTimer = 0;
  Game.gameState = gsFirstBall;
  Game.levelName = name;
  Game.bonusStage.reset();
  // What a game kept at this level resumes with.
  Game.levelStartScore = Game.score;
  Game.levelStartLives = Game.lives;
  Game.bonuses.Clear();
  Game.balls.Clear();
  Game.effects.Clear();
  Game.floaters.Clear();
  Game.energy = 0;
  Game.bricks.Clear();
  const std::string path = LevelPath(name);
  ReseedFromClock();
  // A player's set carries its maps compiled; the built-in levels are files.
  if (const std::vector<uint8_t>* map = SetLevelMap(name)) {
    if (!map->empty()) {
      ReadCells(*map);
      SprinkleBonuses();
    }
  } else if (FileExists(path)) {
    ReadCells(ReadFileBytes(path, LevelFileBytes));
    SprinkleBonuses();
  }
  Game.baseBallSpeed = LapSettings(Game.levelIndex).ballSpeed;
}

TBrickBonus RandomBonus(int level) {
  const int e = Random(24);
  // The list always holds many names; the guard only keeps a broken list from dividing by zero.
  const int q = std::max(1, (3 * LevelCount()) / 4);
  int tier = level / q;
  if (tier < 0 || tier > 5) tier = 5;
  return BonusTable[tier][e];
}
