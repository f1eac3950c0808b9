// The menu screens: main menu, difficulty list, options, high-score table
// (with name entry), help and credits, and the way to the settings screen;
// their drawing and their keys.
// Escape is handled by the input dispatch before the keys reach this file.
#include "menus/menu.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <string>

#include "base/clock.h"
#include "base/globals.h"
#include "field/particles.h"
#include "levels/generatedsets.h"
#include "media/catalogue.h"
#include "media/font.h"
#include "media/notice.h"
#include "media/theme.h"
#include "menus/bonusline.h"
#include "menus/credits.h"
#include "menus/help.h"
#include "menus/playerlines.h"
#include "menus/setmaking.h"
#include "menus/settingsmenu.h"
#include "platform/display.h"
#include "screens/hud.h"
#include "screens/question.h"
#include "session/gameflow.h"
#include "session/level.h"
#include "session/levelset.h"
#include "store/highscores.h"

namespace {
TMenuRequest request;
struct TMenuRow {
  const char* text;
  int x;
};

// A screen whose rows carry a cursor; row r is the 40-pixel band of the
// highlight box at cell row boxRow + 2·r, and its text stands 8 pixels into it.
struct TCursorScreen {
  const TMenuRow* rows;
  int count;
  int boxRow;
};

const TMenuRow MainRows[] = {{"continue", 200}, {"new game", 196}, {"options", 205}, {"highscores", 190},
                             {"help", 219},     {"credits", 204},  {"exit", 219}};
const TMenuRow DifficultyRows[] = {
    {"newbie", 206}, {"experienced", 186}, {"master", 206}, {"crazy", 212}, {"AAARGH", 210}};
// The six options, then the row that opens the settings screen.
const TMenuRow OptionRows[] = {{"fullscreen", 136}, {"music", 136}, {"sound", 136},
                               {"background", 136}, {"stars", 136}, {"explosions", 136},
                               {"settings", 136}};
constexpr int OptionCount = 6;

const TCursorScreen MainScreen = {MainRows, 7, 9};
const TCursorScreen DifficultyScreen = {DifficultyRows, 5, 10};
const TCursorScreen OptionScreen = {OptionRows, OptionCount + 1, 8};

// The options in the order the menu shows them.
COption* OptionOfRow(int row) {
  COption* const options[] = {&Game.optFullscreen, &Game.optMusic, &Game.optSound,
                              &Game.optBackground, &Game.optStars, &Game.optExplosions};
  return options[row];
}

const TCursorScreen* CursorScreen(TMenuState state) {
  switch (state) {
    case msMain:
      return &MainScreen;
    case msNewGame:
      return &DifficultyScreen;
    case msOptions:
      return &OptionScreen;
    default:
      return nullptr;
  }
}

constexpr int FieldRight = 480;
constexpr int Tile = 20;  // the highlight box is drawn in tiles of 20 pixels
constexpr int HighlightLeft = 120, HighlightWidth = 240, RowHeight = 40, RowTextDrop = 8;
constexpr int HighlightRight = HighlightLeft + HighlightWidth;
constexpr int CheckColumn = 328;

struct TPlacedText {
  int x, y;
  const char* text;
  int limit;
};

const TPlacedText VersionLabel = {424, 114, "v1.2", FieldRight};

int CentredX(const CFont& font, const char* text) { return (FieldRight - TextWidth(font, text)) / 2; }

// The difficulties stand centred under the highlight, whatever their widths.
int RowX(const TCursorScreen& screen, int r) {
  return &screen == &DifficultyScreen ? CentredX(Game.fontMenu, screen.rows[r].text) : screen.rows[r].x;
}

// What the highlighted difficulty changes, in one line under the title.
std::string DifficultyNote(int difficulty) {
  const TLapSettings lap = LapSettings(LevelCount() * difficulty);
  // Players know the floaters as bubbles.
  const int most = lap.mostFloaters;
  const std::string floaters = most == 0   ? "no bubbles"
                               : most == 1 ? "up to 1 bubble"
                                           : "up to " + std::to_string(most) + " bubbles";
  return "starts on lap " + std::to_string(difficulty + 1) + ": ball speed " + std::to_string(lap.ballSpeed) +
         ", " + floaters;
}
constexpr int DifficultyNoteY = 160;

void AddCursorRows(const TCursorScreen& screen, std::vector<TMenuTarget>& targets) {
  for (int r = 0; r < screen.count; ++r) {
    const SDL_Rect area = {HighlightLeft, static_cast<Sint16>(screen.boxRow * Tile + RowHeight * r),
                           HighlightWidth, RowHeight};
    // "continue" is greyed while no game is paused or kept.
    const bool greyed = &screen == &MainScreen && r == 0 && !CanContinue();
    targets.push_back({area, r, SDLK_RETURN, !greyed});
  }
}

std::vector<TMenuTarget> CursorRows(const TCursorScreen& screen) {
  std::vector<TMenuTarget> rows;
  AddCursorRows(screen, rows);
  return rows;
}

void DrawCursorScreen(const TCursorScreen& screen) {
  const std::vector<TMenuTarget> rows = CursorRows(screen);
  // On the new game screen the focus may be on the players' lines: then the
  // chosen difficulty stays bright among dark ones, without the highlight.
  const bool held = &screen != &DifficultyScreen || DifficultiesFocused();
  if (held && Game.menuCursor >= 0 && Game.menuCursor < static_cast<int>(rows.size())) {
    const SDL_Rect& box = rows[Game.menuCursor].area;
    DrawBox(Game.sprMenu, box.x / Tile, box.y / Tile, box.w / Tile, box.h / Tile);
  }
  for (const TMenuTarget& row : rows) {
    const bool bright = row.choosable && (held || row.row == Game.menuCursor);
    DrawText(bright ? Game.fontMenu : Game.fontMenuDark, RowX(screen, row.row), row.area.y + RowTextDrop,
             screen.rows[row.row].text);
    if (&screen == &OptionScreen && row.row < OptionCount)
      DrawSprite(OptionOfRow(row.row)->value ? Game.sprCheckOn : Game.sprCheckOff, CheckColumn,
                 row.area.y + RowTextDrop + 4);
  }
  if (&screen == &DifficultyScreen) {
    const std::string note = SetMaking() ? SetMakingProgress() : DifficultyNote(Game.menuCursor);
    DrawText(Game.fontScore, CentredX(Game.fontScore, note.c_str()), DifficultyNoteY, note);
  }
}

// Name entry explains itself in the free rows between the title and the table.
struct TPrompt {
  const CFont TGameGlobals::*font;
  int y;
  const char* text;
};
const TPrompt NameEntryPrompt[] = {
    {&TGameGlobals::fontMenu, 132, "new high score!"},
    {&TGameGlobals::fontScore, 160, "type your name, then press Enter"},
};

constexpr int TableFirstY = 184, TableRowHeight = 28;
// A player's set starts with an empty table.
const char* const NoScoresYet = "no scores on this level set yet";

// The band of table row r: its highlight, and where the pointer chooses it.
SDL_Rect TableRowBand(int row) {
  return {60, static_cast<Sint16>(TableFirstY - 4 + TableRowHeight * row), 340, TableRowHeight};
}

// The "done" mark beside the row whose name is being typed: a click on it is Enter.
const char* const DoneMark = "done";
SDL_Rect DoneMarkArea(int row) {
  return {404, static_cast<Sint16>(TableFirstY - 4 + TableRowHeight * row), 72, TableRowHeight};
}

bool Inside(const SDL_Rect& r, int x, int y) {
  return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
}

// The table; on the name-entry screen the new row shows the typed name and
// blinks every 8 ticks between the bright font with a cursor and the dark font.
void DrawHighScores() {
  const int editRow = Game.menuState == msNewHighScore ? Game.newScoreRank - 1 : -1;
  // A player's set has a table of its own, which says whose it is.
  if (!Game.levelSetFolder.empty()) {
    const std::string line = "level set: " + Game.levelSetName;
    DrawText(Game.fontScore, CentredX(Game.fontScore, line.c_str()), editRow >= 0 ? 108 : 160, line);
  }
  if (editRow >= 0) {
    for (const TPrompt& p : NameEntryPrompt)
      DrawText(Game.*p.font, CentredX(Game.*p.font, p.text), p.y, p.text);
    const SDL_Rect done = DoneMarkArea(editRow);
    DrawBand(Game.sprMenu, done);
    DrawText(Game.fontScore, done.x + (done.w - TextWidth(Game.fontScore, DoneMark)) / 2, done.y + 8,
             DoneMark);
  }
  const bool bright = (Game.tickCount / 8) % 2 != 0;
  // Right after a game every row it entered is lit, until the cursor moves.
  std::vector<int> lit = Game.menuState == msHighScores ? Game.litTableRows : std::vector<int>();
  if (lit.empty() && TableOffersRecordings()) lit.push_back(Game.tableCursor);
  for (int row : lit)
    if (row >= 0 && row < Game.highScores.Count()) DrawBand(Game.sprMenu, TableRowBand(row));
  for (int i = 0; i < Game.highScores.Count(); ++i) {
    const CHighScore* entry = Game.highScores[i];
    char score[16];
    std::snprintf(score, sizeof score, "%10.u", static_cast<unsigned>(entry->score));
    const int y = TableFirstY + TableRowHeight * i;
    const CFont& font = i == editRow && !bright ? Game.fontMenuDark : Game.fontMenu;
    // Until the player types, the new row shows the name it is saved under.
    std::string name = i == editRow && !Game.typedName.empty() ? Game.typedName : entry->name;
    if (i == editRow) name.erase(Game.typedName.empty() ? name.find_last_not_of(' ') + 1 : name.size());
    if (i == editRow && bright) name += "_";
    DrawText(font, 80, y, name);
    DrawText(font, 300, y, score);
  }
  if (Game.highScores.Count() == 0)
    DrawText(Game.fontScore, CentredX(Game.fontScore, NoScoresYet), TableFirstY, NoScoresYet);
}

// The screen each main-menu row opens; "continue" (row 0) and "exit" (row 6)
// act on the program instead.
const TMenuState MainRowOpens[] = {msMain, msNewGame, msOptions, msHighScores, msHelp, msCredits, msMain};

void ChooseMainRow() {
  PlaySound(Game.sndMenuSelect);
  const int row = Game.menuCursor;
  if (row == 0) {
    if (Game.returnState == psGame) {
      Game.programState = psGame;
      MusicForPlay();
    } else if (Game.haveSavedGame) {
      const std::string misfit = ContinueKeptGame(Game.savedGame);
      if (!misfit.empty()) {
        std::fprintf(stderr, "rebounder: the kept game cannot go on: %s\n", misfit.c_str());
        ShowNotice("the kept game cannot go on", misfit);
      }
    }
  } else if (row == 6) {
    if (GameInProgress())
      AskQuestion(qnQuit);
    else
      Game.programState = psExit;
  } else {
    Game.menuState = MainRowOpens[row];
    if (Game.menuState == msHelp) OpenHelp();
    if (Game.menuState == msNewGame) RefreshSetChoices();
    if (Game.menuState == msNewGame) ResetPlayerLinesFocus();
    // Screens with a cursor start on their first row; the others keep the
    // cursor, so that Escape comes back to the row that opened them.
    if (CursorScreen(Game.menuState)) Game.menuCursor = 0;
    Game.tableCursor = 0;
    Game.litTableRows.clear();
    Game.tableAfterGame = false;
  }
}

// The set line of the new game screen, under the title and over the chosen
// difficulty's note, and the way to the level editor under the difficulties.
constexpr int SetLineY = 128;
constexpr int EditorHintY = 446, HintGap = 24;
const char* const EditorHint = "E: level editor";
// The hint line: Tab's order through the lines, then the way to the editor.
int HintX() {
  return (FieldRight - TextWidth(Game.fontScore, TabOrderHint()) - HintGap -
          TextWidth(Game.fontScore, EditorHint)) /
         2;
}
int EditorHintX() { return HintX() + TextWidth(Game.fontScore, TabOrderHint()) + HintGap; }

// The sets the new game screen offers, read as it opens: reading compiles
// every set, far too slow for every frame.
std::vector<std::string> offeredSets;

const std::vector<std::string>& OfferedSets() {
  if (offeredSets.empty()) RefreshSetChoices();
  return offeredSets;
}

std::string SetLineText() {
  const bool choice = OfferedSets().size() > 1 && DifficultiesFocused();
  const std::string name = SetName(Game.newGameSetFolder);
  return choice ? "< level set: " + name + " >" : "level set: " + name;
}

void StepLevelSet(int step) {
  const std::vector<std::string>& folders = OfferedSets();
  if (folders.size() < 2) return;
  auto at = std::find(folders.begin(), folders.end(), Game.newGameSetFolder);
  const int index = at == folders.end() ? 0 : static_cast<int>(at - folders.begin());
  const int count = static_cast<int>(folders.size());
  const size_t next = static_cast<size_t>((index + step + count) % count);
  // The last choice is "random": a new seed each time it comes round.
  if (next + 1 == folders.size()) offeredSets.back() = RandomSetFolder(NewRandomSeed());
  Game.newGameSetFolder = folders[next];
  PlaySound(Game.sndMenuStep);
}

// A new game on another set than the one in use first makes that set the
// one in use, with its own table.
void StartOnChosenSet(int difficulty) {
  // A daily or random set not yet made is made first, the screen going on meanwhile.
  if (SetMaking() ||
      (NeedsMaking(Game.newGameSetFolder) && BeginSetMaking(Game.newGameSetFolder, difficulty)))
    return;
  if (Game.newGameSetFolder != Game.levelSetFolder) {
    const CLevelSet set = LoadSetFolder(Game.newGameSetFolder);
    // Never another set in its place: the game would go to another table.
    if (RefusedUnplayable(set)) return;
    UseLevelSet(set);
    LoadHighScores();
    // Compiling the set is not owed to the game.
    Game.lastTick = GetTicks();
  }
  StartNewGame(difficulty, ChosenPlayers());
}

// The set line steps back from its left half and on from its right, as
// Left and Right do; the editor's hint opens the editor, as E does.
void AddNewGameTargets(std::vector<TMenuTarget>& targets) {
  const auto line = [](const std::string& text, int top) {
    const int width = TextWidth(Game.fontScore, text);
    return SDL_Rect{static_cast<Sint16>((FieldRight - width) / 2), static_cast<Sint16>(top - 4),
                    static_cast<Uint16>(width), 24};
  };
  SDL_Rect left = line(SetLineText(), SetLineY), right = left;
  left.w = static_cast<Uint16>(FieldRight / 2 - left.x);
  right.x = static_cast<Sint16>(FieldRight / 2);
  right.w = static_cast<Uint16>(right.w - left.w);
  const bool choice = OfferedSets().size() > 1;
  targets.push_back({left, -1, SDLK_LEFT, choice});
  targets.push_back({right, -1, SDLK_RIGHT, choice});
  SDL_Rect editor = line(EditorHint, EditorHintY);
  editor.x = static_cast<Sint16>(EditorHintX());
  targets.push_back({editor, -1, SDLK_e, true});
  AddBonusLineTargets(targets);
}

void ToggleOption() {
  // The sound comes first, so switching the sound on is not yet heard.
  PlaySound(Game.sndMenuSelect);
  if (Game.menuCursor == OptionCount) {
    OpenSettings();
    return;
  }
  COption* option = OptionOfRow(Game.menuCursor);
  option->SetValue(!option->value);
  ApplyVideoSettings();
}

void PointTableRow(int row) {
  if (row == Game.tableCursor) return;
  Game.litTableRows.clear();
  PlaySound(Game.sndMenuStep);
  Game.tableCursor = row;
}

// Up and Down choose a row of the table, Enter plays its recording.
void TableKey(SDLKey key) {
  if (!TableOffersRecordings()) return;
  const int row = Game.tableCursor + (key == SDLK_DOWN) - (key == SDLK_UP);
  if (row >= 0 && row < Game.highScores.Count()) PointTableRow(row);
  if (key == SDLK_RETURN) request.watchRank = Game.tableCursor + 1;
}

void MoveCursor(const TCursorScreen& screen, int step) {
  const int target = Game.menuCursor + step;
  if (target < 0 || target >= screen.count) return;
  PlaySound(Game.sndMenuStep);
  Game.menuCursor = target;
}

// The menu's stars at half brightness: bright points beside the rows of
// text read as punctuation.
SDL_Surface* DimStar() {
  static SDL_Surface* dim = nullptr;
  static std::string dimTheme;  // each theme's star is dimmed in its own colours
  if (dim && dimTheme != CurrentTheme()) {
    SDL_FreeSurface(dim);
    dim = nullptr;
  }
  if (dim || !Game.sprStar) return dim ? dim : Game.sprStar;
  SDL_Surface* star = Game.sprStar;
  dimTheme = CurrentTheme();
  dim = SDL_ConvertSurface(star, star->format, SDL_SWSURFACE);
  if (!dim || dim->format->BytesPerPixel != 1) return star;
  const Uint8 key = static_cast<Uint8>(star->format->colorkey);
  SDL_SetColorKey(dim, SDL_SRCCOLORKEY, key);
  SDL_LockSurface(dim);
  for (int y = 0; y < dim->h; ++y)
    for (int x = 0; x < dim->w; ++x) {
      Uint8& p = static_cast<Uint8*>(dim->pixels)[y * dim->pitch + x];
      const SDL_Color c = Game.palette[p];
      if (p != key) p = static_cast<Uint8>(SDL_MapRGB(dim->format, c.r / 2, c.g / 2, c.b / 2));
    }
  SDL_UnlockSurface(dim);
  return dim;
}
}  // namespace

