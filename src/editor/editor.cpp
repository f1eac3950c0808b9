// The level editor screen. The model (src/field/leveleditor) holds the level
// and its history; this file draws it and turns mouse and keys into strokes.
#include "editor/editor.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "base/globals.h"
#include "field/ball.h"
#include "field/bonus.h"
#include "field/brick.h"
#include "field/floater.h"
#include "field/paddle.h"
#include "field/particles.h"
#include "levels/leveleditor.h"
#include "levels/levelformat.h"
#include "media/catalogue.h"
#include "media/font.h"
#include "media/notice.h"
#include "menus/menu.h"
#include "platform/display.h"
#include "replay/recorder.h"
#include "replay/savedgame.h"
#include "screens/hud.h"
#include "session/gameflow.h"
#include "session/level.h"
#include "session/levelrun.h"
#include "session/levelset.h"
#include "session/players.h"

namespace fs = std::filesystem;

namespace {
constexpr int CellW = 32, CellH = 16, GridX = 17, GridY = 17;    // play-field coordinates
constexpr int PaletteX = 24, PaletteTop = 40, PaletteStep = 24;  // window x of both strips' entries
constexpr int PowerUpX = 584;
const uint8_t Colours[] = {bcNone, bcGray, bcBlue, bcGreen, bcPurple, bcRed, bcYellow, bcWhite, bcCracked};
constexpr int ColourCount = sizeof Colours;
constexpr int PowerUpCount = 13;  // none, then the twelve kinds

enum TEditorMode { emPaint, emName, emChooseSet, emNewSetName, emLeaving };

struct TEditorScreen {
  CLevelEditor level;
  bool open = false;
  TEditorMode mode = emPaint;
  bool paintingPowerUps = false;  // the tool is a power-up rather than a colour
  int colour = 2, powerUp = 0;    // palette entries
  int cursorColumn = 6, cursorRow = 4;
  bool changed = false;
  std::string typed;                 // the name or the new set's name being typed
  std::vector<std::string> targets;  // where a save can go; "" for a new set
  int target = 0;
  std::string status;
  // The play-test and what it put aside.
  std::string testSetFolder;
  bool recordingWas = true;
  // The autopilot's measure, run in a child process.
  pid_t measurer = -1;
  int measurePipe = -1;
  std::string measure;
  // The game behind the menu (one paused, or the level the menu stands on),
  // put aside while the editor is open so that no play-test can touch it.
  std::unique_ptr<TSavedGame> putAside;
  std::string putAsideSetFolder, putAsideNewGameSetFolder;
};
TEditorScreen screen;

SDL_Rect CellRect(int column, int row) {
  return {static_cast<Sint16>(FieldLeft + GridX + CellW * column), static_cast<Sint16>(GridY + CellH * row),
          CellW, CellH};
}

bool CellAt(int x, int y, int& column, int& row) {
  column = (x - FieldLeft - GridX) / CellW;
  row = (y - GridY) / CellH;
  return x >= FieldLeft + GridX && y >= GridY && column < LevelColumns && row < LevelRows;
}

void Say(const std::string& text) { screen.status = text; }

// Tools: a colour paints bricks, a power-up marks the brick under it.
void Apply(int column, int row, bool erase) {
  if (erase)
    screen.level.PaintColour(column, row, bcNone);
  else if (screen.paintingPowerUps)
    screen.level.PaintPowerUp(column, row, static_cast<uint8_t>(screen.powerUp));
  else
    screen.level.PaintColour(column, row, Colours[screen.colour]);
  screen.changed = true;
}

void StrokeAt(int column, int row, bool erase) {
  screen.level.BeginStroke();
  Apply(column, row, erase);
  screen.level.EndStroke();
}

std::vector<std::string> SaveTargets() {
  std::vector<std::string> targets;
  if (!screen.level.path.empty()) targets.push_back(screen.level.Folder());
  std::error_code error;
  for (fs::directory_iterator it(PlayerSetsFolder(), error), end; !error && it != end; it.increment(error)) {
    std::error_code ignored;
    if (it->is_directory(ignored) && (targets.empty() || it->path().string() != targets[0]))
      targets.push_back(it->path().string());
  }
  targets.push_back("");
  return targets;
}

void SaveInto(const std::string& folder) {
  const TSaveResult saved = screen.level.Save(folder);
  if (!ReportSave(saved)) {
    Say("not saved: " + saved.error);
    return;
  }
  screen.changed = false;
  const std::string problem = screen.level.Problem();
  Say(problem.empty() ? "saved in " + SetName(folder) : "saved as a draft: it cannot be played yet");
  PlaySound(Game.sndMenuSelect);
}

// The level being made, as a set of its own for the autopilot and the play-test.
CLevelSet SetOfThisLevel() {
  CLevelSet set;
  set.name = "editor";
  set.folder = "(editor)";
  set.levels.push_back({screen.level.name, screen.level.Map(), ""});
  return set;
}

// The measure runs in a copy of the game made by fork(): the autopilot plays
// the whole game record, which the editor must keep, and a child can never
// freeze the editor's frames. Sound is off in the child: the mixer's thread
// is not copied with it.
void StartMeasure() {
  if (screen.measurer > 0) return;
  if (!screen.level.Problem().empty()) {
    Say("the level must pass the checks first");
    return;
  }
  int fds[2];
  if (pipe(fds) != 0) return;
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    Game.optSound.value = false;
    UseLevelSet(SetOfThisLevel());
    std::vector<int> ticks;
    for (uint32_t seed = 1; seed <= 3; ++seed) {
      TLevelRun run;
      run.seed = seed;
      run.maxTicks = 10 * 60 * 40;
      const TLevelRunResult result = PlayLevelRun(run);
      ticks.push_back(result.cleared ? result.ticks : -1);
    }
    char line[64];
    const int n = std::snprintf(line, sizeof line, "%d %d %d\n", ticks[0], ticks[1], ticks[2]);
    if (write(fds[1], line, static_cast<size_t>(n)) < 0) _exit(1);
    _exit(0);
  }
  close(fds[1]);
  if (child < 0) {
    close(fds[0]);
    return;
  }
  fcntl(fds[0], F_SETFL, O_NONBLOCK);
  screen.measurer = child;
  screen.measurePipe = fds[0];
  screen.measure = "measuring with the autopilot...";
}

