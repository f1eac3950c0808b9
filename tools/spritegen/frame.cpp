// The play-field frame: wall tiles, corner block, beams and emitters, and the backdrop picture.
#include <algorithm>
#include <cmath>

#include "art.h"
#include "canvas.h"

namespace {

// Girder shading across a wall, lit from the upper left; `across` runs 0..16 over the wall's thickness.
void SetGirder(cairo_t* cr, bool vertical, double from, double to) {
  GradientStops stops = {{0, Shade(Ramp::Steel, 0.1)},    {0.08, Shade(Ramp::Steel, 0.55)},
                         {0.3, Shade(Ramp::Steel, 0.9)},  {0.5, Shade(Ramp::Steel, 0.62)},
                         {0.75, Shade(Ramp::Steel, 0.4)}, {0.94, Shade(Ramp::Steel, 0.22)},
                         {1, Shade(Ramp::Steel, 0.06)}};
  if (vertical)
    SetLinear(cr, from, 0, to, 0, stops);
  else
    SetLinear(cr, 0, from, 0, to, stops);
}

// A raised collar across the wall where two girder sections meet.
void Collar(cairo_t* cr, bool vertical, double at, double len) {
  double x = vertical ? 0 : at, y = vertical ? at : 0;
  double w = vertical ? 16 : len, h = vertical ? len : 16;
  cairo_rectangle(cr, x, y, w, h);
  SetGirder(cr, vertical, 0, 16);
  cairo_fill(cr);
  SetShade(cr, Ramp::Steel, 0.05);
  cairo_rectangle(cr, x, y, vertical ? 16 : 1, vertical ? 1 : 16);
  cairo_fill(cr);
  cairo_rectangle(cr, vertical ? x : x + len - 1, vertical ? y + len - 1 : y, vertical ? 16 : 1,
                  vertical ? 1 : 16);
  cairo_fill(cr);
}

Indexed DrawWall(bool vertical) {
  int w = vertical ? 16 : 32, h = vertical ? 32 : 16;
  Canvas c(w, h);
  cairo_t* cr = c.cr();
  cairo_rectangle(cr, 0, 0, w, h);
  SetGirder(cr, vertical, 2, 14);
  cairo_fill(cr);
  SetShade(cr, Ramp::Steel, 0.05);
  cairo_rectangle(cr, 0, 0, vertical ? 2 : w, vertical ? h : 2);
  cairo_rectangle(cr, vertical ? 14 : 0, vertical ? 0 : 14, vertical ? 2 : w, vertical ? h : 2);
  cairo_fill(cr);
  // Recessed glowing slot along the girder.
  double sx = vertical ? 7 : 6, sy = vertical ? 6 : 7;
  RoundRect(cr, sx - 1, sy - 1, vertical ? 4 : 22, vertical ? 22 : 4, 1.5);
  SetShade(cr, Ramp::Steel, 0.08);
  cairo_fill(cr);
  RoundRect(cr, sx, sy, vertical ? 2 : 20, vertical ? 20 : 2, 1);
  if (vertical)
    SetLinear(cr, sx, 0, sx + 2, 0, {{0, Shade(Ramp::Blue, 0.85)}, {1, Shade(Ramp::Blue, 0.5)}});
  else
    SetLinear(cr, 0, sy, 0, sy + 2, {{0, Shade(Ramp::Blue, 0.85)}, {1, Shade(Ramp::Blue, 0.5)}});
  cairo_fill(cr);
  // Half a collar at each end, so tiles meet in a whole one and the gate edges look capped.
  Collar(cr, vertical, 0, 3);
  Collar(cr, vertical, (vertical ? h : w) - 3, 3);
  return c.Sprite(5);
}

}  // namespace

Indexed DrawWallV() { return DrawWall(true); }
Indexed DrawWallH() { return DrawWall(false); }

Indexed DrawCorner() {
  Canvas c(16, 16);
  cairo_t* cr = c.cr();
  cairo_rectangle(cr, 0, 0, 16, 16);
  SetShade(cr, Ramp::Steel, 0.05);
  cairo_fill(cr);
  cairo_rectangle(cr, 1, 1, 14, 14);
  SetLinear(cr, 1, 1, 15, 15,
            {{0, Shade(Ramp::Steel, 0.95)}, {0.45, Shade(Ramp::Steel, 0.6)}, {1, Shade(Ramp::Steel, 0.2)}});
  cairo_fill(cr);
  cairo_rectangle(cr, 3, 3, 10, 10);
  SetLinear(cr, 3, 3, 13, 13, {{0, Shade(Ramp::Steel, 0.35)}, {1, Shade(Ramp::Steel, 0.65)}});
  cairo_fill(cr);
  Rivet(cr, 8, 8, 3.2, Ramp::Steel);
  return c.Sprite(0);
}

