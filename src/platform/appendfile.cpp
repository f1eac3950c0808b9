// Adding to a file as play goes, synced to the disk by a thread of its own.
#include "platform/appendfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

CAppendFile::~CAppendFile() { Close(); }

bool CAppendFile::Open(const std::string& name, std::string& error) {
  Close();
  const int opened = open(name.c_str(), O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC);
  struct stat st;
  if (opened < 0 || fstat(opened, &st) != 0 || !S_ISREG(st.st_mode)) {
    error = name + ": cannot open to add to it: " + (opened < 0 ? std::strerror(errno) : "not a plain file");
    if (opened >= 0) close(opened);
    return false;
  }
  fd = opened;
  path = name;
  closing = syncWanted = false;
  syncer = std::thread(&CAppendFile::SyncLoop, this);
  return true;
}

bool CAppendFile::Append(const std::string& bytes, std::string& error) {
  if (fd < 0) return false;
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = path + ": cannot add to it: " + std::strerror(n < 0 ? errno : ENOSPC);
      Close();
      return false;
    }
    done += static_cast<size_t>(n);
  }
  {
    std::lock_guard<std::mutex> lock(mutex);
    syncWanted = true;
  }
  wake.notify_one();
  return true;
}

void CAppendFile::SyncLoop() {
  std::unique_lock<std::mutex> lock(mutex);
  for (;;) {
    wake.wait(lock, [this] { return syncWanted || closing; });
    if (syncWanted) {
      syncWanted = false;
      lock.unlock();
      fdatasync(fd);
      lock.lock();
      continue;
    }
    if (closing) return;
  }
}

void CAppendFile::Close() {
  if (fd < 0) return;
  {
    std::lock_guard<std::mutex> lock(mutex);
    closing = true;
  }
  wake.notify_one();
  syncer.join();
  close(fd);
  fd = -1;
}
