// A short notice for the player drawn over any screen for a few seconds: a
// failed save must be seen, and a player never reads standard error.
#pragma once
#include <string>

// Shows the two lines from now for a few seconds (cut to fit the field).
void ShowNotice(const std::string& title, const std::string& detail);
// Draws the notice while it lasts; called last in every frame.
void DrawNotice();
