// The side panels: they leave every pixel of the play field and HUD as it
// was, go away with the game, name the level's place and wrap long names.
#include "screens/panels.h"

#include <vector>

#include "base/globals.h"
#include "game/mainloop.h"
#include "session/gameflow.h"
#include "session/level.h"
#include "session/players.h"
#include "store/highscores.h"
#include "tests/screencheck.h"
#include "tests/testenv.h"

namespace {
class PanelsTest : public GameTest {
protected:
  void TearDown() override {
    SetSidePanelsShown(true);
    GameTest::TearDown();
  }

  // The window's pixels of columns [from, to), every row.
  static std::vector<Uint8> Columns(int from, int to) {
    std::vector<Uint8> pixels;
    for (int y = 0; y < 480; ++y)
      for (int x = from; x < to; ++x) pixels.push_back(PixelAt(x, y));
    return pixels;
  }
  static bool Blank(const std::vector<Uint8>& pixels) {
    for (Uint8 p : pixels)
      if (p != 0) return false;
    return true;
  }
  static std::vector<Uint8> FrameWithPanels(bool shown) {
    SetSidePanelsShown(shown);
    Game.beamPhase = 0;
    ClearWindow(0);
    DrawStateFrame();
    return Columns(80, 560);
  }
  // The row (window y) at which the left strip shows `text` centred, -1 when it does not.
  static int LeftStripRowOf(const CFont& font, const std::string& text) {
    const int x0 = (80 - TextWidth(font, text)) / 2;
    for (int y = 0; y + 16 < 480; ++y) {
      bool shown = true;
      int x = x0, opaque = 0;
      for (char c : text) {
        const SDL_Rect& g = font.glyphs[static_cast<unsigned char>(c)];
        for (int j = 0; j < g.h && shown; ++j)
          for (int i = 0; i < g.w && shown; ++i) {
            const Uint32 raw = RawPixel(font.image, g.x + i, g.y + j);
            if (raw == font.image->format->colorkey) continue;
            ++opaque;
            shown = PixelAt(x + i, y + j) == ScreenIndexOf(font.image, raw);
          }
        x += TextWidth(font, std::string(1, c));
      }
      if (shown && opaque > 0) return y;
    }
    return -1;
  }
};

TEST_F(PanelsTest, LeaveTheFieldAsItWasAndGoWithTheGame) {
  StartEmptyPlay();
  Game.levelName = "it was a purple elephant i tell ya";
  Game.energy = 30000;
  Game.ballType = btFire;
  const std::vector<Uint8> without = FrameWithPanels(false);
  EXPECT_TRUE(Blank(Columns(0, 80)));
  const std::vector<Uint8> with = FrameWithPanels(true);
  EXPECT_EQ(with, without);
  const std::vector<Uint8> left = Columns(0, 80), right = Columns(560, 640);
  EXPECT_FALSE(Blank(left));
  EXPECT_FALSE(Blank(right));
  // A power taken away is drawn away at the next frame.
  Game.energy = 0;
  FrameWithPanels(true);
  EXPECT_EQ(Columns(0, 80), left);
  EXPECT_NE(Columns(560, 640), right);
  // Paused into the menu, the strips are black again.
  Game.programState = psMenu;
  DrawStateFrame();
  EXPECT_TRUE(Blank(Columns(0, 80)));
  EXPECT_TRUE(Blank(Columns(560, 640)));
}

// A name a little too wide for its card is set tighter, not cut: cut, the
// default names of the second and third seats both read "PLAYER".
TEST_F(PanelsTest, HotSeatNamesStayToldApart) {
  StartNewGame(0, {"ANN", "PLAYER 2", "PLAYER 3"});
  ASSERT_TRUE(HotSeatGame());
  FrameWithPanels(true);
  const auto nameRow = [](int seat) {
    std::vector<Uint8> pixels;
    for (int y = 156 + 45 * seat; y < 168 + 45 * seat; ++y)
      for (int x = 0; x < 80; ++x) pixels.push_back(PixelAt(x, y));
    return pixels;
  };
  EXPECT_FALSE(Blank(nameRow(1)));
  EXPECT_NE(nameRow(1), nameRow(2));
}

// A hot seat shows the lap below the players, as one player's game does; a
// play-test of the editor's level has no best of another table.
TEST_F(PanelsTest, HotSeatKeepsTheLapAndAPlayTestHasNoBest) {
  StartNewGame(1, {"ANN", "BOB"});
  ASSERT_TRUE(HotSeatGame());
  Game.highScores.Add(new CHighScore("ROOT", 30));  // another set's best, say
  FrameWithPanels(true);
  const int lap = LeftStripRowOf(Game.fontMenu, "lap"), best = LeftStripRowOf(Game.fontMenu, "best");
  EXPECT_GT(lap, 20 * 6 + 36 + 45) << "below both players";
  EXPECT_GT(LeftStripRowOf(Game.fontMenu, "2"), lap) << "the second difficulty starts on lap 2";
  EXPECT_GT(best, lap);
  EXPECT_EQ(LeftStripRowOf(Game.fontScore, "none yet"), -1) << "the table has a best";
  Game.playTesting = true;
  FrameWithPanels(true);
  EXPECT_GT(LeftStripRowOf(Game.fontScore, "none yet"), best);
  Game.playTesting = false;
}

TEST_F(PanelsTest, PlaceNamesTierNumberAndLap) {
  const struct {
    int index;
    const char* place;
    int lap;
  } cases[] = {{0, "newbie 1/40", 1},
               {6, "newbie 7/40", 1},
               {40, "experienced 1/40", 2},
               {199, "AAARGH 40/40", 5},
               {240, "beyond AAARGH 1/40", 7}};
  for (const auto& c : cases) {
    Game.levelIndex = c.index;
    EXPECT_EQ(LevelPlace(), c.place);
    EXPECT_EQ(LevelLap(), c.lap) << c.index;
  }
  // A level named on the command line is shown at its place in the list.
  Game.levelIndex = -1;
  Game.levelName = "go easy on me";
  EXPECT_EQ(LevelPlace(), "newbie 1/40");
  Game.levelName = "rainy day";
  EXPECT_EQ(LevelPlace(), "newbie 23/40");
  EXPECT_EQ(LevelLap(), 1);
}

TEST_F(PanelsTest, WrappedLinesFitAndKeepEveryLetter) {
  const int width = 68;
  for (const std::string text : {"it was a purple elephant i tell ya", "Simple Directmedia Layer",
                                 "beyond AAARGH 40/40", "WWWWWWWWWWWWWWWWWWWWWWWWW", "x"}) {
    const std::vector<std::string> lines = WrapText(Game.fontScore, text, width);
    std::string letters, original;
    for (const std::string& line : lines) {
      EXPECT_LE(TextWidth(Game.fontScore, line), width) << line;
      EXPECT_FALSE(line.empty());
      for (char c : line.substr(0, line.size() - (line.back() == '-' ? 1 : 0)))
        if (c != ' ') letters += c;
    }
    for (char c : text)
      if (c != ' ') original += c;
    EXPECT_EQ(letters, original);
    // Words that fit are not cut: no line could take the next line's first word.
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
      const std::string next = lines[i + 1].substr(0, lines[i + 1].find(' '));
      EXPECT_GT(TextWidth(Game.fontScore, lines[i] + " " + next), width) << text;
    }
  }
}
}  // namespace
