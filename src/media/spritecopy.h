// Drawing of opaque sprites by plain row copies: sprites that carry the
// magenta colour key but hold no pixel of it (backdrop, HUD, walls).
#pragma once
#include <SDL/SDL.h>

// Remembers a loaded sprite as opaque when it is 8-bit and none of its pixels
// is its colour key; it keeps the key, so SDL's own blits still treat it alike.
// A sprite whose pixels were replaced is noted again.
void NoteIfOpaque(SDL_Surface* sprite);
bool IsOpaqueSprite(SDL_Surface* sprite);
// Copies the `source` window of an opaque sprite (all of it when null) to
// `target` at (x, y), clipped exactly as SDL_BlitSurface clips. False, and
// nothing drawn, when the sprite is not opaque or the surfaces do not allow a
// plain copy (other pixel formats, another palette, locking needed).
bool CopyOpaqueSprite(SDL_Surface* sprite, const SDL_Rect* source, SDL_Surface* target, int x, int y);
