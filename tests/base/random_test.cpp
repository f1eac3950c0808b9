// The program-wide random generator: seeded sequences repeat and cover their range.
#include "base/random.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

TEST(RandomGenerator, SeededSequencesRepeatAndCoverTheRange) {
  RandomSeed(99);
  std::vector<int> first;
  for (int i = 0; i < 50; ++i) first.push_back(Random(7));
  RandomSeed(99);
  std::set<int> seen;
  for (int i = 0; i < 50; ++i) {
    const int r = Random(7);
    EXPECT_EQ(r, first[static_cast<size_t>(i)]);
    seen.insert(r);
  }
  EXPECT_EQ(seen.size(), 7u);
  EXPECT_EQ(*seen.begin(), 0);
  EXPECT_EQ(*seen.rbegin(), 6);
}
