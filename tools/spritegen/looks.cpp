// The field's materials in the looks other than classic: neon tubes on dark
// glass, ink and washes on paper, and flat full colours with patterns on black.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "art.h"
#include "canvas.h"
#include "look.h"

namespace {

Look look = Look::Classic;

constexpr int kBrickW = 32, kBrickH = 16;

void Box(cairo_t* cr, double x, double y, double w, double h) {
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
}

void CutCorners(Indexed& img) {
  const int w = img.w, h = img.h;
  img.at(0, 0) = img.at(w - 1, 0) = img.at(0, h - 1) = img.at(w - 1, h - 1) = kMagentaIndex;
}

// Neon: a dark pane framed by a glowing tube, brightest along its top.
void NeonPane(cairo_t* cr, Ramp ramp, double x, double y, double w, double h) {
  SetShade(cr, ramp, 0.02);
  Box(cr, x, y, w, h);
  SetShade(cr, ramp, 0.42);
  Box(cr, x + 1, y + 1, w - 2, h - 2);
  SetLinear(cr, 0, y + 3, 0, y + h - 3, {{0, Shade(ramp, 0.16)}, {1, Shade(ramp, 0.06)}});
  Box(cr, x + 3, y + 3, w - 6, h - 6);
  SetShade(cr, ramp, 0.7);
  Box(cr, x + 2, y + 2, w - 4, 1);
  Box(cr, x + 2, y + 2, 1, h - 4);
  Box(cr, x + w - 3, y + 2, 1, h - 4);
  Box(cr, x + 2, y + h - 3, w - 4, 1);
  SetShade(cr, Ramp::Grey, 1);
  Box(cr, x + 4, y + 2, w - 8, 1);
}

// Paper: a pale wash of the colour, hatched from the lower left, in an ink line.
void PaperCard(cairo_t* cr, Ramp ramp, double x, double y, double w, double h, bool crossed) {
  SetShade(cr, Ramp::Grey, 0.02);
  Box(cr, x, y, w, h);
  SetShade(cr, ramp, 0.8);
  Box(cr, x + 1, y + 1, w - 2, h - 2);
  cairo_save(cr);
  cairo_rectangle(cr, x + 2, y + 2, w - 4, h - 4);
  cairo_clip(cr);
  cairo_set_line_width(cr, 1);
  SetShade(cr, ramp, 0.42);
  for (double k = -h; k < w; k += 4) {
    cairo_move_to(cr, x + k, y + h);
    cairo_line_to(cr, x + k + h, y);
    if (crossed) {
      cairo_move_to(cr, x + k, y);
      cairo_line_to(cr, x + k + h, y + h);
    }
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  SetShade(cr, Ramp::Grey, 1);
  Box(cr, x + 1, y + 1, w - 2, 1);
}

// Contrast: a flat colour, a black rim, and a pattern of its own so that
// colours are told apart by shape as well.
void ContrastPattern(Indexed& img, Ramp ramp) {
  const uint8_t mark = static_cast<uint8_t>(ShadeIndex(Ramp::Grey, 0));
  for (int y = 3; y < kBrickH - 3; ++y)
    for (int x = 3; x < kBrickW - 3; ++x) {
      bool on = false;
      switch (ramp) {
        case Ramp::Blue:
          on = y % 4 == 1;
          break;
        case Ramp::Green:
          on = x % 4 == 1 && y % 4 == 1;
          break;
        case Ramp::Purple:
          on = (x + y) % 6 == 0;
          break;
        case Ramp::Yellow:
          on = x % 5 == 2;
          break;
        case Ramp::Grey:
          on = (x / 3 + y / 3) % 2 == 0 && x % 3 == 1 && y % 3 == 1;
          break;
        default:
          break;
      }
      if (on) img.at(x, y) = mark;
    }
}

Indexed ContrastBrick(Ramp ramp, double t) {
  Canvas c(kBrickW, kBrickH);
  cairo_t* cr = c.cr();
  SetShade(cr, Ramp::Grey, 0);
  Box(cr, 0, 0, kBrickW, kBrickH);
  SetShade(cr, ramp, t);
  Box(cr, 1, 1, kBrickW - 2, kBrickH - 2);
  SetShade(cr, ramp, 1);
  Box(cr, 1, 1, kBrickW - 2, 1);
  Indexed img = c.Sprite(0);
  ContrastPattern(img, ramp);
  CutCorners(img);
  return img;
}

void Crack(cairo_t* cr, double dx, double dy) {
  const double pts[][2] = {{3, 4}, {9, 9}, {14, 5}, {19, 11}, {24, 6}, {29, 12}};
  cairo_move_to(cr, pts[0][0] + dx, pts[0][1] + dy);
  for (const auto& p : pts) cairo_line_to(cr, p[0] + dx, p[1] + dy);
  cairo_move_to(cr, 14 + dx, 5 + dy);
  cairo_line_to(cr, 16 + dx, 1 + dy);
  cairo_move_to(cr, 19 + dx, 11 + dy);
  cairo_line_to(cr, 17 + dx, 15 + dy);
}

}  // namespace

Look CurrentLook() { return look; }

bool ChooseLook(const std::string& name) {
  const struct {
    const char* name;
    Look look;
  } looks[] = {
      {"classic", Look::Classic}, {"neon", Look::Neon}, {"paper", Look::Paper}, {"contrast", Look::Contrast}};
  for (const auto& l : looks)
    if (name == l.name) {
      look = l.look;
      return true;
    }
  return false;
}

Indexed LookBrick(Ramp ramp) {
  if (look == Look::Contrast) return ContrastBrick(ramp, ramp == Ramp::Grey ? 0.9 : 0.62);
  Canvas c(kBrickW, kBrickH);
  if (look == Look::Neon)
    NeonPane(c.cr(), ramp, 0, 0, kBrickW, kBrickH);
  else
    PaperCard(c.cr(), ramp, 0, 0, kBrickW, kBrickH, false);
  Indexed img = c.Sprite(0);
  CutCorners(img);
  return img;
}

Indexed LookSteelBrick() {
  Canvas c(kBrickW, kBrickH);
  cairo_t* cr = c.cr();
  if (look == Look::Neon) {
    NeonPane(cr, Ramp::Steel, 0, 0, kBrickW, kBrickH);
    SetShade(cr, Ramp::Steel, 0.55);
    for (int x = 6; x < kBrickW - 4; x += 4) Box(cr, x, 5, 1, kBrickH - 10);
  } else if (look == Look::Paper) {
    PaperCard(cr, Ramp::Steel, 0, 0, kBrickW, kBrickH, true);
  } else {
    SetShade(cr, Ramp::Grey, 1);
    Box(cr, 0, 0, kBrickW, kBrickH);
    SetShade(cr, Ramp::Grey, 0);
    Box(cr, 2, 2, kBrickW - 4, kBrickH - 4);
    cairo_set_line_width(cr, 2);
    SetShade(cr, Ramp::Grey, 1);
    cairo_move_to(cr, 3, 3);
    cairo_line_to(cr, kBrickW - 3, kBrickH - 3);
    cairo_move_to(cr, kBrickW - 3, 3);
    cairo_line_to(cr, 3, kBrickH - 3);
    cairo_stroke(cr);
  }
  Indexed img = c.Sprite(0);
  CutCorners(img);
  return img;
}

Indexed LookCrackedBrick() {
  if (look == Look::Contrast) {
    Indexed img = ContrastBrick(Ramp::Ice, 0.62);
    Canvas c(kBrickW, kBrickH);
    cairo_set_line_width(c.cr(), 2);
    Crack(c.cr(), 0, 0);
    SetShade(c.cr(), Ramp::Grey, 0);
    cairo_stroke(c.cr());
    const Indexed crack = c.Sprite(0);
    for (size_t i = 0; i < img.px.size(); ++i)
      if (crack.px[i] != kMagentaIndex && img.px[i] != kMagentaIndex) img.px[i] = crack.px[i];
    return img;
  }
  Canvas c(kBrickW, kBrickH);
  cairo_t* cr = c.cr();
  if (look == Look::Neon)
    NeonPane(cr, Ramp::Ice, 0, 0, kBrickW, kBrickH);
  else
    PaperCard(cr, Ramp::Ice, 0, 0, kBrickW, kBrickH, false);
  cairo_set_line_width(cr, 1);
  Crack(cr, 0.5, 0.5);
  SetShade(cr, look == Look::Neon ? Ramp::Grey : Ramp::Grey, look == Look::Neon ? 1 : 0.02);
  cairo_stroke(cr);
  Indexed img = c.Sprite(0);
  CutCorners(img);
  return img;
}

Indexed LookBall() {
  Canvas c(16, 16);
  cairo_t* cr = c.cr();
  if (look == Look::Neon) {
    cairo_arc(cr, 8, 8, 8, 0, 2 * M_PI);
    SetRadialFade(
        cr, 8, 8, 8,
        {{0, Shade(Ramp::Grey, 1), 1}, {0.45, Shade(Ramp::Blue, 0.85), 1}, {1, Shade(Ramp::Blue, 0.6), 0}});
    cairo_fill(cr);
    cairo_arc(cr, 8, 8, 3, 0, 2 * M_PI);
    SetShade(cr, Ramp::Grey, 1);
    cairo_fill(cr);
    return c.Sprite(0, true);
  }
  if (look == Look::Paper) {
    cairo_arc(cr, 8, 8, 7.2, 0, 2 * M_PI);
    SetShade(cr, Ramp::Grey, 0.02);
    cairo_fill(cr);
    cairo_arc(cr, 8, 8, 5.8, 0, 2 * M_PI);
    SetShade(cr, Ramp::Grey, 0.97);
    cairo_fill_preserve(cr);
    cairo_clip(cr);
    cairo_set_line_width(cr, 1);
    SetShade(cr, Ramp::Grey, 0.3);
    for (int k = 6; k < 24; k += 3) {
      cairo_move_to(cr, k, 16);
      cairo_line_to(cr, k + 8, 8);
    }
    cairo_stroke(cr);
    return c.Sprite(0);
  }
  cairo_arc(cr, 8, 8, 7.8, 0, 2 * M_PI);
  SetShade(cr, Ramp::Grey, 0);
  cairo_fill(cr);
  cairo_arc(cr, 8, 8, 6.6, 0, 2 * M_PI);
  SetShade(cr, Ramp::Grey, 1);
  cairo_fill(cr);
  return c.Sprite(0);
}

Indexed LookPaddle(int w) {
  const int h = 16;
  Canvas c(w, h);
  cairo_t* cr = c.cr();
  if (look == Look::Neon) {
    RoundRect(cr, 0, 0, w, h, 8);
    SetShade(cr, Ramp::Rose, 0.05);
    cairo_fill(cr);
    RoundRect(cr, 1.5, 1.5, w - 3, h - 3, 6.5);
    cairo_set_line_width(cr, 2);
    SetShade(cr, Ramp::Rose, 0.75);
    cairo_stroke(cr);
    RoundRect(cr, 6, 6.5, w - 12, 3, 1.5);
    SetShade(cr, Ramp::Blue, 0.85);
    cairo_fill(cr);
    SetShade(cr, Ramp::Grey, 1);
    Box(cr, 8, 2, w - 16, 1);
  } else if (look == Look::Paper) {
    RoundRect(cr, 0.5, 1.5, w - 1, h - 3, 4);
    SetShade(cr, Ramp::Grey, 0.95);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.2);
    SetShade(cr, Ramp::Grey, 0.02);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    SetShade(cr, Ramp::Red, 0.35);
    for (double x : {4.0, 7.0, w - 8.0, w - 5.0}) {
      cairo_move_to(cr, x + 0.5, 4);
      cairo_line_to(cr, x + 0.5, h - 4);
    }
    cairo_stroke(cr);
  } else {
    SetShade(cr, Ramp::Grey, 0);
    Box(cr, 0, 0, w, h);
    SetShade(cr, Ramp::Yellow, 0.62);
    Box(cr, 2, 2, w - 4, h - 4);
    SetShade(cr, Ramp::Grey, 1);
    Box(cr, 2, 2, 6, h - 4);
    Box(cr, w - 8, 2, 6, h - 4);
  }
  return c.Sprite(0);
}

