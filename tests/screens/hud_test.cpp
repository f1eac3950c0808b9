// The HUD strip, the state messages, the level title box, framed boxes, the
// frame with its beams and the backdrop, all judged by the pixels drawn.
#include "screens/hud.h"

#include <string>

#include "base/globals.h"
#include "field/paddle.h"
#include "menus/menu.h"
#include "tests/screencheck.h"
#include "tests/testenv.h"

namespace {
class HudTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    Game.gameState = gsBallInGame;
    Game.lives = 0;
    ClearWindow(0);
  }

  static void Redraw() {
    ClearWindow(0);
    DrawHud();
  }

  // A string of `c` whose width lies in [from, from + 20).
  static std::string NameOfWidth(int from) {
    std::string s;
    while (TextWidth(Game.fontMenu, s) < from) s += 'i';
    EXPECT_LT(TextWidth(Game.fontMenu, s), from + 20);
    return s;
  }
};

TEST_F(HudTest, EnergyShowsOneSegmentPer2000Milliseconds) {
  const struct { int energy, segments; } cases[] = {{0, 0}, {1999, 0}, {2000, 1}, {3999, 1}, {40000, 20}};
  for (const auto& c : cases) {
    Game.energy = c.energy;
    Redraw();
    for (int i = 0; i < c.segments; ++i)
      EXPECT_TRUE(SpriteShown(Game.sprEnergyBar, 244 + 5 * i, 447)) << c.energy << " segment " << i;
    EXPECT_FALSE(SpriteShown(Game.sprEnergyBar, 244 + 5 * c.segments, 447)) << c.energy;
  }
}

TEST_F(HudTest, LivesStandLeftwardsFrom405) {
  Game.lives = 5;
  Redraw();
  for (int x : {405, 395, 385, 375, 365}) EXPECT_TRUE(SpriteShown(Game.sprLife, x, 433)) << x;
  EXPECT_FALSE(SpriteShown(Game.sprLife, 355, 433));
  Game.lives = 0;
  Redraw();
  EXPECT_FALSE(SpriteShown(Game.sprLife, 405, 433));
}

TEST_F(HudTest, ScoreIsRightAlignedInEightCharacters) {
  Game.score = 7;
  Redraw();
  EXPECT_TRUE(GlyphShown(Game.fontScore, '7', 43 + 7 * 8, 447));
  Game.score = 0;
  Redraw();
  EXPECT_TRUE(GlyphShown(Game.fontScore, '0', 43 + 7 * 8, 447));
  Game.score = 12345678;
  Redraw();
  EXPECT_TRUE(TextShown(Game.fontScore, "12345678", 43, 447));
}

// The three windows of the strip show their contents on one row: the score's
// digits, the energy segments and the life icons start and end together.
TEST_F(HudTest, ScoreEnergyAndLivesShareOneRow) {
  const SDL_Rect segment = InkBounds(Game.sprEnergyBar);
  const SDL_Rect life = InkBounds(Game.sprLife);
  const int top = 447 + segment.y, bottom = top + segment.h;
  EXPECT_EQ(433 + life.y, top);
  EXPECT_EQ(433 + life.y + life.h, bottom);
  for (char digit : std::string("0123456789")) {
    const SDL_Rect& g = Game.fontScore.glyphs[static_cast<unsigned char>(digit)];
    const SDL_Rect ink = InkBounds(Game.fontScore.image, g.x, g.y, g.w, g.h);
    EXPECT_EQ(447 + ink.y, top) << digit;
    EXPECT_LE(447 + ink.y + ink.h, bottom + 1) << digit << " (its shadow may hang one row lower)";
    EXPECT_GE(ink.h, segment.h - 1) << digit << " fills the row";
  }
}

TEST_F(HudTest, StateMessagesStandInTheirBox) {
  const struct {
    TGameState state;
    const char* text;
    int x;
  } messages[] = {
      {gsNewBall, "get ready", 198}, {gsGameOver, "game over", 197}, {gsGameDone, "well done", 197}};
  SDL_Surface* skin = Game.sprMessage;
  for (const auto& m : messages) {
    Game.gameState = m.state;
    Redraw();
    EXPECT_TRUE(TextShown(Game.fontMenu, m.text, m.x, 299)) << m.text;
    EXPECT_TRUE(WindowShown(skin, 0, 0, 20, 20, 160, 280)) << m.text;
    EXPECT_TRUE(WindowShown(skin, skin->w - 20, skin->h - 20, 20, 20, 300, 320)) << m.text;
  }
  for (TGameState quiet : {gsBallInGame, gsBallLost}) {
    Game.gameState = quiet;
    ClearWindow(0);
    TScreenShot clear;
    DrawHud();
    EXPECT_TRUE(clear.SameAsNow(0, 0, 480, 432)) << "no message in state " << int(quiet);
  }
}

