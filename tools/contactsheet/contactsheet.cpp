// contactsheet <out.bmp>: run in the game folder; draws every sprite, every font glyph and the two box skins
// onto one 640x480 picture in the game's palette, for reviewing the art at a glance.
// contactsheet --levels <out.png>: every level as the player first sees it (see levelsheet.cpp).
// contactsheet --themes <out.png> [LEVEL]: one level in every built-in theme (see themesheet.cpp).
#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

SDL_Surface* sheet = nullptr;

SDL_Surface* Load(const std::string& path, Uint8 r, Uint8 g, Uint8 b) {
  SDL_Surface* s = SDL_LoadBMP(path.c_str());
  if (!s) {
    std::fprintf(stderr, "contactsheet: cannot load %s: %s\n", path.c_str(), SDL_GetError());
    std::exit(1);
  }
  SDL_SetColorKey(s, SDL_SRCCOLORKEY, SDL_MapRGB(s->format, r, g, b));
  return s;
}

// Each sprite is loaded once and kept until the sheet is saved.
std::map<std::string, SDL_Surface*> sprites;

SDL_Surface* Sprite(const std::string& name) {
  SDL_Surface*& s = sprites[name];
  if (!s) s = Load("sprites/" + name + ".bmp", 255, 0, 255);
  return s;
}

void Blit(SDL_Surface* s, int x, int y, int sx = 0, int sy = 0, int w = -1, int h = -1) {
  SDL_Rect src = {Sint16(sx), Sint16(sy), Uint16(w < 0 ? s->w : w), Uint16(h < 0 ? s->h : h)};
  SDL_Rect dst = {Sint16(x), Sint16(y), 0, 0};
  SDL_BlitSurface(s, &src, sheet, &dst);
}

// Every second pixel of every second row, for pictures too large to show whole.
void BlitHalf(SDL_Surface* s, int x, int y) {
  Uint32 key = SDL_MapRGB(s->format, 255, 0, 255);
  SDL_LockSurface(s);
  SDL_LockSurface(sheet);
  for (int j = 0; j * 2 < s->h && y + j < sheet->h; ++j)
    for (int i = 0; i * 2 < s->w && x + i < sheet->w; ++i) {
      Uint8 p = static_cast<Uint8*>(s->pixels)[j * 2 * s->pitch + i * 2];
      if (p != key) static_cast<Uint8*>(sheet->pixels)[(y + j) * sheet->pitch + x + i] = p;
    }
  SDL_UnlockSurface(sheet);
  SDL_UnlockSurface(s);
}

// A font: its picture and the cell of each character, read from the marker row the way the game reads it.
struct Font {
  SDL_Surface* image;
  SDL_Rect glyph[127] = {};
};

Font LoadFont(const char* name) {
  Font f;
  f.image = Load(std::string("fonts/") + name + ".fnt", 0, 0, 0);
  SDL_LockSurface(f.image);
  const Uint8* row = static_cast<const Uint8*>(f.image->pixels);
  int bpp = f.image->format->BytesPerPixel, start = 0, width = 0, ch = 33;
  for (int x = 0; x < f.image->w && ch <= 126; ++x) {
    ++width;
    Uint32 v = 0;
    for (int k = 0; k < bpp; ++k) v |= Uint32(row[x * bpp + k]) << (8 * k);
    if (v != 0) {
      f.glyph[ch++] = {Sint16(start), 1, Uint16(width), Uint16(f.image->h - 1)};
      start = x;
      width = 0;
    }
  }
  SDL_UnlockSurface(f.image);
  return f;
}

int Text(const Font& f, int x, int y, const std::string& text) {
  for (unsigned char c : text) {
    if (c == ' ') x += 8;
    if (c < 33 || c > 126) continue;
    const SDL_Rect& g = f.glyph[c];
    Blit(f.image, x, y, g.x, g.y, g.w, g.h);
    x += g.w;
  }
  return x;
}