Indexed DrawBeam(Ramp ramp) {
  Indexed img;
  img.w = 32;
  img.h = 8;
  img.px.assign(img.w * img.h, kMagentaIndex);
  for (int x = 0; x < img.w; ++x) {
    // Everything depends on x mod 16 (the checker halo on x mod 2), so any 8-pixel window scrolls seamlessly.
    double phase = 2 * M_PI * (x % 16) / 16.0;
    double s1 = 3.5 + 2.6 * std::sin(phase), s2 = 3.5 - 2.6 * std::sin(phase);
    for (int y = 0; y < img.h; ++y) {
      double t = -1;
      if (y == 2 || y == 5) t = (x + y) % 2 ? 0.5 : -1;
      if (std::fabs(y - s1) < 0.75 || std::fabs(y - s2) < 0.75) t = 0.72;
      if (y == 3) t = 0.97;
      if (y == 4) t = 0.86;
      if (t >= 0) img.at(x, y) = static_cast<uint8_t>(ShadeIndex(ramp, t));
    }
  }
  return img;
}

Indexed DrawBeamer(bool left) {
  Canvas c(8, 8);
  cairo_t* cr = c.cr();
  cairo_rectangle(cr, 0, 0, 8, 8);
  SetShade(cr, Ramp::Steel, 0.05);
  cairo_fill(cr);
  cairo_rectangle(cr, 0, 1, 7, 6);
  SetLinear(cr, 0, 1, 0, 7,
            {{0, Shade(Ramp::Steel, 0.9)}, {0.5, Shade(Ramp::Steel, 0.5)}, {1, Shade(Ramp::Steel, 0.25)}});
  cairo_fill(cr);
  // The lens faces along the beam.
  double lx = left ? 6 : 2;
  cairo_arc(cr, lx, 4, 2.2, 0, 2 * M_PI);
  SetRadial(cr, lx, 4, lx, 4, 2.2, {{0, Shade(Ramp::Grey, 1)}, {1, Shade(Ramp::Ice, 0.6)}});
  cairo_fill(cr);
  Indexed img = c.Sprite(0);
  if (!left) {
    for (int y = 0; y < 8; ++y) std::reverse(img.px.begin() + y * 8, img.px.begin() + y * 8 + 8);
  }
  return img;
}

Indexed DrawBackground() {
  const int w = 480, h = 240;
  const double horizonY = 70, vx = 240;
  Canvas c(w, h);
  cairo_t* cr = c.cr();
  SetLinear(cr, 0, 0, 0, h,
            {{0, Rgb{0, 0, 0}},
             {0.2, Shade(Ramp::Night, 0.1)},
             {0.29, Shade(Ramp::Night, 0.55)},
             {0.36, Shade(Ramp::Night, 0.25)},
             {1, Shade(Ramp::Night, 0.18)}});
  cairo_rectangle(cr, 0, 0, w, h);
  cairo_fill(cr);
  // A dim sun sinking behind the range, cut by bands of haze.
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, w, horizonY);
  cairo_clip(cr);
  cairo_arc(cr, 330, horizonY - 2, 44, 0, 2 * M_PI);
  cairo_clip(cr);
  SetLinear(cr, 0, horizonY - 46, 0, horizonY,
            {{0, Shade(Ramp::Rose, 0.16)}, {0.6, Shade(Ramp::Rose, 0.1)}, {1, Shade(Ramp::Night, 0.35)}});
  cairo_paint(cr);
  SetShade(cr, Ramp::Night, 0.12);
  for (int k = 0; k < 6; ++k) cairo_rectangle(cr, 280, horizonY - 24 + k * 5, 100, 1 + k * 0.5);
  cairo_fill(cr);
  cairo_restore(cr);
  // Far mountain range against the horizon glow.
  Lcg rng(0x40c7a1);
  cairo_move_to(cr, 0, horizonY);
  for (int x = 0; x <= w; x += 12)
    cairo_line_to(cr, x, horizonY - 4 - rng.Unit() * 14 * (0.5 + 0.5 * std::sin(x / 57.0)));
  cairo_line_to(cr, w, horizonY + 1);
  cairo_line_to(cr, 0, horizonY + 1);
  cairo_close_path(cr);
  SetShade(cr, Ramp::Night, 0.08);
  cairo_fill(cr);
  // Perspective floor grid, fading toward the horizon.
  cairo_set_line_width(cr, 1);
  for (int k = 1; k < 14; ++k) {
    double y = horizonY + 2 + 2.2 * k * k;
    if (y >= h) break;
    double fade = std::min(1.0, (y - horizonY) / 120.0);
    SetShade(cr, Ramp::Night, 0.35 + 0.4 * fade);
    cairo_move_to(cr, 0, std::floor(y) + 0.5);
    cairo_line_to(cr, w, std::floor(y) + 0.5);
    cairo_stroke(cr);
  }
  for (int k = -16; k <= 16; ++k) {
    double x0 = vx + k * 12, x1 = vx + k * 90;
    SetLinear(cr, 0, horizonY, 0, h, {{0, Shade(Ramp::Night, 0.2)}, {1, Shade(Ramp::Night, 0.7)}});
    cairo_move_to(cr, x0, horizonY + 2);
    cairo_line_to(cr, x1, h + 40);
    cairo_stroke(cr);
  }
  return c.Sprite(7);
}
