#include "platform/sdl/full_screen_check.h"

#include <SDL.h>

#ifdef QZ_HAVE_X11
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

namespace qz {

#ifdef QZ_HAVE_X11
namespace {

// Window managers that follow the desktop conventions (all that can show a window full
// screen) name a window of theirs on the root window.
bool WindowManagerRuns(Display* display) {
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None)
    return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long left = 0;
  unsigned char* data = nullptr;
  const int status = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
                                        XA_WINDOW, &type, &format, &count, &left, &data);
  const bool found = status == Success && type == XA_WINDOW && count == 1;
  if (data != nullptr)
    XFree(data);
  return found;
}

}  // namespace
#endif

bool GotWholeScreen(SDL_Window* window, int wait_ms, std::string* why) {
#ifdef QZ_HAVE_X11
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
    return true;
  SDL_Rect screen{};
  if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window), &screen) != 0)
    return true;
  Display* display = info.info.x11.display;
  if (!WindowManagerRuns(display)) {
    if (why != nullptr)
      *why = "no window manager runs to give the window the whole screen";
    return false;
  }
  const Uint32 start = SDL_GetTicks();
  for (;;) {
    XSync(display, False);
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, info.info.x11.window, &attributes) != 0 &&
        attributes.width == screen.w && attributes.height == screen.h) {
      return true;
    }
    if (SDL_GetTicks() - start >= static_cast<Uint32>(wait_ms)) {
      if (why != nullptr) {
        *why = "the window manager left the window at " + std::to_string(attributes.width) + "x" +
               std::to_string(attributes.height) + ", not the screen's " +
               std::to_string(screen.w) + "x" + std::to_string(screen.h);
      }
      return false;
    }
    SDL_Delay(10);
  }
#else
  (void)window;
  (void)wait_ms;
  (void)why;
  return true;
#endif
}

}  // namespace qz