Indexed LookWall(bool vertical) {
  const int w = vertical ? 16 : 32, h = vertical ? 32 : 16;
  Canvas c(w, h);
  cairo_t* cr = c.cr();
  // Bands across the wall's thickness, outside to inside: {from, to, ramp, shade}.
  struct Band {
    double from, to;
    Ramp ramp;
    double shade;
  };
  static const std::vector<Band> neon = {{0, 16, Ramp::Night, 0.05},
                                         {3, 5, Ramp::Rose, 0.7},
                                         {4, 5, Ramp::Grey, 1},
                                         {10, 12, Ramp::Blue, 0.62},
                                         {11, 12, Ramp::Grey, 1}};
  static const std::vector<Band> paper = {{0, 16, Ramp::Brown, 0.96},
                                          {5, 6, Ramp::Grey, 0.02},
                                          {9, 10, Ramp::Grey, 0.02},
                                          {6, 9, Ramp::Brown, 0.8}};
  static const std::vector<Band> contrast = {
      {0, 16, Ramp::Grey, 1}, {0, 2, Ramp::Grey, 0}, {14, 16, Ramp::Grey, 0}};
  const std::vector<Band>& bands = look == Look::Neon ? neon : look == Look::Paper ? paper : contrast;
  for (const Band& b : bands) {
    SetShade(cr, b.ramp, b.shade);
    if (vertical)
      Box(cr, b.from, 0, b.to - b.from, h);
    else
      Box(cr, 0, b.from, w, b.to - b.from);
  }
  if (look == Look::Paper) {
    // Short pen strokes across the inner band, one a tile.
    SetShade(cr, Ramp::Grey, 0.02);
    if (vertical)
      Box(cr, 5, 14, 5, 1);
    else
      Box(cr, 14, 5, 1, 5);
  }
  return c.Sprite(0);
}

