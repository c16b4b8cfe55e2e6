#include "platform/sdl/x11_wakeup_guard.h"

#include <SDL.h>

#include <cstring>

#ifdef QZ_HAVE_X11
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#endif

namespace qz {

#ifdef QZ_HAVE_X11
namespace {

XErrorHandler g_previous = nullptr;

int DropLateWakeup(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow && error->request_code == X_SendEvent)
    return 0;
  return g_previous != nullptr ? g_previous(display, error) : 0;
}

}  // namespace

X11WakeupGuard::X11WakeupGuard() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr || std::strcmp(driver, "x11") != 0)
    return;
  g_previous = XSetErrorHandler(DropLateWakeup);
  m_bInstalled = true;
}

X11WakeupGuard::~X11WakeupGuard() {
  if (!m_bInstalled)
    return;
  // SDL's own handler (which it set when its video started) goes back before SDL shuts down,
  // so that the next start finds the chain as SDL left it.
  XSetErrorHandler(g_previous);
  g_previous = nullptr;
}

#else

X11WakeupGuard::X11WakeupGuard() = default;
X11WakeupGuard::~X11WakeupGuard() = default;

#endif

}  // namespace qz
