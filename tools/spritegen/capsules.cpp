// The falling power-up capsule, the twelve icons drawn over it, and the floater bubble.
#include <cmath>
#include <functional>

#include "art.h"
#include "canvas.h"

namespace {

constexpr int kW = 32, kH = 16;

// Icons get a dark outline so they read on the capsule and on the help page alike.
void Outlined(cairo_t* cr, const std::function<void()>& path, const std::function<void()>& fill,
              double outline = 2.4) {
  path();
  cairo_set_line_width(cr, outline);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetShade(cr, Ramp::Night, 0.0);
  cairo_stroke_preserve(cr);
  fill();
  cairo_fill(cr);
}

void Chevron(cairo_t* cr, double x, double y, double dir, double size) {
  cairo_move_to(cr, x - dir * size * 0.4, y - size);
  cairo_line_to(cr, x + dir * size * 0.6, y);
  cairo_line_to(cr, x - dir * size * 0.4, y + size);
  cairo_line_to(cr, x - dir * size * 1.1, y + size);
  cairo_line_to(cr, x - dir * size * 0.1, y);
  cairo_line_to(cr, x - dir * size * 1.1, y - size);
  cairo_close_path(cr);
}

void Arrow(cairo_t* cr, double x0, double x1, double y, double head) {
  double dir = x1 > x0 ? 1 : -1;
  cairo_move_to(cr, x0, y - 1);
  cairo_line_to(cr, x1 - dir * head, y - 1);
  cairo_line_to(cr, x1 - dir * head, y - head * 0.9);
  cairo_line_to(cr, x1, y);
  cairo_line_to(cr, x1 - dir * head, y + head * 0.9);
  cairo_line_to(cr, x1 - dir * head, y + 1);
  cairo_line_to(cr, x0, y + 1);
  cairo_close_path(cr);
}

void VFill(cairo_t* cr, Ramp ramp, double top, double bottom) {
  SetLinear(cr, 0, 3, 0, 13, {{0, Shade(ramp, top)}, {1, Shade(ramp, bottom)}});
}

void DrawBallIcon(cairo_t* cr) {
  Outlined(
      cr, [&] { cairo_arc(cr, 13, 8, 4.2, 0, 2 * M_PI); },
      [&] {
        SetRadial(cr, 11.6, 6.6, 13, 8, 4.4, {{0, Shade(Ramp::Grey, 1)}, {1, Shade(Ramp::Steel, 0.45)}});
      });
  Outlined(
      cr,
      [&] {
        cairo_rectangle(cr, 18.5, 7, 6, 2);
        cairo_rectangle(cr, 20.5, 5, 2, 6);
      },
      [&] { SetShade(cr, Ramp::Green, 0.85); }, 2);
}

void DrawResetIcon(cairo_t* cr) {
  Outlined(
      cr,
      [&] {
        cairo_arc(cr, 16, 8, 4.6, 0.35 * M_PI, 1.9 * M_PI);
        cairo_arc_negative(cr, 16, 8, 2.4, 1.9 * M_PI, 0.35 * M_PI);
        cairo_close_path(cr);
        cairo_move_to(cr, 18.5, 1.6);
        cairo_line_to(cr, 22.6, 6.4);
        cairo_line_to(cr, 17.0, 7.2);
        cairo_close_path(cr);
      },
      [&] { VFill(cr, Ramp::Ice, 1, 0.6); });
}

void DrawPaddleIcon(cairo_t* cr, bool large) {
  Ramp ramp = large ? Ramp::Green : Ramp::Red;
  double half = large ? 5 : 2.5;
  Outlined(
      cr, [&] { RoundRect(cr, 16 - half, 6.5, 2 * half, 3, 1.5); }, [&] { VFill(cr, Ramp::Steel, 1, 0.4); });
  for (double dir : {-1.0, 1.0}) {
    double inner = 16 + dir * (half + 1.5), outer = 16 + dir * (half + 6.5);
    Outlined(
        cr, [&] { large ? Arrow(cr, inner, outer, 8, 3) : Arrow(cr, outer, inner, 8, 3); },
        [&] { VFill(cr, ramp, 0.95, 0.55); }, 2);
  }
}

void DrawFireIcon(cairo_t* cr) {
  Outlined(
      cr,
      [&] {
        cairo_move_to(cr, 16, 13.5);
        cairo_curve_to(cr, 10.5, 13.5, 10.5, 7.5, 13.5, 5);
        cairo_curve_to(cr, 13.5, 7, 14.5, 8, 15.5, 8);
        cairo_curve_to(cr, 14.5, 5, 16.5, 2.5, 18, 1.5);
        cairo_curve_to(cr, 18, 5, 21.5, 7, 21.5, 10);
        cairo_curve_to(cr, 21.5, 12.5, 19, 13.5, 16, 13.5);
        cairo_close_path(cr);
      },
      [&] {
        SetLinear(cr, 0, 2, 0, 14,
                  {{0, Shade(Ramp::Fire, 0.6)}, {0.6, Shade(Ramp::Fire, 0.85)}, {1, Shade(Ramp::Fire, 1)}});
      });
}

void DrawMagnetIcon(cairo_t* cr) {
  Outlined(
      cr,
      [&] {
        cairo_move_to(cr, 10.5, 2.5);
        cairo_line_to(cr, 10.5, 8);
        cairo_arc_negative(cr, 16, 8, 5.5, M_PI, 0);
        cairo_line_to(cr, 21.5, 2.5);
        cairo_line_to(cr, 18.5, 2.5);
        cairo_line_to(cr, 18.5, 8);
        cairo_arc(cr, 16, 8, 2.5, 0, M_PI);
        cairo_line_to(cr, 13.5, 2.5);
        cairo_close_path(cr);
      },
      [&] {
        SetLinear(cr, 10, 0, 22, 0,
                  {{0, Shade(Ramp::Ice, 0.6)}, {0.4, Shade(Ramp::Ice, 0.85)}, {1, Shade(Ramp::Ice, 0.4)}});
      });
  // Bare steel pole tips.
  for (double x : {10.5, 18.5}) {
    cairo_rectangle(cr, x, 2.5, 3, 2.5);
    SetShade(cr, Ramp::Steel, 0.95);
    cairo_fill(cr);
  }
}

void DrawQuestionIcon(cairo_t* cr) {
  SelectBoldFont(cr, 14);
  cairo_text_extents_t e;
  cairo_text_extents(cr, "?", &e);
  cairo_move_to(cr, 16 - e.x_bearing - e.width / 2, 8 - e.y_bearing - e.height / 2);
  Outlined(
      cr, [&] { cairo_text_path(cr, "?"); }, [&] { VFill(cr, Ramp::Yellow, 1, 0.6); }, 2.6);
}

void DrawSpeedIcon(cairo_t* cr, bool up) {
  double dir = up ? 1 : -1;
  Ramp ramp = up ? Ramp::Fire : Ramp::Ice;
  for (double x : {13.0, 19.0}) {
    Outlined(
        cr, [&] { Chevron(cr, x, 8, dir, 4.5); }, [&] { VFill(cr, ramp, 1, 0.55); }, 2);
  }
}

void DrawHeartIcon(cairo_t* cr) {
  Outlined(
      cr,
      [&] {
        cairo_move_to(cr, 16, 13.5);
        cairo_curve_to(cr, 12, 10, 10, 8, 10.5, 5.5);
        cairo_curve_to(cr, 11, 2.5, 15, 2.5, 16, 5.5);
        cairo_curve_to(cr, 17, 2.5, 21, 2.5, 21.5, 5.5);
        cairo_curve_to(cr, 22, 8, 20, 10, 16, 13.5);
        cairo_close_path(cr);
      },
      [&] {
        SetRadial(cr, 13.5, 5.5, 16, 8, 7,
                  {{0, Shade(Ramp::Rose, 1)}, {0.4, Shade(Ramp::Rose, 0.7)}, {1, Shade(Ramp::Rose, 0.45)}});
      });
}

void DrawReverseIcon(cairo_t* cr) {
  Outlined(
      cr, [&] { Arrow(cr, 9.5, 22.5, 5, 3.2); }, [&] { VFill(cr, Ramp::Purple, 1, 0.65); }, 2);
  Outlined(
      cr, [&] { Arrow(cr, 22.5, 9.5, 11, 3.2); }, [&] { VFill(cr, Ramp::Purple, 0.85, 0.5); }, 2);
}

void DrawHourglassIcon(cairo_t* cr) {
  Outlined(
      cr,
      [&] {
        cairo_move_to(cr, 11.5, 2);
        cairo_line_to(cr, 20.5, 2);
        cairo_line_to(cr, 16.8, 8);
        cairo_line_to(cr, 20.5, 14);
        cairo_line_to(cr, 11.5, 14);
        cairo_line_to(cr, 15.2, 8);
        cairo_close_path(cr);
      },
      [&] { SetShade(cr, Ramp::Steel, 0.85); }, 2.2);
  // Sand in the lower bulb and a trickle from the upper one.
  cairo_move_to(cr, 12.8, 13);
  cairo_line_to(cr, 19.2, 13);
  cairo_line_to(cr, 16, 10);
  cairo_close_path(cr);
  cairo_rectangle(cr, 15.5, 5.5, 1, 5);
  cairo_move_to(cr, 13.5, 3.2);
  cairo_line_to(cr, 18.5, 3.2);
  cairo_line_to(cr, 16, 5.8);
  cairo_close_path(cr);
  SetShade(cr, Ramp::Gold, 0.8);
  cairo_fill(cr);
}

// What a power does to the player, told by the colour of the capsule's end caps: green helps, blue resets
// or surprises (mostly for the better), red hinders.
Ramp Verdict(Icon icon) {
  switch (icon) {
    case Icon::Ball:
    case Icon::PaddleLarge:
    case Icon::Fire:
    case Icon::Magnet:
    case Icon::SpeedDown:
    case Icon::Life:
      return Ramp::Green;
    case Icon::Normal:
    case Icon::Question:
      return Ramp::Blue;
    case Icon::PaddleSmall:
    case Icon::SpeedUp:
    case Icon::Reverse:
    case Icon::PaddleSpeed:
      break;
  }
  return Ramp::Red;
}

// Glossy coloured caps over the ends of the shared silver capsule, leaving its dark glass band to the symbol.
void Caps(cairo_t* cr, Ramp ramp) {
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, 7, kH);
  cairo_rectangle(cr, kW - 7, 0, 7, kH);
  cairo_clip(cr);
  RoundRect(cr, 1, 1, kW - 2, kH - 2, 7);
  SetLinear(cr, 0, 1, 0, kH - 1,
            {{0, Shade(ramp, 0.7)},
             {0.2, Shade(ramp, 1)},
             {0.45, Shade(ramp, 0.72)},
             {0.55, Shade(ramp, 0.5)},
             {1, Shade(ramp, 0.3)}});
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace

Indexed DrawCapsule() {
  Canvas c(kW, kH);
  cairo_t* cr = c.cr();
  RoundRect(cr, 0, 0, kW, kH, 8);
  SetShade(cr, Ramp::Steel, 0.04);
  cairo_fill(cr);
  RoundRect(cr, 1, 1, kW - 2, kH - 2, 7);
  SetLinear(cr, 0, 1, 0, kH - 1,
            {{0, Shade(Ramp::Steel, 0.7)},
             {0.2, Shade(Ramp::Grey, 1)},
             {0.5, Shade(Ramp::Steel, 0.55)},
             {0.55, Shade(Ramp::Steel, 0.3)},
             {1, Shade(Ramp::Steel, 0.2)}});
  cairo_fill(cr);
  // Dark glass band in the middle where the icon sits.
  cairo_rectangle(cr, 7, 1, kW - 14, kH - 2);
  SetLinear(cr, 0, 1, 0, kH - 1,
            {{0, Shade(Ramp::Night, 0.45)},
             {0.2, Shade(Ramp::Night, 1)},
             {0.32, Shade(Ramp::Night, 0.6)},
             {0.55, Shade(Ramp::Night, 0.3)},
             {1, Shade(Ramp::Night, 0.5)}});
  cairo_fill(cr);
  SetShade(cr, Ramp::Steel, 0.06);
  cairo_rectangle(cr, 6, 1, 1, kH - 2);
  cairo_rectangle(cr, kW - 7, 1, 1, kH - 2);
  cairo_fill(cr);
  return c.Sprite(5);
}

Indexed DrawIcon(Icon icon) {
  Canvas c(kW, kH);
  cairo_t* cr = c.cr();
  Caps(cr, Verdict(icon));
  switch (icon) {
    case Icon::Ball:
      DrawBallIcon(cr);
      break;
    case Icon::Normal:
      DrawResetIcon(cr);
      break;
    case Icon::PaddleLarge:
      DrawPaddleIcon(cr, true);
      break;
    case Icon::PaddleSmall:
      DrawPaddleIcon(cr, false);
      break;
    case Icon::Fire:
      DrawFireIcon(cr);
      break;
    case Icon::Magnet:
      DrawMagnetIcon(cr);
      break;
    case Icon::Question:
      DrawQuestionIcon(cr);
      break;
    case Icon::SpeedUp:
      DrawSpeedIcon(cr, true);
      break;
    case Icon::SpeedDown:
      DrawSpeedIcon(cr, false);
      break;
    case Icon::Life:
      DrawHeartIcon(cr);
      break;
    case Icon::Reverse:
      DrawReverseIcon(cr);
      break;
    case Icon::PaddleSpeed:
      DrawHourglassIcon(cr);
      break;
  }
  return c.Sprite(0);
}

Indexed DrawFloater() {
  const double cx = 16, cy = 16, r = 15.5;
  Canvas c(32, 32);
  cairo_t* cr = c.cr();
  // A faint film inside that thickens toward the rim, shown as a screen of dots.
  cairo_arc(cr, cx, cy, r - 1, 0, 2 * M_PI);
  const Rgb film = Shade(Ramp::Ice, 0.6), edge = Shade(Ramp::Purple, 0.75);
  SetRadialFade(cr, cx, cy, r, {{0, film, 0}, {0.6, film, 0.12}, {0.9, edge, 0.55}, {1, edge, 0.8}});
  cairo_fill(cr);
  // The rim changes colour around the bubble like oil on water.
  const Rgb rim[] = {Shade(Ramp::Ice, 0.9),   Shade(Ramp::Purple, 0.8), Shade(Ramp::Rose, 0.75),
                     Shade(Ramp::Gold, 0.85), Shade(Ramp::Green, 0.8),  Shade(Ramp::Ice, 0.9)};
  cairo_set_line_width(cr, 1.5);
  for (int i = 0; i < 24; ++i) {
    double a0 = i * 2 * M_PI / 24, a1 = (i + 1.2) * 2 * M_PI / 24;
    double f = i / 24.0 * 5;
    int k = static_cast<int>(f);
    Rgb a = rim[k], b = rim[k + 1];
    double u = f - k;
    SetColour(
        cr, {uint8_t(a.r + (b.r - a.r) * u), uint8_t(a.g + (b.g - a.g) * u), uint8_t(a.b + (b.b - a.b) * u)});
    cairo_arc(cr, cx, cy, r - 0.8, a0, a1);
    cairo_stroke(cr);
  }
  // Window-shaped highlights.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 2.4);
  cairo_arc(cr, cx, cy, 11, 1.08 * M_PI, 1.4 * M_PI);
  SetShade(cr, Ramp::Grey, 1);
  cairo_stroke(cr);
  cairo_arc(cr, 9.5, 10.5, 1.4, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_set_line_width(cr, 1.3);
  cairo_arc(cr, cx, cy, 11.5, 0.15 * M_PI, 0.32 * M_PI);
  SetShade(cr, Ramp::Ice, 0.95);
  cairo_stroke(cr);
  return c.Sprite(0, true);
}
