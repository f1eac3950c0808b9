// The settings file and the settings screen: round trip, the defaults, every
// kind of line that cannot be used, and key bindings that are refused.
#include "store/settings.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/globals.h"
#include "game/input.h"
#include "media/theme.h"
#include "menus/menu.h"
#include "menus/settingsmenu.h"
#include "platform/datafile.h"
#include "platform/keymap.h"
#include "platform/screenlayout.h"
#include "tests/testenv.h"

namespace {
class Settings : public GameTest {
protected:
  std::string path;
  void SetUp() override {
    GameTest::SetUp();
    path = ConfigFilePath("settings.conf");
    std::filesystem::remove_all(path);
  }
  void TearDown() override {
    std::filesystem::remove_all(path);
    GameTest::TearDown();
  }
  void WriteFile(const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }
  static std::string Text(const TSettings& s) { return SettingsText(s); }
};
}  // namespace

TEST_F(Settings, RoundTripAndAMissingFileMeansTheDefaults) {
  LoadSettings();
  EXPECT_EQ(Text(Game.settings), Text(TSettings())) << "no file: the defaults";
  ASSERT_TRUE(SaveSettings());
  EXPECT_FALSE(std::filesystem::exists(path)) << "the defaults unchanged need no file";
  const TSettings defaults;
  EXPECT_EQ(defaults.effectsVolume, 10);
  EXPECT_EQ(defaults.controls.keys[kaFire], SDLK_SPACE);
  EXPECT_STREQ(MouseRates[defaults.controls.mouseRate].text, "1");
  EXPECT_FALSE(defaults.musicInPlay);

  TSettings& s = Game.settings;
  s.effectsVolume = 0;
  s.musicVolume = 7;
  s.controls.mouseRate = MouseRateCount - 1;
  s.controls.keys[kaLeft] = SDLK_a;
  s.controls.keys[kaFire] = SDLK_LSHIFT;              // a name with a space
  s.controls.keys[kaPause] = static_cast<SDLKey>(1);  // no name at all
  s.scale = FillScale;
  s.musicInPlay = true;
  s.frameRate = 144;
  const std::string saved = Text(s);
  ASSERT_TRUE(SaveSettings());
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));
  LoadSettings();
  EXPECT_EQ(Text(Game.settings), saved);
  EXPECT_EQ(Game.settings.controls.keys[kaFire], SDLK_LSHIFT);
  EXPECT_EQ(Game.settings.controls.keys[kaPause], 1) << saved;
  EXPECT_NE(saved.find("scale = fill\n"), std::string::npos) << saved;
  std::filesystem::remove(path);
  ASSERT_TRUE(SaveSettings());
  EXPECT_FALSE(std::filesystem::exists(path)) << "unchanged settings are not written again";
}

// Each line that cannot be used is skipped with one complaint naming it;
// every other line still counts, whatever its line ending or spacing.
TEST_F(Settings, EveryKindOfBadLineIsSkippedWithOneComplaint) {
  const struct {
    const char* line;
    const char* complaint;  // "" for a line that is used or passed over
  } lines[] = {
      {"# a comment", ""},
      {"", ""},
      {"   ", ""},
      {"colour = blue", "no such setting"},
      {"effects_volume = loud", "whole number from 0 to 10"},
      {"effects_volume = 11", "whole number from 0 to 10"},
      {"music_volume = -1", "whole number from 0 to 10"},
      {"music_volume=4\r", ""},
      {"mouse_speed = 1.1", "mouse speeds are"},
      {"mouse_speed = 2\r", ""},
      {"scale = 9", "auto, fill or a whole number"},
      {"scale = ", "auto, fill or a whole number"},
      {"scale = fills", "auto, fill or a whole number"},
      {"  scale =   3  ", ""},
      {"music_in_play = perhaps", "on or off"},
      {"music_in_play = on\r", ""},
      {"frame_rate = 75", "frame rates are display, 40"},
      {"frame_rate = display", ""},
      {"frame_rate = 120", ""},
      {"theme = ../elsewhere", "a theme is the name"},
      {"theme = my ink", ""},
      {"key_left = nosuchkey", "no key is called that"},
      {"key_left = escape", "stays free"},
      {"key_left = n", "stays free"},
      {"key_fire = Right", "already the right key"},
      {"key_fire = F", ""},
      {"@@@ garbage \x01\xff", "expected \"name = value\""},
      {"= 3", "no such setting"},
  };
  std::string text;
  std::vector<std::string> expected;
  int number = 0;
  for (const auto& l : lines) {
    text += std::string(l.line) + "\n";
    ++number;
    if (*l.complaint) expected.push_back("line " + std::to_string(number) + ": ");
  }
  text += "effects_volume = 3";  // the last line needs no line end

  TSettings s;
  std::vector<std::string> complaints;
  ParseSettings(text, s, complaints);
  ASSERT_EQ(complaints.size(), expected.size());
  size_t c = 0;
  for (const auto& l : lines)
    if (*l.complaint) {
      EXPECT_EQ(complaints[c].rfind(expected[c], 0), 0u) << complaints[c];
      EXPECT_NE(complaints[c].find(l.complaint), std::string::npos) << complaints[c];
      ++c;
    }
  EXPECT_EQ(s.effectsVolume, 3);
  EXPECT_EQ(s.musicVolume, 4);
  EXPECT_STREQ(MouseRates[s.controls.mouseRate].text, "2");
  EXPECT_EQ(s.scale, 3);
  EXPECT_EQ(s.frameRate, 120);
  EXPECT_EQ(s.theme, "my ink");
  EXPECT_TRUE(s.musicInPlay);
  EXPECT_EQ(s.controls.keys[kaLeft], SDLK_LEFT);
  EXPECT_EQ(s.controls.keys[kaFire], SDLK_f);

  // Files that are no settings file at all give the defaults, never a stop.
  WriteFile("effects_volume = 2\n" + std::string(70000, '#'));
  LoadSettings();
  EXPECT_EQ(Game.settings.effectsVolume, 10) << "too big";
  std::filesystem::remove(path);
  std::filesystem::create_directories(path);
  LoadSettings();
  EXPECT_EQ(Game.settings.effectsVolume, 10) << "a folder";
  std::filesystem::remove(path);
  WriteFile("");
  LoadSettings();
  EXPECT_EQ(Text(Game.settings), Text(TSettings())) << "empty";
}

