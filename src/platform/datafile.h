// Safe reading and writing of the small data files.
#pragma once
#include <functional>
#include <string>
#include <vector>

// False only when nothing is there (no such file, or a plain file where a
// folder of the path should be); any other failure to look the file up (a
// folder that cannot be searched, a loop of links, a name too long) is fatal
// with a message naming the file and the cause.
bool FileExists(const std::string& path);
// Where a per-user file (options.dat, highscores.dat, recordings) lives: the
// working directory when it already holds options.dat or highscores.dat (the
// build tree, a player's old folder), so nothing a player has is lost; else
// $XDG_DATA_HOME/rebounder/, by default ~/.local/share/rebounder/.
std::string DataFilePath(const std::string& fileName);
// Where a file of a level set's high-score table lives: the built-in set's
// (table "") as DataFilePath says, a player's set's in tables/<table>/ of the
// same folder.
std::string SetFilePath(const std::string& table, const std::string& fileName);
// The table folder of the level set in `folder`: the resolved folder's own
// name in safe letters (for the player to recognise), then a hash of the
// whole resolved path, so that two folders never share a table, whatever
// they are called or however they were named ("sets/..", ".").
std::string SetTableName(const std::string& folder);
// Tables were once kept by the set folder's last name alone: the first time
// a set's table is used, a table kept under `oldName` is copied (never
// moved: two sets may have shared it) to its own folder. Nothing happens
// when the set's table is already there, or the old name is no folder name.
void CarryOverOldTable(const std::string& oldName, const std::string& table);
// Where a per-user setting file lives: $XDG_CONFIG_HOME/rebounder/, by
// default ~/.config/rebounder/.
std::string ConfigFilePath(const std::string& fileName);
// $XDG_DATA_HOME/rebounder/ (by default ~/.local/share/rebounder/), whatever
// the working directory holds; "" when there is no home folder.
std::string UserDataFolder();
// Creates the folder DataFilePath chose when it is missing; on failure returns
// false and sets `error` to one line naming the folder and the reason.
bool MakeDataFolder(std::string& error);
// Reads exactly `count` bytes from the start of the file, opening it for
// reading only; an unreadable or short file, a folder or anything else that
// is not a plain file is fatal with a message naming it and the cause.
std::vector<unsigned char> ReadFileBytes(const std::string& path, size_t count);
// Reads at most `count` bytes from the start of a plain file; fails as
// ReadFileBytes does, except that a short file is no error.
std::vector<unsigned char> ReadFileHead(const std::string& path, size_t count);
// Reads a whole file of 1 to `limit` bytes; fails as ReadFileBytes does, and
// on an empty file or one above the limit.
std::vector<unsigned char> ReadWholeFile(const std::string& path, size_t limit);
// As ReadWholeFile, but never stops the game: on any fault returns false with
// `error` set to one line naming the file; a missing file leaves `error` empty.
bool TryReadWholeFile(const std::string& path, size_t limit, std::vector<unsigned char>& bytes,
                      std::string& error);
// Writes the bytes to a temporary file in the same folder and renames it over
// the target, so the target is always either the old or the new file. A file
// the player marked read-only is left alone. A missing folder is created. On failure, returns false and
// sets `error` to one line naming the file. `shared`: another program may
// write the same file at the same moment (a generated set made twice at
// once), so the temporary file takes a name of this process's own.
bool WriteFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes, std::string& error,
                         bool shared = false);
// The two halves of WriteFileAtomically, for files that must change together:
// every new file is written in full before the first one is renamed.
bool PrepareFile(const std::string& path, const std::vector<unsigned char>& bytes, std::string& error);
bool CommitFile(const std::string& path, std::string& error);
// As PrepareFile, with the contents of the file `from` (of at most `limit`
// bytes); false with `error` empty when `from` is not there.
bool PrepareCopy(const std::string& from, const std::string& path, size_t limit, std::string& error);
// Moves a damaged file out of the way to path.bad (path.bad.2 and so on when
// that is taken), so that it is never written over; returns the new name, or
// "" with `error` set.
std::string SetFileAside(const std::string& path, std::string& error);
// Held while one copy of the game reads, merges and writes the per-user files,
// so that two copies sharing a home folder take turns. A lock that cannot be
// had within a few seconds is done without rather than hang the game.
class CDataLock {
public:
  CDataLock();
  ~CDataLock();
  CDataLock(const CDataLock&) = delete;
  CDataLock& operator=(const CDataLock&) = delete;

private:
  int fd;
};
// The outcome of saving one of the player's files. A failed save names what
// was not saved ("the options") and the cause, one line naming the file; the
// caller decides how to tell the player.
struct TSaveResult {
  bool saved = true;
  std::string what;
  std::string error;
  std::string outcome = "were not saved";  // what befell `what`, for the message

  static TSaveResult Failed(const std::string& what, const std::string& error,
                            const std::string& outcome = "were not saved") {
    return {false, what, error, outcome};
  }
  explicit operator bool() const { return saved; }
};
// Tests stand in for a crash here: called with the target path once the
// temporary file is complete, just before it is renamed. Empty to stop.
void SetBeforeRenameHook(std::function<void(const std::string& path)> hook);
// Every sync that lets a save outlast a power cut is made here: of the
// temporary file (its contents, before the rename) and of the folder that
// holds the file (after the rename, so that the rename itself lasts). A test
// hook is called in fsync's place with the descriptor and what it is, and
// answers as fsync does. Empty to stop.
void SetSyncHook(std::function<int(int fd, const std::string& path, bool folder)> hook);
// While a recorded game is watched, what it does to the options and the table
// is not the player's: the saves of both then leave the files alone.
void KeepPlayerFiles(bool keep);
bool PlayerFilesKept();
