// The brick pictures: six bevelled colours, solid steel, the cracked brick and the hit flash.
#include <cmath>

#include "art.h"
#include "canvas.h"

namespace {

constexpr int kW = 32, kH = 16;

void Quad(cairo_t* cr, double x0, double y0, double x1, double y1, double x2, double y2, double x3,
          double y3) {
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_line_to(cr, x2, y2);
  cairo_line_to(cr, x3, y3);
  cairo_close_path(cr);
  cairo_fill(cr);
}

// A dark rim with cut corners, so neighbouring bricks read as separate blocks.
void Rim(cairo_t* cr, Ramp ramp) {
  cairo_move_to(cr, 1, 0);
  cairo_line_to(cr, kW - 1, 0);
  cairo_line_to(cr, kW, 1);
  cairo_line_to(cr, kW, kH - 1);
  cairo_line_to(cr, kW - 1, kH);
  cairo_line_to(cr, 1, kH);
  cairo_line_to(cr, 0, kH - 1);
  cairo_line_to(cr, 0, 1);
  cairo_close_path(cr);
  SetShade(cr, ramp, 0.06);
  cairo_fill(cr);
}

// Bevel of width b inside the rim: lit from the upper left.
void Bevel(cairo_t* cr, Ramp ramp, double b, double top, double left, double bottom, double right) {
  const double x0 = 1, y0 = 1, x1 = kW - 1, y1 = kH - 1;
  SetShade(cr, ramp, top);
  Quad(cr, x0, y0, x1, y0, x1 - b, y0 + b, x0 + b, y0 + b);
  SetShade(cr, ramp, left);
  Quad(cr, x0, y0, x0 + b, y0 + b, x0 + b, y1 - b, x0, y1);
  SetShade(cr, ramp, bottom);
  Quad(cr, x0, y1, x0 + b, y1 - b, x1 - b, y1 - b, x1, y1);
  SetShade(cr, ramp, right);
  Quad(cr, x1, y0, x1, y1, x1 - b, y1 - b, x1 - b, y0 + b);
}

}  // namespace

Indexed DrawBrick(Ramp ramp) {
  Canvas c(kW, kH);
  cairo_t* cr = c.cr();
  Rim(cr, ramp);
  Bevel(cr, ramp, 2, 0.97, 0.82, 0.24, 0.36);
  SetLinear(cr, 0, 3, 0, 13, {{0, Shade(ramp, 0.74)}, {0.45, Shade(ramp, 0.62)}, {1, Shade(ramp, 0.48)}});
  cairo_rectangle(cr, 3, 3, kW - 6, kH - 6);
  cairo_fill(cr);
  // Glassy sheen across the upper half of the face.
  SetLinear(cr, 0, 3, 0, 8, {{0, Shade(ramp, 0.9)}, {1, Shade(ramp, 0.72)}});
  RoundRect(cr, 4, 3.5, kW - 8, 4, 1.5);
  cairo_fill(cr);
  SetShade(cr, ramp, 1);
  cairo_rectangle(cr, 4, 3, 4, 1);
  cairo_fill(cr);
  return c.Sprite(6);
}

Indexed DrawSteelBrick() {
  Canvas c(kW, kH);
  cairo_t* cr = c.cr();
  Rim(cr, Ramp::Steel);
  Bevel(cr, Ramp::Steel, 2, 1.0, 0.85, 0.2, 0.3);
  SetLinear(cr, 0, 3, kW, 13,
            {{0, Shade(Ramp::Steel, 0.72)}, {0.5, Shade(Ramp::Steel, 0.55)}, {1, Shade(Ramp::Steel, 0.62)}});
  cairo_rectangle(cr, 3, 3, kW - 6, kH - 6);
  cairo_fill(cr);
  // Brushed metal: faint horizontal streaks.
  Lcg rng(0x57ee1);
  for (int y = 3; y < kH - 3; ++y) {
    double x = 3 + rng.Unit() * 8;
    double len = 6 + rng.Unit() * 12;
    SetShade(cr, Ramp::Steel, rng.Unit() < 0.5 ? 0.8 : 0.45, 0.7);
    cairo_rectangle(cr, x, y, len, 1);
    cairo_fill(cr);
  }
  for (double x : {6.5, kW - 6.5})
    for (double y : {5.5, kH - 5.5}) Rivet(cr, x, y, 1.7, Ramp::Steel);
  return c.Sprite(0);
}

Indexed DrawCrackedBrick() {
  Canvas c(kW, kH);
  cairo_t* cr = c.cr();
  Rim(cr, Ramp::Brown);
  Bevel(cr, Ramp::Brown, 2, 0.78, 0.66, 0.2, 0.28);
  SetLinear(cr, 0, 3, 0, 13, {{0, Shade(Ramp::Brown, 0.55)}, {1, Shade(Ramp::Brown, 0.38)}});
  cairo_rectangle(cr, 3, 3, kW - 6, kH - 6);
  cairo_fill(cr);
  // Pitted surface.
  Lcg rng(0xc4ac3d);
  for (int i = 0; i < 18; ++i) {
    SetShade(cr, Ramp::Brown, 0.2 + rng.Unit() * 0.15);
    cairo_rectangle(cr, 3 + (rng.Next() % 26), 3 + (rng.Next() % 10), 1, 1);
    cairo_fill(cr);
  }
  // The cracks: a dark fissure with a lit lip beside it.
  const double main[][2] = {{1, 5}, {7, 7}, {11, 4}, {16, 9}, {20, 7}, {24, 12}, {31, 10}};
  const double branch[][2] = {{11, 4}, {13, 1}};
  const double branch2[][2] = {{16, 9}, {15, 15}};
  const double branch3[][2] = {{20, 7}, {26, 3}, {29, 1}};
  auto poly = [cr](const double(*pts)[2], int n, double dx, double dy) {
    cairo_move_to(cr, pts[0][0] + dx, pts[0][1] + dy);
    for (int i = 1; i < n; ++i) cairo_line_to(cr, pts[i][0] + dx, pts[i][1] + dy);
  };
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetShade(cr, Ramp::Brown, 0.75);
  cairo_set_line_width(cr, 1);
  poly(main, 7, 0.5, 1.5);
  poly(branch3, 3, 0.5, 1.5);
  cairo_stroke(cr);
  SetShade(cr, Ramp::Brown, 0.02);
  cairo_set_line_width(cr, 1.4);
  poly(main, 7, 0, 0);
  poly(branch, 2, 0, 0);
  poly(branch2, 2, 0, 0);
  poly(branch3, 3, 0, 0);
  cairo_stroke(cr);
  // A chip broken off the top right corner.
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_move_to(cr, 25, 0);
  cairo_line_to(cr, 32, 0);
  cairo_line_to(cr, 32, 5);
  cairo_line_to(cr, 29, 3);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  return c.Sprite(0);
}

Indexed DrawBrickFlash() {
  Canvas c(kW, kH);
  cairo_t* cr = c.cr();
  Rim(cr, Ramp::Ice);
  cairo_rectangle(cr, 1, 1, kW - 2, kH - 2);
  SetShade(cr, Ramp::Ice, 0.9);
  cairo_fill(cr);
  SetRadial(cr, kW / 2.0, kH / 2.0, kW / 2.0, kH / 2.0, 16,
            {{0, Shade(Ramp::Grey, 1)}, {0.6, Shade(Ramp::Grey, 1)}, {1, Shade(Ramp::Ice, 0.92)}});
  cairo_rectangle(cr, 2, 2, kW - 4, kH - 4);
  cairo_fill(cr);
  return c.Sprite(4);
}