TMenuRequest TakeMenuRequest() {
  const TMenuRequest taken = request;
  request = TMenuRequest();
  return taken;
}

bool TableOffersRecordings() {
  return Game.programState == psMenu && Game.menuState == msHighScores && Game.returnState != psGame &&
         Game.playbacks == 0;
}

void RefreshSetChoices() {
  offeredSets = SetFolderChoices();
  AddGeneratedChoices(offeredSets);
}

std::vector<TMenuTarget> MenuTargets(TMenuState state) {
  std::vector<TMenuTarget> targets;
  if (const TCursorScreen* screen = CursorScreen(state)) AddCursorRows(*screen, targets);
  if (state == msSettings) AddSettingsTargets(targets);
  if (state == msHelp) AddHelpTargets(targets);
  if (state == msNewGame) AddNewGameTargets(targets);
  if (state == msNewHighScore && Game.newScoreRank > 0)
    targets.push_back({DoneMarkArea(Game.newScoreRank - 1), -1, SDLK_RETURN, true});
  return targets;
}

void PointMenuAt(int x, int y) {
  if (Game.menuState == msHighScores) PointHighScoresAt(x, y, false);
  for (const TMenuTarget& t : MenuTargets(Game.menuState))
    if (t.row >= 0 && t.row != Game.menuCursor && Inside(t.area, x, y)) {
      PlaySound(Game.sndMenuStep);
      Game.menuCursor = t.row;
    }
}

