// Balls and the tiny particle sprites: sparks, zaps, debris and stars.
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "art.h"
#include "canvas.h"

namespace {

// Particles are only a few pixels, so they are laid out by hand: '.' is transparent.
Indexed FromPattern(const std::vector<std::string>& rows, const std::map<char, int>& colours) {
  Indexed img;
  img.h = static_cast<int>(rows.size());
  img.w = static_cast<int>(rows[0].size());
  img.px.assign(img.w * img.h, kMagentaIndex);
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x) {
      auto it = colours.find(rows[y][x]);
      if (it != colours.end()) img.at(x, y) = static_cast<uint8_t>(it->second);
    }
  return img;
}

}  // namespace

Indexed DrawBall() {
  Canvas c(16, 16);
  cairo_t* cr = c.cr();
  cairo_arc(cr, 8, 8, 7.6, 0, 2 * M_PI);
  SetShade(cr, Ramp::Steel, 0.08);
  cairo_fill(cr);
  cairo_arc(cr, 8, 8, 6.8, 0, 2 * M_PI);
  SetRadial(cr, 5.6, 5.2, 8, 8, 7.2,
            {{0, Shade(Ramp::Grey, 1)},
             {0.22, Shade(Ramp::Steel, 0.92)},
             {0.6, Shade(Ramp::Steel, 0.55)},
             {1, Shade(Ramp::Steel, 0.22)}});
  cairo_fill(cr);
  // Reflected light along the lower right rim.
  cairo_set_line_width(cr, 1.6);
  cairo_arc(cr, 8, 8, 5.4, 0.1 * M_PI, 0.6 * M_PI);
  SetShade(cr, Ramp::Steel, 0.78, 0.7);
  cairo_stroke(cr);
  cairo_arc(cr, 5.4, 5.0, 1.5, 0, 2 * M_PI);
  SetShade(cr, Ramp::Grey, 1);
  cairo_fill(cr);
  return c.Sprite(8);
}

Indexed DrawFireBall() {
  Canvas c(16, 16);
  cairo_t* cr = c.cr();
  cairo_arc(cr, 8, 8, 8, 0, 2 * M_PI);
  SetRadial(cr, 8, 8, 8, 8, 8,
            {{0, Shade(Ramp::Fire, 0.9)}, {0.7, Shade(Ramp::Fire, 0.5)}, {1, Shade(Ramp::Fire, 0.25)}});
  cairo_fill(cr);
  // Flickering tongues around the core, from a fixed seed.
  Lcg rng(0xf12e);
  for (int i = 0; i < 10; ++i) {
    double a = i * 2 * M_PI / 10 + rng.Unit() * 0.4;
    double r = 5.5 + rng.Unit() * 2.2;
    cairo_arc(cr, 8 + std::cos(a) * r * 0.8, 8 + std::sin(a) * r * 0.8, 1.6, 0, 2 * M_PI);
    SetShade(cr, Ramp::Fire, 0.55 + rng.Unit() * 0.2);
    cairo_fill(cr);
  }
  cairo_arc(cr, 8, 8, 6.2, 0, 2 * M_PI);
  SetRadial(cr, 6.5, 6, 8, 8, 6.2,
            {{0, Shade(Ramp::Fire, 1)},
             {0.35, Shade(Ramp::Fire, 0.9)},
             {0.8, Shade(Ramp::Fire, 0.68)},
             {1, Shade(Ramp::Fire, 0.55)}});
  cairo_fill(cr);
  cairo_arc(cr, 6.2, 5.8, 1.6, 0, 2 * M_PI);
  SetShade(cr, Ramp::Yellow, 1);
  cairo_fill(cr);
  return c.Sprite(8, true);
}

Indexed DrawSpark() {
  return FromPattern({".oo.", "oWYo", "oYWo", ".oo."}, {{'W', ShadeIndex(Ramp::Yellow, 1)},
                                                        {'Y', ShadeIndex(Ramp::Yellow, 0.7)},
                                                        {'o', ShadeIndex(Ramp::Fire, 0.62)}});
}

Indexed DrawZapp() {
  return FromPattern({".b..", "bWIb", ".IWb", "..b."}, {{'W', ShadeIndex(Ramp::Grey, 1)},
                                                        {'I', ShadeIndex(Ramp::Ice, 0.8)},
                                                        {'b', ShadeIndex(Ramp::Blue, 0.62)}});
}

Indexed DrawFloaterZapp() {
  return FromPattern({"..g..", ".gIg.", "gIWIg", ".gIg.", "..g.."}, {{'W', ShadeIndex(Ramp::Grey, 1)},
                                                                     {'I', ShadeIndex(Ramp::Green, 0.85)},
                                                                     {'g', ShadeIndex(Ramp::Green, 0.55)}});
}

Indexed DrawDebris() {
  return FromPattern({".y.", "yWy", ".d."}, {{'W', ShadeIndex(Ramp::Gold, 1)},
                                             {'y', ShadeIndex(Ramp::Gold, 0.7)},
                                             {'d', ShadeIndex(Ramp::Gold, 0.45)}});
}

Indexed DrawStar() {
  return FromPattern({".s.", "sWs", ".s."},
                     {{'W', ShadeIndex(Ramp::Steel, 0.95)}, {'s', ShadeIndex(Ramp::Steel, 0.45)}});
}
