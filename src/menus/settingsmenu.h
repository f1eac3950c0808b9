// The settings screen: volumes, mouse speed, keys, scale, music in play, frame rate and theme.
#pragma once
#include <SDL/SDL.h>

#include <vector>

#include "media/font.h"
#include "menus/menu.h"

// Shows the settings screen with the cursor on its first row.
void OpenSettings();
void DrawSettings();
void HandleSettingsKey(SDLKey key);
// Whether the screen waits for a new key: every key pressed goes to it.
bool CapturingKey();
// Escape: stops waiting for a key, else saves the settings and goes back to the options.
void SettingsEscape();
// The rows the pointer can choose; none while a key is awaited, so that a
// click only gives up waiting.
void AddSettingsTargets(std::vector<TMenuTarget>& targets);
// Every fixed text of the screen, as drawn, with the column it must end before.
std::vector<TFixedText> SettingsFixedTexts();
