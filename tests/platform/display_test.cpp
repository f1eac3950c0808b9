// The choice of the scale from the desktop size and the player's value, and
// the screen's layout and pointer mapping that follow from it.
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
  EXPECT_TRUE(ParseScale("fill", scale));
  EXPECT_EQ(scale, FillScale);
  for (int value : {0, FillScale, 1, 8}) {
    int back = 99;
    EXPECT_TRUE(ParseScale(ScaleText(value), back));
    EXPECT_EQ(back, value);
  }
  EXPECT_TRUE(ParseScale("3", scale));
  for (const char* bad :
       {"", "0", "9", "-1", "Fill", "fill ", "2x", " 2", "1.5", "two", "002", "99999999999"})
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

// Full screen fills by default only where the whole scale leaves more than a
// tenth of the height black; a window keeps its whole scale.
TEST(DisplayScale, AutomaticFillsAFullScreenThatAWholeScaleLeavesBlack) {
  const struct {
    int w, h, fullscreen;
  } cases[] = {
      {1920, 1080, FillScale},  // 2x leaves 120 of 1080 rows black, 11%
      {3840, 2160, FillScale},  // 4x leaves 11% too
      {2880, 2160, FillScale},
      {1366, 768, FillScale},
      {2560, 1600, FillScale},
      {2560, 1440, 3},  // 3x fills exactly
      {1680, 1050, 2},  // 8.6% black
      {1280, 1024, 2},  // 6.25% black
      {0, 0, 1},        // unknown desktop
  };
  std::string note;
  for (const auto& c : cases) {
    EXPECT_EQ(ResolveScale(0, c.w, c.h, true, note), c.fullscreen) << c.w << "x" << c.h;
    EXPECT_EQ(ResolveScale(0, c.w, c.h, false, note), FittingScale(c.w, c.h, false)) << c.w << "x" << c.h;
    EXPECT_EQ(ResolveScale(FillScale, c.w, c.h, false, note), FillScale);
    EXPECT_TRUE(note.empty());
  }
}

TEST(DisplayScale, FillTakesTheScreensHeightAtAnyFactor) {
  const SDL_Rect none = {0, 0, 0, 0};
  // The factor, and where the field's first column and the picture's first
  // row land on the screen.
  const struct {
    int w, h;
    double factor;
    int fieldLeft;
    bool gameScales;
  } cases[] = {
      {1920, 1080, 2.25, 420, true}, {2880, 2160, 4.5, 360, true},
      {3840, 2160, 4.5, 840, true},  {2560, 1440, 3, 560, false},  // whole: SDL's own stretch
      {1280, 1024, 2, 160, false},  // narrower than the picture's shape: the width decides
  };
  for (const auto& c : cases) {
    const TScreenLayout l = LayoutScreen(FillScale, c.w, c.h, true, none, 0, 0);
    EXPECT_DOUBLE_EQ(l.factor, c.factor) << c.w << "x" << c.h;
    EXPECT_EQ(l.gameScales, c.gameScales);
    EXPECT_TRUE(l.panelsFill);
    const int pictureLeft = (l.stageWidth - PictureWidth) / 2,
              pictureTop = (l.stageHeight - PictureHeight) / 2;
    EXPECT_EQ(l.stageWidth - PictureWidth - 2 * pictureLeft, l.gameScales ? 0 : l.stageWidth % 2);
    if (!l.gameScales) {
      EXPECT_EQ(FullscreenMode(c.w, c.h, static_cast<int>(c.factor)).w, l.videoWidth);
      continue;
    }
    EXPECT_EQ(l.videoWidth, c.w);
    EXPECT_EQ(l.videoHeight, c.h);
    // The stage covers the whole screen, and the picture's rows all of its height.
    EXPECT_LE(l.offsetX, 0);
    EXPECT_GE(l.offsetX + l.stageWidth * l.factor, c.w);
    EXPECT_DOUBLE_EQ(l.offsetY + pictureTop * l.factor, 0) << "the picture's top row is the screen's";
    EXPECT_DOUBLE_EQ(l.offsetX + (pictureLeft + FieldLeft) * l.factor, c.fieldLeft);
  }
  const TScreenLayout whole = LayoutScreen(2, 1920, 1080, true, none, 0, 0);
  EXPECT_FALSE(whole.panelsFill);
  EXPECT_FALSE(whole.gameScales);
  EXPECT_EQ(whole.videoWidth, 960);
}

// A window that fills is as large as the work area less its frame allows, in
// the picture's shape and in whole pixels.
TEST(DisplayScale, AWindowThatFillsTakesTheWorkArea) {
  const struct {
    SDL_Rect area;
    int frameW, frameH, w, h, scaling;
    bool gameScales;
  } cases[] = {
      {{0, 0, 1920, 1080}, 2, 24, 1408, 1056, 1, true},
      {{0, 30, 1920, 1050}, 8, 32, 1356, 1017, 1, true},  // beside a panel
      {{0, 0, 2880, 2160}, 2, 24, 2848, 2136, 1, true},
      {{0, 0, 1300, 984}, 4, 24, 640, 480, 2, false},  // exactly 2x: SDL scales
      {{0, 0, 800, 500}, 4, 24, 640, 480, 1, false},   // never smaller than the picture
  };
  for (const auto& c : cases) {
    const TScreenLayout l = LayoutScreen(FillScale, 3000, 3000, false, c.area, c.frameW, c.frameH);
    EXPECT_EQ(l.videoWidth, c.w) << c.area.w << "x" << c.area.h;
    EXPECT_EQ(l.videoHeight, c.h) << c.area.w << "x" << c.area.h;
    EXPECT_EQ(l.windowScaling, c.scaling);
    EXPECT_EQ(l.gameScales, c.gameScales);
    EXPECT_FALSE(l.panelsFill);
    if (l.gameScales) {
      EXPECT_EQ(l.videoWidth * PictureHeight, l.videoHeight * PictureWidth);
    }
  }
}

// Every screen pixel points at the picture pixel drawn there, and the pointer
// put on a picture pixel comes back as that pixel.
TEST(DisplayScale, PointerMapsToThePictureAtEveryFactor) {
  const SDL_Rect none = {0, 0, 0, 0};
  for (const auto& size : {std::pair{1920, 1080}, std::pair{2880, 2160}, std::pair{1366, 768}}) {
    const TScreenLayout l = LayoutScreen(FillScale, size.first, size.second, true, none, 0, 0);
    for (int x = 0; x < size.first; ++x) {
      int sx = x, sy = 0;
      WindowToStage(l, sx, sy);
      const double middle = x + 0.5;
      EXPECT_TRUE(l.offsetX + sx * l.factor <= middle && middle < l.offsetX + (sx + 1) * l.factor)
          << "column " << x << " at " << l.factor;
    }
    for (int sy = 0; sy < l.stageHeight; ++sy) {
      int x = 100, y = sy;
      StageToWindow(l, x, y);
      WindowToStage(l, x, y);
      EXPECT_EQ(y, sy);
      EXPECT_EQ(x, 100);
    }
  }
  // Hand-worked at 2.25: the field's first column starts at screen column 420.
  const TScreenLayout l = LayoutScreen(FillScale, 1920, 1080, true, none, 0, 0);
  int x = 420, y = 1079;
  WindowToStage(l, x, y);
  EXPECT_EQ(x - (l.stageWidth - PictureWidth) / 2, FieldLeft);
  EXPECT_EQ(y, PictureHeight - 1);
  x = 419;
  WindowToStage(l, x, y);
  EXPECT_EQ(x - (l.stageWidth - PictureWidth) / 2, FieldLeft - 1);
}
