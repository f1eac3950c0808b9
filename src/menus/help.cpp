// The help screen: the list of its pages, and the row of marks at the bottom
// that turns them, by the Left and Right keys or a click. A new page is a
// pair of routines (its lines, and its pictures if it has any) added to the
// list; its text ends above the marks.
#include "menus/help.h"

#include <string>

#include "base/globals.h"
#include "media/catalogue.h"
#include "menus/modepages.h"
#include "menus/playpages.h"

namespace {
int page = 0;

// In the order they are turned: the overview first, then playing, then the
// modes a player may not find alone.
// One page a line, so that a new page is one line added.
// clang-format off
const THelpPage Pages[] = {
    {OverviewPage, OverviewPictures},
    {KeysPage, nullptr},
    {CapsulesAndBubblesPage, BubblePicture},
    {HotSeatPage, nullptr},
    {GeneratedSetsPage, nullptr},
    {ContinuePage, nullptr},
    {FrameRatePage, nullptr},
    {ThemesPage, nullptr},
    {SettingsPage, nullptr},
    {BonusStagesPage, nullptr},
    {EditorPage, nullptr},
    {ReplaysPage, nullptr},
};
// clang-format on
constexpr int PageCount = sizeof Pages / sizeof Pages[0];

// The marks along the bottom: previous, page number, next.
constexpr int MarkY = 446, PreviousX = 176, NextX = 292, NumberY = 452;
constexpr int MarkPad = 8;

std::string PageNumber(int which) { return std::to_string(which + 1) + " / " + std::to_string(PageCount); }

SDL_Rect MarkArea(int x) {
  return {static_cast<Sint16>(x - MarkPad), static_cast<Sint16>(MarkY - MarkPad / 2), 16 + 2 * MarkPad, 32};
}
}  // namespace

int HelpPageCount() { return PageCount; }

void OpenHelp() { page = 0; }

bool TurnHelpPage(int step) {
  const int target = page + step;
  if (target < 0 || target >= PageCount) return false;
  PlaySound(Game.sndMenuStep);
  page = target;
  return true;
}

void DrawHelp() {
  if (Pages[page].pictures) Pages[page].pictures();
  for (const THelpLine& line : Pages[page].lines()) DrawText(*line.font, line.x, line.y, line.text);
  DrawText(page > 0 ? Game.fontMenu : Game.fontMenuDark, PreviousX, MarkY, "<");
  DrawText(page < PageCount - 1 ? Game.fontMenu : Game.fontMenuDark, NextX, MarkY, ">");
  const std::string number = PageNumber(page);
  DrawText(Game.fontScore, (HelpFieldRight - TextWidth(Game.fontScore, number)) / 2, NumberY, number);
}

void AddHelpTargets(std::vector<TMenuTarget>& targets) {
  targets.push_back({MarkArea(PreviousX), -1, SDLK_LEFT, page > 0});
  targets.push_back({MarkArea(NextX), -1, SDLK_RIGHT, page < PageCount - 1});
}

std::vector<TFixedText> HelpFixedTexts() {
  std::vector<TFixedText> texts;
  for (int p = 0; p < PageCount; ++p) {
    for (const THelpLine& line : Pages[p].lines())
      texts.push_back({line.font, line.x, line.y, line.text, line.limit});
    const std::string number = PageNumber(p);
    texts.push_back(
        {&Game.fontScore, (HelpFieldRight - TextWidth(Game.fontScore, number)) / 2, NumberY, number, NextX});
  }
  texts.push_back({&Game.fontMenu, PreviousX, MarkY, "<", PreviousX + 16 + MarkPad});
  texts.push_back({&Game.fontMenu, NextX, MarkY, ">", NextX + 16 + MarkPad});
  return texts;
}
