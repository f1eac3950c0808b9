// The millisecond clock the main loop reads: SDL_GetTicks unless a test supplies another.
#pragma once
#include <cstdint>

uint32_t GetTicks();
using TTicksSource = uint32_t (*)();
void SetTicksSource(TTicksSource source);  // nullptr restores SDL_GetTicks
