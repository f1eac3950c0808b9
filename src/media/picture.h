// Picture files: checking a BMP header before SDL decodes it, and mapping a
// picture of any depth onto the game's 256 colours.
#pragma once
#include <SDL/SDL.h>

#include <string>
#include <vector>

// No sprite of the game is larger than this on a side, and no font.
constexpr int MaxSpriteSide = 1024;
constexpr int MaxFontSide = 4096;

// Decodes a BMP file's bytes after checking its header: the signature, a
// size of at most maxSide on each side, a depth SDL reads, and pixel data
// that fits in the file. Any problem is fatal with a message naming path.
SDL_Surface* DecodePicture(const std::vector<unsigned char>& bytes, const std::string& path, int maxSide);
// Reads and decodes a picture file; failures name the file and the cause.
SDL_Surface* LoadPicture(const std::string& path, int maxSide);
// Copies the picture's palette into `palette`, padded with black. A picture
// without a palette is fatal: its colours cannot become the game's.
void TakePalette(const SDL_Surface* picture, const std::string& path, SDL_Color (&palette)[256]);
// The picture in exactly these 256 colours: itself when it already has them,
// else a new 8-bit surface with each pixel on the nearest colour (the picture
// is then freed). Fully transparent pixels become magenta, the sprites' key.
SDL_Surface* ToPalette(SDL_Surface* picture, const SDL_Color (&palette)[256]);
