// The cost of presenting frames and nothing else: the game's 640x480 8-bit
// picture, cleared and flipped through the game's own window code, so at the
// same scale and full-screen setting (REBOUNDER_SCALE, and --fullscreen), at
// the rate the game presents (--rate N pictures a second; by default the
// display's, as the game's default). bench/idle_cpu.sh measures it beside the
// game, so the game's figure can be read against what SDL itself costs on the
// machine at hand. Runs until the window is closed or SIGTERM.
#include <SDL/SDL.h>

#include <csignal>
#include <cstdlib>
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
  bool fullscreen = false;
  int rate = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--fullscreen") == 0) fullscreen = true;
    if (std::strcmp(argv[i], "--rate") == 0 && i + 1 < argc) rate = std::atoi(argv[++i]);
  }
  SDL_Surface* screen = OpenGameScreen(fullscreen, &palette);
  if (!screen) return 1;
  if (rate <= 0) rate = DisplayRefreshRate();
  // Due times in thousandths of a millisecond, so that 60 a second keeps its fraction.
  const Uint32 interval = 1000000 / static_cast<Uint32>(rate);
  const Uint32 start = SDL_GetTicks();
  Uint64 due = 0;
  for (Uint8 shade = 0; !stop; ++shade) {
    SDL_Event event;
    while (SDL_PollEvent(&event))
      if (event.type == SDL_QUIT) stop = 1;
    due += interval;
    const Sint64 ahead = static_cast<Sint64>(due / 1000) - static_cast<Sint64>(SDL_GetTicks() - start);
    if (ahead > 0) SDL_Delay(static_cast<Uint32>(ahead));
    for (int y = 0; y < screen->h; ++y)
      std::memset(static_cast<Uint8*>(screen->pixels) + y * screen->pitch, shade, screen->w);
    PresentScreen();
  }
  SDL_Quit();
  return 0;
}
