// The credits page of the menu.
#pragma once
#include <vector>

#include "media/font.h"

void DrawCredits();
// Its texts as drawn, each with the column it must end before.
void AddCreditTexts(std::vector<TFixedText>& texts);
