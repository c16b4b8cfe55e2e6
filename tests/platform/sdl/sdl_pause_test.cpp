// The real backend in a private virtual X server. Input is pushed into SDL's queue the way the
// X11 driver would put it there.
#include <SDL.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include "platform/pause.h"
#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_event_queue.h"
#include "platform/sdl/sdl_video.h"
#include "platform/sdl/sdl_window_system.h"
#include "platform/sdl/terminate_request.h"
#include "support/xvfb_display.h"

namespace qz {
namespace {

class Recorder : public PumpTarget {
 public:
  void Dispatch(const Event& e) override { seen.push_back(e); }
  bool Saw(EventType type) const {
    for (const Event& e : seen) {
      if (e.type == type)
        return true;
    }
    return false;
  }
  std::vector<Event> seen;
};

class SdlPause : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::XvfbDisplay::Installed())
      GTEST_SKIP() << "Xvfb is not installed";
    display = std::make_unique<test::XvfbDisplay>();
    ASSERT_TRUE(display->Running()) << display->Error();
    std::string error;
    video = SdlVideo::Start(&error);
    ASSERT_TRUE(video) << error;
    windows = std::make_unique<SdlWindowSystem>();
    events = std::make_unique<SdlEventQueue>(2);
    window = windows->OpenWindow("Quizendo", 64, 40, nullptr, nullptr);
    window->Present({0, 0, window->GetCanvas().Width(), window->GetCanvas().Height()});
    // Let the window appear and its first events settle before the test pushes its own.
    clock.Sleep(100);
    Event e;
    while (events->Poll(e)) {
    }
  }
  void TearDown() override {
    window.reset();
    events.reset();
    windows.reset();
    video.reset();
    display.reset();
  }

  // Pushes `sdl` from SDL's timer thread after `delay_ms`, as input arriving during a wait.
  void PushLater(const SDL_Event& sdl, std::uint32_t delay_ms) {
    pending.push_back(std::make_unique<SDL_Event>(sdl));
    SDL_AddTimer(
        delay_ms,
        [](Uint32, void* param) -> Uint32 {
          SDL_PushEvent(static_cast<SDL_Event*>(param));
          return 0;
        },
        pending.back().get());
  }
  SDL_Event Key(Uint32 type, SDL_Keycode code) {
    SDL_Event sdl{};
    sdl.type = type;
    sdl.key.windowID = window->Id();
    sdl.key.keysym.sym = code;
    sdl.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    return sdl;
  }
  SDL_Event Mouse(Uint32 type, int x, int y) {
    SDL_Event sdl{};
    sdl.type = type;
    if (type == SDL_MOUSEMOTION) {
      sdl.motion.windowID = window->Id();
      sdl.motion.x = x;
      sdl.motion.y = y;
    } else {
      sdl.button.windowID = window->Id();
      sdl.button.button = SDL_BUTTON_LEFT;
      sdl.button.x = x;
      sdl.button.y = y;
    }
    return sdl;
  }

  std::unique_ptr<test::XvfbDisplay> display;
  std::unique_ptr<SdlVideo> video;
  std::unique_ptr<SdlWindowSystem> windows;
  std::unique_ptr<SdlEventQueue> events;
  std::unique_ptr<NativeWindow> window;
  std::vector<std::unique_ptr<SDL_Event>> pending;
  SdlClock clock;
  Recorder target;
};

TEST_F(SdlPause, KeyPressArrivingDuringThePauseEndsIt) {
  PushLater(Key(SDL_KEYDOWN, SDLK_RETURN), 50);
  // The pause is long enough that only the key can have ended it within the test's deadline.
  EXPECT_TRUE(WaitPumping(clock, *events, target, 60000));
  ASSERT_FALSE(target.seen.empty());
  EXPECT_EQ(EventType::kKeyDown, target.seen.back().type);
  EXPECT_EQ(Key::kReturn, target.seen.back().key);
  EXPECT_EQ(window->Id(), target.seen.back().window);
}

TEST_F(SdlPause, ButtonPressEndsItInLogicalPixels) {
  PushLater(Mouse(SDL_MOUSEBUTTONDOWN, 41, 21), 50);
  EXPECT_TRUE(WaitPumping(clock, *events, target, 60000));
  ASSERT_FALSE(target.seen.empty());
  EXPECT_EQ(EventType::kMouseDown, target.seen.back().type);
  EXPECT_EQ(20, target.seen.back().x);
  EXPECT_EQ(10, target.seen.back().y);
}

TEST_F(SdlPause, ReleasesMotionAndTicksAreDispatchedWithoutEndingIt) {
  events->SetTimer(1, 100);
  PushLater(Key(SDL_KEYUP, SDLK_a), 20);
  PushLater(Mouse(SDL_MOUSEMOTION, 10, 10), 40);
  PushLater(Mouse(SDL_MOUSEBUTTONUP, 10, 10), 60);
  EXPECT_FALSE(WaitPumping(clock, *events, target, 700));
  EXPECT_TRUE(target.Saw(EventType::kKeyUp));
  EXPECT_TRUE(target.Saw(EventType::kMouseMove));
  EXPECT_TRUE(target.Saw(EventType::kMouseUp));
  EXPECT_TRUE(target.Saw(EventType::kTimer));
  events->KillTimer(1);
}

