// The frame log: opened without blocking, written a whole line at a time,
// ended with one line when it cannot be written.
#include "platform/framelog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/echo.h"

namespace {
void Say(const std::string& path, const std::string& what) {
  std::fprintf(stderr, "rebounder: %s: %s\n", Echoed(path, EchoedPathLength).c_str(), what.c_str());
}
}  // namespace

bool CFrameLog::Open(const std::string& logPath) {
  Close();
  path = logPath;
  // Non-blocking: opening a named pipe for writing would otherwise wait for a
  // reader, before any window shows, and fails at once instead.
  fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0644);
  if (fd < 0) {
    Say(path, std::string(errno == ENXIO ? "a named pipe that nobody reads" : std::strerror(errno)) +
                  "; no frame log is kept");
    return false;
  }
  return true;
}

void CFrameLog::Write(const std::string& line) {
  if (fd < 0) return;
  for (size_t done = 0; done < line.size();) {
    const ssize_t n = write(fd, line.data() + done, line.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const bool behind = n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
      Say(path, std::string("the frame log ends here: ") + (behind  ? "its reader does not keep up"
                                                            : n < 0 ? std::strerror(errno)
                                                                    : "nothing written"));
      Close();
      return;
    }
    done += static_cast<size_t>(n);
  }
}

void CFrameLog::Close() {
  if (fd >= 0) close(fd);
  fd = -1;
}
