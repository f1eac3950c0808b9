// The level editor screen: closing the window never throws away a level
// being made without a word first.
#include "screens/editor.h"

#include <gtest/gtest.h>

#include "base/globals.h"
#include "game/input.h"
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
}  // namespace
