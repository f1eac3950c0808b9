// The HUD strip with its recessed windows, the energy segment, the life icon, box skins and check boxes.
#include <cmath>

#include "art.h"
#include "canvas.h"

namespace {

constexpr int kHudW = 480, kHudH = 48;
constexpr double kWindowTop = 12, kWindowH = 16, kLabelBaseline = 41;
// The game draws the life icons 14 rows above the score's row; the icon's picture starts that far down so
// that it stands on the same row as the digits.
constexpr int kLifeDrop = 14;

// A window sunk into the panel: shadow on the upper left, lit lip on the lower right.
void Recess(cairo_t* cr, double x, double y, double w, double h) {
  RoundRect(cr, x - 1, y - 1, w + 2, h + 2, 3);
  SetShade(cr, Ramp::Steel, 0.85);
  cairo_fill(cr);
  RoundRect(cr, x - 1, y - 1, w + 1, h + 1, 3);
  SetShade(cr, Ramp::Steel, 0.06);
  cairo_fill(cr);
  RoundRect(cr, x, y, w, h, 2);
  SetLinear(cr, 0, y, 0, y + h, {{0, Shade(Ramp::Night, 0.02)}, {1, Shade(Ramp::Night, 0.16)}});
  cairo_fill(cr);
}

void Label(cairo_t* cr, const char* text, double cx, double baseline) {
  SelectBoldFont(cr, 8, 1.05);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text, &e);
  double x = std::round(cx - e.x_advance / 2);
  cairo_move_to(cr, x + 1, baseline + 1);
  SetShade(cr, Ramp::Steel, 0.05);
  cairo_show_text(cr, text);
  cairo_move_to(cr, x, baseline);
  SetShade(cr, Ramp::Gold, 0.82);
  cairo_show_text(cr, text);
}

void WallEnd(cairo_t* cr, double x) {
  cairo_rectangle(cr, x, 0, 16, kHudH);
  SetLinear(cr, x, 0, x + 16, 0,
            {{0, Shade(Ramp::Steel, 0.1)},
             {0.1, Shade(Ramp::Steel, 0.55)},
             {0.3, Shade(Ramp::Steel, 0.9)},
             {0.5, Shade(Ramp::Steel, 0.62)},
             {0.8, Shade(Ramp::Steel, 0.35)},
             {1, Shade(Ramp::Steel, 0.06)}});
  cairo_fill(cr);
  Rivet(cr, x + 8, 10, 2.4, Ramp::Steel);
  Rivet(cr, x + 8, 38, 2.4, Ramp::Steel);
}

// Slots of an air vent, purely decorative.
void Vents(cairo_t* cr, double x, double y, int count) {
  for (int i = 0; i < count; ++i) {
    RoundRect(cr, x + i * 7, y, 3, 14, 1.5);
    SetShade(cr, Ramp::Steel, 0.06);
    cairo_fill(cr);
    cairo_rectangle(cr, x + i * 7 + 3, y + 2, 1, 12);
    SetShade(cr, Ramp::Steel, 0.7);
    cairo_fill(cr);
  }
}

}  // namespace

