// Daily and random level sets: their folders, their seeds, and making them.
#include "levels/generatedsets.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "levels/levelformat.h"
#include "levels/levelgen.h"
#include "platform/datafile.h"

namespace fs = std::filesystem;

namespace {
constexpr char DailyPrefix[] = "daily ", RandomPrefix[] = "random ";

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

std::string FolderName(const std::string& folder) {
  fs::path path(folder);
  if (!path.has_filename()) path = path.parent_path();
  return path.filename().string();
}
}  // namespace

std::string GeneratedSetsFolder() { return UserDataFolder() + "generated/"; }

std::string DailySetFolder() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char date[32];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  return GeneratedSetsFolder() + DailyPrefix + date;
}

std::string RandomSetFolder(uint32_t seed) {
  return GeneratedSetsFolder() + RandomPrefix + std::to_string(seed);
}

uint32_t NewRandomSeed() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const uint64_t micro =
      static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
  // Mixed, so that two sets drawn a moment apart are far apart.
  uint64_t x = micro * 0x9E3779B97F4A7C15ull;
  x ^= x >> 29;
  return 1 + static_cast<uint32_t>(x % 999999);
}

bool GeneratedSetSeed(const std::string& folder, uint32_t& seed) {
  if (!StartsWith(folder, GeneratedSetsFolder())) return false;
  const std::string name = FolderName(folder);
  if (StartsWith(name, RandomPrefix)) return ParseSeed(name.substr(sizeof RandomPrefix - 1), seed);
  int year = 0, month = 0, day = 0;
  char end = 0;
  if (!StartsWith(name, DailyPrefix) ||
      std::sscanf(name.c_str() + sizeof DailyPrefix - 1, "%4d-%2d-%2d%c", &year, &month, &day, &end) != 3)
    return false;
  seed = static_cast<uint32_t>(year * 10000 + month * 100 + day);
  return true;
}

void AddGeneratedChoices(std::vector<std::string>& folders) {
  const std::string daily = DailySetFolder();
  if (std::find(folders.begin(), folders.end(), daily) == folders.end()) folders.push_back(daily);
  folders.push_back(RandomSetFolder(NewRandomSeed()));
}

bool NeedsMaking(const std::string& folder) {
  uint32_t seed = 0;
  if (!GeneratedSetSeed(folder, seed)) return false;
  // A damaged file is made again, as a missing one is.
  int whole = 0;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::vector<unsigned char> bytes;
    std::string problem;
    if (it->path().extension() != ".lvl" || !TryReadWholeFile(it->path().string(), 64 * 1024, bytes, problem))
      continue;
    try {
      CheckedLevelName(std::string(bytes.begin(), bytes.end()), it->path().string());
      ++whole;
    } catch (const std::exception&) {
    }
  }
  return whole < DefaultGeneratedCount;
}
