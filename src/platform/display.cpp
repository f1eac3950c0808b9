// The game window: the 640x480 picture shown crisp at a whole-number scale,
// or filling the screen's height at any factor, in a window or centred on a
// black full screen.
//
// A whole-number scale is left to SDL (sdl12-compat's window scaling and its
// full-screen stretch, both nearest-neighbour): the game keeps drawing and
// converting 640x480 pixels, and only the last copy to the window grows with
// the scale. Scaling in the game instead means converting every window
// pixel from the palette each frame; measured at 2x under Xvfb it cost a
// third more CPU than SDL's nearest scaling (10.2% against 7.5% of a core
// for a bare clear-and-flip, 16.8% against 12.3% full screen at 1920x1080).
// Only a factor that is not whole is scaled by the game: SDL's smooth
// scaling would blur every edge over two or three pixels.
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
#include "platform/sharpscale.h"

namespace {
std::string commandLineScale;
bool scaleRead = false;
int savedScale = 0;
int requestedScale = 0;
int desktopWidth = 0;
int desktopHeight = 0;
bool playerScalesWindow = false;
bool desktopAssumed = false;
bool noteShown[2] = {false, false};
SDL_Surface* video = nullptr;
SDL_Surface* stage = nullptr;  // the 8-bit surface holding the picture: the video surface, or the game's own
SDL_Surface* view = nullptr;
int pictureLeft = 0, pictureTop = 0;  // where the picture stands on the stage
TScreenLayout layout;
CSharpScale sharpScale;
// The room a window's frame takes, as the window manager last framed one; a
// guess before the first.
int frameWidth = 8, frameHeight = 32;

Uint16 ToPicture(int at, int offset) { return static_cast<Uint16>(at > offset ? at - offset : 0); }

// A window that fills the work area was sized for a frame guessed or seen
// before; a frame of another size is kept, and the window made again to fit.
bool windowFills = false;
bool refitWanted = false;
void NoteFrame(int width, int height) {
  if (width == frameWidth && height == frameHeight) return;
  frameWidth = width;
  frameHeight = height;
  refitWanted = windowFills;
}

// The desktop less its panels, as SDL2 beneath sdl12-compat reads it.
SDL_Rect WorkArea() {
  SDL_Rect area = {0, 0, static_cast<Uint16>(std::max(desktopWidth, 0)),
                   static_cast<Uint16>(std::max(desktopHeight, 0))};
  if (desktopAssumed) return area;
  struct TRect {
    int x, y, w, h;
  } bounds = {};
  using TUsable = int (*)(int, TRect*);
  static void* const sdl2 = dlopen("libSDL2-2.0.so.0", RTLD_LAZY | RTLD_NOLOAD);
  static const auto usable =
      sdl2 ? reinterpret_cast<TUsable>(dlsym(sdl2, "SDL_GetDisplayUsableBounds")) : nullptr;
  if (usable && usable(0, &bounds) == 0 && bounds.w > 0 && bounds.h > 0)
    area = {static_cast<Sint16>(bounds.x), static_cast<Sint16>(bounds.y), static_cast<Uint16>(bounds.w),
            static_cast<Uint16>(bounds.h)};
  return area;
}

// Reads the player's scale and the desktop size, once, before the first video
// mode is set (only then does SDL report the desktop rather than the window).
void ReadScaleSettings() {
  if (scaleRead) return;
  scaleRead = true;
  const SDL_VideoInfo* info = SDL_GetVideoInfo();
  if (info && !desktopAssumed) {
    desktopWidth = info->current_w;
    desktopHeight = info->current_h;
  }
  playerScalesWindow = std::getenv("SDL12COMPAT_WINDOW_SCALING") != nullptr;
  const char* env = std::getenv("REBOUNDER_SCALE");
  const bool fromCommandLine = !commandLineScale.empty();
  const std::string text = fromCommandLine ? commandLineScale : env ? env : "";
  requestedScale = savedScale;
  if (!text.empty() && !ParseScale(text, requestedScale)) {
    std::fprintf(
        stderr,
        "rebounder: %s \"%s\" is not a scale (auto, fill, or a whole number from 1 to %d); using the "
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
  if (HasWindowManager(display, root)) {
    if (!ReadCardinals(display, window, "_NET_FRAME_EXTENTS", frame, 4)) return false;  // not framed yet
    NoteFrame(static_cast<int>(frame[0] + frame[1]), static_cast<int>(frame[2] + frame[3]));
  }
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
  std::string note;
  return scale == FillScale || ResolveScale(scale, desktopWidth, desktopHeight, fullscreen, note) == scale;
}

int SideRoom() { return layout.panelsFill ? pictureLeft : 0; }

void AssumeDesktop(int width, int height) {
  ReadScaleSettings();
  static int realWidth = 0, realHeight = 0;
  if (!desktopAssumed) {
    realWidth = desktopWidth;
    realHeight = desktopHeight;
  }
  desktopAssumed = width > 0;
  desktopWidth = desktopAssumed ? width : realWidth;
  desktopHeight = desktopAssumed ? height : realHeight;
}

SDL_Surface* OpenGameScreen(bool fullscreen, const SDL_Palette* palette) {
  ReadScaleSettings();
  std::string note;
  int scale = ResolveScale(requestedScale, desktopWidth, desktopHeight, fullscreen, note);
  if (!note.empty() && !noteShown[fullscreen]) std::fprintf(stderr, "rebounder: %s\n", note.c_str());
  noteShown[fullscreen] = true;
  // The player's own window scaling is left to scale the picture.
  if (!fullscreen && playerScalesWindow && scale == FillScale) scale = 1;
  windowFills = !fullscreen && scale == FillScale;
  refitWanted = false;
  layout = LayoutScreen(scale, desktopWidth, desktopHeight, fullscreen, WorkArea(), frameWidth, frameHeight);

  if (view && view != stage) SDL_FreeSurface(view);
  if (stage && stage != video) SDL_FreeSurface(stage);
  view = stage = nullptr;
  const Uint32 flags =
      SDL_SWSURFACE | (layout.gameScales ? 0 : SDL_HWPALETTE) | (fullscreen ? SDL_FULLSCREEN : 0);
  if (!fullscreen && !playerScalesWindow)
    setenv("SDL12COMPAT_WINDOW_SCALING", std::to_string(layout.windowScaling).c_str(), 1);
  video = SDL_SetVideoMode(layout.videoWidth, layout.videoHeight, layout.gameScales ? 32 : 8, flags);
  if (!video) return nullptr;
  if (fullscreen) {
    CoverScreenWithoutWindowManager();
  } else {
    centring = true;
    centreUntil = SDL_GetTicks() + SettleMilliseconds;
  }
  // A new video surface may hold stale memory; whatever lies outside the
  // picture is never drawn again, so it is blacked out once here.
  SDL_SetClipRect(video, nullptr);
  SDL_FillRect(video, nullptr, 0);
  if (layout.gameScales) {
    stage = SDL_CreateRGBSurface(SDL_SWSURFACE, layout.stageWidth, layout.stageHeight, 8, 0, 0, 0, 0);
    if (!stage) return nullptr;
    SDL_FillRect(stage, nullptr, 0);
    sharpScale.Prepare(stage->w, stage->h, video->w, video->h, layout.factor, layout.offsetX, layout.offsetY);
  } else {
    stage = video;
  }
  SDL_SetColors(stage, palette->colors, 0, palette->ncolors);
  pictureLeft = stage->w > PictureWidth ? (stage->w - PictureWidth) / 2 : 0;
  pictureTop = stage->h > PictureHeight ? (stage->h - PictureHeight) / 2 : 0;
  if (stage->w == PictureWidth && stage->h == PictureHeight) {
    view = stage;
  } else {
    // The picture is drawn straight into the middle of the larger stage,
    // through a surface that shares its pixels.
    Uint8* origin = static_cast<Uint8*>(stage->pixels) + pictureTop * stage->pitch + pictureLeft;
    view = SDL_CreateRGBSurfaceFrom(origin, PictureWidth, PictureHeight, 8, stage->pitch, 0, 0, 0, 0);
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
  // The picture's colours are the view's: the game sets them there.
  if (layout.gameScales && stage && view) sharpScale.Draw(stage, view->format->palette, video);
  if (video) SDL_Flip(video);
  KeepNewWindowCentred();
  if (refitWanted) {
    Game.optFullscreen.applied = false;
    ApplyVideoSettings();
  }
}

void PointerToPicture(SDL_Event& e) {
  const auto map = [](Uint16& ex, Uint16& ey) {
    int x = ex, y = ey;
    WindowToStage(layout, x, y);
    ex = ToPicture(x, pictureLeft);
    ey = ToPicture(y, pictureTop);
  };
  if (e.type == SDL_MOUSEMOTION)
    map(e.motion.x, e.motion.y);
  else if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP)
    map(e.button.x, e.button.y);
}

void WarpPointer(int x, int y) {
  x += pictureLeft;
  y += pictureTop;
  StageToWindow(layout, x, y);
  SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y));
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
