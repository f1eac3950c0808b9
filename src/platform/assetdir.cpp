// Finding the folder of the game's generated files.
#include "platform/assetdir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#ifndef REBOUNDER_INSTALL_DATA_DIR
#define REBOUNDER_INSTALL_DATA_DIR "/usr/local/share/rebounder"
#endif

namespace {
// One file every complete set of the game's files has.
const char* const Marker = "sprites/hud.bmp";

bool HoldsGameFiles(const std::string& folder) {
  struct stat st;
  return stat((folder + Marker).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::string ProgramFolder() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return "";
  const std::string exe(path, static_cast<size_t>(n));
  return exe.substr(0, exe.find_last_of('/') + 1);
}
}  // namespace

std::string AssetFolder() {
  const char* chosen = std::getenv("REBOUNDER_DATA_DIR");
  if (chosen && *chosen) return std::string(chosen) == "." ? "" : WithSlash(chosen);
  if (HoldsGameFiles("")) return "";
  const std::string program = ProgramFolder();
  if (!program.empty()) {
    if (HoldsGameFiles(program)) return program;
    const std::string moved = program + "../share/rebounder/";
    if (HoldsGameFiles(moved)) return moved;
  }
  return WithSlash(REBOUNDER_INSTALL_DATA_DIR);
}

std::string AssetPath(const std::string& relative) {
  if (!relative.empty() && relative[0] == '/') return relative;
  return AssetFolder() + relative;
}