void PollMeasure() {
  if (screen.measurer <= 0) return;
  char line[64] = {};
  const ssize_t got = read(screen.measurePipe, line, sizeof line - 1);
  if (got < 0) return;  // not yet
  close(screen.measurePipe);
  waitpid(screen.measurer, nullptr, 0);
  screen.measurer = -1;
  int t[3] = {-1, -1, -1};
  if (got == 0 || std::sscanf(line, "%d %d %d", &t[0], &t[1], &t[2]) != 3) {
    screen.measure = "the measure failed";
    return;
  }
  int cleared = 0, sum = 0;
  for (int v : t)
    if (v >= 0) sum += v, ++cleared;
  screen.measure = cleared == 0 ? "the autopilot did not clear it in 10 minutes"
                                : "clears in about " + std::to_string(sum / cleared / 40) + " s";
}

void StartPlayTest() {
  if (!screen.level.Problem().empty()) {
    Say("cannot play it yet: " + screen.level.Problem());
    return;
  }
  screen.testSetFolder = Game.levelSetFolder;
  Game.playTesting = true;
  screen.recordingWas = RecordingEnabled();
  EnableRecording(false);
  UseLevelSet(SetOfThisLevel());
  Game.levelIndex = -1;
  Game.score = 0;
  Game.lives = 3;
  Game.returnState = psMenu;
  Game.programState = psGame;
  // A play-test is one player's, whatever game it replaces.
  ClearSeats();
  NextLevel();
  // The palettes go: play leaves the side strips as they are.
  SDL_SetClipRect(Game.screen, nullptr);
  FillScreenRect(nullptr, 0);
  SDL_Rect clip = {80, 0, 480, 480};
  SDL_SetClipRect(Game.screen, &clip);
}

// The game put aside comes back as it was, on its own level set.
void TakeBackTheGame() {
  if (!screen.putAside) return;
  TradeGame(*screen.putAside);
  screen.putAside.reset();
  if (Game.levelSetFolder != screen.putAsideSetFolder) UseLevelSet(LoadSetFolder(screen.putAsideSetFolder));
  Game.newGameSetFolder = screen.putAsideNewGameSetFolder;
}

void LeaveEditor() {
  screen.open = false;
  if (screen.measurer > 0) {
    kill(screen.measurer, SIGKILL);
    waitpid(screen.measurer, nullptr, 0);
    close(screen.measurePipe);
    screen.measurer = -1;
  }
  TakeBackTheGame();
  Game.programState = psMenu;
  Game.menuState = msNewGame;
  Game.menuCursor = 0;
  RefreshSetChoices();  // a set may have been made meanwhile
  PlaySound(Game.sndMenuSelect);
}

