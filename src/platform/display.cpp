// The game window: the 640x480 picture shown crisp at a whole-number scale,
// in a window or centred on a black full screen, and the choice of that scale.
//
// The scaling itself is left to SDL (sdl12-compat's window scaling and its
// full-screen stretch, both nearest-neighbour): the game keeps drawing and
// converting 640x480 pixels, and only the last copy to the window grows with
// the scale. Scaling in the game instead means converting every window
// pixel from the palette each frame; measured at 2x under Xvfb it cost a
// third more CPU than SDL's nearest scaling (10.2% against 7.5% of a core
// for a bare clear-and-flip, 16.8% against 12.3% full screen at 1920x1080).
#include "platform/display.h"

#include <SDL/SDL_mixer.h>
#include <SDL/SDL_syswm.h>
#include <dlfcn.h>
#include <unistd.h>
#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "base/clock.h"
#include "base/globals.h"
#include "platform/echo.h"
#include "platform/fatal.h"
#include "platform/sessionend.h"

namespace {
// Room a window leaves on the desktop for its title bar, borders and panels.
constexpr int FrameRoomX = 16;
constexpr int FrameRoomY = 80;

std::string commandLineScale;
bool scaleRead = false;
int savedScale = 0;
int requestedScale = 0;
int desktopWidth = 0;
int desktopHeight = 0;
bool playerScalesWindow = false;
bool noteShown[2] = {false, false};
SDL_Surface* video = nullptr;
SDL_Surface* view = nullptr;
int pictureLeft = 0, pictureTop = 0;  // where the picture stands on the video surface

Uint16 ToPicture(Uint16 at, int offset) { return static_cast<Uint16>(at > offset ? at - offset : 0); }

bool Fits(int scale, int width, int height, bool fullscreen) {
  if (width <= 0 || height <= 0) return true;  // desktop size unknown
  const int roomX = fullscreen ? 0 : FrameRoomX;
  const int roomY = fullscreen ? 0 : FrameRoomY;
  return PictureWidth * scale <= width - roomX && PictureHeight * scale <= height - roomY;
}

// Reads the player's scale and the desktop size, once, before the first video
// mode is set (only then does SDL report the desktop rather than the window).
void ReadScaleSettings() {
  if (scaleRead) return;
  scaleRead = true;
  const SDL_VideoInfo* info = SDL_GetVideoInfo();
  if (info) {
    desktopWidth = info->current_w;
    desktopHeight = info->current_h;
  }
  playerScalesWindow = std::getenv("SDL12COMPAT_WINDOW_SCALING") != nullptr;
  const char* env = std::getenv("REBOUNDER_SCALE");
  const bool fromCommandLine = !commandLineScale.empty();
  const std::string text = fromCommandLine ? commandLineScale : env ? env : "";
  requestedScale = savedScale;
  if (!text.empty() && !ParseScale(text, requestedScale)) {
    std::fprintf(stderr,
                 "rebounder: %s \"%s\" is not a scale (auto, or a whole number from 1 to %d); using the "
                 "largest that fits the screen\n",
                 fromCommandLine ? "--scale" : "REBOUNDER_SCALE", Echoed(text).c_str(), MaxScale);
    requestedScale = 0;
  }
}
// Full screen is a desktop-sized window whose size and place the window
// manager sets. Without a window manager nobody does: the window stays at
// the mode's size and shows only a corner of the picture. It is then moved
// and sized to cover the screen here.
void CoverScreenWithoutWindowManager() {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWMInfo(&info) <= 0 || info.subsystem != SDL_SYSWM_X11 || desktopWidth <= 0) return;
  Display* display = info.info.x11.display;
  const Window window = info.info.x11.window;
  if (info.info.x11.lock_func) info.info.x11.lock_func();
  XWindowAttributes shape;
  if (XGetWindowAttributes(display, window, &shape) &&
      (shape.width < desktopWidth || shape.height < desktopHeight)) {
    XMoveResizeWindow(display, window, 0, 0, desktopWidth, desktopHeight);
    XFlush(display);
  }
  if (info.info.x11.unlock_func) info.info.x11.unlock_func();
#endif
}

// A window set anew is centred, frame and all, once the window manager has
// framed it: SDL leaves it where the manager puts it, and coming back from
// full screen that is below the screen's edge. Managers frame a window a
// little after it is shown and may move it again meanwhile (back to where it
// stood before full screen), so the place is checked on every frame for a
// short while and mended; after that the player may move it freely.
constexpr Uint32 SettleMilliseconds = 2000;
Uint32 centreUntil = 0;
bool centring = false;

