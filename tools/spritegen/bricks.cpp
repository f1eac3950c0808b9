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

// The glossy face every coloured brick shares: rim, bevel and a bright glassy upper half over a deeper lower
// half.
void GlossyFace(cairo_t* cr, Ramp ramp, double lift) {
  auto t = [lift](double v) { return std::min(1.0, v + lift); };
  Rim(cr, ramp, 0.06 + lift * 0.5);
  Bevel(cr, ramp, 2, 1.0, t(0.84), t(0.26), t(0.36));
  SetShade(cr, ramp, t(0.94));
  Fill(cr, 2, 2, kW - 4, 1);
  // Bands as {top row, rows, shade}.
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
}

}  // namespace

Indexed DrawBrick(Ramp ramp, double lift) {
  Canvas c(kW, kH);
  GlossyFace(c.cr(), ramp, lift);
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

// A brick that has taken its first hit: the same glossy glass as its neighbours, in a colour of its own,
// shattered from the point of impact. Each crack is a dark fissure with a lit edge beside it.
Indexed DrawCrackedBrick() {
  const Ramp r = Ramp::Ice;
  Canvas c(kW, kH);
  cairo_t* cr = c.cr();
  GlossyFace(cr, r, 0);
  const double cx = 12.5, cy = 7.5;
  const double rays[][2] = {{2, 2.5}, {7.5, 14}, {19.5, 14}, {30, 11.5}, {26.5, 2}, {14.5, 1.5}};
  auto crack = [&](double dx, double dy) {
    cairo_move_to(cr, cx + dx, cy + dy);
    for (const auto& ray : rays) {
      // Each ray bends once, halfway out.
      const double mx = (cx + ray[0]) / 2 + (ray[1] - cy) * 0.12,
                   my = (cy + ray[1]) / 2 - (ray[0] - cx) * 0.08;
      cairo_move_to(cr, cx + dx, cy + dy);
      cairo_line_to(cr, mx + dx, my + dy);
      cairo_line_to(cr, ray[0] + dx, ray[1] + dy);
    }
    // A ring of splinters around the impact.
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx + dx, cy + dy, 2.6, 0.2 * M_PI, 1.1 * M_PI);
  };
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 1);
  crack(1, 1);
  SetShade(cr, Ramp::Grey, 1);
  cairo_stroke(cr);
  crack(0, 0);
  SetShade(cr, Ramp::Night, 0.02);
  cairo_stroke(cr);
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
