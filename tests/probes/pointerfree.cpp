// pointerfree: exits 0 when another client may take the pointer on $DISPLAY
// (no window holds it grabbed), 1 when one does, 2 without a display. The
// window tests ask it whether the game lets the pointer go.
#include <X11/Xlib.h>

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 2;
  const int result = XGrabPointer(display, DefaultRootWindow(display), False, 0, GrabModeAsync, GrabModeAsync,
                                  None, None, CurrentTime);
  if (result == GrabSuccess) XUngrabPointer(display, CurrentTime);
  XCloseDisplay(display);
  return result == GrabSuccess ? 0 : 1;
}