TEST_F(HudTest, LevelTitleNamesTierAndNumberAndIsCentredWithTheName) {
  const struct {
    int index;
    const char* title;
  } cases[] = {{-1, "newbie-0"},   {0, "newbie-1"},  {39, "newbie-40"},        {40, "experienced-1"},
               {199, "AAARGH-40"}, {120, "crazy-1"}, {200, "beyond AAARGH-1"}, {417, "beyond AAARGH-18"}};
  for (const auto& c : cases) {
    Game.levelIndex = c.index;
    EXPECT_EQ(LevelTitle(), c.title) << c.index;
  }
  Game.gameState = gsFirstBall;
  Game.levelName = Game.levelList[0];
  Redraw();
  const int wTitle = TextWidth(Game.fontMenu, LevelTitle());
  const int wName = TextWidth(Game.fontMenu, Game.levelName);
  EXPECT_TRUE(TextShown(Game.fontMenu, LevelTitle(), (480 - wTitle) / 2, 259));
  EXPECT_TRUE(TextShown(Game.fontMenu, Game.levelName, (480 - wName) / 2, 299));
}

// The box is 4 cells wider than the wider text counted in whole cells,
// rounded up to an even count so that it stays centred on the cell grid.
TEST_F(HudTest, TitleBoxWidthRoundsUpToAnEvenCellCount) {
  Game.gameState = gsFirstBall;
  Game.levelIndex = 0;
  ASSERT_LT(TextWidth(Game.fontMenu, LevelTitle()), 100) << "the name must be the wider text here";
  const struct { int nameWidth, left, right; } cases[] = {{100, 140, 340}, {120, 140, 340}, {140, 120, 360}};
  SDL_Surface* skin = Game.sprMessage;
  for (const auto& c : cases) {
    Game.levelName = NameOfWidth(c.nameWidth);
    ClearWindow(0);
    TScreenShot clear;
    DrawHud();
    EXPECT_TRUE(WindowShown(skin, 0, 0, 20, 20, c.left, 240)) << c.nameWidth;
    EXPECT_TRUE(WindowShown(skin, skin->w - 20, 0, 20, 20, c.right - 20, 240)) << c.nameWidth;
    EXPECT_TRUE(clear.SameAsNow(c.left - 20, 240, 20, 100)) << c.nameWidth << ": box wider than expected";
    EXPECT_TRUE(clear.SameAsNow(c.right, 240, 20, 100)) << c.nameWidth << ": box wider than expected";
  }
}

// A skin of 4 x 4 tiles (80 x 80) with one colour per tile shows which tile
// each cell was cut from: corners from the far borders, edges and centre
// from the fixed offsets 20 and 40.
class BoxTest : public HudTest {
protected:
  SDL_Surface* skin = nullptr;
  void SetUp() override {
    HudTest::SetUp();
    skin = SDL_CreateRGBSurface(SDL_SWSURFACE, 80, 80, 8, 0, 0, 0, 0);
    SDL_SetColors(skin, Game.sprHud->format->palette->colors, 0, 256);
    for (int ty = 0; ty < 4; ++ty)
      for (int tx = 0; tx < 4; ++tx) {
        SDL_Rect tile = {static_cast<Sint16>(20 * tx), static_cast<Sint16>(20 * ty), 20, 20};
        SDL_FillRect(skin, &tile, TileColour(20 * tx, 20 * ty));
      }
  }
  void TearDown() override {
    SDL_FreeSurface(skin);
    HudTest::TearDown();
  }
  static Uint8 TileColour(int sx, int sy) { return static_cast<Uint8>(40 + sx / 20 + 4 * (sy / 20)); }
  static Uint8 CellColour(int x, int y) { return PixelAt(80 + x + 10, y + 10); }
};

