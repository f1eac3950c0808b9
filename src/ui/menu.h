// The seven menu screens: drawing and keyboard handling.
#pragma once
#include <SDL/SDL.h>

#include <vector>

#include "ui/font.h"

void DrawMenu();
void HandleMenuKey(SDLKey key);
// Every fixed text of the menu screens, as drawn, with the column it must end before.
std::vector<TFixedText> MenuFixedTexts();
