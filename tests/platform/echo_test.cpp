// Text from files shown in messages: control bytes escaped, length cut, the
// same for the settings file, replays and level sets.
#include "platform/echo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/datafile.h"
#include "replay/replay.h"
#include "store/settings.h"
#include "tests/testenv.h"

namespace {
// Nothing a terminal would act on, and no line longer than a message needs.
void ExpectSafeLines(const std::string& said, size_t lines) {
  size_t count = 0, from = 0;
  for (size_t eol; (eol = said.find('\n', from)) != std::string::npos; from = eol + 1, ++count)
    EXPECT_LE(eol - from, 300u) << said.substr(from, 80);
  EXPECT_EQ(from, said.size()) << "ends with a line end";
  EXPECT_EQ(count, lines) << said;
  for (unsigned char c : said) EXPECT_TRUE(c == '\n' || (c >= 32 && c != 127)) << int(c);
}
}  // namespace

TEST(Echo, ControlBytesAreEscapedAndLongTextIsCut) {
  const struct {
    std::string text, shown;
  } cases[] = {
      {"key_left = a", "key_left = a"},
      {"\x1b]0;owned\x07", "\\x1b]0;owned\\x07"},
      {std::string("cut\0here", 8), "cut\\x00here"},
      {"tab\there\r", "tab\\x09here\\x0d"},
      {"back\\slash", "back\\\\slash"},
      {"\xc3\xa9t\xc3\xa9", "\xc3\xa9t\xc3\xa9"},  // letters beyond ASCII stay
      {"\xc2\x9b"
       "2J",
       "\\xc2\\x9b2J"},                     // a control character in UTF-8 does not
      {"\xff\xfe\xc3", "\\xff\\xfe\\xc3"},  // nor bytes that are no UTF-8
      {std::string(5000, 'x'), std::string(EchoedLength, 'x') + "..."},
      {std::string(EchoedLength, 'y'), std::string(EchoedLength, 'y')},
  };
  for (const auto& c : cases) EXPECT_EQ(Echoed(c.text), c.shown);
}

class EchoedFiles : public GameTest {};

TEST_F(EchoedFiles, SettingsLinesAndReplayWordsAreShownSafely) {
  const std::string path = ConfigFilePath("settings.conf");
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << "colour = \x1b[2J\x1b]0;title\x07\n"
                                        << std::string("key_fire = \0x", 13) << "\n"
                                        << std::string(20000, '\x01') << "\n";
  testing::internal::CaptureStderr();
  LoadSettings();
  const std::string said = testing::internal::GetCapturedStderr();
  std::filesystem::remove(path);
  ExpectSafeLines(said, 3);
  EXPECT_NE(said.find("\\x1b[2J"), std::string::npos) << said;
  EXPECT_NE(said.find("key_fire = \\x00x"), std::string::npos) << "a NUL cuts nothing: " << said;

  TReplay replay;
  std::string error;
  ASSERT_FALSE(ParseReplay("rebounder-replay 3\nstart \x1b]0;owned\x07" + std::string(100, 'z') + " 1\n",
                           replay, error));
  ExpectSafeLines(error + "\n", 1);
}