bool ClickMenuAt(int x, int y, SDLKey& press) {
  press = SDLK_UNKNOWN;
  // The click that left the game over, or one soon after, must not start a long replay.
  if (Game.menuState == msHighScores && Game.tableAfterGame) return false;
  if (Game.menuState == msHighScores && PointHighScoresAt(x, y, true)) return true;
  if (Game.menuState == msNewGame && ClickPlayerLinesAt(x, y)) return true;
  // A click elsewhere on the new game screen takes the focus back from the players' lines.
  if (Game.menuState == msNewGame) ResetPlayerLinesFocus();
  for (const TMenuTarget& t : MenuTargets(Game.menuState)) {
    if (!Inside(t.area, x, y)) continue;
    if (!t.choosable) return true;
    if (t.row >= 0) Game.menuCursor = t.row;
    press = t.key;
    return true;
  }
  // A stray click must not throw away a name being typed.
  return Game.menuState == msNewHighScore;
}

void DrawMenu() {
  const int made = StepSetMaking();
  if (made >= 0) StartOnChosenSet(made);
  FillScreenRect(nullptr, 0);
  Game.stars->Update();
  SDL_Surface* bright = Game.stars->sprite;
  Game.stars->sprite = DimStar();
  Game.stars->Draw();
  Game.stars->sprite = bright;
  if (Game.menuState != msOptions && Game.menuState != msCredits && Game.menuState != msSettings) {
    DrawSprite(Game.sprTitle, 40, 32);
    DrawText(Game.fontScore, VersionLabel.x, VersionLabel.y, VersionLabel.text);
  }
  if (const TCursorScreen* screen = CursorScreen(Game.menuState)) {
    DrawCursorScreen(*screen);
    if (Game.menuState == msNewGame) {
      const std::string line = SetLineText();
      DrawText(Game.fontScore, (FieldRight - TextWidth(Game.fontScore, line)) / 2, SetLineY, line);
      DrawText(Game.fontScore, HintX(), EditorHintY, TabOrderHint());
      DrawText(Game.fontScore, EditorHintX(), EditorHintY, EditorHint);
      DrawPlayerLines();
      DrawBonusLine();
    }
    return;
  }
  switch (Game.menuState) {
    case msHighScores:
    case msNewHighScore:
      DrawHighScores();
      break;
    case msHelp:
      DrawHelp();
      break;
    case msCredits:
      DrawCredits();
      break;
    case msSettings:
      DrawSettings();
      break;
    default:
      break;
  }
}

