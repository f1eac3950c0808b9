// The frame log never stops or hangs the game: a named pipe nobody reads is
// refused at once, and a log that cannot be written any more (its reader gone,
// a full disk) ends with one line while the game goes on.
#include "platform/framelog.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/sessionend.h"

namespace {
size_t Lines(const std::string& said) {
  size_t n = 0;
  for (char c : said) n += c == '\n';
  return n;
}
}  // namespace

TEST(FrameLog, ANamedPipeNobodyReadsIsRefusedAtOnce) {
  char folder[] = "/tmp/rebounder-framelog-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string fifo = std::string(folder) + "/f\nifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  CFrameLog log;
  const auto start = std::chrono::steady_clock::now();
  testing::internal::CaptureStderr();
  EXPECT_FALSE(log.Open(fifo));
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  EXPECT_EQ(Lines(said), 1u) << said;
  EXPECT_NE(said.find("f\\x0aifo: a named pipe that nobody reads; no frame log is kept"), std::string::npos)
      << said;
  std::filesystem::remove_all(folder);
}

// Run in a child of its own, as the game runs: with the quit signals set up,
// a write into a pipe whose reader is gone fails instead of ending the
// process, on the log and on standard error alike.
TEST(FrameLog, AWriteThatFailsEndsTheLogWithOneLineAndTheGameGoesOn) {
  for (const char* where : {"closed pipe", "/dev/full"}) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      InstallQuitSignals();
      int ends[2];
      if (pipe(ends) != 0) _exit(3);
      const std::string path = where[0] == '/' ? where : "/dev/fd/" + std::to_string(ends[1]);
      CFrameLog log;
      if (!log.Open(path)) _exit(4);
      close(ends[0]);  // the reader stops
      // The log's last words go to a standard error that is a broken pipe too.
      int saidTo[2];
      if (pipe(saidTo) != 0) _exit(3);
      const int savedError = dup(2);
      dup2(saidTo[1], 2);
      log.Write("1.000 - -\n");
      log.Write("2.000 - -\n");
      dup2(savedError, 2);
      close(saidTo[1]);
      char said[512] = "";
      const ssize_t n = read(saidTo[0], said, sizeof said - 1);
      const std::string text(said, n > 0 ? static_cast<size_t>(n) : 0);
      if (log.IsOpen() || Lines(text) != 1 || text.find("the frame log ends here") == std::string::npos)
        _exit(5);
      close(saidTo[0]);
      std::fputs("rebounder: said into a pipe nobody reads\n", stderr);
      std::fflush(stderr);
      int broken[2];
      if (pipe(broken) != 0) _exit(3);
      close(broken[0]);
      dup2(broken[1], 2);
      if (write(2, "x\n", 2) >= 0) _exit(6);
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << where << ": ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 0) << where;
  }
}
