// TSettings: the player's settings beyond the six on/off options (volumes,
// mouse speed, keys, scale, music in play, frame rate) and their text file
// settings.conf in the per-user config folder. The defaults play exactly as
// the game always has; only the pictures follow the display's rate.
#pragma once
#include <SDL/SDL.h>

#include <string>
#include <vector>

#include "base/records.h"
#include "platform/datafile.h"

// Reads settings from the file's text over `settings`, line by line; each
// line it cannot use is left out and explained in `complaints`.
void ParseSettings(const std::string& text, TSettings& settings, std::vector<std::string>& complaints);
std::string SettingsText(const TSettings& settings);
// Reads settings.conf into Game.settings (the defaults when it is missing);
// whatever cannot be used gets one line on standard error, never a stop.
void LoadSettings();
// Writes settings.conf when the settings differ from what it holds.
TSaveResult SaveSettings();
