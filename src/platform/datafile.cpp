// Reading and atomically replacing the small data files.
#include "platform/datafile.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/fatal.h"

namespace fs = std::filesystem;

namespace {
std::function<void(const std::string&)> beforeRename;
std::function<int(int, const std::string&, bool)> syncHook;

std::string Reason() { return std::strerror(errno); }

int Sync(int fd, const std::string& path, bool folder) {
  return syncHook ? syncHook(fd, path, folder) : fsync(fd);
}

// Opens a file for reading, refusing what is not a plain file. Non-blocking,
// so that a named pipe put in a file's place cannot hang the game. Returns -1
// with `error` set to one line naming the file; a missing file leaves `missing` set.
int OpenPlain(const std::string& path, std::string& error, bool& missing) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  missing = fd < 0 && errno == ENOENT;
  if (fd < 0) {
    error = path + ": cannot open: " + Reason();
    return -1;
  }
  struct stat st;
  const bool statted = fstat(fd, &st) == 0;
  const std::string reason = Reason();
  if (statted && S_ISREG(st.st_mode)) return fd;
  close(fd);
  if (!statted)
    error = path + ": cannot read: " + reason;
  else
    error = path + (S_ISDIR(st.st_mode) ? ": is a folder, not a file" : ": is not a plain file");
  return -1;
}

// Reads until the buffer is full or the file ends, then closes the file;
// returns the bytes read, or -1 with `error` set on a read error.
ssize_t ReadAll(int fd, const std::string& path, std::vector<unsigned char>& buffer, std::string& error) {
  size_t got = 0;
  while (got < buffer.size()) {
    const ssize_t n = read(fd, buffer.data() + got, buffer.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = path + ": read error: " + Reason();
      close(fd);
      return -1;
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  close(fd);
  return static_cast<ssize_t>(got);
}

// Permission bits, not access(): a file marked read-only stays so even for root.
bool MarkedReadOnly(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0;
}

bool WriteTemp(const std::string& temp, const std::vector<unsigned char>& bytes) {
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return false;
  // An empty file writes nothing (and an empty vector has no data to pass).
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = ok && std::fflush(f) == 0 && Sync(fileno(f), temp, false) == 0;
  const int savedErrno = errno;
  ok = std::fclose(f) == 0 && ok;
  if (!ok && savedErrno) errno = savedErrno;
  return ok;
}

// The game's folder in one of the base directories: $`variable`/rebounder/,
// else ~`fallback`/rebounder/; "" when neither can be found.
std::string UserFolder(const char* variable, const char* fallback) {
  // The base directory rules: a relative path in the variable is to be ignored.
  const char* xdg = std::getenv(variable);
  if (xdg && xdg[0] == '/') return std::string(xdg) + "/rebounder/";
  const char* home = std::getenv("HOME");
  if (!home || !*home) {
    const passwd* entry = getpwuid(getuid());
    home = entry ? entry->pw_dir : nullptr;
  }
  if (!home || !*home) return "";
  return std::string(home) + fallback + "/rebounder/";
}

// The per-user folder with a trailing slash, "" for the working directory.
// Never fatal: it also runs while saving, when nothing may stop the game.
std::string DataFolder() {
  struct stat st;
  if (stat("options.dat", &st) == 0 || stat("highscores.dat", &st) == 0) return "";
  return UserFolder("XDG_DATA_HOME", "/.local/share");
}

// Creates every missing folder on the way to `folder` (which ends in a slash).
bool MakeFolders(const std::string& folder, std::string& error) {
  for (size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      error = "cannot create the folder " + part + ": " + Reason();
      return false;
    }
  }
  return true;
}

// Makes the rename itself durable; a folder that cannot be synced only loses that.
void SyncFolder(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  Sync(fd, folder, true);
  close(fd);
}
}  // namespace

bool FileExists(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) == 0) return true;
  // Not there, or a file where a folder of the path should be: nothing can be there.
  if (errno == ENOENT || errno == ENOTDIR) return false;
  Fail(path + ": cannot reach the file: " + Reason());
}

