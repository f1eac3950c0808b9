// What a help page is made of: its lines of text and, for some, pictures.
// A page is a pair of routines in the list of pages (menus/help.cpp); the
// help screen draws any page the same way, under the title and above the
// marks that turn the pages.
#pragma once
#include <initializer_list>
#include <string>
#include <vector>

#include "media/font.h"

constexpr int HelpFieldRight = 480;
// The lowest a line of text may stand: the page marks come below.
constexpr int HelpLowestLine = 430;

struct THelpLine {
  const CFont* font;
  int x, y;
  std::string text;
  int limit;  // the column the text must end before
};

struct THelpPage {
  std::vector<THelpLine> (*lines)();
  void (*pictures)();  // drawn under the lines; null for a page of text
};

// A row of a page of keys: a row whose key is empty is a heading, one whose
// text is empty a line across the page, and one with neither a small gap.
struct TKeyRow {
  std::string key;
  const char* what;
};
// The rows laid out from y down: keys in one column, what they do in the next.
std::vector<THelpLine> KeyRowLines(int y, std::initializer_list<TKeyRow> rows);