#if defined(SDL_VIDEO_DRIVER_X11)
// Reads `count` 32-bit values of a window property; false when it is missing.
bool ReadCardinals(Display* display, Window window, const char* name, long* values, int count,
                   Atom wanted = XA_CARDINAL) {
  Atom type;
  int format;
  unsigned long items, after;
  unsigned char* data = nullptr;
  const Atom property = XInternAtom(display, name, True);
  if (property == None || XGetWindowProperty(display, window, property, 0, count, False, wanted, &type,
                                             &format, &items, &after, &data) != Success)
    return false;
  const bool ok = data && format == 32 && items >= static_cast<unsigned long>(count);
  if (ok)
    for (int i = 0; i < count; ++i) values[i] = reinterpret_cast<long*>(data)[i];
  if (data) XFree(data);
  return ok;
}

bool HasWindowManager(Display* display, Window root) {
  long manager = 0;
  return ReadCardinals(display, root, "_NET_SUPPORTING_WM_CHECK", &manager, 1, XA_WINDOW);
}

// True once the window stands centred (or cannot be placed); else asks the
// window manager to move it there.
bool CentreFramedWindow(Display* display, Window window) {
  XWindowAttributes shape;
  if (!XGetWindowAttributes(display, window, &shape)) return true;
  if (shape.map_state != IsViewable) return false;
  const Window root = shape.root;
  long frame[4] = {0, 0, 0, 0};  // left, right, top, bottom
  if (HasWindowManager(display, root) && !ReadCardinals(display, window, "_NET_FRAME_EXTENTS", frame, 4))
    return false;  // not framed yet
  long area[4] = {0, 0, WidthOfScreen(shape.screen), HeightOfScreen(shape.screen)};
  ReadCardinals(display, root, "_NET_WORKAREA", area, 4);
  const SDL_Rect workArea = {static_cast<Sint16>(area[0]), static_cast<Sint16>(area[1]),
                             static_cast<Uint16>(area[2]), static_cast<Uint16>(area[3])};
  const SDL_Rect place =
      CentredFrame(workArea, shape.width + frame[0] + frame[1], shape.height + frame[2] + frame[3]);
  int x = 0, y = 0;
  Window child;
  XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child);
  if (x - frame[0] == place.x && y - frame[2] == place.y) return true;
  // A move names where the frame goes, unless the window asked for its own
  // corner to be meant.
  XSizeHints hints;
  long supplied = 0;
  const bool ownCorner = XGetWMNormalHints(display, window, &hints, &supplied) &&
                         (hints.flags & PWinGravity) && hints.win_gravity == StaticGravity;
  XMoveWindow(display, window, place.x + (ownCorner ? frame[0] : 0), place.y + (ownCorner ? frame[2] : 0));
  XFlush(display);
  return false;
}
#endif

// SDL 1.2, and sdl12-compat after it, confines the pointer to a full-screen
// window whatever the game asks, so on a desktop of two screens the menus
// would hold it on one. SDL2 beneath lets it go when asked directly.
void ReleaseFullScreenConfinement() {
  using TGetWindow = void* (*)();
  using TGetGrab = int (*)(void*);
  using TSetGrab = void (*)(void*, int);
  static void* const sdl2 = dlopen("libSDL2-2.0.so.0", RTLD_LAZY | RTLD_NOLOAD);
  static const auto getWindow = reinterpret_cast<TGetWindow>(dlsym(RTLD_DEFAULT, "SDL12COMPAT_GetWindow"));
  static const auto getGrab = sdl2 ? reinterpret_cast<TGetGrab>(dlsym(sdl2, "SDL_GetWindowGrab")) : nullptr;
  static const auto setGrab = sdl2 ? reinterpret_cast<TSetGrab>(dlsym(sdl2, "SDL_SetWindowGrab")) : nullptr;
  void* const window = getWindow && getGrab && setGrab ? getWindow() : nullptr;
  if (window && getGrab(window)) setGrab(window, 0);
}

void KeepNewWindowCentred() {
  if (!centring) return;
  if (static_cast<Sint32>(SDL_GetTicks() - centreUntil) > 0) {
    centring = false;
    return;
  }
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWMInfo(&info) <= 0 || info.subsystem != SDL_SYSWM_X11) {
    centring = false;
    return;
  }
  if (info.info.x11.lock_func) info.info.x11.lock_func();
  CentreFramedWindow(info.info.x11.display, info.info.x11.window);
  if (info.info.x11.unlock_func) info.info.x11.unlock_func();
#else
  centring = false;
#endif
}
}  // namespace