// Typing a name: the characters the menu font has, Backspace, Enter keeps it.
bool TypeInto(std::string& text, const SDL_keysym& key, size_t limit) {
  const Uint16 c = key.unicode;
  if (key.sym == SDLK_BACKSPACE) {
    if (!text.empty()) text.pop_back();
  } else if (c >= 32 && c < 127 && c != '/' && text.size() < limit) {
    text += static_cast<char>(c);
  }
  return key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER;
}

void TextKey(const SDL_keysym& key) {
  if (key.sym == SDLK_ESCAPE) {
    screen.mode = emPaint;
    Say("");
    return;
  }
  if (screen.mode == emName) {
    if (TypeInto(screen.typed, key, 40)) {
      screen.level.SetName(screen.typed);
      screen.changed = true;
      screen.mode = emPaint;
      Say(NameProblem(screen.typed));
    }
  } else if (screen.mode == emNewSetName) {
    if (TypeInto(screen.typed, key, 30)) {
      const std::string problem = NameProblem(screen.typed);
      if (!problem.empty()) {
        Say("set name: " + problem);
        return;
      }
      screen.mode = emPaint;
      SaveInto(PlayerSetsFolder() + screen.typed);
    }
  } else if (screen.mode == emChooseSet) {
    const int count = static_cast<int>(screen.targets.size());
    if (key.sym == SDLK_LEFT || key.sym == SDLK_UP) screen.target = (screen.target + count - 1) % count;
    if (key.sym == SDLK_RIGHT || key.sym == SDLK_DOWN) screen.target = (screen.target + 1) % count;
    if (key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER) {
      const std::string folder = screen.targets[static_cast<size_t>(screen.target)];
      if (folder.empty()) {
        screen.mode = emNewSetName;
        screen.typed.clear();
      } else {
        screen.mode = emPaint;
        SaveInto(folder);
      }
    }
  }
}

void StartSave() {
  screen.targets = SaveTargets();
  screen.target = 0;
  screen.mode = emChooseSet;
}

void PaintKey(const SDL_keysym& key) {
  int& column = screen.cursorColumn;
  int& row = screen.cursorRow;
  // A modifier alone does nothing, not even take back a warning: Alt+F4 is one.
  if (key.sym >= SDLK_NUMLOCK && key.sym <= SDLK_COMPOSE) return;
  if (screen.mode == emLeaving && key.sym != SDLK_ESCAPE) screen.mode = emPaint;
  column = std::clamp(column + (key.sym == SDLK_RIGHT) - (key.sym == SDLK_LEFT), 0, LevelColumns - 1);
  row = std::clamp(row + (key.sym == SDLK_DOWN) - (key.sym == SDLK_UP), 0, LevelRows - 1);
  switch (key.sym) {
    case SDLK_SPACE:
      StrokeAt(column, row, false);
      break;
    case SDLK_DELETE:
    case SDLK_BACKSPACE:
      StrokeAt(column, row, true);
      break;
    case SDLK_PAGEUP:
    case SDLK_PAGEDOWN: {
      const int step = key.sym == SDLK_PAGEUP ? -1 : 1;
      if (screen.paintingPowerUps)
        screen.powerUp = (screen.powerUp + step + PowerUpCount) % PowerUpCount;
      else
        screen.colour = (screen.colour + step + ColourCount) % ColourCount;
      break;
    }
    case SDLK_TAB:
      screen.paintingPowerUps = !screen.paintingPowerUps;
      break;
    case SDLK_z:
    case SDLK_u:
      screen.changed |= screen.level.Undo();
      break;
    case SDLK_y:
    case SDLK_r:
      screen.changed |= screen.level.Redo();
      break;
    case SDLK_m:
      screen.level.MirrorLeftRight();
      screen.changed = true;
      break;
    case SDLK_n:
    case SDLK_F2:
      screen.mode = emName;
      screen.typed = screen.level.name;
      break;
    case SDLK_s:
      StartSave();
      break;
    case SDLK_t:
    case SDLK_F5:
      StartPlayTest();
      break;
    case SDLK_c:
      StartMeasure();
      break;
    case SDLK_ESCAPE:
      if (screen.changed && screen.mode != emLeaving) {
        screen.mode = emLeaving;
        Say("not saved: Escape again leaves, S saves");
      } else {
        LeaveEditor();
      }
      break;
    default:
      break;
  }
}

