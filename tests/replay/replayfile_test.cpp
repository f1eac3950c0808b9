// The replay file format: what is written reads back the same, and a damaged,
// cut-short or foreign file is refused with one line, never a crash.
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>

#include "game/playback.h"
#include "game/replayrun.h"
#include "replay/replay.h"
#include "tests/testenv.h"

namespace {
// A version-1 sample holds nothing that version 1 could not keep.
TReplay Sample(int version = ReplayFormatVersion) {
  TReplay r;
  r.version = version;
  r.start.difficulty = 2;
  r.start.options[1] = r.start.options[4] = true;
  r.start.levelIndex = 79;
  r.start.stars = {{1, 2, 3}, {400, 17, 8}};
  TReplayPass first;
  first.items = {{riSeed, 1700000000u}, {riKeyDown, 32}, {riMotion, 251, 240, 11}, {riOther, 0}};
  first.ticks = 1;
  TReplayPass quiet;
  quiet.held = rhLeft | rhSpace;
  quiet.ticks = 1;
  quiet.repeat = 40;
  TReplayPass slow;
  slow.items = {{riButtonDown, 3, 201, 479}, {riButtonUp, 3, 202, 0}, {riKeyUp, 32}};
  if (version >= 2) slow.items.push_back({riActive, 0, 2});
  slow.ticks = 3;
  for (const TReplayPass& p : {first, quiet, slow}) r.AddPass(p);
  r.checkpoints = {{41, 80, 120, 2, 5}};
  r.end = {44, 80, 130, 2, 0};
  return r;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

void ExpectRefused(const std::string& text, const std::string& reason) {
  TReplay r;
  std::string error;
  EXPECT_FALSE(ParseReplay(text, r, error)) << reason;
  EXPECT_NE(error.find(reason), std::string::npos) << "got: " << error;
  EXPECT_EQ(error.find('\n'), std::string::npos);
}
}  // namespace

TEST(ReplayFile, WrittenTextReadsBackTheSame) {
  const TReplay sample = Sample();
  const std::string text = ReplayText(sample);
  TReplay read;
  std::string error;
  ASSERT_TRUE(ParseReplay(text, read, error)) << error << "\n" << text;
  EXPECT_EQ(ReplayText(read), text);
  EXPECT_EQ(read.TotalTicks(), 44);
  ASSERT_EQ(read.PassCount(), 3u);
  TReplayPass pass;
  size_t at = 0;
  ASSERT_TRUE(read.ReadPass(at, pass));
  EXPECT_EQ(pass.items[0].value, 1700000000u);
  EXPECT_EQ(pass.items[2].b, 11);
  ASSERT_TRUE(read.ReadPass(at, pass));
  EXPECT_EQ(pass.repeat, 40u);
  EXPECT_EQ(pass.held, rhLeft | rhSpace);
  ASSERT_TRUE(read.ReadPass(at, pass));
  EXPECT_EQ(pass.items[0].b, 479);
  // Version 1 kept no vertical movement, nor a click's button and place (read
  // as the left one at 0, 0), and is written back as it was.
  TReplay old = Sample(1), oldRead;
  const std::string oldText = ReplayText(old);
  EXPECT_NE(oldText.find("\nm 251 240 11\n"), std::string::npos) << oldText;
  ASSERT_TRUE(ParseReplay(oldText, oldRead, error)) << error;
  EXPECT_EQ(oldRead.version, 1);
  EXPECT_EQ(ReplayText(oldRead), oldText);
  at = 0;
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(oldRead.ReadPass(at, pass));
  EXPECT_EQ(pass.items[0].value, 1u);
  EXPECT_EQ(pass.items[0].a, 0);
  EXPECT_FALSE(ParseReplay(Replace(oldText, "b 1", "b 1 3 201 479"), oldRead, error));
  EXPECT_FALSE(ParseReplay(Replace(oldText, "k 0 32\n", "k 0 32\na 0 2\n"), oldRead, error));
  EXPECT_EQ(read.end, sample.end);
  // Lines ending as Windows ends them read the same.
  std::string windows;
  for (char c : text) windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
  ASSERT_TRUE(ParseReplay(windows, read, error)) << error;
  EXPECT_EQ(ReplayText(read), text);

  TReplay level = sample;
  level.start.fromLevel = true;
  level.start.levelName = "it's a kind of magic";
  level.start.levelSeed = 99;
  level.start.levelSetFolder = "/home/me/my levels";
  ASSERT_TRUE(ParseReplay(ReplayText(level), read, error)) << error;
  EXPECT_EQ(read.start.levelName, "it's a kind of magic");
  EXPECT_EQ(read.start.levelSeed, 99u);
  EXPECT_EQ(read.start.levelSetFolder, "/home/me/my levels");
}

TEST(ReplayFile, DamagedAndForeignFilesAreRefusedWithOneLine) {
  const std::string good = ReplayText(Sample());
  ExpectRefused("", "not a Rebounder replay");
  ExpectRefused("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", "not a Rebounder replay");
  ExpectRefused(Replace(good, "replay 3", "replay one"), "not a Rebounder replay");
  ExpectRefused(Replace(good, "replay 3", "replay 7"), "newer Rebounder");
  ExpectRefused(Replace(good, "replay 3", "replay 2"), "wrong number of values after \"m\"");
  ExpectRefused(Replace(good, "difficulty 2", "difficulty 9"), "9 is out of range");
  ExpectRefused(Replace(good, "difficulty 2", "level 5 ../../etc/passwd"), "unusable level name");
  ExpectRefused(Replace(good, "options 0 1", "options 0 2"), "out of range");
  ExpectRefused(Replace(good, "paddle 240 0 1 0", "paddle 240 0 0 0"), "direction");
  ExpectRefused(Replace(good, "m 251", "m -5"), "out of range");
  ExpectRefused(Replace(good, "m 251", "m 2x5"), "not a whole number");
  ExpectRefused(Replace(good, "k 1 32", "k 1 99999"), "out of range");
  ExpectRefused(Replace(good, "k 1 32", "k 1"), "wrong number of values");
  ExpectRefused(Replace(good, "p 40", "p 0"), "out of range");
  ExpectRefused(Replace(good, "t 3", "t 99999999999"), "out of range");
  ExpectRefused(Replace(good, "b 1 3 201 479\n", "z\n"), "unknown line");
  ExpectRefused(Replace(good, "b 1 3 201 479", "b 1 3 201"), "wrong number of values");
  ExpectRefused(Replace(good, "b 1 3 201 479", "b 1 3 201 -1"), "out of range");
  ExpectRefused(Replace(good, "h 5\np 40", "o\np 40"), "cannot hold events");
  ExpectRefused(Replace(good, "c 41", "c 45"), "beyond the ticks");
  ExpectRefused(Replace(good, "stars 1 2 3", "stars 1 2"), "star field");
  ExpectRefused(Replace(good, "random 1\n", "random 0\n"), "no generator state");
  ExpectRefused(good + "m 1\n", "text after the end");
  ExpectRefused(good.substr(0, good.size() - 1), "middle of a line");
  ExpectRefused(Replace(good, "\nplay", "\rplay"), "line 12");
  ExpectRefused(Replace(good, "end 44", "end 43"), "the passes run 44 ticks, the end says 43");
  // A week of play is the most a recording holds, however its passes add up to more.
  ExpectRefused(Replace(good, "p 40", "p 24192000"), "line 20: longer than any game");
  std::string crowd;
  for (int i = 0; i < 9000; ++i) crowd += "o\n";
  ExpectRefused(Replace(good, "b 1 3 201 479\n", crowd), "more events in one pass");
  // Cut short anywhere, at a line's end or inside it.
  for (size_t cut = good.find('\n') + 1; cut < good.size(); ++cut) {
    TReplay r;
    std::string error;
    EXPECT_FALSE(ParseReplay(good.substr(0, cut), r, error)) << cut;
  }
  // Random damage is read or refused, never more.
  uint32_t state = 12345;
  for (int i = 0; i < 3000; ++i) {
    std::string damaged = good;
    for (int k = 0; k < 1 + i % 3; ++k) {
      state = state * 1664525u + 1013904223u;
      damaged[(state >> 8) % damaged.size()] = static_cast<char>(state >> 24);
    }
    TReplay r;
    std::string error;
    if (!ParseReplay(damaged, r, error)) {
      EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
  }
}

// A named pipe in the file's place, a folder or a recording of a level that
// is not there (started from the command line or resumed from a saved game,
// by name or by its place in the sequence) are refused at once, each in one
// line with its reason.
TEST(ReplayFile, PlayingABadFileSaysSoInOneLine) {
  const std::string path = testing::TempDir() + "rebounder-bad.replay";
  const std::string pipe = testing::TempDir() + "rebounder-pipe.replay";
  const std::string lost = testing::TempDir() + "rebounder-lost.replay";
  std::ofstream(path) << "rebounder-replay 1\nstart somewhere else\n";
  TReplay elsewhere = Sample();
  elsewhere.start.fromLevel = true;
  elsewhere.start.levelName = "no such level";
  std::ofstream(lost) << ReplayText(elsewhere);
  // A saved game named a level that is not there, and one whose place holds another level.
  const std::string resumedLost = lost + ".saved", resumedMoved = lost + ".moved";
  TReplay resumed = Sample();
  resumed.start.resumed = true;
  resumed.start.resumeLevel = -1;
  resumed.start.resumeLives = 3;
  resumed.start.levelName = "no such level";
  std::ofstream(resumedLost) << ReplayText(resumed);
  resumed.start.resumeLevel = 41;
  resumed.start.levelName = "go easy on me";
  std::ofstream(resumedMoved) << ReplayText(resumed);
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  testing::internal::CaptureStderr();
  EXPECT_EQ(PlayReplayFile(path), 1);
  EXPECT_EQ(PlayReplayFile(path + ".missing"), 1);
  EXPECT_EQ(PlayReplayFile(pipe), 1);
  EXPECT_EQ(PlayReplayFile(testing::TempDir()), 1);
  EXPECT_EQ(PlayReplayFile(lost), 1);
  EXPECT_EQ(PlayReplayFile(resumedLost), 1);
  EXPECT_EQ(PlayReplayFile(resumedMoved), 1);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(said,
            "rebounder: " + path + ": damaged replay, line 2: unknown start \"somewhere\"\n" +
                "rebounder: " + path + ".missing: cannot open: No such file or directory\n" +
                "rebounder: " + pipe + ": is not a plain file\n" + "rebounder: " + testing::TempDir() +
                ": is a folder, not a file\n" + "rebounder: " + lost +
                ": the recording plays the level \"no such level\", and there is no level called that\n" +
                "rebounder: " + resumedLost +
                ": the recording resumes a saved game, and its level \"no such level\" is not this game's\n" +
                "rebounder: " + resumedMoved +
                ": the recording resumes a saved game, and its level \"go easy on me\" is not this game's\n");
  for (const std::string& p : {path, pipe, lost, resumedLost, resumedMoved}) std::remove(p.c_str());
}

// A pass of a million ticks runs a slice at a time, so a viewer stays awake.
class ReplayPlay : public GameTest {};

TEST_F(ReplayPlay, AHugePassRunsInSlices) {
  TReplay huge = Sample();
  TReplayPass stall;
  stall.ticks = 1000000;
  huge.AddPass(stall);
  TReplay read;
  std::string error;
  ASSERT_TRUE(ParseReplay(Replace(ReplayText(huge), "end 44", "end 1000044"), read, error)) << error;
  CPlayback playback(read);
  int ticks = 0;
  for (int i = 0; i < 4; ++i) ticks += playback.Step(false);
  EXPECT_LT(ticks, 2000);
  EXPECT_FALSE(playback.Done());
}

// The parsed form of a long recording takes no more memory than its text.
TEST(ReplayFile, AFileOfEventsTakesNoMoreMemoryThanItsText) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's allocator keeps its own books";
#endif
  std::string pass;
  for (int i = 0; i < 8000; ++i) pass += i % 2 ? "o\n" : "m 300 200 -4 3\n";
  pass += "t 1\n";
  std::string events;
  for (int i = 0; i < 100; ++i) events += pass;
  const std::string text =
      Replace(Replace(ReplayText(Sample()), "end 44", "end 144"), "m 251", events + "m 251");
  const size_t before = mallinfo2().uordblks;
  TReplay read;
  std::string error;
  ASSERT_TRUE(ParseReplay(text, read, error)) << error;
  EXPECT_EQ(read.PassCount(), 103u);
  EXPECT_LT(mallinfo2().uordblks - before, text.size());
}
