// The help pages: the controls and capsules at a glance, then the controls
// as bound, every capsule with what it does, the bubbles, the level editor,
// the replays of the table and the demo, the themes and the settings.
#pragma once
#include <vector>

#include "media/font.h"
#include "menus/menu.h"

// Shows the first page.
void OpenHelp();
void DrawHelp();
// Turns to the next (step 1) or the previous (step -1) page; false past either end.
bool TurnHelpPage(int step);
// The marks that turn the pages.
void AddHelpTargets(std::vector<TMenuTarget>& targets);
constexpr int HelpPageCount = 8;
// Every text of every page, as drawn, with the column it must end before.
std::vector<TFixedText> HelpFixedTexts();
