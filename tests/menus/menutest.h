// MenuTest: the menu screens with a table of ten rows, driven through the
// game's real input dispatch by key presses and clicks.
#pragma once
#include <SDL/SDL.h>

#include "base/globals.h"
#include "field/particles.h"
#include "game/input.h"
#include "menus/menu.h"
#include "store/highscores.h"
#include "tests/testenv.h"

class MenuTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    Game.programState = psMenu;
    Game.returnState = psMenu;
    Game.menuState = msMain;
    Game.menuCursor = 1;
    for (int i = 0; i < 10; ++i)
      Game.highScores.Add(new CHighScore("VORTEX", static_cast<uint32_t>((10 - i) * 25)));
  }

  // A mouse event at play-field point (x, y), as the main loop hands it over.
  static void Mouse(Uint8 type, int x, int y, Uint8 button = SDL_BUTTON_LEFT) {
    Game.event = SDL_Event{};
    Game.event.type = type;
    if (type == SDL_MOUSEMOTION) {
      Game.event.motion.x = static_cast<Uint16>(x + 80);
      Game.event.motion.y = static_cast<Uint16>(y);
      Game.event.motion.yrel = 1;
    } else {
      Game.event.button.button = button;
      Game.event.button.x = static_cast<Uint16>(x + 80);
      Game.event.button.y = static_cast<Uint16>(y);
    }
    DispatchEvent();
  }
  static void Click(int x, int y, Uint8 button = SDL_BUTTON_LEFT) {
    Mouse(SDL_MOUSEBUTTONDOWN, x, y, button);
  }

  bool OnlySelectPlayed() const { return played.size() == 1 && played[0] == Game.sndMenuSelect; }

  static void Show(TMenuState state) {
    Game.menuState = state;
    Game.stars->particles.Clear();  // a quiet background for the checks
    DrawMenu();
  }
};
