// A save outlasts a power cut: the new file's contents are synced before it
// is renamed over the old file, and its folder after, so the rename lasts too.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/datafile.h"

TEST(FileSync, ASaveSyncsTheFileBeforeItsRenameAndTheFolderAfter) {
  char folder[] = "/tmp/rebounder-sync-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string path = std::string(folder) + "/tables/mine/highscores.dat";
  std::vector<std::string> steps;
  // The descriptor synced must be the file or folder itself, and be synced.
  SetSyncHook([&](int fd, const std::string&, bool isFolder) {
    const std::string link = std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd)).string();
    steps.push_back((isFolder ? "sync folder " : "sync ") + link + (isFolder ? "/" : ""));
    return fsync(fd);
  });
  SetBeforeRenameHook([&](const std::string& p) { steps.push_back("rename to " + p); });
  std::string error;
  for (int save = 0; save < 2; ++save) EXPECT_TRUE(WriteFileAtomically(path, {1, 2, 3}, error)) << error;
  SetSyncHook(nullptr);
  SetBeforeRenameHook(nullptr);
  const std::vector<std::string> once = {"sync " + path + ".new", "rename to " + path,
                                         "sync folder " + std::string(folder) + "/tables/mine/"};
  std::vector<std::string> twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(steps, twice) << "the first save, which makes the folders, and the next";
  std::filesystem::remove_all(folder);
}
