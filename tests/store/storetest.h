// StoreTest: each test in a fresh temporary folder and per-user folder, never
// the game's own or the player's home, with helpers to write, read and
// compare the data files, the table and its recordings.
#pragma once
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/globals.h"
#include "game/input.h"
#include "game/mainloop.h"
#include "media/notice.h"
#include "menus/menu.h"
#include "platform/datafile.h"
#include "platform/fatal.h"
#include "replay/recorder.h"
#include "screens/hud.h"
#include "session/gameflow.h"
#include "session/keptgame.h"
#include "session/level.h"
#include "store/highscores.h"
#include "store/options.h"
#include "store/replaystore.h"
#include "tests/screencheck.h"
#include "tests/testenv.h"

using Bytes = std::vector<unsigned char>;
using Rows = std::vector<std::pair<std::string, uint32_t>>;

class StoreTest : public GameTest {
protected:
  std::string home, folder, userData, savedXdg, savedHome;

  // Ranks a finished game's score and opens the name entry for it.
  void EnterTable(uint32_t score) {
    Game.score = score;
    Game.newScoreRank = RankScore();
    Game.menuState = msNewHighScore;
    Game.typedName.clear();
  }

  void SetUp() override {
    GameTest::SetUp();
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    home = cwd;
    char temp[] = "/tmp/rebounder-store-XXXXXX";
    ASSERT_NE(mkdtemp(temp), nullptr);
    folder = temp;
    ASSERT_EQ(chdir(folder.c_str()), 0);
    userData = folder + "/xdg/rebounder/";
    savedXdg = getenv("XDG_DATA_HOME") ? getenv("XDG_DATA_HOME") : "";
    savedHome = getenv("HOME") ? getenv("HOME") : "";
    setenv("XDG_DATA_HOME", (folder + "/xdg").c_str(), 1);
  }
  void TearDown() override {
    SetBeforeRenameHook(nullptr);
    setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
    setenv("HOME", savedHome.c_str(), 1);
    EXPECT_EQ(chdir(home.c_str()), 0);
    std::filesystem::remove_all(folder);
    GameTest::TearDown();
  }

  static void Write(const char* path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  // Reads a data file where the game keeps it.
  static Bytes Read(const char* name) {
    std::ifstream in(DataFilePath(name), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static std::vector<bool> OptionValues() {
    return {Game.optBackground.value, Game.optStars.value, Game.optExplosions.value,
            Game.optMusic.value,      Game.optSound.value, Game.optFullscreen.value};
  }
  // The fatal message of a load, or "" when it did not stop.
  template <class F>
  static std::string FatalMessage(F load) {
    try {
      load();
    } catch (const TFatalError& e) {
      return e.what();
    }
    return "";
  }
  static Bytes TableFile(const Rows& rows) {
    Bytes bytes;
    for (const auto& row : rows) {
      const std::string name = CHighScore(row.first, 0).name;
      bytes.insert(bytes.end(), name.begin(), name.end());
      for (int b = 0; b < 4; ++b) bytes.push_back(static_cast<unsigned char>(row.second >> (8 * b)));
    }
    return bytes;
  }
  static Bytes ScoreFile(const char* firstName, uint32_t firstScore) {
    Rows rows = {{firstName, firstScore}};
    for (int k = 1; k < 10; ++k) rows.emplace_back("PLAYER" + std::to_string(k), 1000 - k);
    return TableFile(rows);
  }
  // The built-in table with rows put in at their places.
  static Rows DefaultRowsWith(const Rows& added) {
    Rows rows;
    for (const auto& row : added) rows.emplace_back(CHighScore(row.first, 0).name, row.second);
    for (int i = 0; i < 10; ++i) rows.emplace_back("VORTEX    ", 250 - 25 * i);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    rows.resize(10);
    return rows;
  }
  static Rows DiskRows() {
    const Bytes bytes = Read("highscores.dat");
    Rows rows;
    for (size_t k = 0; k + 14 <= bytes.size(); k += 14)
      rows.emplace_back(std::string(bytes.begin() + k, bytes.begin() + k + 10),
                        uint32_t{bytes[k + 10]} | uint32_t{bytes[k + 11]} << 8 |
                            uint32_t{bytes[k + 12]} << 16 | uint32_t{bytes[k + 13]} << 24);
    return rows;
  }
  static std::string Kept(int rank) {
    std::ifstream in(BestRecordingPath(rank));
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static uint32_t KeptScore(int rank) {
    TReplay replay;
    std::string error;
    return LoadReplayFile(BestRecordingPath(rank), replay, error) ? replay.end.score : 0;
  }
  // A recorded game ends at game over with `score` and the fire press leaves it.
  static void EndRecordedGame(uint32_t score) {
    EnableRecording(true);
    RecordGameStart(0);
    Game.score = score;
    Game.programState = psGame;
    Game.gameState = gsGameOver;
    for (Uint8 type : {SDL_KEYDOWN, SDL_KEYUP}) {
      Game.event = {};
      Game.event.type = type;
      Game.event.key.keysym.sym = SDLK_SPACE;
      DispatchEvent();
    }
    EnableRecording(false);
  }
  static void TypeKeys(std::initializer_list<SDLKey> keys) {
    for (SDLKey k : keys) NameEntryKey(k);
  }
};