// A key is bound by pressing it on its row; a key another action has, or one
// the game keeps, is refused and the row keeps waiting; n bound nothing and
// skipped no level; Escape keeps the old key; "defaults" gives them all back.
TEST_F(Settings, KeyBindingConflictsAreRefused) {
  TControls c;
  EXPECT_EQ(BindingRefusal(c, kaFire, SDLK_f), "");
  EXPECT_EQ(BindingRefusal(c, kaFire, SDLK_SPACE), "") << "its own key again";
  EXPECT_EQ(BindingRefusal(c, kaFire, SDLK_LEFT), "left is already the left key");
  EXPECT_EQ(BindingRefusal(c, kaLeft, SDLK_p), "p is already the pause key");
  EXPECT_NE(BindingRefusal(c, kaPause, SDLK_ESCAPE), "");
  for (SDLKey kept : {SDLK_n, SDLK_F11, SDLK_PAUSE}) EXPECT_NE(BindingRefusal(c, kaRight, kept), "") << kept;

  Game.programState = psMenu;
  Game.menuState = msOptions;
  Game.menuCursor = 6;
  PressKey(SDLK_RETURN);
  ASSERT_EQ(Game.menuState, msSettings) << "the row after the six options opens the settings";
  for (int i = 0; i < 5; ++i) PressKey(SDLK_DOWN);  // the fire key's row
  PressKey(SDLK_RETURN);
  ASSERT_TRUE(CapturingKey());
  const int level = Game.levelIndex;
  for (SDLKey refused : {SDLK_RIGHT, SDLK_n, SDLK_p}) PressKey(refused);
  EXPECT_TRUE(CapturingKey());
  EXPECT_EQ(BoundKey(kaFire), SDLK_SPACE);
  EXPECT_EQ(Game.levelIndex, level) << "n pressed to be bound skips no level";
  PressKey(SDLK_f);
  EXPECT_FALSE(CapturingKey());
  EXPECT_EQ(BoundKey(kaFire), SDLK_f);
  EXPECT_EQ(BoundKeyName(kaFire), "f");

  PressKey(SDLK_DOWN);
  PressKey(SDLK_RETURN);  // the pause key's row, then Escape keeps p
  PressKey(SDLK_ESCAPE);
  EXPECT_FALSE(CapturingKey());
  EXPECT_EQ(Game.menuState, msSettings);
  EXPECT_EQ(BoundKey(kaPause), SDLK_p);

  // The new fire key launches the ball, space no longer does.
  Game.programState = psGame;
  Game.gameState = gsFirstBall;
  PressKey(SDLK_SPACE);
  EXPECT_FALSE(Game.fireHeld);
  PressKey(SDLK_f);
  EXPECT_TRUE(Game.fireHeld);

  Game.programState = psMenu;
  Game.menuCursor = 7;
  PressKey(SDLK_RETURN);
  EXPECT_EQ(BoundKey(kaFire), SDLK_SPACE) << "defaults";
  Game.menuCursor = 0;
  PressKey(SDLK_LEFT);
  PressKey(SDLK_ESCAPE);
  EXPECT_EQ(Game.menuState, msOptions);
  EXPECT_EQ(Game.menuCursor, 6);
  std::ifstream saved(path);
  std::stringstream text;
  text << saved.rdbuf();
  EXPECT_NE(text.str().find("effects_volume = 9\nmusic_volume = 10\nmouse_speed = 1\nkey_left = left\n"
                            "key_right = right\nkey_fire = space\n"),
            std::string::npos)
      << "leaving the screen saves it: " << text.str();
}