void HandleMenuKey(SDLKey key, SDLMod mod) {
  if (Game.menuState == msNewHighScore) {
    ReportSave(NameEntryKey(key, mod));
    return;
  }
  if (Game.menuState == msSettings) {
    HandleSettingsKey(key);
    return;
  }
  if (Game.menuState == msHighScores) TableKey(key);
  if (Game.menuState == msHelp && (key == SDLK_LEFT || key == SDLK_RIGHT))
    TurnHelpPage(key == SDLK_LEFT ? -1 : 1);
  if (Game.menuState == msNewGame && (PlayerLinesKey(key, mod) || BonusLineKey(key))) return;
  const TCursorScreen* screen = CursorScreen(Game.menuState);
  if (!screen) return;
  if (key == SDLK_UP) MoveCursor(*screen, -1);
  if (key == SDLK_DOWN) MoveCursor(*screen, +1);
  const bool enter = key == SDLK_RETURN;
  if (Game.menuState == msMain && enter)
    ChooseMainRow();
  else if (Game.menuState == msNewGame && enter)
    StartOnChosenSet(Game.menuCursor);
  else if (Game.menuState == msNewGame && key == SDLK_e)
    request.openEditor = true;
  else if (Game.menuState == msNewGame && (key == SDLK_LEFT || key == SDLK_RIGHT))
    StepLevelSet(key == SDLK_LEFT ? -1 : +1);
  else if (Game.menuState == msOptions && (enter || key == SDLK_SPACE))
    ToggleOption();
}

