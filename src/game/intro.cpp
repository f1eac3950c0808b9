// The start-up intro, drawn one frame per pass from the tick counter: the
// maker's logo, "PRESENTS" under it, then the star field with the title,
// which slides up to where the main menu shows it, and the hand-over.
#include "game/intro.h"

#include "base/globals.h"
#include "field/particles.h"
#include "media/catalogue.h"
#include "media/font.h"

namespace {
constexpr int PresentsFrom = 150;
constexpr int StarsFrom = 280;
constexpr int SlideFrom = 400;
constexpr int MenuFrom = 433;
constexpr int TitleX = 40;
constexpr int TitleRestY = 160;
constexpr int SlidePerTick = 4;
}  // namespace

void DrawIntroFrame() {
  const int t = Game.tickCount;
  FillScreenRect(nullptr, 0);
  if (t < StarsFrom) {
    SDL_Surface* logo = Game.sprLogo;
    DrawSprite(logo, (480 - logo->w) / 2, (480 - logo->h) / 2);
    if (t >= PresentsFrom) DrawText(Game.fontScore, 200, 320, "PRESENTS");
    return;
  }
  // The stars move once per drawn frame here, whatever the stars option says.
  Game.stars->Update();
  Game.stars->Draw();
  if (t < SlideFrom)
    DrawSprite(Game.sprTitle, TitleX, TitleRestY);
  else if (t < MenuFrom)
    DrawSprite(Game.sprTitle, TitleX, TitleRestY - SlidePerTick * (t - SlideFrom));
  else
    Game.programState = psMenu;
}