// The palettes: colours down the left strip, power-ups down the right.
void PaletteClick(int x, int y) {
  const int entry = (y - PaletteTop + 4) / PaletteStep;
  if (x < 80 && entry >= 0 && entry < ColourCount) {
    screen.colour = entry;
    screen.paintingPowerUps = false;
  } else if (x >= 560 && entry >= 0 && entry < PowerUpCount) {
    screen.powerUp = entry;
    screen.paintingPowerUps = true;
  }
}

void MouseButton(const SDL_MouseButtonEvent& b) {
  int column, row;
  if (b.button == SDL_BUTTON_WHEELUP || b.button == SDL_BUTTON_WHEELDOWN) return;
  if (!CellAt(b.x, b.y, column, row)) {
    if (b.button == SDL_BUTTON_LEFT) PaletteClick(b.x, b.y);
    if (b.button == SDL_BUTTON_LEFT && b.y >= 326 && b.y < 346 && b.x >= 80 && b.x < 560) {
      screen.mode = emName;
      screen.typed = screen.level.name;
    }
    return;
  }
  screen.cursorColumn = column;
  screen.cursorRow = row;
  screen.level.BeginStroke();
  Apply(column, row, b.button != SDL_BUTTON_LEFT);
}

void DrawPalettes() {
  SDL_SetClipRect(Game.screen, nullptr);
  SDL_Rect strips[] = {{0, 0, 80, 480}, {560, 0, 80, 480}};
  for (SDL_Rect& r : strips) FillScreenRect(&r, 0);
  for (int i = 0; i < ColourCount; ++i) {
    const int y = PaletteTop + PaletteStep * i;
    if (Colours[i] != bcNone)
      DrawSprite(BrickSprite(static_cast<TBrickColour>(Colours[i])), PaletteX - FieldLeft, y);
    else
      DrawText(Game.fontScore, PaletteX + 4 - FieldLeft, y, "none");
    if (!screen.paintingPowerUps && i == screen.colour) {
      SDL_Rect mark = {PaletteX - 6, static_cast<Sint16>(y + 4), 4, 8};
      FillScreenRect(&mark, 255);
    }
  }
  for (int i = 0; i < PowerUpCount; ++i) {
    const int y = PaletteTop + PaletteStep * i;
    if (i == 0) {
      DrawText(Game.fontScore, PowerUpX + 4 - FieldLeft, y, "none");
    } else {
      DrawSprite(Game.sprBonus, PowerUpX - FieldLeft, y);
      DrawSprite(BonusIcon(static_cast<TBrickBonus>(i)), PowerUpX - FieldLeft, y);
    }
    if (screen.paintingPowerUps && i == screen.powerUp) {
      SDL_Rect mark = {PowerUpX - 6, static_cast<Sint16>(y + 4), 4, 8};
      FillScreenRect(&mark, 255);
    }
  }
  DrawText(Game.fontScore, 8 - FieldLeft, 12, "bricks");
  DrawText(Game.fontScore, 564 - FieldLeft, 12, "power-ups");
  const char* keys[] = {"S save", "T test", "C measure", "M mirror", "U undo", "R redo", "N name"};
  for (int i = 0; i < 7; ++i) DrawText(Game.fontScore, 4 - FieldLeft, 300 + 16 * i, keys[i]);
  SDL_Rect clip = {80, 0, 480, 480};
  SDL_SetClipRect(Game.screen, &clip);
}

std::string PromptLine() {
  switch (screen.mode) {
    case emName:
      return "name: " + screen.typed + "_";
    case emNewSetName:
      return "new set: " + screen.typed + "_";
    case emChooseSet: {
      const std::string& t = screen.targets[static_cast<size_t>(screen.target)];
      return "save in: < " + (t.empty() ? std::string("a new set") : SetName(t)) + " > Enter";
    }
    default:
      return screen.status;
  }
}
}  // namespace

void OpenEditor(const std::string& path) {
  screen = TEditorScreen();
  if (!path.empty() && fs::exists(path)) {
    screen.level = CLevelEditor::Open(path);
  } else {
    screen.level.path = path;
  }
  screen.open = true;
  screen.putAside.reset(new TSavedGame());
  TradeGame(*screen.putAside);
  Game.paddle.reset(new CPaddle(240, 420));
  screen.putAsideSetFolder = Game.levelSetFolder;
  screen.putAsideNewGameSetFolder = Game.newGameSetFolder;
  // Names are typed as characters, with Shift and the keyboard's layout.
  SDL_EnableUNICODE(1);
  Game.programState = psEditor;
}

