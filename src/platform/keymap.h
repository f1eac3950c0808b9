// The key map: which key steers left and right, fires and pauses, as the
// input handling reads it; the names keys are shown and saved by; and which
// keys may be bound.
#pragma once
#include <SDL/SDL.h>

#include <string>

#include "base/records.h"

SDLKey BoundKey(TKeyAction action);
// Whether the action's key is held down now.
bool BoundKeyHeld(TKeyAction action);
// The action's key as the player knows it: "left", "space", "p".
std::string BoundKeyName(TKeyAction action);
std::string KeyName(SDLKey key);
// The key of that name, in any case; false when no key has it.
bool KeyFromName(const std::string& name, SDLKey& key);
// "left", "right", "fire", "pause".
const char* KeyActionName(TKeyAction action);
// Why `key` cannot become the action's key ("" when it can): the game keeps
// it for itself, or another action has it.
std::string BindingRefusal(const TControls& controls, TKeyAction action, SDLKey key);
