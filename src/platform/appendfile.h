// CAppendFile: a file the game adds to as it goes. What is added reaches the
// file at once, so a killed game loses none of it, and a thread of its own
// syncs it to the disk, so a power cut loses no more than a moment while
// play never waits for the disk.
#pragma once
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

class CAppendFile {
public:
  CAppendFile() = default;
  ~CAppendFile();
  CAppendFile(const CAppendFile&) = delete;
  CAppendFile& operator=(const CAppendFile&) = delete;

  // Opens an existing plain file to add to; false with `error` set to one
  // line naming it.
  bool Open(const std::string& path, std::string& error);
  bool IsOpen() const { return fd >= 0; }
  // Adds the bytes and asks for a sync; false with `error` set on a failed
  // write (a full disk), and the file is closed.
  bool Append(const std::string& bytes, std::string& error);
  // Waits for the last sync asked for, then closes the file.
  void Close();

private:
  void SyncLoop();
  int fd = -1;
  std::string path;
  std::thread syncer;
  std::mutex mutex;
  std::condition_variable wake;
  bool syncWanted = false, closing = false;
};
