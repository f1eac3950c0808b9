// The paddle in its three sizes and the magnet fields drawn over it.
#include <cmath>

#include "art.h"
#include "canvas.h"

namespace {

constexpr int kH = 16;

// A capsule-shaped body: the outline of every paddle part.
void Capsule(cairo_t* cr, double x, double y, double w, double h) { RoundRect(cr, x, y, w, h, h / 2); }

// Chrome shading: bright top edge, dark horizon line, warm reflection below.
void SetChrome(cairo_t* cr, double y0, double y1) {
  SetLinear(cr, 0, y0, 0, y1,
            {{0, Shade(Ramp::Steel, 0.75)},
             {0.18, Shade(Ramp::Grey, 1)},
             {0.45, Shade(Ramp::Steel, 0.7)},
             {0.55, Shade(Ramp::Steel, 0.32)},
             {0.8, Shade(Ramp::Steel, 0.55)},
             {1, Shade(Ramp::Steel, 0.2)}});
}

void EndCap(cairo_t* cr, double x, double w) {
  cairo_save(cr);
  Capsule(cr, 1, 1, w - 2, kH - 2);
  cairo_clip(cr);
  cairo_rectangle(cr, x, 0, 11, kH);
  SetLinear(cr, 0, 1, 0, kH - 1,
            {{0, Shade(Ramp::Fire, 0.6)},
             {0.22, Shade(Ramp::Fire, 1)},
             {0.5, Shade(Ramp::Fire, 0.62)},
             {0.75, Shade(Ramp::Red, 0.4)},
             {1, Shade(Ramp::Red, 0.15)}});
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace

Indexed DrawPaddle(int w) {
  Canvas c(w, kH);
  cairo_t* cr = c.cr();
  Capsule(cr, 0, 0, w, kH);
  SetShade(cr, Ramp::Steel, 0.05);
  cairo_fill(cr);
  Capsule(cr, 1, 1, w - 2, kH - 2);
  SetChrome(cr, 1, kH - 1);
  cairo_fill(cr);
  EndCap(cr, 0, w);
  EndCap(cr, w - 11, w);
  // Seams between the lit ends and the chrome body.
  SetShade(cr, Ramp::Steel, 0.08);
  for (double x : {10.0, w - 11.0}) {
    cairo_rectangle(cr, x, 1, 1, kH - 2);
    cairo_fill(cr);
  }
  // Blue running light in the middle of the body.
  double lx = 14, lw = w - 28;
  RoundRect(cr, lx, 6.5, lw, 3, 1.5);
  SetShade(cr, Ramp::Blue, 0.15);
  cairo_fill(cr);
  RoundRect(cr, lx + 1, 7, lw - 2, 2, 1);
  SetLinear(cr, lx, 0, lx + lw, 0,
            {{0, Shade(Ramp::Ice, 0.55)}, {0.5, Shade(Ramp::Ice, 1)}, {1, Shade(Ramp::Ice, 0.55)}});
  cairo_fill(cr);
  return c.Sprite(6);
}

Indexed DrawMagnetField(int paddleWidth) {
  const int w = paddleWidth - 4;
  Canvas c(w, kH);
  cairo_t* cr = c.cr();
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  // Field lines bowing toward the paddle, brighter the closer they are to it.
  for (int k = 0; k < 3; ++k) {
    const double y = 2 + k * 5, inset = 7 - k * 2.5, sag = 2.5;
    cairo_set_line_width(cr, 1.2 + 0.3 * k);
    SetLinear(cr, inset, 0, w - inset, 0,
              {{0, Shade(Ramp::Purple, 0.5)},
               {0.3, Shade(Ramp::Ice, 0.7 + 0.1 * k)},
               {0.5, Shade(Ramp::Ice, 0.85 + 0.07 * k)},
               {0.7, Shade(Ramp::Ice, 0.7 + 0.1 * k)},
               {1, Shade(Ramp::Purple, 0.5)}});
    cairo_move_to(cr, inset, y + sag);
    cairo_curve_to(cr, w * 0.3, y - sag * 0.4, w * 0.7, y - sag * 0.4, w - inset, y + sag);
    cairo_stroke(cr);
  }
  // Sparks caught in the field.
  Lcg rng(0x3a6e7 + w);
  for (int i = 0; i < w / 10; ++i) {
    double x = 4 + rng.Unit() * (w - 8), y = 1 + rng.Unit() * 13;
    SetShade(cr, Ramp::Grey, 1);
    cairo_rectangle(cr, std::floor(x), std::floor(y), 1, 1);
    cairo_fill(cr);
  }
  return c.Sprite(0);
}
