// The level editor screen: closing the window never throws away a level
// being made without a word first, and the screens after it show none of
// its palettes.
#include "editor/editor.h"

#include <gtest/gtest.h>

#include "base/globals.h"
#include "game/input.h"
#include "game/mainloop.h"
#include "tests/testenv.h"

namespace {
class EditorTest : public GameTest {
protected:
  static void Send(Uint8 type, SDLKey key = SDLK_UNKNOWN) {
    Game.event = SDL_Event();
    Game.event.type = type;
    Game.event.key.keysym.sym = key;
    DispatchEvent();
  }
  // Palette entries, key legend and headings in the strips beside the field.
  static int LitStripPixels() {
    int lit = 0;
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 80; ++x) lit += (PixelAt(x, y) != 0) + (PixelAt(560 + x, y) != 0);
    return lit;
  }
};

TEST_F(EditorTest, ClosingTheWindowOverAnUnsavedLevelWarnsOnce) {
  OpenEditor("");
  Send(SDL_QUIT);
  EXPECT_TRUE(Game.quitRequested) << "nothing made yet: the window closes at once";

  Game.quitRequested = false;
  OpenEditor("");
  Send(SDL_KEYDOWN, SDLK_SPACE);  // paints the cell under the cursor
  Send(SDL_QUIT);
  EXPECT_FALSE(Game.quitRequested);
  EXPECT_EQ(Game.programState, psEditor);
  Send(SDL_KEYDOWN, SDLK_LALT);  // the window manager's close key comes with Alt
  Send(SDL_QUIT);
  EXPECT_TRUE(Game.quitRequested) << "the second close is meant";
}

TEST_F(EditorTest, TheScreensAfterTheEditorShowNoneOfItsPalettes) {
  Game.programState = psMenu;
  Game.menuState = msNewGame;
  OpenEditor("");
  for (int frame = 0; frame < 2; ++frame) DrawStateFrame();
  EXPECT_GT(LitStripPixels(), 0) << "the editor's palettes";
  Send(SDL_KEYDOWN, SDLK_ESCAPE);  // nothing made: it leaves at once
  ASSERT_EQ(Game.programState, psMenu);
  DrawStateFrame();
  EXPECT_EQ(LitStripPixels(), 0) << "the new game screen";
  Send(SDL_KEYDOWN, SDLK_ESCAPE);
  ASSERT_EQ(Game.menuState, msMain);
  DrawStateFrame();
  EXPECT_EQ(LitStripPixels(), 0) << "the main menu";
}
}  // namespace
