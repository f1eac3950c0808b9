// Laying a picture out on the field for a generated level: where it stands,
// which way it faces, whether it is drawn twice as tall, and the scene
// around it (waves, ground, stars). Integer arithmetic and the game's own
// generator only, so that a seed lays out the same sketch on every machine.
#pragma once
#include <cstdint>

#include "levels/levelmap.h"
#include "levels/levelpictures.h"

// What a sketched cell is: empty, a brick of the picture's first to fourth
// colour (1..4), or one of these.
constexpr int8_t SketchEmpty = 0, SketchWhite = 5, SketchDark = 6, SketchScene = 7;
constexpr int SketchColours = 4;

// The picture's lowest row stays above the middle of rows 14 to 18 (counted
// from 1), which the level's title box covers until the first ball is launched;
// the scene may reach one row lower at the sides.
constexpr int LowestPictureRow = 12;

struct TSketch {
  TPicture picture;
  bool symmetric = false;                        // the whole sketch mirrored about the middle
  int top = 0, bottom = 0, left = 0, right = 0;  // the picture's box, bottom and right past its end
  int8_t cell[LevelRows][LevelColumns] = {};
  bool spot[LevelRows][LevelColumns] = {};  // good places for a power-up
};

// Lays the picture out; `room` (0..1000) is how much of the field it may
// take with its scene, from a small picture alone to a tall one in a scene.
TSketch SketchPicture(const TPicture& picture, int room);