SDL_Rect CentredFrame(const SDL_Rect& area, int frameWidth, int frameHeight) {
  SDL_Rect place = area;
  place.x = static_cast<Sint16>(area.x + std::max(0, (area.w - frameWidth) / 2));
  place.y = static_cast<Sint16>(area.y + std::max(0, (area.h - frameHeight) / 2));
  place.w = static_cast<Uint16>(frameWidth);
  place.h = static_cast<Uint16>(frameHeight);
  return place;
}

int FittingScale(int width, int height, bool fullscreen) {
  if (width <= 0 || height <= 0) return 1;
  int scale = MaxScale;
  while (scale > 1 && !Fits(scale, width, height, fullscreen)) --scale;
  // SDL stretches a full-screen mode to the desktop by one factor for both
  // axes, taken from the axis that fills; that factor is whole only when the
  // scale divides that axis. A smaller crisp picture beats a bigger uneven one.
  while (fullscreen && scale > 1 && width % scale != 0 && height % scale != 0) --scale;
  return scale;
}

SDL_Rect FullscreenMode(int width, int height, int scale) {
  SDL_Rect mode = {0, 0, PictureWidth, PictureHeight};
  if (scale < 1 || width / scale < PictureWidth || height / scale < PictureHeight) return mode;
  mode.w = static_cast<Uint16>(width / scale);
  mode.h = static_cast<Uint16>(height / scale);
  return mode;
}

bool ParseScale(const std::string& text, int& scale) {
  if (text == "auto") {
    scale = 0;
    return true;
  }
  if (text.empty() || text.size() > 1 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  const int value = std::stoi(text);
  if (value < 1 || value > MaxScale) return false;
  scale = value;
  return true;
}

int ResolveScale(int requested, int width, int height, bool fullscreen, std::string& note) {
  note.clear();
  const int fitting = FittingScale(width, height, fullscreen);
  if (requested <= 0) return fitting;
  if (Fits(requested, width, height, fullscreen)) return requested;
  note = "scale " + std::to_string(requested) + " does not fit the " + std::to_string(width) + "x" +
         std::to_string(height) + (fullscreen ? " screen" : " desktop with a window frame") + "; using " +
         std::to_string(fitting);
  return fitting;
}

void SetRequestedScale(const std::string& commandLineValue, int saved) {
  commandLineScale = commandLineValue;
  savedScale = saved;
}

void ChangeScale(int scale) {
  ReadScaleSettings();
  requestedScale = scale;
  noteShown[0] = noteShown[1] = false;
}

bool ScaleFitsScreen(int scale, bool fullscreen) {
  ReadScaleSettings();
  return Fits(scale, desktopWidth, desktopHeight, fullscreen);
}

SDL_Surface* OpenGameScreen(bool fullscreen, const SDL_Palette* palette) {
  ReadScaleSettings();
  std::string note;
  const int scale = ResolveScale(requestedScale, desktopWidth, desktopHeight, fullscreen, note);
  if (!note.empty() && !noteShown[fullscreen]) std::fprintf(stderr, "rebounder: %s\n", note.c_str());
  noteShown[fullscreen] = true;

  if (view && view != video) SDL_FreeSurface(view);
  view = nullptr;
  const Uint32 flags = SDL_SWSURFACE | SDL_HWPALETTE;
  if (fullscreen) {
    const SDL_Rect mode = FullscreenMode(desktopWidth, desktopHeight, scale);
    video = SDL_SetVideoMode(mode.w, mode.h, 8, flags | SDL_FULLSCREEN);
    if (video) CoverScreenWithoutWindowManager();
  } else {
    if (!playerScalesWindow) setenv("SDL12COMPAT_WINDOW_SCALING", std::to_string(scale).c_str(), 1);
    video = SDL_SetVideoMode(PictureWidth, PictureHeight, 8, flags);
    centring = video != nullptr;
    centreUntil = SDL_GetTicks() + SettleMilliseconds;
  }
  if (!video) return nullptr;
  SDL_SetColors(video, palette->colors, 0, palette->ncolors);
  // A new video surface may hold stale memory; whatever lies outside the
  // picture is never drawn again, so it is blacked out once here.
  SDL_SetClipRect(video, nullptr);
  SDL_FillRect(video, nullptr, 0);
  pictureLeft = video->w > PictureWidth ? (video->w - PictureWidth) / 2 : 0;
  pictureTop = video->h > PictureHeight ? (video->h - PictureHeight) / 2 : 0;
  if (video->w == PictureWidth && video->h == PictureHeight) {
    view = video;
  } else {
    // The picture is drawn straight into the middle of the larger full-screen
    // surface, through a surface that shares its pixels.
    Uint8* origin = static_cast<Uint8*>(video->pixels) + pictureTop * video->pitch + pictureLeft;
    view = SDL_CreateRGBSurfaceFrom(origin, PictureWidth, PictureHeight, 8, video->pitch, 0, 0, 0, 0);
    if (view) SDL_SetColors(view, palette->colors, 0, palette->ncolors);
  }
  return view;
}

// SDL 1.2 knows no refresh rate; SDL2 beneath sdl12-compat does, for the
// display the window is on.
int DisplayRefreshRate() {
  struct TDisplayMode {
    Uint32 format;
    int w, h, refreshRate;
    void* driverData;
  };
  using TGetWindow = void* (*)();
  using TWindowDisplay = int (*)(void*);
  using TGetMode = int (*)(int, TDisplayMode*);
  static void* const sdl2 = dlopen("libSDL2-2.0.so.0", RTLD_LAZY | RTLD_NOLOAD);
  if (!sdl2) return DefaultRefreshRate;
  static const auto getWindow = reinterpret_cast<TGetWindow>(dlsym(RTLD_DEFAULT, "SDL12COMPAT_GetWindow"));
  static const auto windowDisplay =
      reinterpret_cast<TWindowDisplay>(dlsym(sdl2, "SDL_GetWindowDisplayIndex"));
  static const auto currentMode = reinterpret_cast<TGetMode>(dlsym(sdl2, "SDL_GetCurrentDisplayMode"));
  static const auto desktopMode = reinterpret_cast<TGetMode>(dlsym(sdl2, "SDL_GetDesktopDisplayMode"));
  void* const window = getWindow ? getWindow() : nullptr;
  const int display = window && windowDisplay ? std::max(0, windowDisplay(window)) : 0;
  TDisplayMode mode = {};
  if (!(currentMode && currentMode(display, &mode) == 0 && mode.refreshRate > 0) && desktopMode)
    desktopMode(display, &mode);
  return mode.refreshRate > 0 ? mode.refreshRate : DefaultRefreshRate;
}

bool WindowVisible() { return (SDL_GetAppState() & SDL_APPACTIVE) != 0; }

void PresentScreen() {
  if (video) SDL_Flip(video);
  KeepNewWindowCentred();
}

void PointerToPicture(SDL_Event& e) {
  if (e.type == SDL_MOUSEMOTION) {
    e.motion.x = ToPicture(e.motion.x, pictureLeft);
    e.motion.y = ToPicture(e.motion.y, pictureTop);
  } else if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP) {
    e.button.x = ToPicture(e.button.x, pictureLeft);
    e.button.y = ToPicture(e.button.y, pictureTop);
  }
}

