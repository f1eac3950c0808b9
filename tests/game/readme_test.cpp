// The README answers for what the tests let pass: every library whose leaks
// the sanitizer run leaves alone is named there, with why.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {
std::string Text(const std::string& path) {
  std::ifstream in(std::string(REBOUNDER_TEST_DIR) + "/" + path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}
}  // namespace

TEST(Readme, EveryLibraryWhoseLeaksAreLeftAloneIsExplained) {
  const std::string readme = Text("../README.md"), suppressions = Text("lsan.supp");
  const size_t at = readme.find("`tests/lsan.supp`");
  ASSERT_NE(at, std::string::npos);
  const size_t start = readme.rfind("\n\n", at), end = readme.find("\n\n", at);
  const std::string paragraph = readme.substr(start, end - start);
  std::istringstream lines(suppressions);
  int named = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("leak:", 0) != 0) continue;
    // "leak:libdbus-1.so" is told of as libdbus, "leak:libSDL2-2.0.so" as SDL2.
    std::string library = line.substr(5, line.find_first_of("-.", 5) - 5);
    if (library.rfind("libSDL", 0) == 0) library = library.substr(3);
    ++named;
    EXPECT_NE(paragraph.find(library), std::string::npos) << line << " is not explained beside the file";
  }
  EXPECT_GE(named, 2);
}