Indexed LookCorner() {
  Canvas c(16, 16);
  cairo_t* cr = c.cr();
  if (look == Look::Neon) {
    SetShade(cr, Ramp::Night, 0.05);
    Box(cr, 0, 0, 16, 16);
    cairo_arc(cr, 8, 8, 4, 0, 2 * M_PI);
    cairo_set_line_width(cr, 2);
    SetShade(cr, Ramp::Rose, 0.8);
    cairo_stroke(cr);
  } else if (look == Look::Paper) {
    SetShade(cr, Ramp::Brown, 0.96);
    Box(cr, 0, 0, 16, 16);
    SetShade(cr, Ramp::Grey, 0.02);
    Box(cr, 5, 5, 6, 1);
    Box(cr, 5, 10, 6, 1);
    Box(cr, 5, 5, 1, 6);
    Box(cr, 10, 5, 1, 6);
  } else {
    SetShade(cr, Ramp::Grey, 1);
    Box(cr, 0, 0, 16, 16);
    SetShade(cr, Ramp::Grey, 0);
    Box(cr, 4, 4, 8, 8);
  }
  return c.Sprite(0);
}

Indexed LookBackground() {
  const int w = 480, h = 240;
  Canvas c(w, h);
  cairo_t* cr = c.cr();
  if (look == Look::Neon) {
    // A dark circuit board: traces that turn once, ending in pads.
    SetShade(cr, Ramp::Night, 0.02);
    Box(cr, 0, 0, w, h);
    Lcg rng(0x9e0c1);
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < 60; ++i) {
      const double x = 8 * (rng.Next() % 60) + 0.5, y = 8 * (rng.Next() % 30) + 0.5;
      const double run = 16 + 8 * (rng.Next() % 8), drop = 8 * (rng.Next() % 5);
      SetShade(cr, i % 3 == 0 ? Ramp::Purple : Ramp::Night, i % 3 == 0 ? 0.2 : 0.75);
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, x + run, y);
      cairo_line_to(cr, x + run + drop, y + drop);
      cairo_stroke(cr);
      cairo_arc(cr, x + run + drop, y + drop, 1.8, 0, 2 * M_PI);
      cairo_fill(cr);
    }
    return c.Sprite(0);
  }
  if (look == Look::Paper) {
    // Ruled writing paper with a margin line and a little grain.
    SetShade(cr, Ramp::Brown, 0.94);
    Box(cr, 0, 0, w, h);
    Lcg rng(0x9a9e4);
    for (int i = 0; i < 2400; ++i) {
      SetShade(cr, Ramp::Brown, rng.Unit() < 0.5 ? 0.88 : 1);
      Box(cr, rng.Next() % w, rng.Next() % h, 1, 1);
    }
    SetShade(cr, Ramp::Blue, 0.8);
    for (int y = 12; y < h; y += 16) Box(cr, 0, y, w, 1);
    SetShade(cr, Ramp::Red, 0.7);
    Box(cr, 36, 0, 1, h);
    return c.Sprite(0);
  }
  SetShade(cr, Ramp::Night, 0);
  Box(cr, 0, 0, w, h);
  return c.Sprite(0);
}

