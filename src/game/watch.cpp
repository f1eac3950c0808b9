// Watching a table row's recording: the game is traded out as for a demo,
// with the rest a recording may change (the clock, the stars, the options,
// the table and the held keys), played, and traded back.
#include "game/watch.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "base/clock.h"
#include "base/globals.h"
#include "field/particles.h"
#include "game/playback.h"
#include "media/catalogue.h"
#include "media/notice.h"
#include "menus/menu.h"
#include "platform/datafile.h"
#include "platform/display.h"
#include "replay/recorder.h"
#include "replay/savedgame.h"
#include "session/levelset.h"
#include "store/highscores.h"
#include "store/replaystore.h"

namespace {
COption* const Options[] = {&Game.optFullscreen, &Game.optMusic, &Game.optSound,
                            &Game.optBackground, &Game.optStars, &Game.optExplosions};

// What a watched game may change beyond a demo's part of the record.
struct TWatchedState {
  TSavedGame game;
  int tickCount = 0;
  std::unique_ptr<CStars> stars;
  COption options[6];
  TSettings settings;
  std::string setFolder, newGameSetFolder;  // a recording plays on its own level set
  std::vector<std::pair<std::string, uint32_t>> table;
  uint8_t held = 0;
  bool recording = false, filesKept = false, quitRequested = false;
  SDL_Event event = {};  // the key that chose the row, still being dispatched
};

void TradeOut(TWatchedState& s) {
  TradeGame(s.game);
  Game.paddle.reset(new CPaddle(240, 420));
  s.tickCount = Game.tickCount;
  s.stars = std::move(Game.stars);
  Game.stars.reset(new CStars());
  Game.stars->Create(0, 0, Game.sprStar);
  for (int i = 0; i < 6; ++i) s.options[i] = *Options[i];
  s.settings = Game.settings;
  s.setFolder = Game.levelSetFolder;
  s.newGameSetFolder = Game.newGameSetFolder;
  for (int i = 0; i < Game.highScores.Count(); ++i)
    s.table.emplace_back(Game.highScores[i]->name, Game.highScores[i]->score);
  s.held = HeldKeys();
  s.recording = RecordingEnabled();
  s.filesKept = PlayerFilesKept();
  s.quitRequested = Game.quitRequested;
  s.event = Game.event;
  // The field shows the recorded picture alone.
  Game.noticeUntil = GetTicks();
  // Nothing the watched game does is recorded or saved.
  EnableRecording(false);
  KeepPlayerFiles(true);
}

void TradeBack(TWatchedState& s) {
  TradeGame(s.game);
  if (Game.levelSetFolder != s.setFolder) UseLevelSet(LoadSetFolder(s.setFolder));
  Game.newGameSetFolder = s.newGameSetFolder;
  Game.tickCount = s.tickCount;
  Game.stars = std::move(s.stars);
  Game.highScores.Clear();
  for (const auto& entry : s.table) Game.highScores.Add(new CHighScore(entry.first, entry.second));
  SetHeldKeys(s.held);
  EnableRecording(s.recording);
  KeepPlayerFiles(s.filesKept);
  Game.quitRequested = s.quitRequested;
  Game.event = s.event;
  // A watched game may have gone through the options menu: put back what the
  // player had, and apply it again where it differs.
  for (int i = 0; i < 6; ++i) {
    const bool changed = Options[i]->value != s.options[i].value;
    *Options[i] = s.options[i];
    if (changed) Options[i]->applied = false;
  }
  Game.optMusic.applied = false;  // the watched game stopped the menu's music
  Game.settings = s.settings;
  ApplySoundVolumes();
  ApplyVideoSettings();
  // The menu never draws on the viewer's strip beside the field: clear it.
  SDL_SetClipRect(Game.screen, nullptr);
  SDL_FillRect(Game.screen, nullptr, 0);
  SDL_Rect field = {80, 0, 480, 480};
  SDL_SetClipRect(Game.screen, &field);
  // The time spent watching is not owed to the menu.
  Game.lastTick = GetTicks();
}
void Watch(const std::string& path, const TReplay& replay, bool demo) {
  TWatchedState saved;
  TradeOut(saved);
  bool closed = false;
  RunViewer(path, replay, demo, closed);
  TradeBack(saved);
  if (closed) Game.quitRequested = true;
}
}  // namespace

void WatchTableRecording(int rank) {
  if (!TableOffersRecordings() || rank < 1 || rank > Game.highScores.Count()) return;
  const std::string path = BestRecordingPath(rank);
  TReplay replay;
  std::string error;
  bool kept = true;
  try {
    kept = FileExists(path);
  } catch (const std::exception& e) {
    error = e.what();
  }
  if (!kept) {
    ShowNotice("no recording of this game", "only the games that enter the table are kept");
    return;
  }
  if (error.empty() && LoadReplayFile(path, replay, error) && !MissingLevel(replay).empty())
    error = path + ": " + MissingLevel(replay);
  if (!error.empty()) {
    std::fprintf(stderr, "rebounder: %s\n", error.c_str());
    const size_t colon = error.rfind(": ");
    ShowNotice("this recording cannot be played",
               colon == std::string::npos ? error : error.substr(colon + 2));
    return;
  }
  PlaySound(Game.sndMenuSelect);
  Watch(path, replay, false);
}

bool WatchBestRecordingAsDemo() {
  if (PlaybackRunning()) return false;
  const std::string path = BestRecordingPath(1);
  TReplay replay;
  std::string error;
  try {
    if (!FileExists(path)) return false;
  } catch (const std::exception&) {
    return false;
  }
  if (!LoadReplayFile(path, replay, error) || !MissingLevel(replay).empty()) return false;
  Watch(path, replay, true);
  return true;
}
