#pragma once

namespace qz {

// SDL wakes a thread that waits for events by sending an X message to one of its windows. When
// another thread pushes an event (a timer's tick) just as the waiting thread wakes up by itself
// and destroys that window, the message arrives for a window that is gone: X reports BadWindow,
// and Xlib's default answer to an error is to end the process. While a guard lives, exactly that
// error is dropped; every other goes on to the handler that was there before.
// Does nothing unless SDL's video runs on X. Make it after SDL_Init and drop it before SDL_Quit.
class X11WakeupGuard {
 public:
  X11WakeupGuard();
  ~X11WakeupGuard();
  X11WakeupGuard(const X11WakeupGuard&) = delete;
  X11WakeupGuard& operator=(const X11WakeupGuard&) = delete;

 private:
  [[maybe_unused]] bool m_bInstalled = false;  // unused where there is no X
};

}  // namespace qz
