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

// A dark rim, so neighbouring bricks read as separate blocks; the corner pixels stay see-through.
void Rim(cairo_t* cr, Ramp ramp, double t) {
  cairo_rectangle(cr, 0, 0, kW, kH);
  SetShade(cr, ramp, t);
  cairo_fill(cr);
}

void CutCorners(Indexed& img) {
  img.at(0, 0) = img.at(kW - 1, 0) = img.at(0, kH - 1) = img.at(kW - 1, kH - 1) = kMagentaIndex;
}

// Bevel of width b inside the rim, lit from the upper left.
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

void Fill(cairo_t* cr, double x, double y, double w, double h) {
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
}

// A 3x3 domed rivet placed pixel by pixel, crisper than anything anti-aliased at this size.
void PixelRivet(Indexed& img, int x, int y, Ramp ramp) {
  const double shade[3][3] = {{-1, 0.85, -1}, {0.95, 0.7, 0.35}, {-1, 0.3, 0.1}};
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 3; ++i)
      if (shade[j][i] >= 0) img.at(x + i, y + j) = static_cast<uint8_t>(ShadeIndex(ramp, shade[j][i]));
}

}  // namespace

Indexed DrawBrick(Ramp ramp, double lift) {
  Canvas c(kW, kH);
  cairo_t* cr = c.cr();
  auto t = [lift](double v) { return std::min(1.0, v + lift); };
  Rim(cr, ramp, 0.06 + lift * 0.5);
  Bevel(cr, ramp, 2, 1.0, t(0.84), t(0.26), t(0.36));
  SetShade(cr, ramp, t(0.94));
  Fill(cr, 2, 2, kW - 4, 1);
  // Face: a bright glassy upper half over a deeper lower half, as bands {top row, rows, shade}.
  const struct {
    int y, h;
    double shade;
  } bands[] = {{3, 4, 0.74}, {7, 1, 0.66}, {8, 3, 0.56}, {11, 2, 0.5}};
  for (const auto& b : bands) {
    SetShade(cr, ramp, t(b.shade));
    Fill(cr, 3, b.y, kW - 6, b.h);
  }
  SetShade(cr, ramp, t(0.8));
  Fill(cr, 4, 4, kW - 9, 1);
  SetShade(cr, ramp, 1);
  Fill(cr, 4, 3, 5, 1);
  Fill(cr, 4, 4, 1, 2);
  Indexed img = c.Sprite(0);
  CutCorners(img);
  return img;
}

Indexed DrawSteelBrick() {
  const Ramp s = Ramp::Steel;
  Canvas c(kW, kH);
  cairo_t* cr = c.cr();
  Rim(cr, s, 0.03);
  Bevel(cr, s, 2, 0.98, 0.8, 0.16, 0.24);
  // Brushed plate with a horizontal sheen.
  SetLinear(cr, 0, 3, 0, 13,
            {{0, Shade(s, 0.5)}, {0.3, Shade(s, 0.72)}, {0.45, Shade(s, 0.55)}, {1, Shade(s, 0.36)}});
  Fill(cr, 3, 3, kW - 6, kH - 6);
  Lcg rng(0x57ee1);
  for (int y = 4; y < kH - 4; ++y) {
    SetShade(cr, s, rng.Unit() < 0.5 ? 0.66 : 0.42);
    Fill(cr, 8 + (rng.Next() % 10), y, 3 + (rng.Next() % 6), 1);
  }
  // An engraved groove framing the plate.
  SetShade(cr, s, 0.18);
  Fill(cr, 7, 5, kW - 14, 1);
  Fill(cr, 7, 5, 1, 6);
  SetShade(cr, s, 0.78);
  Fill(cr, 8, 10, kW - 15, 1);
  Fill(cr, kW - 8, 6, 1, 5);
  Indexed img = c.Sprite(0);
  for (int x : {3, kW - 6})
    for (int y : {3, kH - 6}) PixelRivet(img, x, y, s);
  CutCorners(img);
  return img;
}

Indexed DrawCrackedBrick() {
  const Ramp b = Ramp::Brown;
  Canvas c(kW, kH);
  cairo_t* cr = c.cr();
  Rim(cr, b, 0.04);
  Bevel(cr, b, 2, 0.8, 0.66, 0.2, 0.28);
  SetLinear(cr, 0, 3, 0, 13, {{0, Shade(b, 0.58)}, {1, Shade(b, 0.4)}});
  Fill(cr, 3, 3, kW - 6, kH - 6);
  // Pitted surface.
  Lcg rng(0xc4ac3d);
  for (int i = 0; i < 18; ++i) {
    SetShade(cr, b, 0.22 + rng.Unit() * 0.12);
    Fill(cr, 3 + (rng.Next() % 26), 3 + (rng.Next() % 10), 1, 1);
  }
  // The cracks: a dark fissure with a lit lip below it.
  const double main[][2] = {{1, 5}, {7, 7}, {11, 4}, {16, 9}, {20, 7}, {24, 12}, {31, 10}};
  const double branch[][2] = {{11, 4}, {13, 1}};
  const double branch2[][2] = {{16, 9}, {15, 15}};
  const double branch3[][2] = {{20, 7}, {26, 3}, {29, 1}};
  auto poly = [cr](const double(*pts)[2], int n, double dx, double dy) {
    cairo_move_to(cr, pts[0][0] + dx, pts[0][1] + dy);
    for (int i = 1; i < n; ++i) cairo_line_to(cr, pts[i][0] + dx, pts[i][1] + dy);
  };
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetShade(cr, b, 0.8);
  cairo_set_line_width(cr, 1);
  poly(main, 7, 0.5, 1.5);
  poly(branch3, 3, 0.5, 1.5);
  cairo_stroke(cr);
  SetShade(cr, b, 0.02);
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
  Indexed img = c.Sprite(0);
  CutCorners(img);
  return img;
}

Indexed DrawBrickFlash() {
  Canvas c(kW, kH);
  cairo_t* cr = c.cr();
  Rim(cr, Ramp::Ice, 0.85);
  SetRadial(cr, kW / 2.0, kH / 2.0, kW / 2.0, kH / 2.0, 17,
            {{0, Shade(Ramp::Grey, 1)}, {0.55, Shade(Ramp::Grey, 1)}, {1, Shade(Ramp::Ice, 0.93)}});
  Fill(cr, 1, 1, kW - 2, kH - 2);
  Indexed img = c.Sprite(3);
  CutCorners(img);
  return img;
}
