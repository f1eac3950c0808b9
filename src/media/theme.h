// Themes: the built-in looks and the player's folders of pictures and sounds
// that replace the game's own, file by file, while the game runs.
#pragma once
#include <string>
#include <vector>

constexpr const char* ClassicTheme = "classic";

// The built-in themes, classic first.
const std::vector<std::string>& BuiltInThemes();
// Where the player's themes live: themes/ in the per-user data folder ("" without a home).
std::string PlayerThemesFolder();
// The built-in themes, then the player's folders in name order (one with a
// built-in theme's name is left out: the built-in one is used).
std::vector<std::string> ThemeNames();
bool ThemeExists(const std::string& name);
// The folder a theme's files are read from, with a trailing slash; "" for classic.
std::string ThemeFolder(const std::string& name);
// The theme in use, classic until another is used.
const std::string& CurrentTheme();
// Replaces every sprite, font, sound and the music by the theme's own file
// where it has one, and by classic's where it has none. A theme file the game
// cannot use is refused with one line naming it (in the theme's folder) and
// classic's is used instead. The sprites keep their surfaces, so whatever
// holds one draws the new picture; only the game's files' sizes are taken.
void UseTheme(const std::string& name);
// One line of the refusals the last UseTheme printed; tests read them here.
const std::vector<std::string>& ThemeRefusals();
