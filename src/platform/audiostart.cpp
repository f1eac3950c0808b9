// Opening the sound device, quietly: a machine without one gets a silent game
// and one line saying so, not the sound libraries' own complaints.
#include "platform/audiostart.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/postmix.h"

namespace {
// The gain after mixing makes the game as loud as it should be; its
// limiter keeps the peaks under the ceiling.
constexpr float MixGainDb = 9.0f;

// The ALSA library writes eight lines of configuration errors to stderr when
// a machine has no sound card, before SDL moves on or gives up; the game
// reports the outcome itself, so those lines are dropped while audio starts.
class TQuietStderr {
public:
  TQuietStderr() {
    std::fflush(stderr);
    saved = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    if (null >= 0) close(null);
  }
  ~TQuietStderr() {
    std::fflush(stderr);
    if (saved < 0) return;
    dup2(saved, STDERR_FILENO);
    close(saved);
  }

private:
  int saved = -1;
};
}  // namespace

bool StartAudio() {
  bool opened = false;
  std::string why;
  {
    TQuietStderr quiet;
    opened = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 1024) == 0;
    if (!opened) {
      why = SDL_GetError();
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
  }
  Mix_AllocateChannels(8);
  Mix_Volume(-1, ChannelVolume);
  int rate = 0, channels = 0;
  Uint16 format = 0;
  if (opened && Mix_QuerySpec(&rate, &format, &channels) && format == AUDIO_S16SYS && channels == 2) {
    static CPostMix stage(rate, MixGainDb);
    Mix_SetPostMix(CPostMix::Callback, &stage);
  }
  if (!opened)
    std::fprintf(stderr, "rebounder: no sound device could be opened (%s); the game runs silent\n",
                 why.c_str());
  return opened;
}
