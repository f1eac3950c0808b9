// A short notice for the player drawn over any screen for a few seconds: a
// failed save must be seen, and a player never reads standard error.
#pragma once
#include <string>

#include "platform/datafile.h"

// Shows the two lines from now for a few seconds (cut to fit the field).
void ShowNotice(const std::string& title, const std::string& detail);
// Tells the player that a save failed: one line on standard error naming the
// file, and the notice with the cause (the end of that line). Returns whether
// the save went through.
bool ReportSave(const TSaveResult& result);
