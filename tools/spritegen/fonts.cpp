// The three bitmap fonts: glyph strips with a marker row, rendered from DejaVu Sans Bold.
#include <algorithm>
#include <cmath>
#include <vector>

#include "art.h"
#include "canvas.h"
#include "look.h"

namespace {

struct FontLook {
  int rows = 24;              // glyph rows below the marker row
  double size = 19;           // font size in pixels
  double xScale = 0.72;       // horizontal squeeze of the face
  double outline = 1.0;       // dark rim around each stroke
  double shadowX = 0.5;       // drop shadow offset
  double targetAdvance = 10;  // cells are pulled toward this width so fixed menu positions centre well
  double pull = 0.7;          // 0 keeps natural widths, 1 makes the font monospaced
  int digitWidth = 0;         // digits share one width so numbers line up; 0 keeps natural widths
  GradientStops fill;
};

constexpr double kShadowY = 1.0;

FontLook LookFor(FontStyle style) {
  FontLook look;
  switch (style) {
    case FontStyle::Menu:
      look.fill = {{0, Shade(Ramp::Gold, 1)},
                   {0.45, Shade(Ramp::Yellow, 0.78)},
                   {0.75, Shade(Ramp::Gold, 0.62)},
                   {1, Shade(Ramp::Fire, 0.45)}};
      break;
    case FontStyle::MenuDark:
      look.fill = {
          {0, Shade(Ramp::Steel, 0.55)}, {0.6, Shade(Ramp::Steel, 0.4)}, {1, Shade(Ramp::Steel, 0.3)}};
      break;
    case FontStyle::Score:
      look.rows = 13;
      look.size = 11;
      look.xScale = 0.84;
      look.outline = 0.9;
      look.shadowX = 0;
      look.pull = 0;
      look.digitWidth = 8;
      look.fill = {{0, Shade(Ramp::Grey, 1)}, {0.5, Shade(Ramp::Ice, 0.88)}, {1, Shade(Ramp::Ice, 0.6)}};
      break;
  }
  // The other looks' letters, in the same shapes and widths: neon light, red and blue ink, plain
  // yellow and white.
  const bool light = style == FontStyle::Menu;
  switch (CurrentLook()) {
    case Look::Neon:
      if (style != FontStyle::MenuDark)
        look.fill = {{0, Shade(Ramp::Grey, 1)},
                     {0.5, Shade(light ? Ramp::Rose : Ramp::Blue, 0.8)},
                     {1, Shade(light ? Ramp::Rose : Ramp::Blue, 0.62)}};
      break;
    case Look::Paper:
      if (style != FontStyle::MenuDark)
        look.fill = {{0, Shade(light ? Ramp::Red : Ramp::Grey, light ? 0.62 : 1)},
                     {1, Shade(light ? Ramp::Red : Ramp::Blue, light ? 0.45 : 0.8)}};
      break;
    case Look::Contrast:
      if (style != FontStyle::MenuDark)
        look.fill = {{0, Shade(light ? Ramp::Yellow : Ramp::Grey, light ? 0.66 : 1)},
                     {1, Shade(light ? Ramp::Yellow : Ramp::Grey, light ? 0.62 : 1)}};
      break;
    case Look::Classic:
      break;
  }
  return look;
}

struct Glyph {
  double inkX, inkW;
  int cell;
};

struct Metrics {
  std::vector<Glyph> glyphs;  // for '!' .. '~'
  double top = 1e9, bottom = -1e9;
};

Metrics Measure(cairo_t* cr, const FontLook& look) {
  Metrics m;
  for (int ch = 33; ch <= 126; ++ch) {
    char s[2] = {static_cast<char>(ch), 0};
    cairo_text_extents_t e;
    cairo_text_extents(cr, s, &e);
    m.top = std::min(m.top, e.y_bearing);
    m.bottom = std::max(m.bottom, e.y_bearing + e.height);
    int ink = static_cast<int>(std::ceil(e.width + 2 * look.outline + look.shadowX));
    double natural = std::round(e.x_advance);
    int cell =
        std::max(ink, static_cast<int>(std::lround(natural + (look.targetAdvance - natural) * look.pull)));
    m.glyphs.push_back({e.x_bearing, e.width, cell});
  }
  if (look.digitWidth) {
    int widest = look.digitWidth;
    for (int d = 0; d < 10; ++d) widest = std::max(widest, m.glyphs['0' - 33 + d].cell);
    for (int d = 0; d < 10; ++d) m.glyphs['0' - 33 + d].cell = widest;
  }
  // The first cell's last column doubles as the second cell's first column, so it gets one spare column.
  m.glyphs[0].cell += 1;
  return m;
}

void DrawGlyph(cairo_t* cr, const FontLook& look, const Metrics& m, int ch, int x0, int room,
               double baseline) {
  const Glyph& g = m.glyphs[ch - 33];
  char s[2] = {static_cast<char>(ch), 0};
  double penX = std::round(x0 + (room - g.inkW - look.shadowX) / 2.0 - g.inkX);
  cairo_save(cr);
  cairo_rectangle(cr, x0, 1, room, look.rows);
  cairo_clip(cr);
  cairo_set_line_width(cr, look.outline * 2);
  SetShade(cr, Ramp::Night, 0.0);
  cairo_move_to(cr, penX + look.shadowX, baseline + kShadowY);
  cairo_text_path(cr, s);
  cairo_stroke_preserve(cr);
  cairo_fill(cr);
  cairo_move_to(cr, penX, baseline);
  cairo_text_path(cr, s);
  cairo_stroke_preserve(cr);
  SetLinear(cr, 0, baseline + m.top, 0, baseline + m.bottom * 0.35, look.fill);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace

Indexed DrawFont(FontStyle style) {
  const FontLook look = LookFor(style);
  Canvas probe(8, 8);
  SelectBoldFont(probe.cr(), look.size, look.xScale);
  const Metrics m = Measure(probe.cr(), look);
  // Cell n (from the second on) starts at the previous marker column and stops just before its own marker.
  std::vector<int> starts(94, 0), markers(94);
  markers[0] = m.glyphs[0].cell - 1;
  for (int i = 1; i < 94; ++i) {
    starts[i] = markers[i - 1];
    markers[i] = starts[i] + m.glyphs[i].cell;
  }
  const int width = markers[93] + 1;
  // Row 0 is left for the markers; all glyphs share one baseline that fits the tallest and deepest ink.
  const double baseline = std::round(1 + (look.rows - (m.bottom - m.top) - kShadowY) / 2 - m.top);
  Canvas c(width, look.rows + 1);
  SelectBoldFont(c.cr(), look.size, look.xScale);
  cairo_set_line_join(c.cr(), CAIRO_LINE_JOIN_ROUND);
  for (int i = 0; i < 94; ++i) {
    int room = m.glyphs[i].cell - (i == 0 ? 1 : 0);
    DrawGlyph(c.cr(), look, m, 33 + i, starts[i], room, baseline);
  }
  QuantOptions o;
  o.font = true;
  o.alphaCut = 110;
  Indexed img = Quantise(c.surface(), o);
  for (int col = 0; col < width; ++col) img.at(col, 0) = kBlackIndex;
  for (int x : markers) img.at(x, 0) = static_cast<uint8_t>(ShadeIndex(Ramp::Grey, 1));
  return img;
}
