// Starting the game: the command line, the answers given without starting
// it, and finding the game's files from any folder.
#include "game/cmdline.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "base/globals.h"
#include "platform/assetdir.h"
#include "tests/testenv.h"

namespace {
TCommandLine Parse(std::initializer_list<const char*> args) {
  std::vector<char*> argv = {const_cast<char*>("rebounder")};
  for (const char* a : args) argv.push_back(const_cast<char*>(a));
  return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

struct TAnswer {
  int status;
  std::string out, err;
};

TAnswer Answer(std::initializer_list<const char*> args) {
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  const int status = AnswerCommandLine(Parse(args));
  const std::string out = testing::internal::GetCapturedStdout();
  return {status, out, testing::internal::GetCapturedStderr()};
}

TEST(CommandLine, OptionsAndTheLevelName) {
  TCommandLine cl = Parse({"rainy day", "ignored"});
  EXPECT_EQ(cl.levelName, "rainy day");
  EXPECT_EQ(cl.window, wcSaved);
  EXPECT_TRUE(cl.scale.empty());
  EXPECT_TRUE(cl.error.empty());

  cl = Parse({"--windowed", "--level", "diamond", "--scale=2"});
  EXPECT_EQ(cl.levelName, "diamond");
  EXPECT_EQ(cl.window, wcWindowed);
  EXPECT_EQ(cl.scale, "2");
  cl = Parse({"--level=x factor", "--fullscreen", "--scale", "fit"});
  EXPECT_EQ(cl.levelName, "x factor");
  EXPECT_EQ(cl.window, wcFullscreen);
  EXPECT_EQ(cl.scale, "fit");
  EXPECT_EQ(Parse({"--frame-log", "frames.txt", "diamond"}).frameLogPath, "frames.txt");
  EXPECT_EQ(Parse({"--", "-odd name"}).levelName, "-odd name");
  EXPECT_TRUE(Parse({"-h"}).help);

  for (auto args : {std::initializer_list<const char*>{"--bogus"},
                    {"-x", "diamond"},
                    {"--level"},
                    {"--scale="},
                    {"--levels"},
                    {"--frame-log"}})
    EXPECT_FALSE(Parse(args).error.empty()) << *args.begin();
}

TEST(CommandLine, AnswersWithoutStartingTheGame) {
  TAnswer a = Answer({"--bogus"});
  EXPECT_EQ(a.status, 2);
  EXPECT_NE(a.err.find("--bogus"), std::string::npos) << a.err;
  EXPECT_NE(a.err.find("Usage: rebounder"), std::string::npos) << a.err;
  EXPECT_TRUE(a.out.empty());

  a = Answer({"--help"});
  EXPECT_EQ(a.status, 0);
  for (const char* option : {"--level", "--list-levels", "--windowed", "--fullscreen", "--scale", "--version",
                             "--bonus", "--list-bonus"})
    EXPECT_NE(a.out.find(option), std::string::npos) << option;

  a = Answer({"--version"});
  EXPECT_EQ(a.status, 0);
  EXPECT_EQ(a.out.rfind("rebounder 1.", 0), 0u) << a.out;

  a = Answer({"--list-levels"});
  EXPECT_EQ(a.status, 0);
  EXPECT_EQ(a.out.rfind("go easy on me\ndutchie land\n", 0), 0u) << a.out;
  EXPECT_EQ(std::count(a.out.begin(), a.out.end(), '\n'), 40);

  // Every kind of bonus stage on a line of its own, which --bonus then plays.
  a = Answer({"--list-bonus"});
  EXPECT_EQ(a.status, 0);
  EXPECT_EQ(a.out.rfind("rain ", 0), 0u) << a.out;
  EXPECT_EQ(std::count(a.out.begin(), a.out.end(), '\n'), 4);
  EXPECT_EQ(Answer({"--bonus", "wall"}).status, -1);
  a = Answer({"--bonus", "walls"});
  EXPECT_EQ(a.status, 2);
  EXPECT_NE(a.err.find("--list-bonus"), std::string::npos) << a.err;

  a = Answer({"psychedelic earthworm"});
  EXPECT_EQ(a.status, -1) << a.err;
  EXPECT_TRUE(a.err.empty());
  EXPECT_EQ(Answer({}).status, -1);
}

TEST(CommandLine, AnUnknownLevelStopsWithTheClosestNames) {
  const TAnswer a = Answer({"rainy dya"});
  EXPECT_EQ(a.status, 2);
  EXPECT_NE(a.err.find("\"rainy dya\""), std::string::npos) << a.err;
  EXPECT_NE(a.err.find("\n  rainy day\n"), std::string::npos) << a.err;
  EXPECT_NE(a.err.find("--list-levels"), std::string::npos) << a.err;

  EXPECT_EQ(ClosestLevelNames("earthworm", 1), std::vector<std::string>{"psychedelic earthworm"});
  EXPECT_EQ(ClosestLevelNames("Diamonds", 1), std::vector<std::string>{"diamond"});
  EXPECT_EQ(ClosestLevelNames("wont let the sun go down on me", 1),
            std::vector<std::string>{"won't let the sun go down on me"});
  EXPECT_EQ(ClosestLevelNames("x", 3).size(), 3u);
}

TEST(CommandLine, ThemesAreListedAndAnUnknownOneStopsWithTheClosestNames) {
  TAnswer a = Answer({"--list-themes"});
  EXPECT_EQ(a.status, 0);
  EXPECT_EQ(a.out.rfind("classic\nneon\npaper\ncontrast\n", 0), 0u) << a.out;
  a = Answer({"--theme", "papr", "diamond"});
  EXPECT_EQ(a.status, 2);
  EXPECT_EQ(std::count(a.err.begin(), a.err.end(), '\n'), 1) << "one line: " << a.err;
  EXPECT_NE(a.err.find("\"papr\"; the closest names are paper, "), std::string::npos) << a.err;
  EXPECT_EQ(Answer({"--theme=contrast", "diamond"}).status, -1);
  EXPECT_EQ(Parse({"--theme", "neon"}).theme, "neon");
  a = Answer({"--help"});
  for (const char* option : {"--theme NAME", "--list-themes"})
    EXPECT_NE(a.out.find(option), std::string::npos);
}

// Tests run in the build's game folder, which holds the files; the installed
// program's own rules are checked by the install test.
TEST(AssetFolder, TheEnvironmentsChoiceThenTheWorkingDirectory) {
  EXPECT_EQ(AssetFolder(), "");
  EXPECT_EQ(AssetPath("sprites//ball.bmp"), "sprites//ball.bmp");
  EXPECT_EQ(AssetPath("/abs/file"), "/abs/file");
  setenv("REBOUNDER_DATA_DIR", "/opt/somewhere", 1);
  EXPECT_EQ(AssetPath("maps//diamond.map"), "/opt/somewhere/maps//diamond.map");
  unsetenv("REBOUNDER_DATA_DIR");
}
}  // namespace

// Two to four names start a hot-seat game; anything else is refused in one
// line, with the status of the other refusals, before anything starts.
TEST(CommandLine, PlayersAreNamedOrRefusedInOneLine) {
  EXPECT_EQ(Parse({"--players", "ANN, BOB ,CY", "--level", "diamond"}).players,
            (std::vector<std::string>{"ANN", "BOB", "CY"}));
  EXPECT_EQ(Answer({"--players=ANN,BOB"}).status, -1);
  for (const char* names : {"A,B,C,D,E", "ANN", "ANN,,BOB", "ANN, ", "ANN,BARTHOLOMEW", "ANN,B\xc3\xb6"}) {
    const TAnswer a = Answer({"--players", names});
    EXPECT_EQ(a.status, 2) << names;
    EXPECT_EQ(std::count(a.err.begin(), a.err.end(), '\n'), 1) << a.err;
    EXPECT_EQ(a.err.rfind("rebounder: --players: ", 0), 0u) << a.err;
  }
  EXPECT_NE(Answer({"--help"}).out.find("--players NAMES"), std::string::npos);
}
