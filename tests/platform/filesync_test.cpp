// A save outlasts a power cut: the new file's contents are synced before it
// is renamed over the old file, and its folder after, so the rename lasts too.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/datafile.h"

TEST(FileSync, ASaveSyncsTheFileBeforeItsRenameAndTheFolderAfter) {
  char folder[] = "/tmp/rebounder-sync-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string path = std::string(folder) + "/tables/mine/highscores.dat";
  std::vector<std::string> steps;
  SetSyncHook([&](const std::string& p, bool isFolder) {
    steps.push_back((isFolder ? "sync folder " : "sync ") + p);
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
