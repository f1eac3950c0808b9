// The yes/no question box. While it is open every event comes here; the
// answer quits (the game is kept by the shutdown) or skips the level.
#include "screens/question.h"

#include "base/globals.h"
#include "media/catalogue.h"
#include "platform/display.h"
#include "replay/recorder.h"
#include "screens/hud.h"
#include "session/gameflow.h"

namespace {
constexpr int Tile = 20;

struct TQuestionText {
  TQuestion question;
  const char* title;
  const char* detail;
};
const TQuestionText Texts[] = {
    {qnQuit, "quit? your game will be kept", "choose continue at the next start to play on"},
    {qnSkipLevel, "skip to the next level?", "your score goes back to 0"},
};
const char* const KeysHint = "y or Enter: yes     n or Escape: no";

// The box spans cells 3..20 across and 10..16 down (x 60..419, y 200..339);
// each mark is a 4 x 2 cell box.
constexpr int BoxColumn = 3, BoxRow = 10, BoxWidth = 18, BoxHeight = 7;
constexpr int BoxLeft = BoxColumn * Tile, BoxRight = (BoxColumn + BoxWidth) * Tile;
constexpr int TitleY = 216, DetailY = 244, HintY = 310;
struct TMark {
  const char* text;
  int column;
  bool yes;
};
const TMark Marks[] = {{"yes", 6, true}, {"no", 14, false}};
constexpr int MarkRow = 13, MarkWidth = 4, MarkHeight = 2, MarkTextY = 268;

const TQuestionText& Text() {
  for (const TQuestionText& t : Texts)
    if (t.question == Game.question) return t;
  return Texts[0];
}

int CentredX(const CFont& font, const char* text, int left, int right) {
  return (left + right - TextWidth(font, text)) / 2;
}

void Close(bool yes) {
  const TQuestion question = Game.question;
  Game.question = qnNone;
  PlaySound(Game.sndMenuSelect);
  if (!yes) return;
  if (question == qnQuit) {
    Game.quitRequested = true;
  } else if (question == qnSkipLevel) {
    Game.score = 0;
    NextLevel();
  }
}

// The mark under a picture position: 1 yes, 0 no, -1 neither.
int MarkAt(int x, int y) {
  x -= FieldLeft;
  for (const TMark& m : Marks) {
    const int left = m.column * Tile, top = MarkRow * Tile;
    if (x >= left && x < left + MarkWidth * Tile && y >= top && y < top + MarkHeight * Tile) return m.yes;
  }
  return -1;
}
}  // namespace

void AskQuestion(TQuestion question) {
  if (Game.question != qnNone) return;
  Game.question = question;
  Game.firePressed = false;
  PlaySound(Game.sndMenuStep);
}

void AnswerQuestion(const SDL_Event& e) {
  if (Game.question == qnNone) return;
  if (e.type == SDL_MOUSEBUTTONDOWN && e.button.button == SDL_BUTTON_LEFT) {
    const int mark = MarkAt(e.button.x, e.button.y);
    if (mark < 0) return;
    SDL_Event key = {};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = mark ? SDLK_y : SDLK_n;
    RecordEventAs(key);
    Close(mark == 1);
    return;
  }
  if (e.type != SDL_KEYDOWN) return;
  const SDLKey key = e.key.keysym.sym;
  if (key == SDLK_y || key == SDLK_RETURN || key == SDLK_KP_ENTER)
    Close(true);
  else if (key == SDLK_n || key == SDLK_ESCAPE)
    Close(false);
}

void DrawQuestion() {
  if (Game.question == qnNone) return;
  const TQuestionText& t = Text();
  DrawBox(Game.sprMessage, BoxColumn, BoxRow, BoxWidth, BoxHeight);
  DrawText(Game.fontMenu, CentredX(Game.fontMenu, t.title, BoxLeft, BoxRight), TitleY, t.title);
  DrawText(Game.fontScore, CentredX(Game.fontScore, t.detail, BoxLeft, BoxRight), DetailY, t.detail);
  for (const TMark& m : Marks) {
    DrawBox(Game.sprMenu, m.column, MarkRow, MarkWidth, MarkHeight);
    const int left = m.column * Tile;
    DrawText(Game.fontMenu, CentredX(Game.fontMenu, m.text, left, left + MarkWidth * Tile), MarkTextY,
             m.text);
  }
  DrawText(Game.fontScore, CentredX(Game.fontScore, KeysHint, BoxLeft, BoxRight), HintY, KeysHint);
}

std::vector<TFixedText> QuestionFixedTexts() {
  // Inside the frame: a tile's width in from either side of the box.
  const int left = BoxLeft + Tile, right = BoxRight - Tile;
  std::vector<TFixedText> texts;
  auto add = [&](const CFont& font, const char* text, int y, int from, int to) {
    texts.push_back({&font, CentredX(font, text, from, to), y, text, to});
  };
  for (const TQuestionText& t : Texts) {
    add(Game.fontMenu, t.title, TitleY, left, right);
    add(Game.fontScore, t.detail, DetailY, left, right);
  }
  add(Game.fontScore, KeysHint, HintY, left, right);
  for (const TMark& m : Marks)
    add(Game.fontMenu, m.text, MarkTextY, m.column * Tile, (m.column + MarkWidth) * Tile);
  return texts;
}