void WarpPointer(int x, int y) {
  SDL_WarpMouse(static_cast<Uint16>(x + pictureLeft), static_cast<Uint16>(y + pictureTop));
}

void SetPointerFree(bool free) {
  // Asked rather than remembered: a new video mode may have reset either.
  if ((SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE) != free) SDL_ShowCursor(free ? SDL_ENABLE : SDL_DISABLE);
  const SDL_GrabMode grab = free ? SDL_GRAB_OFF : SDL_GRAB_ON;
  if (SDL_WM_GrabInput(SDL_GRAB_QUERY) != grab) SDL_WM_GrabInput(grab);
  if (free && video && (video->flags & SDL_FULLSCREEN)) ReleaseFullScreenConfinement();
}

// SDL 1.2 on top of SDL2 presents through OpenGL by default, which costs far
// more CPU and memory than this 8-bit game needs; SDL2's software framebuffer
// does the same job cheaply. Scaled pixels stay square and sharp, and the
// mouse moves the paddle as it does at 1x whatever the scale (SDL would
// otherwise shrink relative motion by the scale, so a 3x window would need
// three times the hand travel). A user's own choice is left alone.
void ChooseCheapPresentation() {
  setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
  setenv("SDL_RENDER_DRIVER", "software", 0);
  setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
  setenv("SDL_MOUSE_RELATIVE_SCALING", "0", 0);
  // Where the driver can, pictures go up in step with the display.
  setenv("SDL12COMPAT_SYNC_TO_VBLANK", "1", 0);
}

