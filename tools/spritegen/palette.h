// The one 256-colour palette every sprite and font of the game shares.
#pragma once
#include <cstdint>
#include <vector>

struct Rgb {
  uint8_t r, g, b;
};

// Colour families; each is a ramp from near black through its full colour to a pale tint.
enum class Ramp { Grey, Steel, Blue, Green, Purple, Red, Yellow, Gold, Fire, Ice, Night, Brown, Rose };

constexpr int kBlackIndex = 0;
constexpr int kMagentaIndex = 1;

const std::vector<Rgb>& Palette();
// The palette colour at position t (0 darkest .. 1 palest) of a ramp.
Rgb Shade(Ramp ramp, double t);
// Index of the palette colour at position t of a ramp.
int ShadeIndex(Ramp ramp, double t);
