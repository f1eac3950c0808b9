// levelc: the level compiler. Turns readable level sources into the maps the
// game loads, and prints maps back as sources.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "levels/levelformat.h"
#include "session/level.h"

namespace fs = std::filesystem;

namespace {

const char* Usage =
    "usage: levelc build <srcdir> <outdir>    compile every *.lvl in srcdir to <outdir>/<level name>.map\n"
    "       levelc compile <file.lvl> <out.map>\n"
    "       levelc print <file.map>            print a map as level source on standard output\n"
    "       levelc check <file.lvl|file.map>...  check levels without writing anything\n";

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw TLevelError(path + ": cannot open: " + std::strerror(errno));
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw TLevelError(path + ": read error");
  return bytes;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw TLevelError(path + ": cannot create: " + std::strerror(errno));
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw TLevelError(path + ": write error");
}

TCompiledLevel CompileFile(const std::string& path) {
  std::vector<uint8_t> bytes = ReadFile(path);
  return CompileSource(std::string(bytes.begin(), bytes.end()), path);
}

int Build(const std::string& srcDir, const std::string& outDir) {
  std::error_code ec;
  if (!fs::is_directory(srcDir, ec)) throw TLevelError(srcDir + ": not a directory");
  std::vector<std::string> sources;
  for (const auto& entry : fs::directory_iterator(srcDir)) {
    if (entry.is_regular_file() && entry.path().extension() == ".lvl")
      sources.push_back(entry.path().string());
  }
  if (sources.empty()) throw TLevelError(srcDir + ": no .lvl files");
  std::sort(sources.begin(), sources.end());

  // Compile everything before writing anything, so a bad source leaves the
  // output directory as it was.
  std::vector<TCompiledLevel> levels;
  std::map<std::string, std::string> sourceOfName;
  for (const std::string& path : sources) {
    levels.push_back(CompileFile(path));
    auto [it, fresh] = sourceOfName.emplace(levels.back().name, path);
    if (!fresh) {
      throw TLevelError(path + ": the level name \"" + levels.back().name + "\" is already used by " +
                        it->second);
    }
  }
  fs::create_directories(outDir, ec);
  if (ec) throw TLevelError(outDir + ": cannot create directory: " + ec.message());
  for (const TCompiledLevel& level : levels) {
    WriteFile((fs::path(outDir) / (level.name + ".map")).string(), level.bytes);
  }
  return 0;
}

std::string NameOfMap(const std::string& path) {
  std::string name = fs::path(path).filename().string();
  if (name.size() > 4 && name.compare(name.size() - 4, 4, ".map") == 0) name.resize(name.size() - 4);
  return name;
}

int Print(const std::string& path) {
  std::cout << PrintMap(ReadFile(path), NameOfMap(path), path);
  std::cout.flush();
  if (!std::cout) throw TLevelError("cannot write to standard output");
  return 0;
}

// Checks every file and reports each bad one, not only the first.
int Check(const std::vector<std::string>& paths) {
  int status = 0;
  for (const std::string& path : paths) {
    try {
      if (fs::path(path).extension() == ".map")
        CheckMap(ReadFile(path), NameOfMap(path), path);
      else
        CompileFile(path);
    } catch (const TLevelError& e) {
      std::cerr << "levelc: " << e.what() << "\n";
      status = 1;
    }
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  try {
    if (args.size() == 3 && args[0] == "build") return Build(args[1], args[2]);
    if (args.size() == 3 && args[0] == "compile") {
      WriteFile(args[2], CompileFile(args[1]).bytes);
      return 0;
    }
    if (args.size() == 2 && args[0] == "print") return Print(args[1]);
    if (args.size() >= 2 && args[0] == "check") return Check({args.begin() + 1, args.end()});
  } catch (const TLevelError& e) {
    std::cerr << "levelc: " << e.what() << "\n";
    return 1;
  } catch (const fs::filesystem_error& e) {
    std::cerr << "levelc: " << e.what() << "\n";
    return 1;
  }
  std::cerr << Usage;
  return 2;
}
