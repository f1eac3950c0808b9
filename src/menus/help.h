// The help screen: its pages, turned by the marks at the bottom (or Left and
// Right). The pages themselves are listed in menus/help.cpp.
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
int HelpPageCount();
// Every text of every page, as drawn, with the column it must end before.
std::vector<TFixedText> HelpFixedTexts();
