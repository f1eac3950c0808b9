// The seven menu screens: drawing and keyboard handling.
#pragma once
#include <SDL/SDL.h>

#include <vector>

#include "ui/font.h"

void DrawMenu();
void HandleMenuKey(SDLKey key);
// The high-score row (0..9) under play-field point (x, y), -1 when there is
// none or the table offers no recordings now.
int HighScoreRowAt(int x, int y);
// The pointer at (x, y) on the table: the row under it takes the cursor, and
// a click plays its recording. False when no row is there.
bool PointHighScoresAt(int x, int y, bool click);
// Every fixed text of the menu screens, as drawn, with the column it must end before.
std::vector<TFixedText> MenuFixedTexts();
