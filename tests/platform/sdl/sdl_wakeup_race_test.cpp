// Another thread's event wakes SDL's wait by an X message to a window. A window destroyed while
// such a message is on its way must not end the game: timers tick from their own thread while
// the game opens and closes its boxes.
#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "platform/sdl/sdl_video.h"
#include "support/xvfb_display.h"

namespace qz {
namespace {

TEST(SdlWakeup, WindowsClosedWhileAnotherThreadPushesEventsEndNothing) {
  if (!test::XvfbDisplay::Installed())
    GTEST_SKIP() << "Xvfb is not installed";
  test::XvfbDisplay display;
  ASSERT_TRUE(display.Running()) << display.Error();
  std::string error;
  std::unique_ptr<SdlVideo> video = SdlVideo::Start(&error);
  ASSERT_TRUE(video) << error;

  std::atomic<bool> stop{false};
  std::thread pusher([&stop] {
    SDL_Event tick{};
    tick.type = SDL_USEREVENT;
    while (!stop) {
      SDL_PushEvent(&tick);
      std::this_thread::yield();
    }
  });
  // Each turn waits long enough to block, so that the pusher has a window to wake.
  for (int turn = 0; turn < 3000; ++turn) {
    SDL_Window* window = SDL_CreateWindow("box", 0, 0, 8, 8, SDL_WINDOW_HIDDEN);
    ASSERT_NE(nullptr, window) << SDL_GetError();
    SDL_Event e;
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_WaitEventTimeout(&e, 1);
    SDL_DestroyWindow(window);
  }
  stop = true;
  pusher.join();
  // A dropped error would have ended the process before here; the server must still answer.
  SDL_Window* last = SDL_CreateWindow("last", 0, 0, 8, 8, SDL_WINDOW_HIDDEN);
  EXPECT_NE(nullptr, last) << SDL_GetError();
  SDL_DestroyWindow(last);
}

}  // namespace
}  // namespace qz