Indexed DrawHud() {
  Canvas c(kHudW, kHudH);
  cairo_t* cr = c.cr();
  cairo_rectangle(cr, 0, 0, kHudW, kHudH);
  SetLinear(cr, 0, 0, 0, kHudH,
            {{0, Shade(Ramp::Steel, 0.62)},
             {0.3, Shade(Ramp::Steel, 0.5)},
             {0.7, Shade(Ramp::Steel, 0.4)},
             {1, Shade(Ramp::Steel, 0.3)}});
  cairo_fill(cr);
  // Brushed texture, drawn sparsely so it stays quiet.
  Lcg rng(0x40d);
  for (int i = 0; i < 160; ++i) {
    double v = rng.Unit() < 0.5 ? 1 : 0;
    cairo_set_source_rgba(cr, v, v, v, 0.08);
    cairo_rectangle(cr, rng.Next() % kHudW, 6 + rng.Next() % 38, 4 + rng.Next() % 20, 1);
    cairo_fill(cr);
  }
  // Top lip with a lit running strip, and a dark bottom lip.
  const struct {
    int y, h;
    Ramp ramp;
    double shade;
  } strips[] = {{0, 1, Ramp::Steel, 0.95},
                {1, 3, Ramp::Steel, 0.7},
                {4, 1, Ramp::Steel, 0.12},
                {2, 1, Ramp::Blue, 0.6},
                {kHudH - 2, 2, Ramp::Steel, 0.1}};
  for (const auto& strip : strips) {
    cairo_rectangle(cr, 0, strip.y, kHudW, strip.h);
    SetShade(cr, strip.ramp, strip.shade);
    cairo_fill(cr);
  }
  WallEnd(cr, 0);
  WallEnd(cr, kHudW - 16);
  // Score digits, energy segments and life icons all fill rows 15..24 of the strip; their windows share
  // one top and bottom and their labels one baseline.
  const struct {
    double x, w;
    const char* label;
  } windows[] = {{37, 82, "SCORE"}, {240, 107, "ENERGY"}, {361, 58, "LIVES"}};
  for (const auto& w : windows) {
    Recess(cr, w.x, kWindowTop, w.w, kWindowH);
    Label(cr, w.label, w.x + w.w / 2, kLabelBaseline);
  }
  Vents(cr, 137, kWindowTop + 1, 13);
  Vents(cr, 429, kWindowTop + 1, 4);
  for (double x : {24.0, 128.0, 228.0, 354.0, 456.0}) Rivet(cr, x, 40, 1.8, Ramp::Steel);
  return c.Sprite(5);
}

Indexed DrawEnergySegment() {
  Canvas c(4, 10);
  cairo_t* cr = c.cr();
  cairo_rectangle(cr, 0, 0, 4, 10);
  SetLinear(cr, 0, 0, 4, 0,
            {{0, Shade(Ramp::Green, 0.75)}, {0.4, Shade(Ramp::Green, 0.95)}, {1, Shade(Ramp::Green, 0.45)}});
  cairo_fill(cr);
  cairo_rectangle(cr, 0, 0, 4, 1);
  SetShade(cr, Ramp::Green, 1);
  cairo_fill(cr);
  cairo_rectangle(cr, 0, 9, 4, 1);
  SetShade(cr, Ramp::Green, 0.3);
  cairo_fill(cr);
  return c.Sprite(0);
}

Indexed DrawLifeIcon() {
  // A spare paddle with its ball, ten rows high like the energy segments: one more try.
  Canvas c(10, kLifeDrop + 10);
  cairo_t* cr = c.cr();
  cairo_translate(cr, 0, kLifeDrop);
  cairo_arc(cr, 4.5, 3.3, 3.3, 0, 2 * M_PI);
  SetShade(cr, Ramp::Night, 0.0);
  cairo_fill(cr);
  cairo_arc(cr, 4.5, 3.3, 2.6, 0, 2 * M_PI);
  SetRadial(cr, 3.6, 2.4, 4.5, 3.3, 3,
            {{0, Shade(Ramp::Grey, 1)}, {0.5, Shade(Ramp::Gold, 0.8)}, {1, Shade(Ramp::Fire, 0.45)}});
  cairo_fill(cr);
  RoundRect(cr, 0, 6, 9, 4, 2);
  SetShade(cr, Ramp::Night, 0.0);
  cairo_fill(cr);
  RoundRect(cr, 0.8, 6.7, 7.4, 2.6, 1.3);
  SetLinear(cr, 0, 6.7, 0, 9.3,
            {{0, Shade(Ramp::Grey, 1)}, {0.5, Shade(Ramp::Steel, 0.7)}, {1, Shade(Ramp::Steel, 0.35)}});
  cairo_fill(cr);
  cairo_rectangle(cr, 0.8, 7, 1.5, 2);
  cairo_rectangle(cr, 6.7, 7, 1.5, 2);
  SetShade(cr, Ramp::Fire, 0.75);
  cairo_fill(cr);
  return c.Sprite(0);
}