TEST_F(SdlPause, SleepKeepsInputQueuedForLater) {
  PushLater(Key(SDL_KEYDOWN, SDLK_F1), 10);
  clock.Sleep(200);
  Event e;
  ASSERT_TRUE(events->Wait(e, 5000));
  EXPECT_EQ(Key::kF1, e.key);
}

TEST_F(SdlPause, TicksPileUpAsOneAndStopWhenKilled) {
  events->SetTimer(7, 20);
  clock.Sleep(300);
  Event e;
  int ticks = 0;
  while (events->Poll(e))
    ticks += e.type == EventType::kTimer ? 1 : 0;
  EXPECT_EQ(1, ticks);
  events->KillTimer(7);
  clock.Sleep(100);
  while (events->Poll(e))
    EXPECT_NE(EventType::kTimer, e.type);
}

TEST_F(SdlPause, CloseButtonAndTextReachTheGame) {
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  close.window.windowID = window->Id();
  SDL_PushEvent(&close);
  SDL_Event text{};
  text.type = SDL_TEXTINPUT;
  text.text.windowID = window->Id();
  SDL_strlcpy(text.text.text, "7", sizeof text.text.text);
  SDL_PushEvent(&text);
  SDL_Event paste = Key(SDL_KEYDOWN, SDLK_v);
  paste.key.keysym.mod = KMOD_LCTRL;
  SDL_PushEvent(&paste);
  Event e;
  ASSERT_TRUE(events->Wait(e, 5000));
  EXPECT_EQ(EventType::kClose, e.type);
  EXPECT_EQ(window->Id(), e.window);
  ASSERT_TRUE(events->Wait(e, 5000));
  EXPECT_EQ(EventType::kText, e.type);
  EXPECT_EQ("7", e.text);
  ASSERT_TRUE(events->Wait(e, 5000));
  EXPECT_EQ(Key::kV, e.key);
  EXPECT_TRUE(e.ctrl);
}

// What a desktop session sends at its end: the queue's waiting wakes up with an order to quit
// instead of the process dying with its settings unsaved.
TEST_F(SdlPause, TerminateSignalWakesTheWaitAsAnOrderToQuit) {
  struct sigaction current {};
  sigaction(SIGTERM, nullptr, &current);
  if (current.sa_handler == SIG_DFL || current.sa_handler == SIG_IGN)
    GTEST_SKIP() << "SDL took no charge of SIGTERM here (it was not at its default at start)";
  SDL_AddTimer(
      50,
      [](Uint32, void*) -> Uint32 {
        kill(getpid(), SIGTERM);
        return 0;
      },
      nullptr);
  Event e;
  ASSERT_TRUE(events->Wait(e, 30000));
  EXPECT_EQ(EventType::kQuit, e.type);
  EXPECT_EQ(0u, e.window);
}

TEST_F(SdlPause, AnOrderToEndGoesAheadOfQueuedInputWhichIsDropped) {
  for (int signal_number : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal_number);
    InstallTerminateHandlers();  // a fresh run: the order of the case before is forgotten
    events = std::make_unique<SdlEventQueue>(2);
    for (int i = 0; i < 300; ++i) {
      SDL_Event key = Key(i % 2 == 0 ? SDL_KEYDOWN : SDL_KEYUP, SDLK_1);
      SDL_PushEvent(&key);
    }
    kill(getpid(), signal_number);
    Event e;
    ASSERT_TRUE(events->Wait(e, 30000));
    EXPECT_EQ(EventType::kQuit, e.type);
    // Neither what was queued nor what comes later reaches the game; nothing sleeps long.
    SDL_Event late = Key(SDL_KEYDOWN, SDLK_2);
    SDL_PushEvent(&late);
    int inputs = 0;
    while (events->Poll(e)) {
      EXPECT_NE(EventType::kQuit, e.type);
      inputs += e.type == EventType::kKeyDown || e.type == EventType::kKeyUp ? 1 : 0;
    }
    EXPECT_EQ(0, inputs);
  }
}

TEST_F(SdlPause, PostedEventsKeepTheirOrderAndContent) {
  for (int id = 1; id <= 3; ++id) {
    Event app;
    app.type = EventType::kApp;
    app.id = id;
    app.text = std::string("m").append(std::to_string(id));
    events->Post(app);
  }
  Event e;
  for (int id = 1; id <= 3; ++id) {
    ASSERT_TRUE(events->Wait(e, 5000));
    EXPECT_EQ(id, e.id);
    EXPECT_EQ(std::string("m").append(std::to_string(id)), e.text);
  }
}

TEST(SdlScale, LargestWholeScaleThatFitsNinetyPercent) {
  EXPECT_EQ(1, SdlWindowSystem::ScaleForScreen(1024, 768));
  EXPECT_EQ(1, SdlWindowSystem::ScaleForScreen(800, 600));
  EXPECT_EQ(1, SdlWindowSystem::ScaleForScreen(320, 200));
  EXPECT_EQ(2, SdlWindowSystem::ScaleForScreen(1920, 1080));
  EXPECT_EQ(2, SdlWindowSystem::ScaleForScreen(1423, 889));
  EXPECT_EQ(3, SdlWindowSystem::ScaleForScreen(2560, 1440));
  EXPECT_EQ(5, SdlWindowSystem::ScaleForScreen(3840, 2400));
}

}  // namespace
}  // namespace qz
