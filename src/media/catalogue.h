// The asset catalogue: every sprite, sound, font and the music loaded into
// the global record, plus the routines that draw sprites and play sounds.
#pragma once
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <functional>

struct TGameGlobals;

struct TSpriteEntry {
  SDL_Surface* TGameGlobals::*field;
  const char* path;
};
struct TSoundEntry {
  Mix_Chunk* TGameGlobals::*field;
  const char* path;
};
extern const TSpriteEntry SpriteCatalogue[55];
extern const TSoundEntry SoundCatalogue[22];

// Reads a picture file of the game; a missing, unreadable or damaged file is
// fatal with one line naming it, the cause and how to generate it again.
SDL_Surface* LoadAssetPicture(const char* path, int maxSide);
// Maps a loaded picture onto the game palette and keys out pure magenta.
SDL_Surface* PrepareSprite(SDL_Surface* picture);
// Loads the 55 sprites, takes the game palette from the HUD picture and
// prepares every sprite with it.
void LoadSprites();
void LoadSounds();
void LoadFonts();
// Draws a whole surface with its top-left corner at play-field (x, y).
void DrawSprite(SDL_Surface* surface, int x, int y);
// Draws the w x h window of a surface that starts at (sx, sy).
void DrawSpriteWindow(SDL_Surface* surface, int sx, int sy, int w, int h, int x, int y);
// Fills a window rectangle (all of the screen when null), clipped like any
// drawing, with one palette index.
void FillScreenRect(const SDL_Rect* rect, Uint8 colour);
// Plays a sound effect once when the sound option is on. Every effect and
// menu sound passes through here; without a position it sounds from the
// middle, with the play-field x of what made it it sounds from that side.
void PlaySound(Mix_Chunk* chunk);
void PlaySound(Mix_Chunk* chunk, int x);
// Stereo balance for a sound made at play-field x (0..479): the far side's
// level out of 255 falls from full in the middle to a tenth at the field's
// edges (a fifth, 14 dB down, where a ball meets a side wall), so that wall
// sounds sit clearly to their side; the near side stays full, so no sound is
// louder than it was made.
struct TPan {
  Uint8 left, right;
};
TPan PanAt(int x);
// For the mixing check (scripts/mixcheck.sh): with REBOUNDER_SOUND_BURSTS set
// to N, every N seconds of ball play sounds eight brick explosions at once
// across the field, the loudest moment the game can meet. Otherwise nothing.
void PlaySoundBurstIfDue(int ballPlayTicks);
// Sets the loudness of every effect and of the music from the settings;
// at 10 they play as loud as they were made.
void ApplySoundVolumes();
// Play stops the music, unless the player keeps it playing: then it plays
// whenever the music option is on.
void MusicForPlay();
// Entering the menu from play starts the music when the music option is on;
// music kept playing through play goes on where it was.
void StartPauseMusic();
// Tests watch the sounds played; nullptr-equivalent (empty function) stops watching.
void SetSoundObserver(std::function<void(Mix_Chunk*)> observer);
// The catalogue file name of a loaded chunk ("ping", "game_over"), for messages.
const char* SoundName(Mix_Chunk* chunk);
