// The game's title logotype and the maker's VORTEX emblem.
#include <algorithm>
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

// The outline of text whose ink fills the box (x, y, w, h), keeping the aspect ratio. Caller destroys it.
cairo_path_t* FitText(cairo_t* cr, const char* text, double x, double y, double w, double h, double skew,
                      double xScale) {
  SelectBoldFont(cr, 100, xScale, skew);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text, &e);
  double size = 100 * std::min(w / e.width, h / e.height);
  SelectBoldFont(cr, size, xScale, skew);
  cairo_text_extents(cr, text, &e);
  cairo_new_path(cr);
  cairo_move_to(cr, x + (w - e.width) / 2 - e.x_bearing, y + (h - e.height) / 2 - e.y_bearing);
  cairo_text_path(cr, text);
  cairo_path_t* path = cairo_copy_path(cr);
  cairo_new_path(cr);
  return path;
}

void AppendAt(cairo_t* cr, cairo_path_t* path, double dx, double dy) {
  cairo_save(cr);
  cairo_translate(cr, dx, dy);
  cairo_new_path(cr);
  cairo_append_path(cr, path);
  cairo_restore(cr);
}

// Solid depth under the letters, stepping down and to the right.
void Extrude(cairo_t* cr, cairo_path_t* path, int depth, double outline) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (int d = depth; d >= 1; --d) {
    AppendAt(cr, path, d * 0.6, d);
    cairo_set_line_width(cr, outline * 2);
    SetShade(cr, Ramp::Night, 0.02);
    cairo_stroke_preserve(cr);
    SetShade(cr, Ramp::Purple, 0.12 + 0.2 * (depth - d) / depth);
    cairo_fill(cr);
  }
}

void LayeredText(cairo_t* cr, cairo_path_t* path, double top, double bottom, double outline) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  AppendAt(cr, path, 0, 0);
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

// A tapering comet trail ending in a ball, the bounce the game is named after.
void Trail(cairo_t* cr, double x0, double y0, double x1, double y1) {
  cairo_move_to(cr, x0, y0);
  cairo_curve_to(cr, x0 + 120, y0 - 8, x1 - 140, y1 + 6, x1, y1 - 5);
  cairo_line_to(cr, x1, y1 + 5);
  cairo_curve_to(cr, x1 - 140, y1 + 12, x0 + 120, y0 - 3, x0, y0);
  cairo_close_path(cr);
  SetLinear(cr, x0, 0, x1, 0,
            {{0, Shade(Ramp::Fire, 0.15)}, {0.6, Shade(Ramp::Fire, 0.55)}, {1, Shade(Ramp::Fire, 0.95)}});
  cairo_fill(cr);
  cairo_arc(cr, x1, y1, 6.5, 0, 2 * M_PI);
  SetShade(cr, Ramp::Night, 0.02);
  cairo_fill(cr);
  cairo_arc(cr, x1, y1, 5.5, 0, 2 * M_PI);
  SetRadial(cr, x1 - 2, y1 - 2, x1, y1, 5.5,
            {{0, Shade(Ramp::Grey, 1)}, {0.5, Shade(Ramp::Steel, 0.75)}, {1, Shade(Ramp::Steel, 0.3)}});
  cairo_fill(cr);
}

void VortexDisc(cairo_t* cr, double cx, double cy, double r) {
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
  // Spiral arms, thickening as they sweep outward.
  for (int arm = 0; arm < 5; ++arm) {
    double a0 = arm * 2 * M_PI / 5;
    for (int i = 0; i < 60; ++i) {
      double t = i / 60.0;
      double a = a0 + t * 3.6, rr = 4 + t * (r - 12);
      cairo_arc(cr, cx + std::cos(a) * rr, cy + std::sin(a) * rr, 1.0 + 3.2 * t, 0, 2 * M_PI);
      SetShade(cr, arm % 2 ? Ramp::Purple : Ramp::Ice, 0.95 - 0.45 * t);
      cairo_fill(cr);
    }
  }
}

}  // namespace

Indexed DrawTitle() {
  Canvas c(400, 80);
  cairo_t* cr = c.cr();
  Trail(cr, 8, 73, 390, 70);
  cairo_path_t* word = FitText(cr, "Rebounder", 4, 2, 384, 64, 0.18, 1.0);
  Extrude(cr, word, 5, 3);
  LayeredText(cr, word, 4, 66, 3);
  cairo_path_destroy(word);
  return c.Sprite(8);
}

Indexed DrawLogo() {
  Canvas c(400, 150);
  cairo_t* cr = c.cr();
  VortexDisc(cr, 72, 75, 66);
  cairo_path_t* name = FitText(cr, "VORTEX", 152, 44, 244, 56, 0.0, 1.12);
  Extrude(cr, name, 4, 2.5);
  LayeredText(cr, name, 44, 100, 2.5);
  cairo_path_destroy(name);
  cairo_rectangle(cr, 152, 112, 244, 3);
  SetLinear(cr, 152, 0, 396, 0, {{0, Shade(Ramp::Gold, 0.95)}, {1, Shade(Ramp::Gold, 0.3)}});
  cairo_fill(cr);
  return c.Sprite(8);
}
