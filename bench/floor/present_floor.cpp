// The cost of presenting frames and nothing else: the game's 640x480 8-bit
// picture, cleared and flipped once every 25 ms through the game's own window
// code, so at the same scale and full-screen setting (REBOUNDER_SCALE, and
// --fullscreen as the only argument). bench/idle_cpu.sh measures it beside
// the game, so the game's figure can be read against what SDL itself costs
// on the machine at hand. Runs until the window is closed or SIGTERM.
#include <SDL/SDL.h>

#include <csignal>
#include <cstring>

#include "platform/display.h"

namespace {
volatile std::sig_atomic_t stop = 0;
void OnSignal(int) { stop = 1; }
}  // namespace

int main(int argc, char** argv) {
  ChooseCheapPresentation();
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  std::signal(SIGTERM, OnSignal);
  std::signal(SIGINT, OnSignal);
  SDL_WM_SetCaption("Rebounder floor", nullptr);
  SDL_Color colours[256];
  for (int i = 0; i < 256; ++i) colours[i] = {Uint8(i), Uint8(i), Uint8(i), 0};
  SDL_Palette palette = {256, colours};
  const bool fullscreen = argc > 1 && std::strcmp(argv[1], "--fullscreen") == 0;
  SDL_Surface* screen = OpenGameScreen(fullscreen, &palette);
  if (!screen) return 1;
  Uint32 next = SDL_GetTicks();
  for (Uint8 shade = 0; !stop; ++shade) {
    SDL_Event event;
    while (SDL_PollEvent(&event))
      if (event.type == SDL_QUIT) stop = 1;
    next += 25;
    const Uint32 now = SDL_GetTicks();
    if (static_cast<Sint32>(next - now) > 0) SDL_Delay(next - now);
    for (int y = 0; y < screen->h; ++y)
      std::memset(static_cast<Uint8*>(screen->pixels) + y * screen->pitch, shade, screen->w);
    PresentScreen();
  }
  SDL_Quit();
  return 0;
}
