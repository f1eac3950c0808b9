// The one 256-colour palette every sprite and font of the game shares.
#include "palette.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

struct Stop {
  double t;
  Rgb c;
};

struct RampDef {
  Ramp ramp;
  int count;
  std::vector<Stop> stops;
};

// Ramps start just above black so that no ramp colour duplicates index 0.
const std::vector<RampDef>& RampDefs() {
  static const std::vector<RampDef> defs = {
      {Ramp::Grey, 24, {{0, {14, 14, 14}}, {1, {255, 255, 255}}}},
      {Ramp::Steel, 22, {{0, {12, 15, 22}}, {0.6, {120, 132, 156}}, {1, {232, 238, 250}}}},
      {Ramp::Blue,
       20,
       {{0, {4, 6, 34}}, {0.35, {18, 42, 150}}, {0.62, {40, 100, 235}}, {1, {215, 232, 255}}}},
      {Ramp::Green,
       18,
       {{0, {2, 22, 6}}, {0.35, {16, 108, 28}}, {0.62, {56, 196, 60}}, {1, {220, 255, 205}}}},
      {Ramp::Purple,
       18,
       {{0, {18, 4, 30}}, {0.35, {88, 28, 140}}, {0.62, {164, 72, 226}}, {1, {244, 222, 255}}}},
      {Ramp::Red, 18, {{0, {30, 2, 2}}, {0.35, {132, 12, 12}}, {0.62, {224, 34, 30}}, {1, {255, 214, 206}}}},
      {Ramp::Yellow,
       18,
       {{0, {30, 24, 0}}, {0.35, {140, 112, 0}}, {0.62, {244, 212, 24}}, {1, {255, 255, 218}}}},
      {Ramp::Gold,
       22,
       {{0, {30, 14, 2}}, {0.35, {124, 62, 10}}, {0.65, {218, 146, 32}}, {1, {255, 242, 196}}}},
      {Ramp::Fire,
       18,
       {{0, {44, 2, 0}},
        {0.3, {164, 24, 0}},
        {0.55, {244, 96, 0}},
        {0.8, {255, 178, 24}},
        {1, {255, 246, 170}}}},
      {Ramp::Ice, 18, {{0, {0, 18, 28}}, {0.35, {0, 92, 124}}, {0.62, {32, 192, 232}}, {1, {230, 255, 255}}}},
      {Ramp::Night, 26, {{0, {5, 5, 12}}, {0.5, {24, 18, 52}}, {1, {72, 52, 118}}}},
      {Ramp::Brown, 16, {{0, {24, 14, 8}}, {0.5, {110, 70, 40}}, {1, {224, 190, 150}}}},
      {Ramp::Rose, 16, {{0, {32, 4, 16}}, {0.4, {160, 24, 80}}, {0.7, {246, 80, 150}}, {1, {255, 214, 232}}}},
  };
  return defs;
}

Rgb Interpolate(const std::vector<Stop>& stops, double t) {
  for (size_t i = 1; i < stops.size(); ++i) {
    if (t <= stops[i].t || i + 1 == stops.size()) {
      const Stop& a = stops[i - 1];
      const Stop& b = stops[i];
      double f = std::clamp((t - a.t) / (b.t - a.t), 0.0, 1.0);
      auto mix = [f](int x, int y) { return static_cast<uint8_t>(std::lround(x + (y - x) * f)); };
      return {mix(a.c.r, b.c.r), mix(a.c.g, b.c.g), mix(a.c.b, b.c.b)};
    }
  }
  return stops.back().c;
}

struct Layout {
  std::vector<Rgb> colours;
  std::vector<int> first;  // first palette index of each ramp, by enum value
  std::vector<int> count;
};

const Layout& BuildLayout() {
  static const Layout layout = [] {
    Layout l;
    l.colours = {{0, 0, 0}, {255, 0, 255}};
    l.first.assign(RampDefs().size(), 0);
    l.count.assign(RampDefs().size(), 0);
    for (const RampDef& d : RampDefs()) {
      int slot = static_cast<int>(d.ramp);
      l.first[slot] = static_cast<int>(l.colours.size());
      l.count[slot] = d.count;
      for (int i = 0; i < d.count; ++i) l.colours.push_back(Interpolate(d.stops, i / double(d.count - 1)));
    }
    if (l.colours.size() != 256) {
      std::fprintf(stderr, "spritegen: palette has %zu colours, not 256\n", l.colours.size());
      std::exit(1);
    }
    return l;
  }();
  return layout;
}

}  // namespace

const std::vector<Rgb>& Palette() { return BuildLayout().colours; }

int ShadeIndex(Ramp ramp, double t) {
  const Layout& l = BuildLayout();
  int slot = static_cast<int>(ramp);
  int step = static_cast<int>(std::lround(std::clamp(t, 0.0, 1.0) * (l.count[slot] - 1)));
  return l.first[slot] + step;
}

Rgb Shade(Ramp ramp, double t) { return Palette()[ShadeIndex(ramp, t)]; }
