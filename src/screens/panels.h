// The side panels in the window strips beside the play field: the level, lap
// and score to beat on the left; the powers in force with the energy left, the
// balls in play and the ball speed on the right. Shown during play and demos.
#pragma once
#include <string>
#include <vector>

#include "media/font.h"

// Draws both panels beside a game frame, or blanks the strips once the game
// or the level editor gives way to another screen. The panels are drawn into pictures of their
// own only when what they show changes; every frame just copies them.
void DrawSidePanels();
// Tests compare the play field with the panels on and off.
void SetSidePanelsShown(bool shown);
// "newbie 7/40": the level's tier and its number in it. A level named on the
// command line is found in the level list and shown at its own place.
std::string LevelPlace();
// The lap of the level sequence, counted from 1.
int LevelLap();
// Words broken into lines no wider than `width`; a word too long for a line
// is cut between letters, with a hyphen.
std::vector<std::string> WrapText(const CFont& font, const std::string& text, int width);
