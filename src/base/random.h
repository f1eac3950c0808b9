// The program-wide random generator: uniform integers in [0, n).
// Levels reseed it from the clock in whole seconds; tests seed it directly
// and may replace the clock it reads.
#pragma once
#include <cstdint>

int Random(int n);
void RandomSeed(uint32_t seed);
// Reseeds from the current time in whole seconds (the seconds source can be replaced).
void ReseedFromClock();
using TSecondsSource = uint32_t (*)();
void SetSecondsSource(TSecondsSource source);  // nullptr restores the real clock
// The generator's whole state, to put it back exactly as it was.
uint64_t RandomState();
void SetRandomState(uint64_t state);
// Told the seed every time the generator is reseeded from the clock (the recorder keeps them).
using TSeedObserver = void (*)(uint32_t seed);
void SetSeedObserver(TSeedObserver observer);
