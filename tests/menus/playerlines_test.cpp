// The new game screen's players and names lines, driven through the real
// input dispatch: reaching them, the count, editing a name without the keys'
// other meanings, a click, and the hot-seat game Enter starts.
#include "menus/playerlines.h"

#include "media/font.h"
#include "session/players.h"
#include "tests/menus/menutest.h"

using PlayerLines = MenuTest;

TEST_F(PlayerLines, PlayersLineCountsAndTheNamesAreTypedIn) {
  Game.menuState = msNewGame;
  Game.menuCursor = 2;
  Game.levelIndex = 5;
  PressKey(SDLK_RIGHT);  // not reached yet: Left and Right are the set line's
  EXPECT_EQ(ChosenPlayerCount(), 1);
  PressKey(SDLK_LEFT);  // back from "daily" to the built-in set
  PressKey(SDLK_TAB);
  for (int i = 0; i < 4; ++i) PressKey(SDLK_RIGHT);
  EXPECT_EQ(ChosenPlayerCount(), 4) << "four at most";
  PressKey(SDLK_LEFT);
  PressKey(SDLK_TAB);  // on to the names, the first of them
  PressKey(SDLK_RIGHT);
  for (int i = 0; i < 8; ++i) PressKey(SDLK_BACKSPACE);
  for (SDLKey key : {SDLK_n, SDLK_e, SDLK_d, SDLK_SPACE, SDLK_2}) PressKey(key);
  EXPECT_EQ(Game.menuState, msNewGame) << "E types, it does not open the editor";
  EXPECT_EQ(Game.levelIndex, 5) << "N types, it does not skip the level behind the menu";
  PressKey(SDLK_RIGHT);
  for (int i = 0; i < 8; ++i) PressKey(SDLK_BACKSPACE);  // an emptied name plays under its default
  PressKey(SDLK_DOWN);
  EXPECT_FALSE(TypingPlayerName());
  EXPECT_EQ(Game.menuCursor, 2) << "back on the difficulty it left";
  PressKey(SDLK_RETURN);
  EXPECT_EQ(Game.programState, psGame);
  ASSERT_TRUE(HotSeatGame());
  ASSERT_EQ(HotSeat.players.size(), 3u);
  EXPECT_EQ(HotSeat.players[0].name, DefaultName());
  EXPECT_EQ(HotSeat.players[1].name, "NED 2");
  EXPECT_EQ(HotSeat.players[2].name, "PLAYER 3");
  EXPECT_EQ(Game.levelIndex, 80) << "on the chosen difficulty";
}

// A click on the right half of the players line adds a player, on the left
// half takes one away; a click on a name chooses it for typing.
TEST_F(PlayerLines, PlayersLineAndNamesAnswerClicks) {
  Show(msNewGame);
  Click(250, 410);
  Click(250, 410);
  EXPECT_EQ(ChosenPlayerCount(), 3);
  Click(230, 410);
  EXPECT_EQ(ChosenPlayerCount(), 2);
  EXPECT_EQ(Game.menuState, msNewGame);
  const int first = TextWidth(Game.fontScore, DefaultName()), gap = 16;
  const int second = (480 - first - gap - TextWidth(Game.fontScore, "PLAYER 2")) / 2 + first + gap;
  Click(second + 4, 428);
  EXPECT_TRUE(TypingPlayerName());
  PressKey(SDLK_BACKSPACE);
  EXPECT_EQ(ChosenPlayers()[1], "PLAYER ");
}