void EditorEvent(const SDL_Event& e) {
  if (e.type == SDL_KEYDOWN) {
    if (screen.mode == emPaint || screen.mode == emLeaving)
      PaintKey(e.key.keysym);
    else
      TextKey(e.key.keysym);
  } else if (e.type == SDL_MOUSEBUTTONDOWN && screen.mode == emPaint) {
    MouseButton(e.button);
  } else if (e.type == SDL_MOUSEBUTTONUP) {
    screen.level.EndStroke();
  } else if (e.type == SDL_MOUSEMOTION && (e.motion.state & (SDL_BUTTON_LMASK | SDL_BUTTON_RMASK))) {
    int column, row;
    if (CellAt(e.motion.x, e.motion.y, column, row)) Apply(column, row, !(e.motion.state & SDL_BUTTON_LMASK));
  }
}

void DrawEditor() {
  PollMeasure();
  if (Game.optBackground.value)
    DrawBackground();
  else
    FillScreenRect(nullptr, 0);
  DrawFrame();
  const std::vector<TCell> unreachable = screen.level.Unreachable();
  for (int row = 0; row < LevelRows; ++row)
    for (int column = 0; column < LevelColumns; ++column) {
      const SDL_Rect r = CellRect(column, row);
      const uint8_t colour = screen.level.Colour(column, row);
      if (colour != bcNone) DrawSprite(BrickSprite(static_cast<TBrickColour>(colour)), r.x - FieldLeft, r.y);
      const uint8_t powerUp = screen.level.PowerUp(column, row);
      if (powerUp != 0) DrawSprite(BonusIcon(static_cast<TBrickBonus>(powerUp)), r.x - FieldLeft, r.y);
    }
  for (const TCell& cell : unreachable) {
    // A red cross over a brick the ball can never reach.
    const SDL_Rect r = CellRect(cell.column, cell.row);
    for (int k = 2; k < 14; ++k) {
      SDL_Rect a = {static_cast<Sint16>(r.x + 9 + k), static_cast<Sint16>(r.y + k), 2, 1};
      SDL_Rect b = {static_cast<Sint16>(r.x + 23 - k), static_cast<Sint16>(r.y + k), 2, 1};
      FillScreenRect(&a, SDL_MapRGB(Game.screen->format, 255, 0, 0));
      FillScreenRect(&b, SDL_MapRGB(Game.screen->format, 255, 0, 0));
    }
  }
  // The keyboard's cell cursor.
  const SDL_Rect c = CellRect(screen.cursorColumn, screen.cursorRow);
  const Uint8 white = SDL_MapRGB(Game.screen->format, 255, 255, 255);
  SDL_Rect edges[] = {{c.x, c.y, CellW, 1},
                      {c.x, static_cast<Sint16>(c.y + CellH - 1), CellW, 1},
                      {c.x, c.y, 1, CellH},
                      {static_cast<Sint16>(c.x + CellW - 1), c.y, 1, CellH}};
  for (SDL_Rect& r : edges) FillScreenRect(&r, white);

  const int breakable = screen.level.BreakableCount();
  const std::string nameProblem = NameProblem(screen.level.name);
  const std::string check = !unreachable.empty() ? std::to_string(unreachable.size()) + " out of reach"
                            : breakable < MinBreakableBricks ? "at least 20 needed"
                            : !nameProblem.empty()           ? nameProblem
                                                             : "ready to play";
  DrawText(Game.fontScore, 20, 330, screen.level.name + (screen.changed ? " *" : ""));
  DrawText(Game.fontScore, 20, 346, std::to_string(breakable) + " bricks, " + check);
  DrawText(Game.fontScore, 20, 362, screen.measure);
  DrawText(Game.fontScore, 20, 378, PromptLine());
  DrawPalettes();
}

bool PlayTesting() { return Game.playTesting; }

void PutBackEditorsGame() {
  if (!screen.open) return;
  if (PlayTesting()) EndPlayTest();
  TakeBackTheGame();
}

bool EditorHoldsQuit() {
  if (!screen.open || !screen.changed || screen.mode == emLeaving) return false;
  if (PlayTesting()) EndPlayTest();
  screen.mode = emLeaving;
  Say("not saved: close again to quit, S saves");
  return true;
}

void EndPlayTest() {
  Game.playTesting = false;
  UseLevelSet(LoadSetFolder(screen.testSetFolder));
  EnableRecording(screen.recordingWas);
  Game.balls.Clear();
  Game.bonuses.Clear();
  Game.effects.Clear();
  Game.floaters.Clear();
  Game.paddle->ClearPowers();
  Game.programState = psEditor;
}
