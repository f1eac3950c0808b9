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

// A ball wrapped in fire: ragged tongues in three layers, each hotter and tighter than the one outside it,
// around a white-hot core. The tongues reach the sprite's edge so the flames, not a disc, give the outline.
Indexed DrawFireBall() {
  Canvas c(16, 16);
  cairo_t* cr = c.cr();
  Lcg rng(0xf12e);
  const struct {
    int tongues;
    double outer, inner, shade;
  } layers[] = {{11, 8.2, 5.4, 0.34}, {9, 7.0, 4.6, 0.56}, {7, 5.8, 3.8, 0.76}};
  for (const auto& layer : layers) {
    const double turn = rng.Unit() * 2 * M_PI;
    for (int i = 0; i < 2 * layer.tongues; ++i) {
      const double a = turn + i * M_PI / layer.tongues;
      const double r = i % 2 == 0 ? layer.outer - rng.Unit() * 1.2 : layer.inner;
      cairo_line_to(cr, 8 + std::cos(a) * r, 8 + std::sin(a) * r);
    }
    cairo_close_path(cr);
    SetShade(cr, Ramp::Fire, layer.shade);
    cairo_fill(cr);
  }
  cairo_arc(cr, 8, 8, 3.6, 0, 2 * M_PI);
  SetRadial(cr, 7, 6.8, 8, 8, 3.6,
            {{0, Shade(Ramp::Grey, 1)}, {0.45, Shade(Ramp::Yellow, 1)}, {1, Shade(Ramp::Fire, 0.9)}});
  cairo_fill(cr);
  return c.Sprite(6);
}

namespace {

// A particle that glows: a white-hot centre in its own colour, a four-pointed glint across it and a halo that
// thins out into scattered pixels, so it reads as light even in an 8-bit palette.
Indexed Glow(int size, Ramp hot, Ramp halo) {
  Canvas c(size, size);
  cairo_t* cr = c.cr();
  const double m = size / 2.0, r = size / 2.0;
  cairo_arc(cr, m, m, r, 0, 2 * M_PI);
  const Rgb h = Shade(halo, 0.6);
  SetRadialFade(cr, m, m, r, {{0, h, 1}, {0.6, h, 0.85}, {1, h, 0}});
  cairo_fill(cr);
  for (int axis = 0; axis < 2; ++axis) {
    cairo_rectangle(cr, axis ? m - 0.5 : 0, axis ? 0 : m - 0.5, axis ? 1 : size, axis ? size : 1);
    SetLinear(cr, axis ? m : 0, axis ? 0 : m, axis ? m : size, axis ? size : m,
              {{0, Shade(hot, 0.7)}, {0.5, Shade(Ramp::Grey, 1)}, {1, Shade(hot, 0.7)}});
    cairo_fill(cr);
  }
  cairo_arc(cr, m, m, size / 4.5, 0, 2 * M_PI);
  SetRadial(cr, m, m, m, m, size / 4.5, {{0, Shade(Ramp::Grey, 1)}, {1, Shade(hot, 0.92)}});
  cairo_fill(cr);
  return c.Sprite(0, true);
}

}  // namespace

Indexed DrawSpark() { return Glow(11, Ramp::Yellow, Ramp::Fire); }

Indexed DrawZapp() { return Glow(9, Ramp::Ice, Ramp::Blue); }

Indexed DrawFloaterZapp() { return Glow(9, Ramp::Green, Ramp::Green); }

Indexed DrawDebris() {
  return FromPattern({".y.", "yWy", ".d."}, {{'W', ShadeIndex(Ramp::Gold, 1)},
                                             {'y', ShadeIndex(Ramp::Gold, 0.7)},
                                             {'d', ShadeIndex(Ramp::Gold, 0.45)}});
}

Indexed DrawStar() {
  return FromPattern({".s.", "sWs", ".s."},
                     {{'W', ShadeIndex(Ramp::Steel, 0.95)}, {'s', ShadeIndex(Ramp::Steel, 0.45)}});
}
