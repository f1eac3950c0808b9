// Fuzz target: a sprite in any catalogue slot. The first byte picks the slot,
// the rest is the picture; it replaces the game's own sprite while the
// intro, every menu screen and a stretch of play are drawn.
#include <cstring>
#include <memory>

#include "base/globals.h"
#include "fuzzenv.h"
#include "game/mainloop.h"
#include "media/catalogue.h"
#include "media/picture.h"

namespace {
void DrawEveryScreen() {
  Game.programState = psIntro;
  for (int t : {0, 60, 120, 200, 300, 420}) {
    Game.tickCount = t;
    DrawStateFrame();
  }
  Game.programState = psMenu;
  for (TMenuState s : {msMain, msNewGame, msOptions, msHighScores, msHelp, msCredits, msNewHighScore}) {
    Game.menuState = s;
    DrawStateFrame();
  }
  Game.programState = psGame;
  Game.lives = 3;
  PlayTicks(60);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StartFuzzGame();
  if (size < 1) return 0;
  const TSpriteEntry& slot = SpriteCatalogue[data[0] % 55];
  const bool isHud = slot.field == &TGameGlobals::sprHud;
  const TBytes bytes(data + 1, data + size);
  SDL_Color palette[256];
  std::memcpy(palette, Game.palette, sizeof palette);
  SDL_Surface* sprite = nullptr;
  const bool loaded = Accepted(slot.path, [&] {
    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> picture(
        DecodePicture(bytes, slot.path, MaxSpriteSide), SDL_FreeSurface);
    if (isHud) TakePalette(picture.get(), slot.path, Game.palette);
    sprite = PrepareSprite(picture.release());
  });
  if (!loaded) return 0;
  SDL_Surface* own = Game.*(slot.field);
  Game.*(slot.field) = sprite;
  if (isHud) SDL_SetColors(Game.screen, Game.palette, 0, 256);
  DrawEveryScreen();
  Game.*(slot.field) = own;
  SDL_FreeSurface(sprite);
  if (isHud) {
    std::memcpy(Game.palette, palette, sizeof palette);
    SDL_SetColors(Game.screen, Game.palette, 0, 256);
  }
  return 0;
}
