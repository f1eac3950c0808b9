// The one 256-colour palette every sprite and font of the game shares.
#include "palette.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "look.h"

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
// Every look keeps the ramps' order and lengths, so a palette index means the
// same part of a ramp in each; the game draws a few fixed indices.
const std::vector<RampDef>& ClassicRamps() {
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

// Dark glass and electric light.
const std::vector<RampDef>& NeonRamps() {
  static const std::vector<RampDef> defs = {
      {Ramp::Grey, 24, {{0, {12, 10, 18}}, {1, {255, 255, 255}}}},
      {Ramp::Steel, 22, {{0, {8, 6, 20}}, {0.6, {70, 60, 140}}, {1, {210, 224, 255}}}},
      {Ramp::Blue, 20, {{0, {0, 4, 20}}, {0.35, {0, 60, 160}}, {0.62, {0, 200, 255}}, {1, {220, 255, 255}}}},
      {Ramp::Green,
       18,
       {{0, {0, 16, 6}}, {0.35, {0, 130, 60}}, {0.62, {60, 255, 120}}, {1, {230, 255, 230}}}},
      {Ramp::Purple,
       18,
       {{0, {16, 0, 24}}, {0.35, {120, 0, 160}}, {0.62, {220, 60, 255}}, {1, {255, 225, 255}}}},
      {Ramp::Red, 18, {{0, {24, 0, 10}}, {0.35, {170, 0, 60}}, {0.62, {255, 40, 120}}, {1, {255, 220, 235}}}},
      {Ramp::Yellow,
       18,
       {{0, {20, 18, 0}}, {0.35, {150, 150, 0}}, {0.62, {240, 255, 40}}, {1, {255, 255, 220}}}},
      {Ramp::Gold, 22, {{0, {20, 8, 0}}, {0.35, {160, 70, 0}}, {0.65, {255, 150, 20}}, {1, {255, 240, 200}}}},
      {Ramp::Fire,
       18,
       {{0, {40, 0, 20}},
        {0.3, {170, 0, 90}},
        {0.55, {255, 60, 120}},
        {0.8, {255, 170, 60}},
        {1, {255, 246, 200}}}},
      {Ramp::Ice,
       18,
       {{0, {0, 10, 20}}, {0.35, {0, 140, 160}}, {0.62, {60, 255, 240}}, {1, {240, 255, 255}}}},
      {Ramp::Night, 26, {{0, {3, 2, 8}}, {0.5, {10, 6, 28}}, {1, {34, 18, 72}}}},
      {Ramp::Brown, 16, {{0, {10, 6, 16}}, {0.5, {60, 40, 90}}, {1, {170, 150, 210}}}},
      {Ramp::Rose, 16, {{0, {30, 0, 20}}, {0.4, {200, 0, 120}}, {0.7, {255, 60, 200}}, {1, {255, 220, 245}}}},
  };
  return defs;
}

// Ink on warm paper: muted washes, every ramp ending in the paper's cream.
const std::vector<RampDef>& PaperRamps() {
  static const std::vector<RampDef> defs = {
      {Ramp::Grey, 24, {{0, {20, 22, 34}}, {1, {250, 246, 232}}}},
      {Ramp::Steel, 22, {{0, {24, 28, 44}}, {0.6, {138, 132, 120}}, {1, {244, 238, 220}}}},
      {Ramp::Blue,
       20,
       {{0, {14, 20, 48}}, {0.35, {40, 60, 120}}, {0.62, {96, 124, 180}}, {1, {228, 232, 238}}}},
      {Ramp::Green,
       18,
       {{0, {16, 28, 18}}, {0.35, {60, 100, 64}}, {0.62, {134, 166, 112}}, {1, {234, 240, 222}}}},
      {Ramp::Purple,
       18,
       {{0, {28, 18, 34}}, {0.35, {92, 60, 110}}, {0.62, {154, 124, 172}}, {1, {238, 230, 240}}}},
      {Ramp::Red,
       18,
       {{0, {40, 12, 10}}, {0.35, {150, 40, 30}}, {0.62, {212, 92, 70}}, {1, {248, 228, 216}}}},
      {Ramp::Yellow,
       18,
       {{0, {40, 30, 8}}, {0.35, {160, 120, 40}}, {0.62, {222, 182, 92}}, {1, {250, 242, 212}}}},
      {Ramp::Gold,
       22,
       {{0, {36, 22, 10}}, {0.35, {130, 85, 40}}, {0.65, {200, 150, 90}}, {1, {250, 238, 214}}}},
      {Ramp::Fire,
       18,
       {{0, {50, 14, 6}},
        {0.3, {170, 50, 20}},
        {0.55, {220, 110, 50}},
        {0.8, {240, 170, 90}},
        {1, {250, 232, 192}}}},
      {Ramp::Ice,
       18,
       {{0, {14, 26, 32}}, {0.35, {50, 100, 120}}, {0.62, {122, 170, 180}}, {1, {234, 242, 240}}}},
      {Ramp::Night, 26, {{0, {12, 12, 18}}, {0.5, {44, 42, 48}}, {1, {100, 94, 90}}}},
      {Ramp::Brown, 16, {{0, {30, 20, 12}}, {0.5, {124, 94, 62}}, {1, {238, 226, 200}}}},
      {Ramp::Rose,
       16,
       {{0, {40, 14, 22}}, {0.4, {160, 70, 90}}, {0.7, {210, 130, 150}}, {1, {248, 226, 232}}}},
  };
  return defs;
}

// Pure colours at full strength on black, for eyes that need them plain.
const std::vector<RampDef>& ContrastRamps() {
  static const std::vector<RampDef> defs = {
      {Ramp::Grey, 24, {{0, {16, 16, 16}}, {1, {255, 255, 255}}}},
      {Ramp::Steel, 22, {{0, {20, 20, 20}}, {0.6, {168, 168, 168}}, {1, {255, 255, 255}}}},
      {Ramp::Blue, 20, {{0, {0, 0, 40}}, {0.35, {0, 40, 200}}, {0.62, {40, 120, 255}}, {1, {210, 230, 255}}}},
      {Ramp::Green, 18, {{0, {0, 30, 0}}, {0.35, {0, 150, 0}}, {0.62, {0, 235, 0}}, {1, {215, 255, 215}}}},
      {Ramp::Purple,
       18,
       {{0, {30, 0, 40}}, {0.35, {140, 0, 200}}, {0.62, {205, 90, 255}}, {1, {245, 222, 255}}}},
      {Ramp::Red, 18, {{0, {40, 0, 0}}, {0.35, {200, 0, 0}}, {0.62, {255, 36, 36}}, {1, {255, 212, 212}}}},
      {Ramp::Yellow,
       18,
       {{0, {40, 40, 0}}, {0.35, {200, 180, 0}}, {0.62, {255, 236, 0}}, {1, {255, 255, 212}}}},
      {Ramp::Gold,
       22,
       {{0, {40, 20, 0}}, {0.35, {200, 100, 0}}, {0.65, {255, 170, 0}}, {1, {255, 242, 204}}}},
      {Ramp::Fire,
       18,
       {{0, {44, 2, 0}},
        {0.3, {180, 24, 0}},
        {0.55, {255, 100, 0}},
        {0.8, {255, 190, 24}},
        {1, {255, 250, 180}}}},
      {Ramp::Ice, 18, {{0, {0, 30, 40}}, {0.35, {0, 160, 200}}, {0.62, {0, 240, 255}}, {1, {222, 255, 255}}}},
      {Ramp::Night, 26, {{0, {4, 4, 4}}, {0.5, {12, 12, 12}}, {1, {30, 30, 30}}}},
      {Ramp::Brown, 16, {{0, {24, 14, 8}}, {0.5, {110, 70, 40}}, {1, {224, 190, 150}}}},
      {Ramp::Rose, 16, {{0, {32, 4, 16}}, {0.4, {160, 24, 80}}, {0.7, {246, 80, 150}}, {1, {255, 214, 232}}}},
  };
  return defs;
}

const std::vector<RampDef>& RampDefs() {
  switch (CurrentLook()) {
    case Look::Neon:
      return NeonRamps();
    case Look::Paper:
      return PaperRamps();
    case Look::Contrast:
      return ContrastRamps();
    case Look::Classic:
      break;
  }
  return ClassicRamps();
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
