// The new game screen's players and names lines, driven through the real
// input dispatch: reaching them, the count, editing a name without the keys'
// other meanings, a click, the hot-seat game Enter starts, and the focus lit
// where it is, alone answering Left and Right.
#include "menus/playerlines.h"

#include "media/font.h"
#include "session/players.h"
#include "tests/menus/menutest.h"
#include "tests/screencheck.h"

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
  const int label = TextWidth(Game.fontScore, "names:"), first = TextWidth(Game.fontScore, DefaultName());
  const int gap = 16;
  const int line = label + gap + first + gap + TextWidth(Game.fontScore, "PLAYER 2");
  Click((480 - line) / 2 + label + gap + first + gap + 4, 428);
  EXPECT_TRUE(TypingPlayerName());
  PressKey(SDLK_BACKSPACE);
  EXPECT_EQ(ChosenPlayers()[1], "PLAYER ");
}

TEST_F(PlayerLines, TheFocusedLineIsLitAndAloneAnswersLeftAndRight) {
  const auto centred = [](const CFont& font, const std::string& text) {
    return (480 - TextWidth(font, text)) / 2;
  };
  const auto boxAt = [](int y) { return WindowShown(Game.sprMenu, 0, 0, 8, 20, 120, y); };
  const std::string editor = "E: level editor";
  Game.menuCursor = 2;
  Show(msNewGame);
  EXPECT_TRUE(boxAt(280)) << "the chosen difficulty is lit";
  const std::string tabs = "Tab: difficulty > players";
  const int hintX = (480 - TextWidth(Game.fontScore, tabs) - 24 - TextWidth(Game.fontScore, editor)) / 2;
  EXPECT_TRUE(TextShown(Game.fontScore, tabs, hintX, 446)) << "the hint line gives Tab's order";
  EXPECT_TRUE(TextShown(Game.fontScore, "players: 1", centred(Game.fontScore, "players: 1"), 405));
  const std::string set = Game.newGameSetFolder;
  PressKey(SDLK_TAB);
  Show(msNewGame);
  EXPECT_FALSE(boxAt(280)) << "the focus left the difficulties";
  EXPECT_TRUE(TextShown(Game.fontMenu, "master", centred(Game.fontMenu, "master"), 288));
  EXPECT_TRUE(TextShown(Game.fontMenuDark, "crazy", centred(Game.fontMenuDark, "crazy"), 328));
  const std::string count = "< players: 1 >";
  EXPECT_TRUE(TextShown(Game.fontScore, count, centred(Game.fontScore, count), 405));
  EXPECT_TRUE(WindowShown(Game.sprMenu, 0, 0, 4, 4, centred(Game.fontScore, count) - 8, 400))
      << "its band is lit";
  PressKey(SDLK_RIGHT);
  EXPECT_EQ(ChosenPlayerCount(), 2);
  EXPECT_EQ(Game.newGameSetFolder, set) << "the set line has no focus";
  PressKey(SDLK_TAB);
  Show(msNewGame);
  const int names = TextWidth(Game.fontScore, "names:") + 16 + TextWidth(Game.fontScore, DefaultName()) + 16 +
                    TextWidth(Game.fontScore, "PLAYER 2");
  EXPECT_TRUE(TextShown(Game.fontScore, "names:", (480 - names) / 2, 425)) << "the names line has its label";
  // A click on the set line takes the focus there, and steps the set, not the names.
  Click(300, 130);
  EXPECT_NE(Game.newGameSetFolder, set);
  EXPECT_FALSE(TypingPlayerName());
  EXPECT_EQ(ChosenPlayerCount(), 2);
  EXPECT_EQ(ChosenPlayers()[0], DefaultName());
  Show(msNewGame);
  EXPECT_TRUE(boxAt(280));
}
