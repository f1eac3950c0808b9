// Build-time program: composes the desktop icon from the game's own sprites
// (bricks, ball, paddle) and writes it as PNG at the sizes desktops ask for.
// Usage: icongen <game folder with sprites/> <output folder>
#include <SDL/SDL.h>
#include <cairo.h>

#include <cstdio>
#include <string>

namespace {
// The icon is laid out in game pixels on a 64x64 canvas, so 64, 128 and 256
// are whole-number enlargements that keep the art crisp.
constexpr int Canvas = 64;
constexpr double Pi = 3.14159265358979323846;
const int Sizes[] = {32, 48, 64, 128, 256};

// A sprite as a cairo surface, magenta (the game's transparent colour) cleared.
cairo_surface_t* LoadSprite(const std::string& folder, const char* name) {
  const std::string path = folder + "/sprites/" + name + ".bmp";
  SDL_Surface* bmp = SDL_LoadBMP(path.c_str());
  if (!bmp) {
    std::fprintf(stderr, "icongen: cannot read %s: %s\n", path.c_str(), SDL_GetError());
    return nullptr;
  }
  cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, bmp->w, bmp->h);
  cairo_surface_flush(out);
  unsigned char* data = cairo_image_surface_get_data(out);
  const int stride = cairo_image_surface_get_stride(out);
  SDL_LockSurface(bmp);
  for (int y = 0; y < bmp->h; ++y)
    for (int x = 0; x < bmp->w; ++x) {
      const Uint8 index = static_cast<Uint8*>(bmp->pixels)[y * bmp->pitch + x];
      const SDL_Color c = bmp->format->palette->colors[index];
      const bool clear = c.r == 255 && c.g == 0 && c.b == 255;
      reinterpret_cast<uint32_t*>(data + y * stride)[x] =
          clear ? 0 : 0xff000000u | (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b;
    }
  SDL_UnlockSurface(bmp);
  SDL_FreeSurface(bmp);
  cairo_surface_mark_dirty(out);
  return out;
}

void Place(cairo_t* cr, cairo_surface_t* sprite, double x, double y) {
  cairo_set_source_surface(cr, sprite, x, y);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
}

void RoundedSquare(cairo_t* cr, double size, double radius) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, size - radius, radius, radius, -Pi / 2, 0);
  cairo_arc(cr, size - radius, size - radius, radius, 0, Pi / 2);
  cairo_arc(cr, radius, size - radius, radius, Pi / 2, Pi);
  cairo_arc(cr, radius, radius, radius, Pi, 3 * Pi / 2);
  cairo_close_path(cr);
}

// A wall of bricks seen through a rounded window, the ball rising from the paddle.
cairo_surface_t* Compose(const std::string& folder, bool& ok) {
  const char* names[] = {"red", "yellow", "blue", "ball", "paddle_small"};
  cairo_surface_t* s[5];
  ok = true;
  for (int i = 0; i < 5; ++i) ok = (s[i] = LoadSprite(folder, names[i])) && ok;
  cairo_surface_t* icon = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Canvas, Canvas);
  if (!ok) return icon;
  cairo_t* cr = cairo_create(icon);
  RoundedSquare(cr, Canvas, 10);
  cairo_clip(cr);
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, Canvas);
  cairo_pattern_add_color_stop_rgb(sky, 0, 0.05, 0.06, 0.20);
  cairo_pattern_add_color_stop_rgb(sky, 1, 0.01, 0.01, 0.06);
  cairo_set_source(cr, sky);
  cairo_paint(cr);
  cairo_pattern_destroy(sky);
  for (int x = -16; x < Canvas; x += 32) Place(cr, s[0], x, 3);
  // The ball has just broken through the middle of the second row.
  Place(cr, s[1], -14, 19);
  Place(cr, s[2], 46, 19);
  Place(cr, s[3], 26, 28);
  Place(cr, s[4], 14, 45);
  cairo_destroy(cr);
  for (cairo_surface_t* sprite : s) cairo_surface_destroy(sprite);
  return icon;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: icongen <game folder> <output folder>\n");
    return 2;
  }
  bool ok = false;
  cairo_surface_t* icon = Compose(argv[1], ok);
  for (const int size : Sizes) {
    if (!ok) break;
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(out);
    const double k = static_cast<double>(size) / Canvas;
    cairo_scale(cr, k, k);
    cairo_set_source_surface(cr, icon, 0, 0);
    // Enlargements by whole numbers stay sharp; reductions are averaged.
    cairo_pattern_set_filter(cairo_get_source(cr), size >= Canvas ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_destroy(cr);
    const std::string path = std::string(argv[2]) + "/rebounder-" + std::to_string(size) + ".png";
    if (cairo_surface_write_to_png(out, path.c_str()) != CAIRO_STATUS_SUCCESS) {
      std::fprintf(stderr, "icongen: cannot write %s\n", path.c_str());
      ok = false;
    }
    cairo_surface_destroy(out);
  }
  cairo_surface_destroy(icon);
  return ok ? 0 : 1;
}
