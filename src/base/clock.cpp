// The clock seam: the main loop reads time only through GetTicks.
#include "base/clock.h"

#include <SDL/SDL.h>

namespace {
TTicksSource ticksSource = nullptr;
}

uint32_t GetTicks() { return ticksSource ? ticksSource() : SDL_GetTicks(); }

void SetTicksSource(TTicksSource source) { ticksSource = source; }
