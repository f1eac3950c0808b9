// TSettings: the player's settings beyond the six on/off options (volumes,
// mouse speed, keys, scale, music in play) and their text file settings.conf
// in the per-user config folder. The defaults play exactly as the game always has.
#pragma once
#include <SDL/SDL.h>

#include <string>
#include <vector>

#include "store/datafile.h"

enum TKeyAction : uint8_t { kaLeft, kaRight, kaFire, kaPause, KeyActionCount };

constexpr int MaxVolume = 10;

// A mouse speed: the paddle moves num/den times as far as at the game's own rate.
struct TMouseRate {
  int num, den;
  const char* text;
};
constexpr TMouseRate MouseRates[] = {{1, 2, "0.5"},  {3, 4, "0.75"}, {1, 1, "1"},
                                     {5, 4, "1.25"}, {3, 2, "1.5"},  {2, 1, "2"},
                                     {5, 2, "2.5"},  {3, 1, "3"},    {4, 1, "4"}};
constexpr int MouseRateCount = sizeof MouseRates / sizeof MouseRates[0];
constexpr int DefaultMouseRate = 2;

// What shapes play itself, so a recording keeps it.
struct TControls {
  int mouseRate = DefaultMouseRate;  // index into MouseRates
  SDLKey keys[KeyActionCount] = {SDLK_LEFT, SDLK_RIGHT, SDLK_SPACE, SDLK_p};
  bool operator==(const TControls& o) const;
  bool operator!=(const TControls& o) const { return !(*this == o); }
};

struct TSettings {
  int effectsVolume = MaxVolume;  // 0..10; 10 is the sounds' own level
  int musicVolume = MaxVolume;
  TControls controls;
  int scale = 0;             // 0: the largest that fits the screen
  bool musicInPlay = false;  // keep the music playing during play
};

// Reads settings from the file's text over `settings`, line by line; each
// line it cannot use is left out and explained in `complaints`.
void ParseSettings(const std::string& text, TSettings& settings, std::vector<std::string>& complaints);
std::string SettingsText(const TSettings& settings);
// Reads settings.conf into Game.settings (the defaults when it is missing);
// whatever cannot be used gets one line on standard error, never a stop.
void LoadSettings();
// Writes settings.conf when the settings differ from what it holds.
TSaveResult SaveSettings();
