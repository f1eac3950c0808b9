// The frame log asked for with --frame-log: a line per picture shown, written
// so that no reader, a full disk or a closed pipe can stop or hang the game.
#pragma once
#include <string>

class CFrameLog {
public:
  CFrameLog() = default;
  CFrameLog(const CFrameLog&) = delete;
  CFrameLog& operator=(const CFrameLog&) = delete;
  ~CFrameLog() { Close(); }

  // Opens `path` for writing without waiting: a named pipe nobody reads, or
  // anything else that cannot take the log at once, is refused with one line
  // on standard error, and the game runs without a log.
  bool Open(const std::string& path);
  bool IsOpen() const { return fd >= 0; }
  // Writes one line. When it cannot be written (a full disk, the reader gone
  // or too slow), the log ends with one line on standard error.
  void Write(const std::string& line);
  void Close();

private:
  int fd = -1;
  std::string path;
};