TEST_F(BoxTest, CellsAreCutFromCornerEdgeAndCentreTiles) {
  DrawBox(skin, 2, 3, 4, 3);
  const int expected[3][4][2] = {
      {{0, 0}, {20, 0}, {20, 0}, {60, 0}},
      {{0, 20}, {20, 20}, {20, 20}, {40, 20}},
      {{0, 60}, {20, 40}, {20, 40}, {60, 60}},
  };
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(CellColour(40 + 20 * i, 60 + 20 * j), TileColour(expected[j][i][0], expected[j][i][1]))
          << "cell " << i << "," << j;
  EXPECT_EQ(CellColour(120, 60), 0) << "box wider than 4 cells";
  EXPECT_EQ(CellColour(40, 120), 0) << "box taller than 3 cells";
}

TEST_F(BoxTest, TwoByTwoBoxIsJustItsCorners) {
  DrawBox(skin, 10, 10, 2, 2);
  EXPECT_EQ(CellColour(200, 200), TileColour(0, 0));
  EXPECT_EQ(CellColour(220, 200), TileColour(60, 0));
  EXPECT_EQ(CellColour(200, 220), TileColour(0, 60));
  EXPECT_EQ(CellColour(220, 220), TileColour(60, 60));
  EXPECT_EQ(CellColour(240, 200), 0);
  EXPECT_EQ(CellColour(200, 240), 0);
}

TEST_F(HudTest, FrameBeamsScrollWithThePhaseAndTakeThePaddleColour) {
  const struct {
    TPaddleSize size;
    SDL_Surface* beam;
  } sizes[] = {{psNormal, Game.sprBeamBlue}, {psLarge, Game.sprBeamGreen}, {psSmall, Game.sprBeamRed}};
  for (const auto& s : sizes) {
    for (int phase : {3, 15}) {
      Game.paddle->size = s.size;
      Game.beamPhase = phase;
      AnimateBeams();
      const int next = (phase + 1) % 16;
      EXPECT_EQ(Game.beamPhase, next);
      ClearWindow(0);
      DrawFrame();
      EXPECT_EQ(Game.beamPhase, next) << "drawing moves nothing";
      // The gate beam runs a phase behind the bottom one; both end in emitters.
      EXPECT_TRUE(WindowShown(Game.sprBeamBlue, phase, 0, 8, 8, 376, 4)) << phase;
      EXPECT_TRUE(WindowShown(Game.sprBeamBlue, phase, 0, 8, 8, 432, 4)) << phase;
      EXPECT_TRUE(SpriteShown(Game.sprBeamerLeft, 368, 4));
      EXPECT_TRUE(SpriteShown(Game.sprBeamerRight, 440, 4));
      EXPECT_TRUE(WindowShown(s.beam, next, 0, 8, 8, 31, 416)) << int(s.size) << " " << phase;
      EXPECT_TRUE(WindowShown(s.beam, next, 0, 8, 8, 439, 416)) << int(s.size) << " " << phase;
    }
  }
}

TEST_F(HudTest, BackgroundClearsTheUpperHalfAndStaysInTheField) {
  ClearWindow(7);
  DrawBackground();
  EXPECT_EQ(PixelAt(80, 0), 0);
  EXPECT_EQ(PixelAt(559, 239), 0);
  EXPECT_TRUE(SpriteShown(Game.sprBackground, 0, 240));
  EXPECT_EQ(PixelAt(79, 0), 7);
  EXPECT_EQ(PixelAt(560, 300), 7);
}

// The options can set the video mode anew, which replaces the screen: every
// drawing routine must take the screen from the record at each call.
TEST_F(HudTest, DrawingFollowsTheCurrentScreen) {
  SDL_Surface* original = Game.screen;
  SDL_Surface* other = SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, 8, 0, 0, 0, 0);
  SDL_SetColors(other, Game.sprHud->format->palette->colors, 0, 256);
  SDL_Rect clip = {80, 0, 480, 480};
  SDL_SetClipRect(other, &clip);
  ClearWindow(0);
  TScreenShot before;
  Game.screen = other;
  Game.lives = 1;
  Game.gameState = gsNewBall;
  DrawFrame();
  DrawHud();
  Game.programState = psMenu;
  Game.menuState = msMain;
  DrawMenu();
  const bool drawnOnOther = TextShown(Game.fontMenu, "new game", 196, 228);
  Game.screen = original;
  SDL_FreeSurface(other);
  EXPECT_TRUE(drawnOnOther);
  EXPECT_TRUE(before.SameAsNow(0, 0, 480, 480)) << "something drew on a stale screen";
}
}  // namespace
