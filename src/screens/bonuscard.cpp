// The bonus stage's cards and its clock in the HUD.
#include "screens/bonuscard.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/globals.h"
#include "field/bonusstage.h"
#include "media/catalogue.h"
#include "media/font.h"
#include "screens/hud.h"
#include "session/bonusflow.h"

namespace {
constexpr int Tile = 20, FieldSize = 480, TextRoom = 420;

// A box of centred lines, the first in the menu font and the rest in the
// menu font when they fit, else in the smaller one.
void DrawCard(const std::vector<std::string>& lines) {
  int widest = 0;
  std::vector<const CFont*> fonts;
  for (size_t i = 0; i < lines.size(); ++i) {
    const CFont* font = &Game.fontMenu;
    if (i > 0 && TextWidth(Game.fontMenu, lines[i]) > TextRoom) font = &Game.fontScore;
    fonts.push_back(font);
    widest = std::max(widest, TextWidth(*font, lines[i]));
  }
  int n = (std::min(widest, TextRoom) + Tile - 1) / Tile;
  if (n % 2 != 0) ++n;
  const int rows = 2 * static_cast<int>(lines.size()) + 1;
  const int top = 15 - rows / 2;
  DrawBox(Game.sprMessage, (24 - n) / 2 - 1, top, n + 2, rows);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string text = FittedText(*fonts[i], lines[i], TextRoom);
    DrawText(*fonts[i], (FieldSize - TextWidth(*fonts[i], text)) / 2,
             Tile * (top + 1 + 2 * static_cast<int>(i)) - 1, text);
  }
}
}  // namespace

bool DrawBonusCard() {
  if (!Game.bonusStage) return false;
  const CBonusStage& stage = *Game.bonusStage;
  if (Game.gameState == gsFirstBall) {
    DrawCard({std::string("bonus stage: ") + BonusKindTitle(stage.kind), BonusKindRule(stage.kind)});
  } else if (Game.gameState == gsGameDone) {
    std::vector<std::string> lines = {"bonus stage over", "it paid " + std::to_string(stage.Paid())};
    if (stage.practice) {
      const TBonusResult& result = LastBonusResult();
      lines.push_back(result.newBest ? "a new best!" : "best " + std::to_string(result.best));
    }
    DrawCard(lines);
  }
  return true;
}

bool DrawBonusTime() {
  if (!Game.bonusStage) return false;
  const int seconds = (Game.bonusStage->ticksLeft + 39) / 40;
  char text[32];
  std::snprintf(text, sizeof text, "time %d:%02d", seconds / 60, seconds % 60);
  DrawText(Game.fontScore, 244, 447, text);
  return true;
}
