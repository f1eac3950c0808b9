// The credits page: what the game is, its licence, and the free software it
// is made with.
#include "menus/credits.h"

#include "base/globals.h"

namespace {
constexpr int FieldRight = 480;
constexpr int NameColumn = 240;

struct TPlacedText {
  int x, y;
  const char* text;
  int limit;
};

// What the game is, its licence, and the free software it is made with, each
// under the licence its Debian package states.
const TPlacedText Texts[] = {
    {40, 40, "Rebounder", NameColumn},
    {240, 40, "version 1.2", FieldRight},
    {40, 56, "Licence", NameColumn},
    {240, 56, "MIT, see the LICENSE file", FieldRight},
    {40, 72, "Made by", NameColumn},
    {240, 72, "the Rebounder team", FieldRight},
    {40, 96, "Pictures, sounds,", NameColumn},
    {40, 112, "music and levels", NameColumn},
    {240, 96, "made for this game: drawn", FieldRight},
    {240, 112, "and synthesised from its", FieldRight},
    {240, 128, "source when it is built", FieldRight},
    {40, 160, "Built with", NameColumn},
    {40, 184, "SDL 1.2 (sdl12-compat)", NameColumn},
    {240, 184, "zlib licence", FieldRight},
    {40, 200, "SDL 2", NameColumn},
    {240, 200, "zlib licence", FieldRight},
    {40, 216, "SDL_mixer 1.2", NameColumn},
    {240, 216, "zlib licence", FieldRight},
    {40, 232, "libvorbis, libogg", NameColumn},
    {240, 232, "BSD 3-clause licence", FieldRight},
    {40, 248, "Cairo (drawing)", NameColumn},
    {240, 248, "LGPL 2.1 or MPL 1.1", FieldRight},
    {40, 264, "DejaVu Sans Bold", NameColumn},
    {240, 264, "Bitstream Vera licence,", FieldRight},
    {40, 280, "(the letters)", NameColumn},
    {240, 280, "DejaVu changes public domain", FieldRight},
    {20, 320, "Thanks to everyone who writes and shares these", FieldRight},
    {20, 336, "free libraries and fonts. Their full licences", FieldRight},
    {20, 352, "come with them, on Debian in the files", FieldRight},
    {20, 368, "/usr/share/doc/<package>/copyright.", FieldRight},
    {20, 400, "Rebounder is free software: use, change, share.", FieldRight},
};

}  // namespace

void DrawCredits() {
  for (const TPlacedText& t : Texts) DrawText(Game.fontScore, t.x, t.y, t.text);
}

void AddCreditTexts(std::vector<TFixedText>& texts) {
  for (const TPlacedText& t : Texts) texts.push_back({&Game.fontScore, t.x, t.y, t.text, t.limit});
}
