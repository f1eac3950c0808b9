// Game flow: the level list, the endless level sequence, new games, lives,
// launching balls, level completion and game over.
#include "session/gameflow.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

#include "base/globals.h"
#include "base/hooks.h"
#include "field/ball.h"
#include "field/bonus.h"
#include "field/floater.h"
#include "field/paddle.h"
#include "media/catalogue.h"
#include "session/bonusflow.h"
#include "session/keptgame.h"
#include "session/level.h"
#include "session/levelset.h"
#include "session/players.h"
#include "store/highscores.h"

namespace {
const char* const LevelNames[] = {
    "go easy on me",
    "dutchie land",
    "oh deer",
    "arrr matey",
    "core dump",
    "have a heart",
    "dilbert",
    "bad to the bone",
    "diamond",
    "blue screen of death",
    "i sea turtle",
    "full of air",
    "it was a purple elephant i tell ya",
    "it's a kind of magic",
    "balls balls and balls",
    "open wide and say AAAH",
    "beware of the penguin",
    "sideways",
    "Simple Directmedia Layer",
    "milk and sugar",
    "rattle and snake",
    "oh christmas tree",
    "rainy day",
    "what you pointing at",
    "something fishy",
    "watch your fingers",
    "heavy traffic",
    "space invaders",
    "sponge bob",
    "triangular",
    "stop bugging me",
    "tutti fruity",
    "wakka wakka wakka",
    "that russian game",
    "vortex is cool",
    "watch the birdy",
    "take your time",
    "won't let the sun go down on me",
    "x factor",
    "psychedelic earthworm",
};

void LoseBall() {
  Game.gameState = gsBallLost;
  Game.bonuses.Clear();
  Game.floaters.Clear();
  Game.paddle->ClearPowers();
  Game.energy = 0;
  Game.lives--;
}

void LaunchBall() {
  Game.balls.Add(new CBall(Game.paddle->x, Game.paddle->y - 4, btNormal));
  Game.gameState = gsBallInGame;
}
}  // namespace

std::vector<std::string> BuiltInLevelNames() { return {std::begin(LevelNames), std::end(LevelNames)}; }

void BuildLevelList() { Game.levelList = BuiltInLevelNames(); }

TLapSettings LapSettings(int levelIndex) {
  const int n = std::max(1, LevelCount());
  return {levelIndex / std::max(1, (2 * n) / 3), 2000 / ((2 * std::max(levelIndex, 0)) / n + 1),
          levelIndex / (2 * n) + 4};
}

void NextLevel() {
  Game.levelIndex++;
  // A level of a player's set that fails the checks is passed over as if cleared.
  for (int passed = 1; passed < LevelCount() &&
                       SetLevelLeftOut(Game.levelList[static_cast<size_t>(Game.levelIndex % LevelCount())]);
       ++passed)
    Game.levelIndex++;
  const int i = Game.levelIndex;
  const TLapSettings lap = LapSettings(i);
  const std::string name = Game.levelList[static_cast<size_t>(i % LevelCount())];
  LoadLevel(name, lap.mostFloaters, lap.floaterInterval);
  Game.levelComplete = false;
}

void StartNewGame(int difficulty, const std::vector<std::string>& players) {
  DiscardSavedGame();
  Game.gameOverSaved = false;
  // Seated before the recording begins, so that it names them.
  SeatPlayers(players, LevelCount() * difficulty, "");
  Hooks.gameStarted(difficulty);
  PlaySound(Game.sndMenuSelect);
  Game.programState = psGame;
  Game.gameState = gsFirstBall;
  Game.levelIndex = LevelCount() * difficulty - 1;
  Game.score = 0;
  Game.lives = 3;
  MusicForPlay();
  NextLevel();
}

void StartGameAtLevel(const std::vector<std::string>& players) { SeatPlayers(players, -1, Game.levelName); }

void SetFireInput(bool down) {
  Game.fireHeld = down;
  if (down && Game.programState == psGame && !Game.playPaused) Game.firePressed = true;
}

void CheckGameFlow() {
  // Nothing moves while a question waits for its answer or play is frozen:
  // not even a held fire launches.
  if (Game.question != qnNone || Game.playPaused) return;
  if (Game.bonusStage) {
    CheckBonusFlow();
    return;
  }
  if (Game.gameState == gsBallInGame && Game.balls.Empty()) LoseBall();
  if (Game.gameState == gsBallInGame && Game.levelComplete) {
    Game.gameState = gsGameDone;
    PlaySound(Game.sndGameDone);
  }
  // A hot seat passes the turn on a lost ball; the game is over only when
  // nobody has a life left.
  if (Game.gameState == gsBallLost && HotSeatGame()) PassTurn();
  // Below zero too: n on the game-over screen loads a level with no life left,
  // and losing its ball must end the game again, not go on for ever.
  if (Game.gameState == gsBallLost && Game.lives <= 0) {
    Game.gameState = gsGameOver;
    Game.gameOverSaved = false;
    PlaySound(Game.sndGameOver);
  }
  if (Game.gameState == gsBallLost) {
    Game.gameState = gsNewBall;
    Game.floaterTimer = 0;
  }
  if ((Game.gameState == gsFirstBall || Game.gameState == gsNewBall) && (Game.fireHeld || Game.firePressed))
    LaunchBall();
  Game.firePressed = false;
}