namespace {
// Borders as {inset, ramp, shade}, drawn outermost first; each inset
// rectangle is filled whole, so the 20x20 tiles of a skin repeat seamlessly.
struct Border {
  double inset;
  Ramp ramp;
  double shade;
};

void Borders(cairo_t* cr, int w, int h, double radius, const std::vector<Border>& borders) {
  for (const Border& b : borders) {
    RoundRect(cr, b.inset, b.inset, w - 2 * b.inset, h - 2 * b.inset, std::max(1.0, radius - b.inset));
    SetShade(cr, b.ramp, b.shade);
    cairo_fill(cr);
  }
}
}  // namespace

Indexed LookMessageSkin() {
  Canvas c(60, 60);
  if (look == Look::Neon)
    Borders(c.cr(), 60, 60, 8,
            {{0, Ramp::Night, 0.02},
             {2, Ramp::Rose, 0.75},
             {3, Ramp::Rose, 0.95},
             {4, Ramp::Rose, 0.5},
             {5, Ramp::Night, 0.04},
             {7, Ramp::Blue, 0.5},
             {8, Ramp::Night, 0.08}});
  else if (look == Look::Paper)
    Borders(c.cr(), 60, 60, 2,
            {{0, Ramp::Grey, 0.02}, {1, Ramp::Brown, 0.98}, {4, Ramp::Grey, 0.02}, {5, Ramp::Brown, 0.94}});
  else
    Borders(c.cr(), 60, 60, 1, {{0, Ramp::Grey, 1}, {4, Ramp::Grey, 0}});
  return c.Sprite(0);
}

