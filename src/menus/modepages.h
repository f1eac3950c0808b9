// The help pages about the modes a player may not find alone: the hot seat,
// the daily and random sets, continuing a kept game, the frame rate, the themes
// the settings with the fill scale, and the bonus stages.
#pragma once
#include <vector>

#include "menus/helppage.h"

std::vector<THelpLine> HotSeatPage();
std::vector<THelpLine> GeneratedSetsPage();
std::vector<THelpLine> ContinuePage();
std::vector<THelpLine> FrameRatePage();
std::vector<THelpLine> ThemesPage();
std::vector<THelpLine> SettingsPage();
std::vector<THelpLine> BonusStagesPage();