// All 94 glyphs, wrapped into lines that fit between x0 and x1.
int GlyphTable(const Font& f, int x0, int x1, int y) {
  int x = x0;
  for (int c = 33; c <= 126; ++c) {
    if (x + f.glyph[c].w > x1) x = x0, y += f.image->h;
    x = Text(f, x, y, std::string(1, char(c)));
  }
  return y + f.image->h;
}

// Draws a framed box from a 3x3-tile skin, the way the game's boxes are put together.
void Box(SDL_Surface* skin, int x, int y, int cols, int rows) {
  for (int j = 0; j < rows; ++j)
    for (int i = 0; i < cols; ++i) {
      int sx = i == 0 ? 0 : (i == cols - 1 ? 40 : 20);
      int sy = j == 0 ? 0 : (j == rows - 1 ? 40 : 20);
      Blit(skin, x + 20 * i, y + 20 * j, sx, sy, 20, 20);
    }
}

void Fill(int x, int y, int w, int h, Uint8 index) {
  SDL_Rect r = {Sint16(x), Sint16(y), Uint16(w), Uint16(h)};
  SDL_FillRect(sheet, &r, index);
}

// A slice of play field: backdrop, frame, beams, bricks, capsules, balls, paddles and particles.
void DrawField(int top) {
  const int h = 480 - top;
  Blit(Sprite("background"), 0, top, 0, 240 - h, 480, h);
  SDL_Surface* wallV = Sprite("wall_v");
  SDL_Surface* wallH = Sprite("wall_h");
  for (int y = top + 16; y < 480; y += wallV->h) Blit(wallV, 0, y), Blit(wallV, 480 - wallV->w, y);
  for (int x = 16; x < 368; x += wallH->w) Blit(wallH, x, top);
  SDL_Surface* beams[3] = {Sprite("beam_blue"), Sprite("beam_green"), Sprite("beam_red")};
  for (int x = 368; x < 448; x += 8) Blit(beams[0], x, top + 4, (x / 8) % 16, 0, 8, 8);
  for (int x = 448; x < 464; x += wallH->w) Blit(wallH, x, top);
  Blit(Sprite("wall_rt"), 0, top);
  Blit(Sprite("wall_rt"), 464, top);

  const char* bricks[] = {"gray", "blue", "green", "purple", "red", "yellow", "white", "cracked", "cracked"};
  for (int i = 0; i < 9; ++i) Blit(Sprite(bricks[i]), 24 + 32 * i, top + 24);
  Blit(Sprite("mask"), 24 + 32 * 8, top + 24);
  for (int i = 0; i < 14; ++i) Blit(Sprite(bricks[i % 7]), 16 + 32 * i, top + 40);

  const char* icons[] = {"bonus_ball",      "bonus_normal", "bonus_paddlelarge", "bonus_paddlesmall",
                         "bonus_fire",      "bonus_magnet", "bonus_question",    "bonus_speedup",
                         "bonus_speeddown", "bonus_life",   "bonus_reverse",     "bonus_paddlespeed"};
  SDL_Surface* capsule = Sprite("bonus");
  for (int i = 0; i < 12; ++i) {
    Blit(capsule, 24 + 36 * i, top + 66);
    Blit(Sprite(icons[i]), 24 + 36 * i, top + 66);
  }
  Blit(Sprite("floater"), 24, top + 90);
  Blit(Sprite("ball"), 70, top + 98);
  Blit(Sprite("ball_fire"), 94, top + 98);
  const char* particles[] = {"spark", "zapp", "floater_zapp", "fall", "star"};
  // Three of each particle, side by side and a little apart, whatever their size.
  int px = 124;
  for (const char* name : particles) {
    SDL_Surface* s = Sprite(name);
    for (int k = 0; k < 3; ++k) Blit(s, px + (s->w + 1) * k, top + 95 + 4 * k);
    px += 3 * (s->w + 1) + 5;
  }
  Blit(Sprite("check_off"), px + 4, top + 98);
  Blit(Sprite("check_on"), px + 26, top + 98);

  const int py = top + 150;
  const char* paddles[][2] = {{"paddle_small", "paddle_small_magnet"},
                              {"paddle", "paddle_magnet"},
                              {"paddle_large", "paddle_large_magnet"}};
  int x = 40;
  for (auto& p : paddles) {
    SDL_Surface* body = Sprite(p[0]);
    Blit(body, x, py);
    Blit(Sprite(p[1]), x + 2, py - 10);
    x += body->w + 40;
  }
  for (int x = 15, i = 0; x < 456; x += 8, ++i) Blit(beams[i / 19], x, py + 30, (x / 8) % 16, 0, 8, 8);
  Blit(Sprite("beamer_left"), 16, py + 30);
  Blit(Sprite("beamer_right"), 456, py + 30);
}