namespace {
// SDL and the libraries beneath it say on the terminal why a way to the
// screen failed, each in its own words (Wayland's "XDG_RUNTIME_DIR is
// invalid" when no compositor runs, for one). While the game looks for its
// display their lines are held back: if it finds one they are let through as
// they were; if it finds none, the game alone says so, in one line.
class CHeldComplaints {
public:
  CHeldComplaints() {
    std::fflush(stderr);
    held = std::tmpfile();
    terminal = held ? dup(STDERR_FILENO) : -1;
    if (terminal >= 0) dup2(fileno(held), STDERR_FILENO);
  }
  ~CHeldComplaints() {
    if (terminal < 0) return;
    std::fflush(stderr);
    dup2(terminal, STDERR_FILENO);
    close(terminal);
    if (letThrough) {
      std::rewind(held);
      char buffer[512];
      for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, held)) > 0;) std::fwrite(buffer, 1, n, stderr);
    }
    std::fclose(held);
  }
  CHeldComplaints(const CHeldComplaints&) = delete;
  CHeldComplaints& operator=(const CHeldComplaints&) = delete;
  void LetThrough() { letThrough = true; }

private:
  std::FILE* held = nullptr;
  int terminal = -1;
  bool letThrough = false;
};

// "the display :1 (DISPLAY)": the displays the environment names, as the
// player can recognise them; control bytes are shown as escapes, and a
// name of any length is cut.
std::string DisplaysNamed(bool x11, bool wayland) {
  std::string text;
  for (const char* variable : {x11 ? "DISPLAY" : nullptr, wayland ? "WAYLAND_DISPLAY" : nullptr}) {
    if (!variable) continue;
    std::string value;
    for (const unsigned char c : std::string(std::getenv(variable)).substr(0, 64)) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, c < 32 || c >= 127 ? "\\x%02x" : "%c", c);
      value += escaped;
    }
    text += (text.empty() ? "the display " : " nor ") + value + " (" + variable + ")";
  }
  return text;
}
}  // namespace

// A display that is named but does not answer is most often one that is
// about to: an X server still starting, or one that turned a client away
// right after another copy of the game was killed. SDL then reports x11 "not
// available" and, left alone, would fall back to drawing into memory, a game
// nobody can see. Tests ask for that driver by name, so only the silent
// fallback is refused, after the named display had a few seconds to answer;
// the line then names the display that was tried.
void StartVideo() {
  ChooseCheapPresentation();
  // Docks match the window to its menu entry by this class.
  setenv("SDL_VIDEO_X11_WMCLASS", "rebounder", 0);
  setenv("SDL_VIDEO_WAYLAND_WMCLASS", "rebounder", 0);
  const bool driverNamed = std::getenv("SDL_VIDEODRIVER") != nullptr;
  auto named = [](const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
  };
  const bool x11 = named("DISPLAY"), wayland = named("WAYLAND_DISPLAY");
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(4);
  CHeldComplaints complaints;
  for (;;) {
    std::string driver;
    if (SDL_Init(SDL_INIT_VIDEO) == 0 && SDL_WasInit(SDL_INIT_VIDEO)) {
      char name[32] = "";
      SDL_VideoDriverName(name, sizeof name);
      driver = name;
    }
    if (!driver.empty() && (driverNamed || (driver != "offscreen" && driver != "dummy"))) break;
    const std::string why = driver.empty() ? SDL_GetError() : "";
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    if (!(x11 || wayland))
      Fail(driver.empty()
               ? "cannot start SDL video (is there a display?): " + why
               : "no display found to open the game window on (is DISPLAY or WAYLAND_DISPLAY set?)");
    if (std::chrono::steady_clock::now() >= giveUp)
      Fail("cannot open the game window on " + DisplaysNamed(x11, wayland) + ": " +
           (why.empty() ? std::string("it does not answer") : why));
    // Tried again on the named display alone: SDL would otherwise try every
    // other way each time.
    if (!driverNamed && x11 != wayland) setenv("SDL_VIDEODRIVER", x11 ? "x11" : "wayland", 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  complaints.LetThrough();
  if (!driverNamed) unsetenv("SDL_VIDEODRIVER");
}

void ApplyVideoSettings() {
  if (!Game.optFullscreen.applied) {
    Game.screen = OpenGameScreen(Game.optFullscreen.value, Game.sprHud->format->palette);
    if (!Game.screen) Fail(std::string("cannot open the 640x480 game window: ") + SDL_GetError());
    SDL_Rect clip = {80, 0, 480, 480};
    SDL_SetClipRect(Game.screen, &clip);
    WatchDisplayConnection();
    Game.optFullscreen.applied = true;
    Game.lastTick = GetTicks();  // the time the switch took is not owed to the game
  }
  if (!Game.optMusic.applied) {
    if (Game.optMusic.value)
      Mix_PlayMusic(Game.music, -1);
    else
      Mix_HaltMusic();
    Game.optMusic.applied = true;
  }
}
