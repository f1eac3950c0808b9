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

// Stops the game: an asset file is missing or unreadable; says how to regenerate it.
[[noreturn]] void FailMissingAsset(const char* path);
// Loads a BMP and keys out pure magenta; a missing or unreadable file is fatal.
SDL_Surface* LoadSprite(const char* path);
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
// menu sound passes through here.
void PlaySound(Mix_Chunk* chunk);
// Tests watch the sounds played; nullptr-equivalent (empty function) stops watching.
void SetSoundObserver(std::function<void(Mix_Chunk*)> observer);
// The catalogue file name of a loaded chunk ("ping", "game_over"), for messages.
const char* SoundName(Mix_Chunk* chunk);
