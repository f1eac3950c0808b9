// The layout every page of keys and text shares.
#include "menus/helppage.h"

#include "base/globals.h"

namespace {
constexpr int KeyColumn = 40, WhatColumn = 168;
}  // namespace

std::vector<THelpLine> KeyRowLines(int y, std::initializer_list<TKeyRow> rows) {
  std::vector<THelpLine> lines;
  for (const TKeyRow& k : rows) {
    if (k.key.empty() && *k.what == 0) {
      y += 8;
    } else if (k.key.empty()) {
      lines.push_back({&Game.fontMenu, 24, y, k.what, HelpFieldRight});
      y += 28;
    } else if (*k.what == 0) {
      lines.push_back({&Game.fontScore, 24, y, k.key, HelpFieldRight});
      y += 16;
    } else {
      lines.push_back({&Game.fontScore, KeyColumn, y, k.key, WhatColumn});
      lines.push_back({&Game.fontScore, WhatColumn, y, k.what, HelpFieldRight});
      y += 16;
    }
  }
  return lines;
}
