// Finding the names closest to a mistyped one.
#include "base/closestnames.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace {
std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), 0);
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}
}  // namespace

std::vector<std::string> ClosestNames(const std::string& name, const std::vector<std::string>& candidates,
                                      size_t count) {
  const std::string typed = Lower(name);
  struct TScored {
    bool contains;
    size_t distance;
    std::string name;
  };
  std::vector<TScored> scored;
  for (const std::string& candidate : candidates) {
    const std::string lower = Lower(candidate);
    // A fragment of a long name is far from it letter by letter, yet plainly meant.
    const bool contains = typed.size() >= 3 &&
                          (lower.find(typed) != std::string::npos || typed.find(lower) != std::string::npos);
    scored.push_back({contains, EditDistance(typed, lower), candidate});
  }
  std::stable_sort(scored.begin(), scored.end(), [](const TScored& a, const TScored& b) {
    if (a.contains != b.contains) return a.contains;
    return a.distance < b.distance;
  });
  std::vector<std::string> closest;
  for (size_t i = 0; i < scored.size() && i < count; ++i) closest.push_back(scored[i].name);
  return closest;
}
