// The pictures generated levels are made of: animals, faces, ships, objects
// and short words, each drawn here cell by cell, with the words that name it
// and the colours it comes in when it keeps its own.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum TPictureKind : uint8_t { pkAnimal, pkFace, pkShip, pkObject, pkWord };

// Where a picture belongs, for what is drawn around it: stars in the sky,
// waves under a ship or a fish, the ground under a car or a house.
enum TScene : uint8_t { snNone, snSky, snWater, snGround };

// A picture's rows, all the same width. Its cells:
//   '.'       empty
//   'a'..'d'  a brick of the picture's first to fourth colour
//   'w'       a white brick (eyes, windows, teeth)
//   'k'       a dark spot (a pupil, a wheel): gray in harder levels
//   'A'..'D', 'W'  as the lower-case letter, and a good place for a power-up
struct TPicture {
  TPictureKind kind;
  TScene scene;
  std::string nouns;       // what it is, one word each: "fish carp"
  std::string adjectives;  // words that suit it: "hungry shy"
  std::string colours;     // its own colours for 'a'..'d', as level source letters
  std::vector<std::string> rows;

  int Width() const { return rows.empty() ? 0 : static_cast<int>(rows[0].size()); }
  int Height() const { return static_cast<int>(rows.size()); }
  // Whether it looks the same turned left to right.
  bool Symmetric() const;
};

// Every drawn picture (the words not among them).
const std::vector<TPicture>& Pictures();
// The words a level can spell, three letters each.
const std::vector<std::string>& Words();
// A word in large letters, each letter three cells wide and five rows high.
TPicture WordPicture(const std::string& word);