Indexed LookMenuSkin() {
  Canvas bar(60, 40);
  if (look == Look::Neon)
    Borders(bar.cr(), 60, 40, 10, {{0, Ramp::Rose, 0.3}, {1, Ramp::Blue, 0.8}, {3, Ramp::Night, 0.3}});
  else if (look == Look::Paper)
    Borders(bar.cr(), 60, 40, 3, {{0, Ramp::Grey, 0.02}, {1, Ramp::Yellow, 0.86}});
  else
    Borders(bar.cr(), 60, 40, 2, {{0, Ramp::Yellow, 0.62}, {3, Ramp::Grey, 0.03}});
  return SkinFromBar(bar.Sprite(0));
}

// The HUD strip: the same three windows as classic's (score, energy, lives),
// dark inside so that the digits read, in each look's own panel.
Indexed LookHud() {
  const int w = 480, h = 48;
  Canvas c(w, h);
  cairo_t* cr = c.cr();
  const Ramp panel = look == Look::Paper ? Ramp::Brown : Ramp::Night;
  SetShade(cr, panel, look == Look::Paper ? 0.94 : 0.03);
  Box(cr, 0, 0, w, h);
  const Ramp line = look == Look::Neon ? Ramp::Rose : Ramp::Grey;
  SetShade(cr, line, look == Look::Neon ? 0.75 : look == Look::Paper ? 0.02 : 1);
  Box(cr, 0, 0, w, look == Look::Contrast ? 3 : 2);
  if (look == Look::Neon) {
    SetShade(cr, Ramp::Blue, 0.62);
    Box(cr, 0, h - 2, w, 1);
  }
  const struct {
    double x, w;
    const char* label;
  } windows[] = {{37, 82, "SCORE"}, {240, 107, "ENERGY"}, {361, 58, "LIVES"}};
  for (const auto& win : windows) {
    SetShade(cr, look == Look::Neon ? Ramp::Blue : Ramp::Grey,
             look == Look::Neon    ? 0.62
             : look == Look::Paper ? 0.02
                                   : 1);
    Box(cr, win.x - 1, 11, win.w + 2, 18);
    SetShade(cr, Ramp::Night, 0.02);
    Box(cr, win.x, 12, win.w, 16);
    SelectBoldFont(cr, 8, 1.05);
    cairo_text_extents_t e;
    cairo_text_extents(cr, win.label, &e);
    cairo_move_to(cr, std::round(win.x + win.w / 2 - e.x_advance / 2), 41);
    if (look == Look::Neon)
      SetShade(cr, Ramp::Rose, 0.8);
    else if (look == Look::Paper)
      SetShade(cr, Ramp::Red, 0.35);
    else
      SetShade(cr, Ramp::Yellow, 0.62);
    cairo_show_text(cr, win.label);
  }
  return c.Sprite(0);
}
