// The help pages about playing: the overview, the keys, capsules and
// bubbles, the level editor and the replays; each its lines and, for some,
// its pictures.
#pragma once
#include <vector>

#include "menus/helppage.h"

std::vector<THelpLine> OverviewPage();
void OverviewPictures();
std::vector<THelpLine> KeysPage();
std::vector<THelpLine> CapsulesAndBubblesPage();
void BubblePicture();
std::vector<THelpLine> EditorPage();
std::vector<THelpLine> ReplaysPage();
