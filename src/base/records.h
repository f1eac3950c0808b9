// The plain records the game record keeps for the rooms above it: what the
// command line asked, the player's settings and an unfinished game kept for
// later. Reading, checking and writing them is their own rooms' business.
#pragma once
#include <SDL/SDL.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

enum TWindowChoice : uint8_t { wcSaved, wcWindowed, wcFullscreen };

struct TCommandLine {
  std::string levelName;  // empty: intro and menu as usual
  bool help = false;
  bool version = false;
  bool listLevels = false;
  bool listThemes = false;
  std::string theme;                 // for this run only, empty when absent
  TWindowChoice window = wcSaved;    // for this run only; the saved option stays
  std::string scale;                 // as typed, empty when absent
  std::string replayPath;            // a recorded game to watch instead of playing
  std::string levelSetFolder;        // a folder of level sources to play instead of the built-in levels
  std::string editPath;              // a level source to open in the editor
  std::vector<std::string> players;  // the names of a hot-seat game to start at once
  std::string frameLogPath;          // where to write a line per picture shown, empty for none
  std::string generateSeed;          // as typed: make a level set from this seed instead of playing
  std::string generateCount;         // as typed, empty for the default
  bool listBonus = false;            // print the kinds of bonus stage
  std::string bonusName;             // a kind of bonus stage to play at once, alone
  std::string error;                 // why the arguments were not understood
};

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
  bool operator==(const TControls& o) const {
    for (int a = 0; a < KeyActionCount; ++a)
      if (keys[a] != o.keys[a]) return false;
    return mouseRate == o.mouseRate;
  }
  bool operator!=(const TControls& o) const { return !(*this == o); }
};

struct TSettings {
  int effectsVolume = MaxVolume;  // 0..10; 10 is the sounds' own level
  int musicVolume = MaxVolume;
  TControls controls;
  int scale = 0;                  // 0: the largest that fits the screen
  bool musicInPlay = false;       // keep the music playing during play
  int frameRate = 0;              // pictures a second; 0: the display's rate
  std::string theme = "classic";  // a built-in theme or a folder of the player's themes
  bool bonusStages = false;       // bonus stages between levels in the built-in and the player's sets too
};

// Whether a theme name can name a folder of themes/: no path, no hidden or
// control characters, at most 64 bytes. Whether it is there is another matter.
inline bool ThemeNameShape(const std::string& name) {
  if (name.empty() || name.size() > 64 || name[0] == '.') return false;
  for (unsigned char c : name)
    if (c < 32 || c == 127 || c == '/') return false;
  return true;
}

// The frame rates a player can choose besides the display's own; 40 is one
// picture per tick.
constexpr int FrameRates[] = {40, 60, 120, 144};
constexpr int FrameRateCount = sizeof FrameRates / sizeof FrameRates[0];

// One player of a kept hot-seat game: the level they are on, with the score
// and lives it began with (no lives: out of the game).
struct TKeptPlayer {
  std::string name;
  int levelIndex = 0;
  std::string levelName;
  uint32_t score = 0;
  int lives = 0;
  bool operator==(const TKeptPlayer& o) const {
    return name == o.name && levelIndex == o.levelIndex && levelName == o.levelName && score == o.score &&
           lives == o.lives;
  }
};

struct TKeptGame {
  TKeptGame() = default;
  TKeptGame(int levelIndex, std::string levelName, uint32_t score, int lives, std::string setFolder = "")
      : levelIndex(levelIndex),
        levelName(std::move(levelName)),
        score(score),
        lives(lives),
        setFolder(std::move(setFolder)) {}

  int levelIndex = 0;  // the place in the level sequence; -1 for a level named on the command line
  std::string levelName;
  uint32_t score = 0;     // as the level began
  int lives = 0;          // as the level began
  std::string setFolder;  // the level set it was played on; empty for the built-in one
  // A hot-seat game: every player, and whose turn it was; the fields above
  // are then that player's. Empty for a game of one.
  std::vector<TKeptPlayer> players;
  int turn = 0;
  // The token of the journal that holds where in its level the game stood,
  // "" when it goes on from the level start. Not part of what the game is.
  std::string journal;

  bool operator==(const TKeptGame& o) const {
    return levelIndex == o.levelIndex && levelName == o.levelName && score == o.score && lives == o.lives &&
           setFolder == o.setFolder && players == o.players && turn == o.turn;
  }
};
