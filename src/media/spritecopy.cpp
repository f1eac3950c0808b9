// Drawing of opaque sprites by plain row copies: sprites that carry the
// magenta colour key but hold no pixel of it (backdrop, HUD, walls).
//
// SDL's colour-keyed blit tests every pixel; for these sprites no pixel is
// ever skipped, and a row copy draws the same picture in well under half the
// time (the game frame's cost was mostly the backdrop and the frame's walls).
#include "media/spritecopy.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
std::vector<SDL_Surface*> opaqueSprites;

bool HoldsKeyPixel(SDL_Surface* sprite) {
  const Uint8 key = static_cast<Uint8>(sprite->format->colorkey);
  if (SDL_MUSTLOCK(sprite) && SDL_LockSurface(sprite) != 0) return true;
  bool found = false;
  for (int y = 0; y < sprite->h && !found; ++y) {
    const Uint8* row = static_cast<const Uint8*>(sprite->pixels) + y * sprite->pitch;
    found = std::memchr(row, key, sprite->w) != nullptr;
  }
  if (SDL_MUSTLOCK(sprite)) SDL_UnlockSurface(sprite);
  return found;
}

bool SamePalette(const SDL_Palette* a, const SDL_Palette* b) {
  return a && b && a->ncolors == b->ncolors &&
         std::memcmp(a->colors, b->colors, sizeof(SDL_Color) * a->ncolors) == 0;
}
}  // namespace

void NoteIfOpaque(SDL_Surface* sprite) {
  opaqueSprites.erase(std::remove(opaqueSprites.begin(), opaqueSprites.end(), sprite), opaqueSprites.end());
  if (!sprite || sprite->format->BitsPerPixel != 8 || !(sprite->flags & SDL_SRCCOLORKEY)) return;
  if (HoldsKeyPixel(sprite)) return;
  opaqueSprites.push_back(sprite);
}

bool IsOpaqueSprite(SDL_Surface* sprite) {
  return std::find(opaqueSprites.begin(), opaqueSprites.end(), sprite) != opaqueSprites.end();
}

bool CopyOpaqueSprite(SDL_Surface* sprite, const SDL_Rect* source, SDL_Surface* target, int x, int y) {
  if (!IsOpaqueSprite(sprite)) return false;
  if (target->format->BitsPerPixel != 8 || SDL_MUSTLOCK(target) || (sprite->flags & SDL_SRCALPHA))
    return false;
  // The copy writes the sprite's palette indices as they are.
  if (!SamePalette(sprite->format->palette, target->format->palette)) return false;

  // The same clipping as SDL_BlitSurface: first to the sprite, then to the
  // target's clip rectangle, each cut moving the other side along with it.
  int sx = source ? source->x : 0;
  int sy = source ? source->y : 0;
  int w = source ? source->w : sprite->w;
  int h = source ? source->h : sprite->h;
  if (sx < 0) {
    w += sx;
    x -= sx;
    sx = 0;
  }
  if (sy < 0) {
    h += sy;
    y -= sy;
    sy = 0;
  }
  w = std::min(w, sprite->w - sx);
  h = std::min(h, sprite->h - sy);
  const SDL_Rect& clip = target->clip_rect;
  if (x < clip.x) {
    w -= clip.x - x;
    sx += clip.x - x;
    x = clip.x;
  }
  if (y < clip.y) {
    h -= clip.y - y;
    sy += clip.y - y;
    y = clip.y;
  }
  w = std::min(w, clip.x + clip.w - x);
  h = std::min(h, clip.y + clip.h - y);
  if (w <= 0 || h <= 0) return true;

  const Uint8* from = static_cast<const Uint8*>(sprite->pixels) + sy * sprite->pitch + sx;
  Uint8* to = static_cast<Uint8*>(target->pixels) + y * target->pitch + x;
  for (int row = 0; row < h; ++row, from += sprite->pitch, to += target->pitch) std::memcpy(to, from, w);
  return true;
}
