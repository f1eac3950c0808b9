// The intro: its timeline of logo, "PRESENTS", title and hand-over, its
// stars and Escape.
#include "game/intro.h"

#include <utility>
#include <vector>

#include "base/globals.h"
#include "field/particles.h"
#include "game/input.h"
#include "tests/screencheck.h"
#include "tests/testenv.h"

namespace {
// The intro timeline, by the tick count at which a frame is drawn.
class IntroTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    Game.programState = psIntro;
  }
  static void DrawAt(int tick) {
    Game.tickCount = tick;
    ClearWindow(5);
    DrawIntroFrame();
  }
  static bool LogoShown() {
    SDL_Surface* logo = Game.sprLogo;
    return SpriteShown(logo, (480 - logo->w) / 2, (480 - logo->h) / 2);
  }
  static bool PresentsShown() { return TextShown(Game.fontScore, "PRESENTS", 200, 320); }
  static std::vector<std::pair<int, int>> StarPositions() {
    std::vector<std::pair<int, int>> at;
    for (int i = 0; i < Game.stars->particles.Count(); ++i)
      at.emplace_back(Game.stars->particles[i]->x, Game.stars->particles[i]->y);
    return at;
  }
};

TEST_F(IntroTest, TimelineOfLogoPresentsTitleSlideAndHandOver) {
  const struct {
    int t;
    bool logo, presents;
    int titleY;  // -1: no title
    TProgramState after;
  } frames[] = {{0, true, false, -1, psIntro},     {149, true, false, -1, psIntro},
                {150, true, true, -1, psIntro},    {279, true, true, -1, psIntro},
                {280, false, false, 160, psIntro}, {399, false, false, 160, psIntro},
                {400, false, false, 160, psIntro}, {401, false, false, 156, psIntro},
                {432, false, false, 32, psIntro},  {433, false, false, -1, psMenu}};
  for (const auto& f : frames) {
    Game.programState = psIntro;
    DrawAt(f.t);
    EXPECT_EQ(LogoShown(), f.logo) << f.t;
    EXPECT_EQ(PresentsShown(), f.presents) << f.t;
    for (int y : {160, 156, 32})
      EXPECT_EQ(SpriteShown(Game.sprTitle, 40, y), y == f.titleY) << f.t << " y " << y;
    EXPECT_EQ(Game.programState, f.after) << f.t;
    EXPECT_EQ(PixelAt(40, 10), 5) << "nothing drawn outside the field";
  }
}

TEST_F(IntroTest, StarsMoveOncePerFrameOnlyOnceTheyAreShown) {
  Game.optStars.value = false;
  const auto start = StarPositions();
  DrawAt(279);
  EXPECT_EQ(StarPositions(), start);
  DrawAt(280);
  EXPECT_NE(StarPositions(), start) << "the intro moves the stars whatever the option says";
}

TEST_F(IntroTest, EscapeSkipsToTheMenuAfterOneFrame) {
  Game.tickCount = 10;
  Game.event = SDL_Event{};
  Game.event.type = SDL_KEYDOWN;
  Game.event.key.keysym.sym = SDLK_ESCAPE;
  DispatchEvent();
  DispatchEvent();
  EXPECT_EQ(Game.tickCount, 433);
  DrawIntroFrame();
  EXPECT_EQ(Game.programState, psMenu);
  EXPECT_EQ(Game.menuState, msMain);
}
}  // namespace
