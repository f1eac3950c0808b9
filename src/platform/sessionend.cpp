// Quit signals and the X server going away: in both the player's scores and
// options are saved before the game ends.
#include "platform/sessionend.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <dlfcn.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "base/hooks.h"

namespace {
volatile std::sig_atomic_t quitSignalled = 0;

void OnQuitSignal(int) { quitSignalled = 1; }

// Xlib exits when this handler returns, and nothing may touch the display any
// more: save, stop the audio thread (which would otherwise run on while the
// libraries unload) and end here.
int OnDisplayLost(void*) {
  std::fputs("rebounder: the connection to the display was lost; saving and stopping\n", stderr);
  Hooks.savePlayerFiles();
  Mix_CloseAudio();
  std::_Exit(1);
}
}  // namespace

void InstallQuitSignals() {
  struct sigaction sa = {};
  sa.sa_handler = OnQuitSignal;
  sigemptyset(&sa.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaction(signal, &sa, nullptr);
  // A reader that went away (a frame log's, or a terminal's pipe when stderr
  // is piped) is a failed write the game can say and go on from, not an end.
  sa.sa_handler = SIG_IGN;
  sigaction(SIGPIPE, &sa, nullptr);
}

bool QuitSignalled() { return quitSignalled != 0; }

// SDL opens Xlib itself and the game does not link it: the handler is set
// through the very Xlib SDL loaded, and only when it is loaded.
void WatchDisplayConnection() {
  char driver[32] = "";
  SDL_VideoDriverName(driver, sizeof driver);
  if (std::strcmp(driver, "x11") != 0) return;
  void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
  if (!xlib) return;
  using THandler = int (*)(void*);
  using TSetHandler = THandler (*)(THandler);
  if (auto setHandler = reinterpret_cast<TSetHandler>(dlsym(xlib, "XSetIOErrorHandler")))
    setHandler(OnDisplayLost);
  dlclose(xlib);
}
