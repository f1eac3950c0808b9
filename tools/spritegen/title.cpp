// The game's title logotype and the maker's VORTEX emblem.
#include <cmath>

#include "art.h"
#include "canvas.h"

namespace {

// Chrome of the classic arcade kind: sky-blue top, dark horizon line, warm ground reflection.
void SetChromeFill(cairo_t* cr, double top, double bottom) {
  SetLinear(cr, 0, top, 0, bottom,
            {{0, Shade(Ramp::Grey, 1)},
             {0.25, Shade(Ramp::Ice, 0.85)},
             {0.5, Shade(Ramp::Blue, 0.55)},
             {0.53, Shade(Ramp::Blue, 0.2)},
             {0.6, Shade(Ramp::Purple, 0.45)},
             {0.8, Shade(Ramp::Gold, 0.7)},
             {1, Shade(Ramp::Gold, 0.95)}});
}

// Places text so that its ink fills the box (x, y, w, h), keeping the aspect ratio.
void FitText(cairo_t* cr, const char* text, double x, double y, double w, double h, double skew,
             double xScale) {
  SelectBoldFont(cr, 100, xScale, skew);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text, &e);
  double s = std::min(w / e.width, h / e.height);
  double size = 100 * s;
  SelectBoldFont(cr, size, xScale, skew);
  cairo_text_extents(cr, text, &e);
  cairo_move_to(cr, x + (w - e.width) / 2 - e.x_bearing, y + (h - e.height) / 2 - e.y_bearing);
  cairo_text_path(cr, text);
}

void LayeredText(cairo_t* cr, double top, double bottom, double outline) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, outline * 2);
  SetShade(cr, Ramp::Night, 0.02);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, outline * 1.1);
  SetLinear(cr, 0, top, 0, bottom,
            {{0, Shade(Ramp::Gold, 1)}, {0.5, Shade(Ramp::Gold, 0.6)}, {1, Shade(Ramp::Gold, 0.3)}});
  cairo_stroke_preserve(cr);
  SetChromeFill(cr, top, bottom);
  cairo_fill(cr);
}

}  // namespace

Indexed DrawTitle() {
  Canvas c(400, 80);
  cairo_t* cr = c.cr();
  // A ball's arc swooping under the word.
  cairo_set_line_width(cr, 3);
  cairo_move_to(cr, 14, 74);
  cairo_curve_to(cr, 120, 62, 300, 80, 392, 70);
  SetLinear(cr, 14, 0, 392, 0, {{0, Shade(Ramp::Fire, 0.2)}, {1, Shade(Ramp::Fire, 0.9)}});
  cairo_stroke(cr);
  FitText(cr, "Rebounder", 6, 4, 388, 66, 0.18, 1.0);
  LayeredText(cr, 6, 70, 3.5);
  cairo_arc(cr, 390, 68, 6, 0, 2 * M_PI);
  SetRadial(cr, 388, 66, 390, 68, 6, {{0, Shade(Ramp::Grey, 1)}, {1, Shade(Ramp::Steel, 0.3)}});
  cairo_fill(cr);
  return c.Sprite(8);
}

Indexed DrawLogo() {
  const double cx = 72, cy = 75, r = 66;
  Canvas c(400, 150);
  cairo_t* cr = c.cr();
  cairo_arc(cr, cx, cy, r + 3, 0, 2 * M_PI);
  SetShade(cr, Ramp::Night, 0.02);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  SetLinear(cr, cx - r, cy - r, cx + r, cy + r,
            {{0, Shade(Ramp::Steel, 1)}, {0.5, Shade(Ramp::Steel, 0.5)}, {1, Shade(Ramp::Steel, 0.2)}});
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, r - 6, 0, 2 * M_PI);
  SetRadial(cr, cx, cy, cx, cy, r - 6,
            {{0, Shade(Ramp::Ice, 0.9)}, {0.3, Shade(Ramp::Blue, 0.5)}, {1, Shade(Ramp::Night, 0.05)}});
  cairo_fill(cr);
  // Spiral arms of the vortex.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int arm = 0; arm < 5; ++arm) {
    double a0 = arm * 2 * M_PI / 5;
    for (int i = 0; i < 60; ++i) {
      double t = i / 60.0;
      double a = a0 + t * 3.6, rr = 4 + t * (r - 12);
      double x = cx + std::cos(a) * rr, y = cy + std::sin(a) * rr;
      cairo_arc(cr, x, y, 1.0 + 3.2 * t, 0, 2 * M_PI);
      SetShade(cr, arm % 2 ? Ramp::Purple : Ramp::Ice, 0.95 - 0.45 * t);
      cairo_fill(cr);
    }
  }
  FitText(cr, "VORTEX", 152, 40, 244, 62, 0.0, 1.15);
  LayeredText(cr, 40, 102, 3);
  cairo_rectangle(cr, 152, 112, 244, 3);
  SetLinear(cr, 152, 0, 396, 0, {{0, Shade(Ramp::Gold, 0.95)}, {1, Shade(Ramp::Gold, 0.3)}});
  cairo_fill(cr);
  return c.Sprite(8);
}
