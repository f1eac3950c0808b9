// Every setting with a range reaches its top and its bottom, on the settings
// screen and in settings.conf, and stops there: a step past either end
// changes nothing, and a file's value past either end is refused.
#include <string>
#include <vector>

#include "base/globals.h"
#include "menus/settingsmenu.h"
#include "store/settings.h"
#include "tests/testenv.h"

namespace {
class SettingRanges : public GameTest {};

int Value(int row) {
  const TSettings& s = Game.settings;
  return row == 0 ? s.effectsVolume : row == 1 ? s.musicVolume : s.controls.mouseRate;
}

TEST_F(SettingRanges, TheScreenStepsEveryValueToEachEndAndNoFurther) {
  Game.programState = psMenu;
  OpenSettings();
  const struct {
    const char* name;
    int row, top;
  } rows[] = {{"effects volume", 0, MaxVolume},
              {"music volume", 1, MaxVolume},
              {"mouse speed", 2, MouseRateCount - 1}};
  for (const auto& r : rows) {
    Game.menuCursor = r.row;
    for (int step = 0; step < r.top + 1; ++step) HandleSettingsKey(SDLK_LEFT);
    EXPECT_EQ(Value(r.row), 0) << r.name << ": the bottom";
    played.clear();
    HandleSettingsKey(SDLK_LEFT);
    EXPECT_EQ(Value(r.row), 0) << r.name << ": one below the bottom";
    EXPECT_TRUE(played.empty()) << r.name << ": a step that changes nothing is silent";
    for (int step = 1; step <= r.top; ++step) {
      HandleSettingsKey(SDLK_RIGHT);
      ASSERT_EQ(Value(r.row), step) << r.name;
    }
    played.clear();
    HandleSettingsKey(SDLK_RIGHT);
    EXPECT_EQ(Value(r.row), r.top) << r.name << ": one above the top";
    EXPECT_TRUE(played.empty()) << r.name;
  }
  EXPECT_STREQ(MouseRates[Game.settings.controls.mouseRate].text, "4");
}

TEST_F(SettingRanges, TheFileTakesEachEndAndRefusesOneBeyond) {
  const struct {
    const char* line;
    bool taken;
  } lines[] = {
      {"effects_volume = 0", true},   {"effects_volume = 10", true}, {"effects_volume = 11", false},
      {"effects_volume = -1", false}, {"music_volume = 0", true},    {"music_volume = 10", true},
      {"music_volume = 11", false},   {"mouse_speed = 0.5", true},   {"mouse_speed = 4", true},
      {"mouse_speed = 0.25", false},  {"mouse_speed = 5", false},
  };
  for (const auto& l : lines) {
    TSettings s;
    s.effectsVolume = s.musicVolume = 5;
    s.controls.mouseRate = 3;
    std::vector<std::string> complaints;
    ParseSettings(std::string(l.line) + "\n", s, complaints);
    EXPECT_EQ(complaints.empty(), l.taken) << l.line;
    const std::string written = SettingsText(s);
    EXPECT_EQ(written.find(std::string(l.line) + "\n") != std::string::npos, l.taken) << l.line << "\n"
                                                                                      << written;
  }
}
}  // namespace
