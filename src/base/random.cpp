// The program-wide random generator (xorshift64*), seedable by tests.
#include "base/random.h"

#include <ctime>

namespace {
uint64_t state = 0x9E3779B97F4A7C15ull;
TSecondsSource secondsSource = nullptr;
TSeedObserver seedObserver = nullptr;

uint32_t Next() {
  state ^= state >> 12;
  state ^= state << 25;
  state ^= state >> 27;
  return static_cast<uint32_t>((state * 0x2545F4914F6CDD1Dull) >> 32);
}
}  // namespace

int Random(int n) {
  if (n <= 0) return 0;
  // Rejection keeps every value in [0, n) exactly equally likely.
  const uint32_t limit = UINT32_MAX - UINT32_MAX % static_cast<uint32_t>(n);
  uint32_t r;
  do r = Next();
  while (r >= limit);
  return static_cast<int>(r % static_cast<uint32_t>(n));
}

void RandomSeed(uint32_t seed) {
  state = 0x9E3779B97F4A7C15ull ^ (static_cast<uint64_t>(seed) * 0xBF58476D1CE4E5B9ull);
  if (state == 0) state = 1;
  for (int i = 0; i < 4; ++i) Next();
}

void ReseedFromClock() {
  const uint32_t seed = secondsSource ? secondsSource() : static_cast<uint32_t>(std::time(nullptr));
  RandomSeed(seed);
  if (seedObserver) seedObserver(seed);
}

void SetSecondsSource(TSecondsSource source) { secondsSource = source; }

uint64_t RandomState() { return state; }

void SetRandomState(uint64_t s) { state = s ? s : 1; }

void SetSeedObserver(TSeedObserver observer) { seedObserver = observer; }