std::vector<unsigned char> ReadFileHead(const std::string& path, size_t count) {
  std::string error;
  bool missing = false;
  const int fd = OpenPlain(path, error, missing);
  if (fd < 0) Fail(error);
  std::vector<unsigned char> bytes(count);
  const ssize_t got = ReadAll(fd, path, bytes, error);
  if (got < 0) Fail(error);
  bytes.resize(static_cast<size_t>(got));
  return bytes;
}

std::vector<unsigned char> ReadFileBytes(const std::string& path, size_t count) {
  std::vector<unsigned char> bytes = ReadFileHead(path, count);
  if (bytes.size() < count)
    Fail(path + ": file ends at byte " + std::to_string(bytes.size()) + ", " + std::to_string(count) +
         " needed");
  return bytes;
}

std::string UserDataFolder() { return UserFolder("XDG_DATA_HOME", "/.local/share"); }

std::string DataFilePath(const std::string& fileName) { return DataFolder() + fileName; }

std::string SetFilePath(const std::string& table, const std::string& fileName) {
  if (table.empty()) return DataFilePath(fileName);
  return DataFilePath("tables/" + table + "/" + fileName);
}

std::string SetTableName(const std::string& folder) {
  std::error_code error;
  fs::path resolved = fs::weakly_canonical(fs::absolute(folder, error), error);
  if (error) resolved = fs::absolute(folder, error).lexically_normal();
  if (!resolved.has_filename()) resolved = resolved.parent_path();
  std::string readable;
  for (char c : resolved.filename().string()) {
    const bool safe = std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' ||
                      (c == '.' && !readable.empty());
    if (readable.size() < 32) readable += safe ? c : '_';
  }
  // FNV-1a of the whole path, 64 bits.
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : resolved.string()) hash = (hash ^ c) * 1099511628211ull;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return (readable.empty() ? "set" : readable) + "-" + hex;
}

void CarryOverOldTable(const std::string& oldName, const std::string& table) {
  if (PlayerFilesKept() || table.empty() || oldName.empty() || oldName == "." || oldName == ".." ||
      oldName.find('/') != std::string::npos)
    return;
  std::error_code error;
  const fs::path old = DataFilePath("tables/" + oldName), own = DataFilePath("tables/" + table);
  if (!fs::is_directory(fs::symlink_status(old, error)) || fs::exists(fs::symlink_status(own, error))) return;
  CDataLock lock;
  // Copied whole beside its place, then renamed into it, so a stop halfway
  // leaves no half table to be taken for the set's own.
  const fs::path temp = own.string() + ".new";
  fs::remove_all(temp, error);
  fs::copy(old, temp, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
  if (!error) fs::rename(temp, own, error);
  if (error) {
    std::fprintf(stderr, "rebounder: the table of %s was not copied to %s: %s\n", old.c_str(), own.c_str(),
                 error.message().c_str());
    fs::remove_all(temp, error);
  }
}

bool MakeDataFolder(std::string& error) { return MakeFolders(DataFolder(), error); }

std::string ConfigFilePath(const std::string& fileName) {
  return UserFolder("XDG_CONFIG_HOME", "/.config") + fileName;
}

bool TryReadWholeFile(const std::string& path, size_t limit, std::vector<unsigned char>& bytes,
                      std::string& error) {
  error.clear();
  bool missing = false;
  const int fd = OpenPlain(path, error, missing);
  if (fd < 0) {
    if (missing) error.clear();
    return false;
  }
  struct stat st;
  if (fstat(fd, &st) != 0) {
    error = path + ": cannot read: " + Reason();
    close(fd);
    return false;
  }
  const auto size = static_cast<unsigned long long>(st.st_size);
  if (size == 0 || size > limit) {
    close(fd);
    error = size == 0 ? path + ": the file is empty"
                      : path + ": the file is " + std::to_string(size) + " bytes, more than the " +
                            std::to_string(limit) + " it can have";
    return false;
  }
  bytes.assign(static_cast<size_t>(size), 0);
  const ssize_t got = ReadAll(fd, path, bytes, error);
  if (got < 0) return false;
  bytes.resize(static_cast<size_t>(got));
  return true;
}

std::vector<unsigned char> ReadWholeFile(const std::string& path, size_t limit) {
  std::vector<unsigned char> bytes;
  std::string error;
  if (!TryReadWholeFile(path, limit, bytes, error))
    Fail(error.empty() ? path + ": cannot open: " + std::strerror(ENOENT) : error);
  return bytes;
}

namespace {
bool PrepareAs(const std::string& path, const std::string& temp, const std::vector<unsigned char>& bytes,
               std::string& error) {
  const size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && !MakeFolders(path.substr(0, slash + 1), error)) return false;
  if (MarkedReadOnly(path)) {
    error = path + ": the file is read-only; it was left as it was";
    return false;
  }
  if (WriteTemp(temp, bytes)) return true;
  error = path + ": cannot write " + temp + ": " + Reason();
  std::remove(temp.c_str());
  return false;
}

bool CommitAs(const std::string& path, const std::string& temp, std::string& error) {
  if (beforeRename) beforeRename(path);
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    error = path + ": cannot replace it with " + temp + ": " + Reason();
    std::remove(temp.c_str());
    return false;
  }
  SyncFolder(path);
  return true;
}
}  // namespace

