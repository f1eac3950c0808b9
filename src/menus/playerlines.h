// The new game screen's players: the "players" line (1 to 4) and, for more
// than one, the line of their names, which the name-entry keys edit.
#pragma once
#include <SDL/SDL.h>

#include <string>
#include <vector>

// Tab moves from the difficulties to the players line, then to the names
// and back; Up and Down move between the two lines, Down from the last back
// to the difficulties. On the players line Left and Right change the count;
// on the names they choose the name that letters, digits, space and
// Backspace edit. True when the key was theirs.
bool PlayerLinesKey(SDLKey key, SDLMod mod);
// A click on either half of the players line, or on a name.
bool ClickPlayerLinesAt(int x, int y);
void DrawPlayerLines();
// The difficulties (and the set line above them) have the focus: their
// highlight is lit and Left and Right step the set.
bool DifficultiesFocused();
// The order Tab goes through the lines, for the screen's hint line.
std::string TabOrderHint();
// The screen opens with the difficulties in hand.
void ResetPlayerLinesFocus();
// One player and the default names again, as the game starts.
void ForgetPlayerLines();
// A name is being typed: keys are letters, not commands.
bool TypingPlayerName();
// The names of the game to start: none for one player; an empty name is
// its default (the login name for the first, PLAYER 2, 3 and 4 after).
std::vector<std::string> ChosenPlayers();
int ChosenPlayerCount();
