// The cost of presenting frames and nothing else: a 640x480 window with an
// 8-bit palette, cleared and flipped once every 25 ms on the same cheap
// presentation path the game chooses. bench/idle_cpu.sh measures it beside the
// game, so the game's idle figure can be read against what SDL itself costs
// on the machine at hand. Runs until the window is closed or SIGTERM.
#include <SDL/SDL.h>

#include <csignal>
#include <cstring>

#include "shell/mainloop.h"

namespace {
volatile std::sig_atomic_t stop = 0;
void OnSignal(int) { stop = 1; }
}  // namespace

int main() {
  ChooseCheapPresentation();
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  std::signal(SIGTERM, OnSignal);
  std::signal(SIGINT, OnSignal);
  SDL_WM_SetCaption("Rebounder floor", nullptr);
  SDL_Surface* screen = SDL_SetVideoMode(640, 480, 8, SDL_SWSURFACE | SDL_HWPALETTE);
  if (!screen) return 1;
  Uint32 next = SDL_GetTicks();
  for (Uint8 shade = 0; !stop; ++shade) {
    SDL_Event event;
    while (SDL_PollEvent(&event))
      if (event.type == SDL_QUIT) stop = 1;
    next += 25;
    const Uint32 now = SDL_GetTicks();
    if (static_cast<Sint32>(next - now) > 0) SDL_Delay(next - now);
    SDL_LockSurface(screen);
    for (int y = 0; y < screen->h; ++y)
      std::memset(static_cast<Uint8*>(screen->pixels) + y * screen->pitch, shade, screen->w);
    SDL_UnlockSurface(screen);
    SDL_Flip(screen);
  }
  SDL_Quit();
  return 0;
}
