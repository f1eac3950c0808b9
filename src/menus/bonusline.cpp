// The "bonus stages" line under the new game screen's other lines.
#include "menus/bonusline.h"

#include <string>

#include "base/globals.h"
#include "media/font.h"
#include "session/bonusflow.h"

namespace {
constexpr int FieldRight = 480, LineY = 463, Gap = 12;
const std::string Head = "bonus stages:";

// The head, then "1 rain", "2 keep-up" ... with where each starts.
std::vector<std::string> Parts() {
  std::vector<std::string> parts = {Head};
  for (int k = 0; k < BonusKindCount; ++k)
    parts.push_back(std::to_string(k + 1) + " " + BonusKindName(static_cast<TBonusKind>(k)));
  return parts;
}

std::vector<int> Starts(const std::vector<std::string>& parts) {
  int width = Gap * (static_cast<int>(parts.size()) - 1);
  for (const std::string& p : parts) width += TextWidth(Game.fontScore, p);
  std::vector<int> starts;
  int x = (FieldRight - width) / 2;
  for (const std::string& p : parts) {
    starts.push_back(x);
    x += TextWidth(Game.fontScore, p) + Gap;
  }
  return starts;
}
}  // namespace

void DrawBonusLine() {
  const std::vector<std::string> parts = Parts();
  const std::vector<int> starts = Starts(parts);
  for (size_t i = 0; i < parts.size(); ++i) DrawText(Game.fontScore, starts[i], LineY, parts[i]);
}

bool BonusLineKey(SDLKey key) {
  if (key < SDLK_1 || key >= SDLK_1 + BonusKindCount) return false;
  StartBonusPractice(static_cast<TBonusKind>(key - SDLK_1));
  return true;
}

void AddBonusLineTargets(std::vector<TMenuTarget>& targets) {
  const std::vector<std::string> parts = Parts();
  const std::vector<int> starts = Starts(parts);
  for (size_t i = 1; i < parts.size(); ++i) {
    const SDL_Rect area = {static_cast<Sint16>(starts[i] - Gap / 2), LineY - 4,
                           static_cast<Uint16>(TextWidth(Game.fontScore, parts[i]) + Gap), 20};
    targets.push_back({area, -1, static_cast<SDLKey>(SDLK_1 + i - 1), true});
  }
}
