// The key map and the names of keys.
#include "platform/keymap.h"

#include <cctype>

#include "base/globals.h"

namespace {
std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Keys that act everywhere, whatever the bindings: a second meaning in play
// would fire both.
struct TKeptKey {
  SDLKey key;
  const char* use;
};
const TKeptKey KeptKeys[] = {
    {SDLK_ESCAPE, "it opens the menu"},
    {SDLK_n, "it skips a level"},
    {SDLK_PAUSE, "it pauses"},
    {SDLK_F11, "it switches full screen"},
};
}  // namespace

SDLKey BoundKey(TKeyAction action) { return Game.settings.controls.keys[action]; }

bool BoundKeyHeld(TKeyAction action) { return Game.keyState[BoundKey(action)] == 1; }

std::string BoundKeyName(TKeyAction action) { return KeyName(BoundKey(action)); }

// A key SDL has no name for is called by its number.
std::string KeyName(SDLKey key) {
  const char* name = SDL_GetKeyName(key);
  if (!name || !*name || std::string(name) == "unknown key") return "key " + std::to_string(key);
  return name;
}

bool KeyFromName(const std::string& name, SDLKey& key) {
  const std::string wanted = Lower(name);
  for (int k = SDLK_FIRST + 1; k < SDLK_LAST; ++k) {
    const SDLKey candidate = static_cast<SDLKey>(k);
    if (Lower(KeyName(candidate)) != wanted) continue;
    key = candidate;
    return true;
  }
  return false;
}

const char* KeyActionName(TKeyAction action) {
  static const char* const names[KeyActionCount] = {"left", "right", "fire", "pause"};
  return names[action];
}

std::string BindingRefusal(const TControls& controls, TKeyAction action, SDLKey key) {
  if (key <= SDLK_FIRST || key >= SDLK_LAST) return "that key cannot be told apart";
  for (const TKeptKey& kept : KeptKeys)
    if (kept.key == key) return KeyName(key) + " stays free: " + kept.use;
  for (int a = 0; a < KeyActionCount; ++a)
    if (a != action && controls.keys[a] == key)
      return KeyName(key) + " is already the " + KeyActionName(static_cast<TKeyAction>(a)) + " key";
  return "";
}
