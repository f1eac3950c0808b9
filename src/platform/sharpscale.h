// Sharp scaling of the 8-bit picture by a factor that need not be whole, for
// the "fill" scale: as if scaled by the largest whole factor with square
// pixels, then smoothly by the fraction left, so that every pixel edge blends
// over at most one screen pixel and everything between stays its pure colour.
#pragma once
#include <SDL/SDL.h>

#include <vector>

class CSharpScale {
public:
  // Source pixel p covers the destination span [offset + p·factor, offset +
  // (p + 1)·factor) on each axis; factor is at least 1.
  void Prepare(int sourceWidth, int sourceHeight, int destWidth, int destHeight, double factor,
               double offsetX, double offsetY);
  // Draws an 8-bit source into a 32-bit destination of the prepared sizes,
  // each colour taken from the palette.
  void Draw(const SDL_Surface* source, const SDL_Palette* palette, SDL_Surface* dest);

private:
  // A destination column or row: the source pixel it shows, and how much of
  // the next one it takes in, out of 256 (0 for most).
  struct TTap {
    int from;
    unsigned next;
  };
  static std::vector<TTap> Taps(int sourceSize, int destSize, double factor, double offset);
  const Uint32* Line(const SDL_Surface* source, int row);

  std::vector<TTap> columns, rows;
  std::vector<Uint32> lines[2];  // the last two source rows, scaled across
  int lineRow[2] = {-1, -1};
  Uint32 colours[256] = {};
  SDL_Color mapped[256] = {};  // the palette `colours` were made from
  const SDL_PixelFormat* mappedFor = nullptr;
};
