// The seven menu screens: drawing, keyboard handling and the places the
// pointer can choose.
#pragma once
#include <SDL/SDL.h>

#include <vector>

#include "base/types.h"
#include "media/font.h"

void DrawMenu();
// Reads again which level sets the new game screen offers.
void RefreshSetChoices();
void HandleMenuKey(SDLKey key, SDLMod mod = KMOD_NONE);
// The high-score row (0..9) under play-field point (x, y), -1 when there is
// none or the table offers no recordings now.
int HighScoreRowAt(int x, int y);
// The pointer at (x, y) on the table: the row under it takes the cursor, and
// a click plays its recording. False when no row is there.
bool PointHighScoresAt(int x, int y, bool click);
// Every fixed text of the menu screens, as drawn, with the column it must end before.
std::vector<TFixedText> MenuFixedTexts();

// A place on a menu screen that the pointer can choose, in play-field
// coordinates: a row of the screen's cursor, or a mark that stands for a key.
struct TMenuTarget {
  SDL_Rect area;
  int row;         // the cursor row it is, -1 for a mark
  SDLKey key;      // the key a click on it presses: Enter for a row
  bool choosable;  // false for a greyed row
};
// The targets of a screen; the same rectangles place the rows, their
// highlight box and the marks when the screen is drawn.
std::vector<TMenuTarget> MenuTargets(TMenuState state);
// The pointer moved to play-field point (x, y): a row under it is highlighted
// as the cursor keys would.
void PointMenuAt(int x, int y);
// A left click at (x, y); false when it hit nothing there, so that it goes
// back. A click on a mark or a row sets `press` to the key it stands for,
// which the caller presses as if it were typed.
bool ClickMenuAt(int x, int y, SDLKey& press);
// The table screen offers its recordings: no game is paused behind the menu
// (watching would trade it out) and no recorded game is being played back.
bool TableOffersRecordings();

// What a key or a click on a menu asks of the game above the menus: to open
// the level editor on a new level, or to play the recording of a table row
// (1..10). The input dispatch takes it after each event.
struct TMenuRequest {
  bool openEditor = false;
  int watchRank = 0;
};
TMenuRequest TakeMenuRequest();
