// Themes: the built-in ones redraw the field in their own pictures and
// colours and give classic back unchanged; a player's folder replaces only
// the files it holds, refuses the ones it cannot use in one line each, and is
// never written to.
#include "media/theme.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/globals.h"
#include "media/catalogue.h"
#include "platform/datafile.h"
#include "tests/testenv.h"

namespace fs = std::filesystem;

namespace {
class ThemeTest : public GameTest {
protected:
  // A sprite as the player sees it: its pixels' colours, row by row.
  static std::string Look(SDL_Surface* s) {
    std::string colours;
    for (int y = 0; y < s->h; ++y)
      for (int x = 0; x < s->w; ++x) {
        const SDL_Color c = s->format->palette->colors[SpritePixel(s, x, y)];
        colours += {static_cast<char>(c.r), static_cast<char>(c.g), static_cast<char>(c.b)};
      }
    return colours;
  }
  static void SaveSprite(SDL_Surface* s, const std::string& path) {
    fs::create_directories(fs::path(path).parent_path());
    ASSERT_EQ(SDL_SaveBMP(s, path.c_str()), 0) << SDL_GetError();
  }
};

TEST_F(ThemeTest, EachBuiltInThemeRedrawsTheFieldAndClassicComesBackUnchanged) {
  ASSERT_EQ(ThemeNames().size(), 4u);
  SDL_Surface* const ball = Game.sprBall;
  const std::string classicBall = Look(ball), classicBrick = Look(Game.sprBrickRed),
                    classicBackdrop = Look(Game.sprBackground);
  std::vector<std::string> balls;
  for (const std::string& name : BuiltInThemes()) {
    UseTheme(name);
    EXPECT_TRUE(ThemeRefusals().empty()) << name << ": " << ThemeRefusals()[0];
    EXPECT_EQ(Game.sprBall, ball) << "the sprite keeps its surface";
    EXPECT_EQ(CurrentTheme(), name);
    if (name == ClassicTheme) continue;
    EXPECT_NE(Look(Game.sprBall), classicBall) << name;
    EXPECT_NE(Look(Game.sprBrickRed), classicBrick) << name;
    EXPECT_NE(Look(Game.sprBackground), classicBackdrop) << name;
    for (const std::string& other : balls) EXPECT_NE(Look(Game.sprBall), other) << name;
    balls.push_back(Look(Game.sprBall));
    const SDL_Color c = Game.screen->format->palette->colors[200], g = Game.palette[200];
    EXPECT_TRUE(c.r == g.r && c.g == g.g && c.b == g.b) << "the screen takes the theme's colours at once";
  }
  UseTheme(ClassicTheme);
  EXPECT_EQ(Look(Game.sprBall), classicBall);
  EXPECT_EQ(Look(Game.sprBackground), classicBackdrop);
}

TEST_F(ThemeTest, APlayersThemeTakesOnlyItsGoodFilesAndNeverWritesIntoItsFolder) {
  // The theme's own folder is elsewhere, linked in and read-only.
  const std::string own = UserDataFolder() + "elsewhere/";
  SDL_Surface* red = SDL_CreateRGBSurface(SDL_SWSURFACE, 16, 16, 24, 0xff0000, 0xff00, 0xff, 0);
  SDL_FillRect(red, nullptr, SDL_MapRGB(red->format, 255, 0, 0));
  SaveSprite(red, own + "sprites/ball.bmp");
  SaveSprite(red, own + "sprites/paddle.bmp");  // the paddle is 64x16
  SDL_FreeSurface(red);
  SDL_Surface* deep = SDL_CreateRGBSurface(SDL_SWSURFACE, 480, 48, 24, 0xff0000, 0xff00, 0xff, 0);
  SaveSprite(deep, own + "sprites/hud.bmp");  // the theme's colours need a palette
  SDL_FreeSurface(deep);
  fs::copy_file("sprites/background.bmp", own + "sprites/background.bmp");
  fs::resize_file(own + "sprites/background.bmp", 3000);
  fs::create_directories(own + "sounds");
  std::ofstream(own + "sounds/ping.wav") << "RIFF, but not a sound";
  fs::create_directories(PlayerThemesFolder());
  fs::create_directory_symlink(own, PlayerThemesFolder() + "mine");
  for (const char* folder : {"", "sprites", "sounds"}) chmod((own + folder).c_str(), 0555);
  const std::string classicBackdrop = Look(Game.sprBackground), classicBrick = Look(Game.sprBrickRed),
                    classicHud = Look(Game.sprHud);

  EXPECT_EQ(ThemeNames().back(), "mine");
  UseTheme("mine");
  const SDL_Color c = Game.palette[SpritePixel(Game.sprBall, 8, 8)];
  EXPECT_TRUE(c.r > 200 && c.g < 60 && c.b < 60) << "the theme's ball";
  EXPECT_EQ(Look(Game.sprBackground), classicBackdrop);
  EXPECT_EQ(Look(Game.sprBrickRed), classicBrick);
  EXPECT_EQ(Look(Game.sprHud), classicHud);
  EXPECT_NE(Game.sndPing, nullptr) << "classic's ping plays instead";
  const auto& refusals = ThemeRefusals();
  ASSERT_EQ(refusals.size(), 4u);
  for (const char* file :
       {"sprites/hud.bmp", "sprites/paddle.bmp", "sprites/background.bmp", "sounds/ping.wav"}) {
    const std::string path = PlayerThemesFolder() + "mine/" + file;
    int named = 0;
    for (const std::string& r : refusals) {
      named += r.rfind(path + ": ", 0) == 0;
      EXPECT_EQ(r.find('\n'), std::string::npos);
    }
    EXPECT_EQ(named, 1) << file;
  }
  EXPECT_NE(refusals[0].find("classic's file is used instead"), std::string::npos) << refusals[0];
  size_t files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(own)) files += entry.is_regular_file();
  EXPECT_EQ(files, 5u) << "nothing written into the theme";
  for (const char* folder : {"", "sprites", "sounds"}) chmod((own + folder).c_str(), 0755);
}
}  // namespace
