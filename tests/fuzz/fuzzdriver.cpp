// The plain driver of a fuzz target: feeds it every file of the folders (or
// the files) named on the command line, without libFuzzer. Files ending in
// .hex hold an input as hexadecimal text, so found inputs can be kept in
// the repository as text; '#' starts a comment there.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

namespace {
std::vector<uint8_t> FromHex(const std::string& text) {
  std::vector<uint8_t> bytes;
  int high = -1;
  bool comment = false;
  for (char c : text) {
    if (c == '\n') comment = false;
    if (c == '#') comment = true;
    if (comment || !std::isxdigit(static_cast<unsigned char>(c))) continue;
    const int v = std::stoi(std::string(1, c), nullptr, 16);
    if (high < 0) {
      high = v;
    } else {
      bytes.push_back(static_cast<uint8_t>(high * 16 + v));
      high = -1;
    }
  }
  return bytes;
}

std::vector<uint8_t> Input(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (path.extension() == ".hex") return FromHex(content);
  return std::vector<uint8_t>(content.begin(), content.end());
}
}  // namespace

int main(int argc, char** argv) {
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    const fs::path arg = argv[i];
    if (fs::is_directory(arg)) {
      for (const auto& entry : fs::directory_iterator(arg))
        if (entry.is_regular_file()) files.push_back(entry.path());
    } else if (fs::exists(arg)) {
      files.push_back(arg);
    }
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    std::fprintf(stderr, "%s\n", file.c_str());
    const std::vector<uint8_t> bytes = Input(file);
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  std::printf("%zu inputs replayed\n", files.size());
  return files.empty() ? 1 : 0;
}
