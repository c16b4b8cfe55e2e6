// Asks a window to close the way a window manager's close button does: a WM_PROTOCOLS client
// message carrying WM_DELETE_WINDOW, sent to the window itself. Refuses, as a window manager
// would fall back to killing the client, when the window does not take that message.
// Usage: send_close_request WINDOW_ID (decimal or 0x hexadecimal, as xdotool and xwininfo print)
#include <X11/Xlib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

int g_nXError = 0;

int RememberError(Display*, XErrorEvent* error) {
  g_nXError = error->error_code;
  return 0;
}

bool TakesCloseRequests(Display* display, Window window, Atom delete_window) {
  Atom* protocols = nullptr;
  int count = 0;
  if (XGetWMProtocols(display, window, &protocols, &count) == 0)
    return false;
  bool found = false;
  for (int i = 0; i < count; ++i)
    found = found || protocols[i] == delete_window;
  XFree(protocols);
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: send_close_request WINDOW_ID\n");
    return 2;
  }
  char* end = nullptr;
  errno = 0;
  const unsigned long id = std::strtoul(argv[1], &end, 0);
  if (errno != 0 || end == argv[1] || *end != '\0' || id == 0) {
    std::fprintf(stderr, "send_close_request: not a window id: %s\n", argv[1]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "send_close_request: cannot open the display\n");
    return 1;
  }
  XSetErrorHandler(RememberError);
  const auto window = static_cast<Window>(id);
  const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
  const Atom delete_window = XInternAtom(display, "WM_DELETE_WINDOW", False);
  int status = 0;
  if (!TakesCloseRequests(display, window, delete_window)) {
    XSync(display, False);
    std::fprintf(stderr, "send_close_request: window %s %s\n", argv[1],
                 g_nXError != 0 ? "does not exist" : "does not take WM_DELETE_WINDOW");
    status = 1;
  } else {
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = protocols;
    message.xclient.format = 32;
    message.xclient.data.l[0] = static_cast<long>(delete_window);
    message.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, window, False, NoEventMask, &message);
    XSync(display, False);
    if (sent == 0 || g_nXError != 0) {
      std::fprintf(stderr, "send_close_request: the message to window %s was not sent\n", argv[1]);
      status = 1;
    }
  }
  XCloseDisplay(display);
  return status;
}