Indexed DrawMessageSkin() {
  Canvas c(60, 60);
  cairo_t* cr = c.cr();
  // Every shade below varies only across the frame, so the 20x20 edge and centre tiles repeat seamlessly.
  RoundRect(cr, 0, 0, 60, 60, 8);
  SetShade(cr, Ramp::Steel, 0.04);
  cairo_fill(cr);
  RoundRect(cr, 1, 1, 58, 58, 7);
  SetShade(cr, Ramp::Steel, 0.95);
  cairo_fill(cr);
  RoundRect(cr, 2, 2, 57, 57, 6.5);
  SetShade(cr, Ramp::Steel, 0.3);
  cairo_fill(cr);
  RoundRect(cr, 2, 2, 56, 56, 6);
  SetShade(cr, Ramp::Steel, 0.66);
  cairo_fill(cr);
  RoundRect(cr, 4, 4, 52, 52, 4);
  SetShade(cr, Ramp::Steel, 0.55);
  cairo_fill(cr);
  RoundRect(cr, 6, 6, 48, 48, 3);
  SetShade(cr, Ramp::Steel, 0.06);
  cairo_fill(cr);
  RoundRect(cr, 7, 7, 47, 47, 3);
  SetShade(cr, Ramp::Steel, 0.8);
  cairo_fill(cr);
  RoundRect(cr, 7, 7, 46, 46, 2.5);
  SetShade(cr, Ramp::Blue, 0.1);
  cairo_fill(cr);
  for (double x : {4.0, 56.0})
    for (double y : {4.0, 56.0}) Rivet(cr, x, y, 1.6, Ramp::Steel);
  return c.Sprite(0);
}

Indexed DrawMenuSkin() {
  // The bar is drawn 40 high; its top half becomes the skin's top row of tiles, its bottom half the bottom
  // row.
  Canvas bar(60, 40);
  cairo_t* cr = bar.cr();
  RoundRect(cr, 0, 0, 60, 40, 10);
  SetShade(cr, Ramp::Gold, 0.1);
  cairo_fill(cr);
  RoundRect(cr, 1, 1, 58, 38, 9);
  SetLinear(cr, 0, 1, 0, 39,
            {{0, Shade(Ramp::Gold, 1)}, {0.5, Shade(Ramp::Gold, 0.7)}, {1, Shade(Ramp::Gold, 0.35)}});
  cairo_fill(cr);
  RoundRect(cr, 3, 3, 54, 34, 7);
  SetShade(cr, Ramp::Gold, 0.15);
  cairo_fill(cr);
  RoundRect(cr, 4, 4, 52, 32, 6);
  SetLinear(cr, 0, 4, 0, 36,
            {{0, Shade(Ramp::Blue, 0.62)},
             {0.45, Shade(Ramp::Blue, 0.38)},
             {0.5, Shade(Ramp::Blue, 0.25)},
             {1, Shade(Ramp::Blue, 0.45)}});
  cairo_fill(cr);
  return SkinFromBar(bar.Sprite(0));
}

Indexed SkinFromBar(const Indexed& bar) {
  Indexed skin;
  skin.w = skin.h = 60;
  skin.px.assign(60 * 60, kMagentaIndex);
  for (int y = 0; y < 60; ++y) {
    int from = y < 20 ? y : (y >= 40 ? y - 20 : 19);
    for (int x = 0; x < 60; ++x) skin.at(x, y) = bar.at(x, from);
  }
  return skin;
}

Indexed DrawCheckBox(bool ticked) {
  Canvas c(16, 16);
  cairo_t* cr = c.cr();
  RoundRect(cr, 0, 0, 16, 16, 3);
  SetShade(cr, Ramp::Steel, 0.85);
  cairo_fill(cr);
  RoundRect(cr, 0, 0, 15, 15, 3);
  SetShade(cr, Ramp::Steel, 0.1);
  cairo_fill(cr);
  RoundRect(cr, 1, 1, 14, 14, 2);
  SetLinear(cr, 0, 1, 0, 15, {{0, Shade(Ramp::Night, 0.05)}, {1, Shade(Ramp::Night, 0.3)}});
  cairo_fill(cr);
  if (ticked) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cr, 3.5, 8);
    cairo_line_to(cr, 7, 11.5);
    cairo_line_to(cr, 13, 3.5);
    cairo_set_line_width(cr, 3.6);
    SetShade(cr, Ramp::Green, 0.1);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 2);
    SetShade(cr, Ramp::Green, 0.85);
    cairo_stroke(cr);
  }
  return c.Sprite(0);
}
