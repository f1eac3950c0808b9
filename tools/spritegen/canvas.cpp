// A Cairo drawing surface and the small drawing helpers the pictures share.
#include "canvas.h"

#include <cmath>

Canvas::Canvas(int w, int h)
    : w_(w),
      h_(h),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h)),
      cr_(cairo_create(surface_)) {
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GRAY);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

Indexed Canvas::Sprite(double dither, bool softEdges) const {
  QuantOptions o;
  o.dither = dither;
  o.alphaDither = softEdges;
  return Quantise(surface_, o);
}

void SetColour(cairo_t* cr, Rgb c, double alpha) {
  cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}

void SetShade(cairo_t* cr, Ramp ramp, double t, double alpha) { SetColour(cr, Shade(ramp, t), alpha); }

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
}

namespace {

void AddStops(cairo_pattern_t* p, const GradientStops& stops) {
  for (const auto& [t, c] : stops)
    cairo_pattern_add_color_stop_rgb(p, t, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

}  // namespace

void SetLinear(cairo_t* cr, double x0, double y0, double x1, double y1, const GradientStops& stops) {
  cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
  AddStops(p, stops);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}

void SetRadial(cairo_t* cr, double fx, double fy, double cx, double cy, double r,
               const GradientStops& stops) {
  cairo_pattern_t* p = cairo_pattern_create_radial(fx, fy, 0, cx, cy, r);
  AddStops(p, stops);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}

void SetRadialFade(cairo_t* cr, double cx, double cy, double r, const std::vector<FadeStop>& stops) {
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
  for (const FadeStop& s : stops)
    cairo_pattern_add_color_stop_rgba(p, s.t, s.c.r / 255.0, s.c.g / 255.0, s.c.b / 255.0, s.alpha);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}

void Rivet(cairo_t* cr, double cx, double cy, double r, Ramp ramp) {
  cairo_arc(cr, cx + 0.4, cy + 0.5, r, 0, 2 * M_PI);
  SetShade(cr, ramp, 0.05);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, r * 0.85, 0, 2 * M_PI);
  SetRadial(cr, cx - r * 0.35, cy - r * 0.35, cx, cy, r,
            {{0, Shade(ramp, 1)}, {0.5, Shade(ramp, 0.6)}, {1, Shade(ramp, 0.25)}});
  cairo_fill(cr);
}

void SelectBoldFont(cairo_t* cr, double size, double xScale, double skew) {
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_matrix_t m;
  cairo_matrix_init(&m, size * xScale, 0, -skew * size, size, 0, 0);
  cairo_set_font_matrix(cr, &m);
  cairo_font_options_t* fo = cairo_font_options_create();
  cairo_font_options_set_hint_style(fo, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(fo, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(fo, CAIRO_ANTIALIAS_GRAY);
  cairo_set_font_options(cr, fo);
  cairo_font_options_destroy(fo);
}

void TextPath(cairo_t* cr, const char* text, double size, double xScale, double skew) {
  SelectBoldFont(cr, size, xScale, skew);
  cairo_text_path(cr, text);
}
