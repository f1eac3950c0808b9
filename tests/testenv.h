// The shared test fixture: SDL on its dummy drivers, the real generated
// assets, and a game record reset to its start-up values before each test.
#pragma once
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

class GameTest : public ::testing::Test {
protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Sounds played through PlaySound since the test began, in order.
  std::vector<Mix_Chunk*> played;
  int PlayedCount(Mix_Chunk* chunk) const;
  std::string PlayedNames() const;

  // Palette index of the 8-bit screen at window position (x, y).
  static Uint8 PixelAt(int x, int y);
  // Palette index of a sprite's pixel.
  static Uint8 SpritePixel(SDL_Surface* sprite, int x, int y);
  // Fills the whole window (both side strips too) with one palette index.
  static void ClearWindow(Uint8 index);
  // Index of pure magenta in the game palette.
  static Uint8 MagentaIndex();
};

// Starts a level in ball play with no bricks but those the test adds.
void StartEmptyPlay();
