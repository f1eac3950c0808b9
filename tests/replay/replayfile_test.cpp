// The replay file format: what is written reads back the same, and a damaged,
// cut-short or foreign file is refused with one line, never a crash.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "replay/playback.h"
#include "replay/replay.h"

namespace {
TReplay Sample() {
  TReplay r;
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
  slow.items = {{riButtonDown, 0}, {riButtonUp, 0}, {riKeyUp, 32}};
  slow.ticks = 3;
  r.passes = {first, quiet, slow};
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
  ASSERT_EQ(read.passes.size(), 3u);
  EXPECT_EQ(read.passes[1].repeat, 40u);
  EXPECT_EQ(read.passes[1].held, rhLeft | rhSpace);
  EXPECT_EQ(read.passes[0].items[0].value, 1700000000u);
  EXPECT_EQ(read.end, sample.end);

  TReplay level = sample;
  level.start.fromLevel = true;
  level.start.levelName = "it's a kind of magic";
  level.start.levelSeed = 99;
  ASSERT_TRUE(ParseReplay(ReplayText(level), read, error)) << error;
  EXPECT_EQ(read.start.levelName, "it's a kind of magic");
  EXPECT_EQ(read.start.levelSeed, 99u);
}

TEST(ReplayFile, DamagedAndForeignFilesAreRefusedWithOneLine) {
  const std::string good = ReplayText(Sample());
  ExpectRefused("", "not a Rebounder replay");
  ExpectRefused("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", "not a Rebounder replay");
  ExpectRefused(Replace(good, "replay 1", "replay one"), "not a Rebounder replay");
  ExpectRefused(Replace(good, "replay 1", "replay 7"), "newer Rebounder");
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
  ExpectRefused(Replace(good, "b 1\n", "z\n"), "unknown line");
  ExpectRefused(Replace(good, "h 5\np 40", "o\np 40"), "cannot hold events");
  ExpectRefused(Replace(good, "c 41", "c 45"), "beyond the ticks");
  ExpectRefused(Replace(good, "stars 1 2 3", "stars 1 2"), "star field");
  ExpectRefused(Replace(good, "random 1\n", "random 0\n"), "no generator state");
  ExpectRefused(good + "m 1\n", "text after the end");
  ExpectRefused(good.substr(0, good.size() - 1), "middle of a line");
  ExpectRefused(Replace(good, "\nplay", "\r\nplay"), "line 12");
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

TEST(ReplayFile, PlayingABadFileSaysSoInOneLine) {
  const std::string path = testing::TempDir() + "rebounder-bad.replay";
  std::ofstream(path) << "rebounder-replay 1\nstart somewhere else\n";
  testing::internal::CaptureStderr();
  EXPECT_EQ(PlayReplayFile(path), 1);
  EXPECT_EQ(PlayReplayFile(path + ".missing"), 1);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(said, "rebounder: " + path + ": damaged replay, line 2: unknown start \"somewhere\"\n" +
                      "rebounder: " + path + ".missing: cannot open it: No such file or directory\n");
  std::remove(path.c_str());
}