// The frame rate row steps through the rates, the display's own first, and
// stops at either end; Enter goes round.
TEST_F(Settings, TheFrameRateRowStepsThroughTheRates) {
  Game.programState = psMenu;
  OpenSettings();
  for (int i = 0; i < 10; ++i) PressKey(SDLK_DOWN);
  ASSERT_EQ(Game.menuCursor, 10) << "the frame rate row";
  for (int rate : {40, 60, 120, 144, 144}) {
    PressKey(SDLK_RIGHT);
    EXPECT_EQ(Game.settings.frameRate, rate);
  }
  PressKey(SDLK_RETURN);
  EXPECT_EQ(Game.settings.frameRate, 0) << "past the last, the display's rate again";
  PressKey(SDLK_LEFT);
  EXPECT_EQ(Game.settings.frameRate, 0);
  for (int i = 0; i < 3; ++i) PressKey(SDLK_RIGHT);
  PressKey(SDLK_ESCAPE);
  std::ifstream saved(path);
  std::stringstream text;
  text << saved.rdbuf();
  EXPECT_NE(text.str().find("frame_rate = 120\n"), std::string::npos) << text.str();
}

// The theme row takes each theme at once, screen colours and all,
// stops at either end, goes round on Enter and is saved by name.
TEST_F(Settings, TheThemeRowTakesEachThemeAtOnce) {
  Game.programState = psMenu;
  OpenSettings();
  for (int i = 0; i < 11; ++i) PressKey(SDLK_DOWN);
  ASSERT_EQ(Game.menuCursor, 11) << "the theme row";
  const SDL_Color classic = Game.screen->format->palette->colors[100];
  PressKey(SDLK_RIGHT);
  EXPECT_EQ(CurrentTheme(), "neon");
  const SDL_Color neon = Game.screen->format->palette->colors[100];
  EXPECT_FALSE(neon.r == classic.r && neon.g == classic.g && neon.b == classic.b);
  for (const char* theme : {"paper", "contrast", "contrast"}) {
    PressKey(SDLK_RIGHT);
    EXPECT_EQ(CurrentTheme(), theme);
  }
  PressKey(SDLK_RETURN);
  EXPECT_EQ(CurrentTheme(), "classic") << "past the last, the first again";
  PressKey(SDLK_RIGHT);
  PressKey(SDLK_ESCAPE);
  std::ifstream saved(path);
  std::stringstream text;
  text << saved.rdbuf();
  EXPECT_NE(text.str().find("theme = neon\n"), std::string::npos) << text.str();
}

// Keys are judged on the whole file, not line by line against the defaults:
// whatever bindings the game writes load back, in any order of the lines,
// and a key two actions would share still goes to one of them only.
TEST_F(Settings, KeyBindingsAreCheckedOnTheWholeFile) {
  const auto rebound = [](std::initializer_list<std::pair<TKeyAction, SDLKey>> keys) {
    TSettings s;
    for (const auto& [action, key] : keys) s.controls.keys[action] = key;
    return s;
  };
  for (const TSettings& written :
       {rebound({{kaLeft, SDLK_RIGHT}, {kaRight, SDLK_LEFT}}),
        rebound({{kaLeft, SDLK_SPACE}, {kaFire, SDLK_x}}),
        rebound({{kaLeft, SDLK_p}, {kaRight, SDLK_SPACE}, {kaFire, SDLK_LEFT}, {kaPause, SDLK_RIGHT}})}) {
    TSettings read;
    std::vector<std::string> complaints;
    ParseSettings(Text(written), read, complaints);
    EXPECT_EQ(Text(read), Text(written));
    EXPECT_TRUE(complaints.empty()) << complaints[0];
  }
  const struct {
    const char* text;
    SDLKey left, right, fire;
    const char* complaint;  // "" for none
  } files[] = {
      {"key_fire = x\nkey_left = space\n", SDLK_SPACE, SDLK_RIGHT, SDLK_x, ""},
      {"key_left = x\nkey_right = x\n", SDLK_x, SDLK_RIGHT, SDLK_SPACE,
       "line 2: \"key_right = x\": x is already"},
      {"key_fire = left\n", SDLK_LEFT, SDLK_RIGHT, SDLK_SPACE,
       "line 1: \"key_fire = left\": left is already"},
      // The left key's line is refused; its default then clashes with the fire key, refused in turn.
      {"key_fire = left\nkey_left = right\n", SDLK_LEFT, SDLK_RIGHT, SDLK_SPACE,
       "line 2: \"key_left = right\": right is already the right key"},
  };
  for (const auto& f : files) {
    TSettings read;
    std::vector<std::string> complaints;
    ParseSettings(f.text, read, complaints);
    EXPECT_EQ(read.controls.keys[kaLeft], f.left) << f.text;
    EXPECT_EQ(read.controls.keys[kaRight], f.right) << f.text;
    EXPECT_EQ(read.controls.keys[kaFire], f.fire) << f.text;
    if (*f.complaint) {
      ASSERT_FALSE(complaints.empty()) << f.text;
      EXPECT_EQ(complaints.back().rfind(f.complaint, 0), 0u) << complaints.back();
    } else {
      EXPECT_TRUE(complaints.empty()) << f.text;
    }
  }
}
