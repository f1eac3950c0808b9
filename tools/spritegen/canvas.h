// A Cairo drawing surface and the small drawing helpers the pictures share.
#pragma once
#include <cairo.h>

#include <utility>
#include <vector>

#include "image.h"
#include "palette.h"

class Canvas {
public:
  Canvas(int w, int h);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  cairo_surface_t* surface() const { return surface_; }
  int w() const { return w_; }
  int h() const { return h_; }
  Indexed Sprite(double dither = 0, bool softEdges = false) const;

private:
  int w_, h_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

using GradientStops = std::vector<std::pair<double, Rgb>>;

void SetColour(cairo_t* cr, Rgb c, double alpha = 1);
void SetShade(cairo_t* cr, Ramp ramp, double t, double alpha = 1);
void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r);
// Sets a linear gradient from (x0, y0) to (x1, y1) as the source.
void SetLinear(cairo_t* cr, double x0, double y0, double x1, double y1, const GradientStops& stops);
// Sets a radial gradient around (cx, cy) out to radius r as the source.
void SetRadial(cairo_t* cr, double fx, double fy, double cx, double cy, double r, const GradientStops& stops);
// A radial gradient whose stops also fade: {position, colour, opacity}.
struct FadeStop {
  double t;
  Rgb c;
  double alpha;
};
void SetRadialFade(cairo_t* cr, double cx, double cy, double r, const std::vector<FadeStop>& stops);
// A domed rivet head with its light from the upper left.
void Rivet(cairo_t* cr, double cx, double cy, double r, Ramp ramp);
// Text as a path, in DejaVu Sans Bold, with its baseline-left at the current point.
void TextPath(cairo_t* cr, const char* text, double size, double xScale = 1, double skew = 0);
void SelectBoldFont(cairo_t* cr, double size, double xScale = 1, double skew = 0);