namespace {
// Every player's score enters under their own name, the best first, so that
// a tie ranks the player who reached it first higher; the best rank comes back.
int RankPlayers() {
  std::vector<int> order;
  for (int i = 0; i < static_cast<int>(HotSeat.players.size()); ++i) order.push_back(i);
  std::stable_sort(order.begin(), order.end(), [](int a, int b) { return PlayerScore(a) > PlayerScore(b); });
  int best = 0;
  for (int i : order) {
    const int rank = RankScoreAs(PlayerScore(i), HotSeat.players[static_cast<size_t>(i)].name);
    if (rank > 0 && (best == 0 || rank < best)) best = rank;
  }
  return best;
}
}  // namespace

std::vector<TSaveResult> SaveFinishedGame() {
  if (Game.gameOverSaved) return {};
  Game.gameOverSaved = true;
  if (Game.demoRunning || Game.playTesting) return {};
  DiscardSavedGame();
  Game.litTableRows.clear();
  Game.newScoreRank = HotSeatGame() ? RankPlayers() : RankScore();
  Hooks.gameEnded(Game.newScoreRank);
  // The entry and its recording reach the disk now, under the default name,
  // so that nothing the player does on the card or the name entry can lose them.
  return Game.newScoreRank > 0 ? SaveNewScore() : std::vector<TSaveResult>();
}

std::vector<TSaveResult> EndGame() {
  std::vector<TSaveResult> saves = SaveFinishedGame();
  Game.gameOverSaved = false;  // the game is left behind; the next one that ends is saved in turn
  const bool named = HotSeatGame();
  ClearSeats();
  Game.programState = psMenu;
  Game.returnState = psMenu;
  Game.typedName.clear();
  Game.menuState = Game.newScoreRank >= 1 && !named ? msNewHighScore : msHighScores;
  Game.menuCursor = 3;
  Game.tableCursor = std::max(0, Game.newScoreRank - 1);
  Game.tableAfterGame = true;
  return saves;
}

bool GameInProgress() {
  // A demo and an editor's play-test are not the player's game.
  if (Game.demoRunning || Game.playTesting) return false;
  // Nor is a bonus stage played alone.
  if (Game.bonusStage && Game.bonusStage->practice) return false;
  const bool shown =
      Game.programState == psGame || (Game.programState == psMenu && Game.returnState == psGame);
  const int lives = Game.gameState == gsGameDone ? Game.lives : Game.levelStartLives;
  return shown && Game.gameState != gsGameOver && lives > 0;
}

// A cleared level is behind the player: the game goes on at the next one, with
// the score and lives it was cleared with.
TKeptGame GameToKeep() {
  TKeptGame kept;
  if (Game.gameState == gsGameDone) {
    kept.levelIndex = Game.levelIndex + 1;
    kept.levelName = Game.levelList[static_cast<size_t>(kept.levelIndex % LevelCount())];
    kept.score = Game.score;
    kept.lives = Game.lives;
  } else {
    kept.levelIndex = Game.levelIndex;
    kept.levelName = Game.levelName;
    kept.score = Game.levelStartScore;
    kept.lives = Game.levelStartLives;
  }
  if (HotSeatGame()) {
    const TKeptPlayer atPlay = {"", kept.levelIndex, kept.levelName, kept.score, kept.lives};
    kept.players = PlayersToKeep(atPlay);
    kept.turn = HotSeat.turn;
  }
  // A set named by a relative path must still be found from another folder.
  std::error_code ignored;
  if (!Game.levelSetFolder.empty())
    kept.setFolder = std::filesystem::absolute(Game.levelSetFolder, ignored).string();
  return kept;
}

bool CanContinue() { return Game.returnState == psGame || Game.haveSavedGame; }

void OpenMainMenu() {
  Game.menuState = msMain;
  Game.menuCursor = CanContinue() ? 0 : 1;
}

std::string ContinueKeptGame(const TKeptGame& kept) {
  const CLevelSet set = LoadSetFolder(kept.setFolder);
  const std::string misfit = KeptGameMisfit(kept, set);
  if (!misfit.empty()) {
    Game.haveSavedGame = false;
    return misfit;
  }
  if (kept.setFolder != Game.levelSetFolder) {
    UseLevelSet(set);
    LoadHighScores();
  }
  ResumeGame(kept);
  return "";
}

void ResumeGame(const TKeptGame& kept) {
  Game.haveSavedGame = false;
  Game.gameOverSaved = false;
  Hooks.gameResumed(kept);
  Game.programState = psGame;
  Game.score = kept.score;
  Game.lives = kept.lives;
  Game.paddle->ClearPowers();
  Game.ballType = btNormal;
  MusicForPlay();
  ClearSeats();
  if (kept.players.size() > 1) {
    SeatKeptPlayers(kept);
  } else {
    PlayFromLevel(kept.levelIndex, kept.levelName);
  }
}

void PlayFromLevel(int levelIndex, const std::string& levelName) {
  if (levelIndex < 0) {
    Game.levelIndex = -1;
    LoadLevel(levelName, 0, 0);
    Game.levelComplete = false;
  } else {
    Game.levelIndex = levelIndex - 1;
    NextLevel();
  }
  Game.ballSpeed = Game.baseBallSpeed;
}
