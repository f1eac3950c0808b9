// The "fill" scale on a real game screen: full screen at 1920x1080 (2.25)
// and 2880x2160 (4.5), the picture scaled by the game itself. The field runs
// from the screen's top row to its bottom row, the side panels take the rest
// of its width, and the pointer lands on the menu row and editor cell under it.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "base/globals.h"
#include "editor/editor.h"
#include "game/input.h"
#include "game/mainloop.h"
#include "menus/menu.h"
#include "platform/display.h"
#include "tests/testenv.h"

namespace {
class FillTest : public GameTest, public ::testing::WithParamInterface<std::pair<int, int>> {
protected:
  int width = GetParam().first, height = GetParam().second;
  double factor = height / 480.0;
  int fieldLeft = static_cast<int>((width - 480 * factor) / 2);  // the field's first screen column

  void SetUp() override {
    GameTest::SetUp();
    AssumeDesktop(width, height);
    ChangeScale(FillScale);
    OpenFillScreen();
  }
  void TearDown() override {
    AssumeDesktop(0, 0);
    ChangeScale(0);
    // Back to the 640x480 window every other test draws on.
    Game.screen = SDL_SetVideoMode(640, 480, 8, SDL_SWSURFACE | SDL_HWPALETTE);
    SDL_SetColors(Game.screen, Game.sprHud->format->palette->colors, 0, 256);
    SDL_Rect clip = {80, 0, 480, 480};
    SDL_SetClipRect(Game.screen, &clip);
    GameTest::TearDown();
  }
  static void OpenFillScreen() {
    Game.screen = OpenGameScreen(true, Game.sprHud->format->palette);
    ASSERT_NE(Game.screen, nullptr) << SDL_GetError();
    SDL_Rect clip = {80, 0, 480, 480};
    SDL_SetClipRect(Game.screen, &clip);
  }
  static Uint32 Shown(int x, int y) {
    SDL_Surface* video = SDL_GetVideoSurface();
    return reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(video->pixels) + y * video->pitch)[x] &
           0xffffff;
  }
  static int LitIn(int x0, int x1, int y) {
    int lit = 0;
    for (int x = x0; x < x1; ++x) lit += Shown(x, y) != 0;
    return lit;
  }
  // The pointer at a screen point, as SDL reports it and the main loop hands it over.
  static void Pointer(Uint8 type, int x, int y, Uint8 state = 0) {
    SDL_Event e = SDL_Event();
    e.type = type;
    if (type == SDL_MOUSEMOTION) {
      e.motion.x = static_cast<Uint16>(x);
      e.motion.y = static_cast<Uint16>(y);
      e.motion.xrel = 1;
      e.motion.state = state;
    } else {
      e.button.button = SDL_BUTTON_LEFT;
      e.button.x = static_cast<Uint16>(x);
      e.button.y = static_cast<Uint16>(y);
    }
    PointerToPicture(e);
    Game.event = e;
    DispatchEvent();
  }
  // The first screen pixel whose middle lies at or past a play-field point.
  int ScreenX(double fieldX) const { return fieldLeft + static_cast<int>(std::ceil(fieldX * factor - 0.5)); }
  int ScreenY(double y) const { return static_cast<int>(std::ceil(y * factor - 0.5)); }
};

TEST_P(FillTest, TheFieldRunsFromTopToBottomWithThePanelsBesideIt) {
  StartEmptyPlay();
  DrawStateFrame();
  PresentScreen();
  SDL_Surface* video = SDL_GetVideoSurface();
  ASSERT_EQ(video->w, width);
  ASSERT_EQ(video->h, height);
  const int fieldRight = width - fieldLeft;
  for (int y : {0, height - 1})
    EXPECT_GT(LitIn(fieldLeft, fieldRight, y), (fieldRight - fieldLeft) * 3 / 4) << "row " << y;
  // The frame's left wall starts at the field's first column, nothing of the field before it.
  EXPECT_NE(Shown(fieldLeft, height / 2), 0u);
  // The panels' cards reach within a few pixels of the screen's edges.
  const int edge = static_cast<int>(8 * factor);
  EXPECT_GT(LitIn(0, edge, height / 4), 0);
  EXPECT_GT(LitIn(width - edge, width, height / 4), 0);
  EXPECT_GT(LitIn(fieldLeft - edge, fieldLeft, height / 4), 0);
}

TEST_P(FillTest, ThePointerLandsOnTheMenuRowUnderIt) {
  Game.programState = psMenu;
  Game.menuState = msMain;
  Game.menuCursor = 1;
  const std::vector<TMenuTarget> rows = MenuTargets(msMain);
  ASSERT_GT(rows.size(), 3u);
  for (const TMenuTarget& t : rows) {
    if (t.row < 0 || !t.choosable) continue;
    // Just inside each corner of the row as the screen shows it.
    const int left = ScreenX(t.area.x), right = ScreenX(t.area.x + t.area.w) - 1;
    const int top = ScreenY(t.area.y), bottom = ScreenY(t.area.y + t.area.h) - 1;
    for (const auto& at : {std::pair{left, top}, std::pair{right, bottom}, std::pair{left, bottom}}) {
      Game.menuCursor = t.row == 1 ? 2 : 1;
      Pointer(SDL_MOUSEMOTION, at.first, at.second);
      EXPECT_EQ(Game.menuCursor, t.row) << "at " << at.first << "," << at.second << ", " << factor;
    }
  }
  // A click on "options" opens it.
  const TMenuTarget& options = rows[2];
  Pointer(SDL_MOUSEBUTTONDOWN, ScreenX(options.area.x + options.area.w / 2.0), ScreenY(options.area.y + 2));
  EXPECT_EQ(Game.menuState, msOptions);
}

TEST_P(FillTest, TheEditorPaintsTheCellUnderThePointer) {
  Game.programState = psMenu;
  Game.menuState = msNewGame;
  OpenEditor("");
  DrawStateFrame();
  // The grid starts 17 pixels into the field; its cells are 32 by 16.
  constexpr int GridX = 17, GridY = 17, CellW = 32, CellH = 16;
  const auto cellPixel = [&](int column, int row) {
    return PixelAt(80 + GridX + CellW * column + CellW / 2, GridY + CellH * row + CellH / 2);
  };
  const Uint8 empty = cellPixel(6, 9);
  // The cell's last screen column and row, just before the next cell's.
  Pointer(SDL_MOUSEBUTTONDOWN, ScreenX(GridX + CellW * 7) - 1, ScreenY(GridY + CellH * 10) - 1);
  Pointer(SDL_MOUSEBUTTONUP, 0, 0);
  DrawStateFrame();
  EXPECT_NE(cellPixel(6, 9), empty) << "painted";
  EXPECT_EQ(cellPixel(7, 9), empty);
  EXPECT_EQ(cellPixel(6, 10), empty);
  Game.programState = psMenu;
}

INSTANTIATE_TEST_SUITE_P(Screens, FillTest, ::testing::Values(std::pair{1920, 1080}, std::pair{2880, 2160}));
}  // namespace