// The message box and the menu highlight bar, each with text in place.
void DrawBoxes(const Font& menu, int top) {
  Box(Sprite("message"), 490, top + 8, 7, 3);
  Text(menu, 490 + (140 - 88) / 2, top + 27, "get ready");
  Box(Sprite("menu"), 490, top + 90, 7, 2);
  Text(menu, 490 + 36, top + 98, "options");
  Box(Sprite("message"), 490, top + 150, 3, 2);
  Box(Sprite("menu"), 560, top + 150, 3, 3);
}

}  // namespace

int LevelSheet(const char* outPath, const std::vector<std::string>& sets, int first);
int ThemeSheet(const char* outPath, const std::string& level);

int main(int argc, char** argv) {
  if ((argc == 3 || argc == 4) && std::string(argv[1]) == "--themes")
    return ThemeSheet(argv[2], argc == 4 ? argv[3] : "go easy on me");
  if (argc >= 3 && std::string(argv[1]) == "--levels") {
    // --levels OUT [--first N] [DIR...]: each set a row of its first N levels
    // under the built-in set's, when folders are named.
    std::vector<std::string> sets;
    int first = 0;
    for (int i = 3; i < argc; ++i) {
      if (std::string(argv[i]) == "--first" && i + 1 < argc)
        first = std::atoi(argv[++i]);
      else
        sets.push_back(argv[i]);
    }
    return LevelSheet(argv[2], sets, first);
  }
  if (argc != 2) {
    std::fprintf(stderr,
                 "usage: contactsheet <out.bmp>             sprites, fonts and boxes\n"
                 "       contactsheet --levels <out.png>    every level at its start\n"
                 "       contactsheet --levels <out.png> [--first N] <set folder>...\n"
                 "                 the first N levels of the built-in set, then of each set, a row each\n"
                 "       contactsheet --themes <out.png> [LEVEL]  one level in every built-in theme\n"
                 "(run in the game folder)\n");
    return 2;
  }
  SDL_Init(0);
  SDL_Surface* hud = Sprite("hud");
  sheet = SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, 8, 0, 0, 0, 0);
  SDL_SetColors(sheet, hud->format->palette->colors, 0, 256);
  Fill(0, 0, 640, 480, 0);
  Font menu = LoadFont("menu"), dark = LoadFont("menudark"), score = LoadFont("score");

  // Title, logo and the HUD with its score, energy and lives filled in.
  Blit(Sprite("rebounder"), 0, 0);
  Text(score, 384, 82, "v1.2");
  BlitHalf(Sprite("logo"), 420, 2);
  Blit(hud, 0, 98);
  Text(score, 43, 98 + 15, "  123450");
  SDL_Surface* energy = Sprite("energy_bar");
  for (int i = 0; i < 14; ++i) Blit(energy, 244 + 5 * i, 98 + 15);
  SDL_Surface* life = Sprite("life");
  for (int k = 0; k < 3; ++k) Blit(life, 405 - 10 * k, 98 + 1);

  // Fonts: every glyph of each, then a sample line.
  int y = GlyphTable(menu, 0, 640, 150);
  y = GlyphTable(dark, 0, 640, y);
  y = GlyphTable(score, 0, 640, y);
  DrawField(y + 2);
  DrawBoxes(menu, y + 2);
  SDL_SaveBMP(sheet, argv[1]);
  for (auto& entry : sprites) SDL_FreeSurface(entry.second);
  for (const Font* f : {&menu, &dark, &score}) SDL_FreeSurface(f->image);
  SDL_FreeSurface(sheet);
  SDL_Quit();
  return 0;
}