bool WriteFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes, std::string& error,
                         bool shared) {
  const std::string temp = path + (shared ? ".new-" + std::to_string(getpid()) : ".new");
  return PrepareAs(path, temp, bytes, error) && CommitAs(path, temp, error);
}

bool PrepareFile(const std::string& path, const std::vector<unsigned char>& bytes, std::string& error) {
  return PrepareAs(path, path + ".new", bytes, error);
}

bool CommitFile(const std::string& path, std::string& error) { return CommitAs(path, path + ".new", error); }

bool PrepareCopy(const std::string& from, const std::string& path, size_t limit, std::string& error) {
  // A second name for the same file costs nothing, and the file is never
  // changed in place; where names cannot be linked, the bytes are copied.
  const std::string temp = path + ".new";
  std::remove(temp.c_str());
  if (link(from.c_str(), temp.c_str()) == 0) return true;
  std::vector<unsigned char> bytes;
  return TryReadWholeFile(from, limit, bytes, error) && PrepareFile(path, bytes, error);
}

std::string SetFileAside(const std::string& path, std::string& error) {
  struct stat st;
  for (int n = 1; n < 100; ++n) {
    const std::string aside = path + ".bad" + (n == 1 ? "" : "." + std::to_string(n));
    if (lstat(aside.c_str(), &st) == 0) continue;
    if (std::rename(path.c_str(), aside.c_str()) == 0) return aside;
    error = path + ": cannot move it aside to " + aside + ": " + Reason();
    return "";
  }
  error = path + ": cannot move it aside: too many damaged copies are kept beside it already";
  return "";
}

CDataLock::CDataLock() : fd(-1) {
  std::string ignored;
  MakeDataFolder(ignored);  // a folder that cannot be made fails the save itself, with its reason
  fd = open(DataFilePath("rebounder.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return;
  for (int tries = 0; flock(fd, LOCK_EX | LOCK_NB) != 0; ++tries) {
    if ((errno != EWOULDBLOCK && errno != EINTR) || tries == 300) {
      close(fd);
      fd = -1;
      return;
    }
    usleep(10000);
  }
}

CDataLock::~CDataLock() {
  if (fd >= 0) close(fd);  // closing lets the lock go
}

namespace {
bool playerFilesKept = false;
}

void KeepPlayerFiles(bool keep) { playerFilesKept = keep; }

bool PlayerFilesKept() { return playerFilesKept; }

void SetBeforeRenameHook(std::function<void(const std::string& path)> hook) {
  beforeRename = std::move(hook);
}

void SetSyncHook(std::function<int(int fd, const std::string& path, bool folder)> hook) {
  syncHook = std::move(hook);
}
