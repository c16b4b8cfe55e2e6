#pragma once

namespace qz {

// SDL shows its X11 message box from a forked child process (a copy of the game, holding the
// game's own connection to the display) and waits for that child, retrying the wait through
// every signal; on Wayland it runs another program the same way. Left alone, a terminate order
// would wait for a click, and a game killed outright would leave the child showing the box and
// the game's window. While a BoxProcessWatch lives (around the call that shows a box), any
// process forked is tied to the game: it dies with the game, takes the default action on
// SIGTERM, SIGINT and SIGHUP, and a terminate order to the game (see terminate_request.h) kills
// it, which ends SDL's wait. Elsewhere than on Linux it does nothing.
class BoxProcessWatch {
 public:
  BoxProcessWatch();
  ~BoxProcessWatch();
  BoxProcessWatch(const BoxProcessWatch&) = delete;
  BoxProcessWatch& operator=(const BoxProcessWatch&) = delete;

 private:
  [[maybe_unused]] bool m_bArmed = false;  // read only where the watch exists (Linux)
};

}  // namespace qz
