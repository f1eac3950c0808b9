// Sharp scaling of the 8-bit picture by a factor that need not be whole, for
// the "fill" scale: as if scaled by the largest whole factor with square
// pixels, then smoothly by the fraction left, so that every pixel edge blends
// over at most one screen pixel and everything between stays its pure colour.
#pragma once
#include <SDL/SDL.h>

#include <cstdint>
#include <vector>

class CSharpScale {
public:
  // Source pixel p covers the destination span [offset + p·factor, offset +
  // (p + 1)·factor) on each axis; factor is at least 1. The next Draw draws
  // everything.
  void Prepare(int sourceWidth, int sourceHeight, int destWidth, int destHeight, double factor,
               double offsetX, double offsetY);
  // Draws an 8-bit source into a 32-bit destination of the prepared sizes,
  // each colour taken from the palette. Only what changed since the last
  // Draw is drawn again: the destination must keep what it was given.
  void Draw(const SDL_Surface* source, const SDL_Palette* palette, SDL_Surface* dest);

private:
  // A destination column or row: the source pixel it shows, and how much of
  // the next one it takes in, out of 256 (0 for most).
  struct TTap {
    int from;
    unsigned next;
  };
  static std::vector<TTap> Taps(int sourceSize, int destSize, double factor, double offset);
  // Marks the changed pieces of each source row and keeps the source.
  void FindChanges(const SDL_Surface* source, bool all);
  Uint32 Across(const Uint8* row, const TTap& column) const;

  std::vector<TTap> columns, rows;
  // A source row is compared in pieces; each piece has the destination
  // columns that show it.
  int pieceWidth = 1;
  std::vector<int> pieceFirst, pieceEnd;
  std::vector<uint64_t> changed;  // per source row, a bit per piece
  std::vector<Uint8> shown;       // the source as last drawn
  int sourceWidth = 0, sourceHeight = 0;
  bool drawAll = true;
  Uint32 colours[256] = {};
  SDL_Color mapped[256] = {};  // the palette `colours` were made from
  const SDL_PixelFormat* mappedFor = nullptr;
};
