// The choice of the whole-number scale from the desktop size and the player's value.
#include "platform/display.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

TEST(DisplayScale, LargestWholeScaleThatFitsTheDesktop) {
  struct TCase {
    int w, h, windowed, fullscreen;
  };
  const TCase cases[] = {
      {1920, 1080, 2, 2},  // 3x is 1440 high
      {2560, 1440, 2, 3},  // a 1440-high window leaves no room for its frame
      {3840, 2160, 4, 4}, {1366, 768, 1, 1}, {1680, 1050, 2, 2},
      {1280, 1024, 1, 2},  // a 1280-wide window leaves no room for its borders
      {2560, 1600, 3, 2},  // 3 divides neither side: full screen stays crisp at 2
      {800, 600, 1, 1},   {320, 200, 1, 1},  {0, 0, 1, 1},  // smaller than the picture, or unknown
      {7680, 4320, 8, 8},                                   // never past the largest scale
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(FittingScale(c.w, c.h, false), c.windowed) << c.w << "x" << c.h;
    EXPECT_EQ(FittingScale(c.w, c.h, true), c.fullscreen) << c.w << "x" << c.h;
  }
}

// SDL stretches the full-screen mode by one factor taken from the axis that
// fills; the mode must make that factor the scale exactly and hold the picture.
TEST(DisplayScale, FullScreenModeStretchesByExactlyTheScale) {
  const int desktops[][2] = {{1920, 1080}, {2560, 1440}, {3840, 2160},
                             {1366, 768},  {1280, 1024}, {3440, 1440}};
  for (const auto& d : desktops) {
    const int scale = FittingScale(d[0], d[1], true);
    const SDL_Rect mode = FullscreenMode(d[0], d[1], scale);
    EXPECT_GE(mode.w, PictureWidth);
    EXPECT_GE(mode.h, PictureHeight);
    const double stretch = std::min(double(d[0]) / mode.w, double(d[1]) / mode.h);
    EXPECT_DOUBLE_EQ(stretch, scale) << d[0] << "x" << d[1];
  }
  const SDL_Rect mode = FullscreenMode(1920, 1080, 2);
  EXPECT_EQ(mode.w, 960);
  EXPECT_EQ(mode.h, 540);
  const SDL_Rect tooBig = FullscreenMode(1920, 1080, 3);
  EXPECT_EQ(tooBig.w, PictureWidth);
  EXPECT_EQ(tooBig.h, PictureHeight);
}

// A window's frame stands centred in the work area (beside a panel), or from
// its corner when larger, never off the screen.
TEST(DisplayScale, WindowFrameIsCentredInTheWorkArea) {
  const struct {
    SDL_Rect area;
    int w, h, x, y;
  } cases[] = {{{0, 0, 1920, 1080}, 1282, 981, 319, 49},
               {{0, 30, 1920, 1050}, 1282, 981, 319, 64},
               {{64, 0, 1856, 1080}, 1282, 981, 351, 49},
               {{0, 0, 1366, 768}, 1400, 800, 0, 0}};
  for (const auto& c : cases) {
    const SDL_Rect place = CentredFrame(c.area, c.w, c.h);
    EXPECT_EQ(place.x, c.x);
    EXPECT_EQ(place.y, c.y);
  }
}

TEST(DisplayScale, PlayersValueIsTakenWhenValidAndFitting) {
  int scale = -1;
  EXPECT_TRUE(ParseScale("auto", scale));
  EXPECT_EQ(scale, 0);
  EXPECT_TRUE(ParseScale("3", scale));
  EXPECT_EQ(scale, 3);
  for (const char* bad : {"", "0", "9", "-1", "2x", " 2", "1.5", "two", "002", "99999999999"})
    EXPECT_FALSE(ParseScale(bad, scale)) << '"' << bad << '"';
  EXPECT_EQ(scale, 3) << "a refused value leaves the scale alone";

  std::string note;
  EXPECT_EQ(ResolveScale(0, 1920, 1080, false, note), 2);
  EXPECT_TRUE(note.empty());
  EXPECT_EQ(ResolveScale(1, 1920, 1080, true, note), 1);
  EXPECT_TRUE(note.empty());
  EXPECT_EQ(ResolveScale(3, 1920, 1080, false, note), 2);
  EXPECT_NE(note.find("scale 3 does not fit"), std::string::npos) << note;
  EXPECT_EQ(note.find('\n'), std::string::npos);
  EXPECT_EQ(ResolveScale(3, 2560, 1600, true, note), 3) << "the player may take an uneven stretch";
  EXPECT_EQ(ResolveScale(5, 0, 0, false, note), 5) << "an unknown desktop refuses nothing";
}