int HighScoreRowAt(int x, int y) {
  if (!TableOffersRecordings()) return -1;
  for (int row = 0; row < Game.highScores.Count(); ++row)
    if (Inside(TableRowBand(row), x, y)) return row;
  return -1;
}

bool PointHighScoresAt(int x, int y, bool click) {
  const int row = HighScoreRowAt(x, y);
  if (row < 0) return false;
  PointTableRow(row);
  if (click) request.watchRank = row + 1;
  return true;
}

std::vector<TFixedText> MenuFixedTexts() {
  std::vector<TFixedText> texts;
  for (TMenuState state : {msMain, msNewGame, msOptions}) {
    const TCursorScreen& screen = *CursorScreen(state);
    const int limit = state == msOptions ? CheckColumn : HighlightRight;
    for (const TMenuTarget& row : CursorRows(screen))
      texts.push_back({&Game.fontMenu, RowX(screen, row.row), row.area.y + RowTextDrop,
                       screen.rows[row.row].text, limit});
  }
  // "continue" is also drawn dark, which must fit just the same.
  texts.push_back({&Game.fontMenuDark, MainRows[0].x, MainScreen.boxRow * Tile + RowTextDrop,
                   MainRows[0].text, HighlightRight});
  auto add = [&texts](const TPlacedText& t) {
    texts.push_back({&Game.fontScore, t.x, t.y, t.text, t.limit});
  };
  for (const TFixedText& t : HelpFixedTexts()) texts.push_back(t);
  AddCreditTexts(texts);
  for (const TPrompt& p : NameEntryPrompt)
    texts.push_back({&(Game.*p.font), CentredX(Game.*p.font, p.text), p.y, p.text, FieldRight});
  texts.push_back(
      {&Game.fontScore, CentredX(Game.fontScore, NoScoresYet), TableFirstY, NoScoresYet, FieldRight});
  const SDL_Rect done = DoneMarkArea(0);
  texts.push_back({&Game.fontScore, done.x + (done.w - TextWidth(Game.fontScore, DoneMark)) / 2, done.y + 8,
                   DoneMark, done.x + done.w});
  add(VersionLabel);
  for (const TFixedText& t : SettingsFixedTexts()) texts.push_back(t);
  for (int d = 0; d < DifficultyScreen.count; ++d) {
    const std::string note = DifficultyNote(d);
    texts.push_back(
        {&Game.fontScore, CentredX(Game.fontScore, note.c_str()), DifficultyNoteY, note, FieldRight});
  }
  return texts;
}
