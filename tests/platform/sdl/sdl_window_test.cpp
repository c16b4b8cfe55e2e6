// Real windows in a private virtual X server: what the canvas draws reaches the window's
// framebuffer, whether the canvas draws there directly (24-bit screen) or keeps its own pixels
// that a frame converts (16-bit screen), also after the window changed size under it or went
// full screen (which takes a window manager: with none the window stays a window).
#include <SDL.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/sdl/sdl_event_queue.h"
#include "platform/sdl/sdl_video.h"
#include "platform/sdl/sdl_window.h"
#include "platform/sdl/sdl_window_system.h"
#include "support/xvfb_display.h"

extern char** environ;

namespace qz {
namespace {

// Openbox on the display the test opened, for as long as it lives; Running() is false when
// openbox is not installed or did not take charge within 10 s.
class WindowManager {
 public:
  WindowManager() {
    if (std::system("command -v openbox >/dev/null 2>&1") != 0)
      return;
    char program[] = "openbox";
    char option[] = "--sm-disable";
    char* argv[] = {program, option, nullptr};
    if (posix_spawnp(&m_nPid, "openbox", nullptr, nullptr, argv, environ) != 0) {
      m_nPid = -1;
      return;
    }
    for (int i = 0; i < 100; ++i) {
      if (std::system("xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'") ==
          0) {
        m_bRunning = true;
        return;
      }
      usleep(100000);
    }
  }
  ~WindowManager() {
    if (m_nPid > 0) {
      kill(m_nPid, SIGTERM);
      waitpid(m_nPid, nullptr, 0);
    }
  }
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;
  bool Running() const { return m_bRunning; }

 private:
  pid_t m_nPid = -1;
  bool m_bRunning = false;
};

void ExpectPoint(int x, int y, Point p) {
  EXPECT_EQ(x, p.x);
  EXPECT_EQ(y, p.y);
}

class SdlWindowOnScreen : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    if (!test::XvfbDisplay::Installed())
      GTEST_SKIP() << "Xvfb is not installed";
    display = std::make_unique<test::XvfbDisplay>(GetParam());
    ASSERT_TRUE(display->Running()) << display->Error();
    std::string error;
    video = SdlVideo::Start(&error);
    ASSERT_TRUE(video) << error;
    windows = std::make_unique<SdlWindowSystem>();
    native = windows->OpenWindow("Quizendo", 64, 40, nullptr, nullptr);
    window = dynamic_cast<SdlWindow*>(native.get());
    ASSERT_NE(nullptr, window);
  }
  void TearDown() override {
    native.reset();
    windows.reset();
    video.reset();
    display.reset();
  }

  // The colour the window's framebuffer holds at output pixel (x, y).
  std::uint32_t ScreenPixel(int x, int y) {
    SDL_Surface* surface = SDL_GetWindowSurface(window->Handle());
    if (surface == nullptr || x >= surface->w || y >= surface->h)
      return 0xDEADBEEF;
    const auto* row = static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch;
    std::uint32_t raw = 0;
    std::memcpy(&raw, row + x * surface->format->BytesPerPixel, surface->format->BytesPerPixel);
    Uint8 r = 0;
    Uint8 g = 0;
    Uint8 b = 0;
    SDL_GetRGB(raw, surface->format, &r, &g, &b);
    return (static_cast<std::uint32_t>(r) << 16) | (g << 8) | b;
  }

  // Paints the whole canvas red with a white square at logical (10, 10) and presents it,
  // painting again when the canvas lost its pixels on the way, as a window does.
  void PaintFrame() {
    Canvas& canvas = window->GetCanvas();
    const Rect all{0, 0, canvas.Width(), canvas.Height()};
    for (int attempt = 0; attempt < 2; ++attempt) {
      canvas.FillRect(all, Rgb(255, 0, 0));
      canvas.FillRect({10, 10, 20, 20}, Rgb(255, 255, 255));
      if (window->Present(all))
        return;
    }
    ADD_FAILURE() << "the canvas lost its pixels twice in a row";
  }

  // The frame of PaintFrame with the canvas's top left corner at output pixel (x, y).
  void ExpectFrameOnScreen(int x = 0, int y = 0) {
    const int s = window->GetCanvas().Scale();
    EXPECT_EQ(0xFF0000u, ScreenPixel(x, y));
    EXPECT_EQ(0xFFFFFFu, ScreenPixel(x + 10 * s, y + 10 * s));
    EXPECT_EQ(0xFFFFFFu, ScreenPixel(x + 20 * s - 1, y + 20 * s - 1));
    EXPECT_EQ(0xFF0000u, ScreenPixel(x + 20 * s, y + 20 * s));
    EXPECT_EQ(0xFF0000u, ScreenPixel(x + 64 * s - 1, y + 40 * s - 1));
  }

  // Output pixels around the canvas placed at (x, y) are black.
  void ExpectBlackAround(int x, int y) {
    const int s = window->GetCanvas().Scale();
    EXPECT_EQ(0u, ScreenPixel(0, 0));
    EXPECT_EQ(0u, ScreenPixel(x - 1, y));
    EXPECT_EQ(0u, ScreenPixel(x, y - 1));
    EXPECT_EQ(0u, ScreenPixel(x + 64 * s, y + 40 * s - 1));
    EXPECT_EQ(0u, ScreenPixel(x + 64 * s - 1, y + 40 * s));
  }

  // F11 pressed in the window, as SDL delivers it.
  void PressF11() {
    SDL_Event press{};
    press.type = SDL_KEYDOWN;
    press.key.windowID = window->Id();
    press.key.keysym.sym = SDLK_F11;
    press.key.keysym.scancode = SDL_SCANCODE_F11;
    SDL_Event release = press;
    release.type = SDL_KEYUP;
    SDL_PushEvent(&press);
    SDL_PushEvent(&release);
  }

  std::unique_ptr<test::XvfbDisplay> display;
  std::unique_ptr<SdlVideo> video;
  std::unique_ptr<SdlWindowSystem> windows;
  std::unique_ptr<NativeWindow> native;
  SdlWindow* window = nullptr;
};

TEST_P(SdlWindowOnScreen, FrameReachesTheFramebufferAndOnlyTheChangedPartIsRedrawn) {
  PaintFrame();
  ExpectFrameOnScreen();
  // A partial frame changes what it covers and nothing else.
  Canvas& canvas = window->GetCanvas();
  canvas.FillRect({0, 0, 5, 5}, Rgb(0, 0, 255));
  EXPECT_TRUE(window->Present({0, 0, 5, 5}));
  EXPECT_EQ(0x0000FFu, ScreenPixel(0, 0));
  EXPECT_EQ(0xFFFFFFu, ScreenPixel(10 * canvas.Scale(), 10 * canvas.Scale()));
}

TEST_P(SdlWindowOnScreen, WindowThatChangedSizeGetsItsWholeFrameAgain) {
  PaintFrame();
  // Another program (a tiling window manager) resizes the window: SDL replaces its surface.
  SDL_SetWindowSize(window->Handle(), 200, 150);
  SDL_PumpEvents();
  PaintFrame();
  // The canvas stays whole, in the middle.
  ExpectFrameOnScreen((200 - 64) / 2, (150 - 40) / 2);
  ExpectBlackAround((200 - 64) / 2, (150 - 40) / 2);
  SDL_SetWindowSize(window->Handle(), 20, 10);  // now smaller than the canvas
  SDL_PumpEvents();
  PaintFrame();
  EXPECT_EQ(0xFF0000u, ScreenPixel(0, 0));
  EXPECT_EQ(0xFF0000u, ScreenPixel(19, 9));
}

// F11 is the platform's own key: the game never sees it, the main window takes the whole screen
// with the canvas centred on black, mouse positions follow the canvas, and F11 again brings the
// window back as it was.
TEST_P(SdlWindowOnScreen, F11SwitchesTheMainWindowToFullScreenAndBack) {
  WindowManager manager;
  if (!manager.Running())
    GTEST_SKIP() << "openbox is not installed or did not start";
  SdlEventQueue events(*windows);
  PaintFrame();
  PressF11();
  Event got;
  while (events.Poll(got)) {
    EXPECT_NE(EventType::kKeyDown, got.type);
    EXPECT_NE(EventType::kKeyUp, got.type);
  }
  ASSERT_TRUE(windows->IsFullScreen());
  PaintFrame();
  // 1024 x 768 holds 640 x 400 once: the full-screen scale is 1.
  EXPECT_EQ(1, window->GetCanvas().Scale());
  const int x = (1024 - 64) / 2;
  const int y = (768 - 40) / 2;
  ExpectFrameOnScreen(x, y);
  ExpectBlackAround(x, y);
  ExpectPoint(0, 0, windows->ToLogical(window->Id(), x, y));
  ExpectPoint(-1, 39, windows->ToLogical(window->Id(), x - 1, y + 39));

  PressF11();
  while (events.Poll(got)) {
    EXPECT_NE(EventType::kKeyDown, got.type);
    EXPECT_NE(EventType::kKeyUp, got.type);
  }
  EXPECT_FALSE(windows->IsFullScreen());
  PaintFrame();
  ExpectFrameOnScreen();
  ExpectPoint(10, 10, windows->ToLogical(window->Id(), 10, 10));
}

// With no window manager nobody gives the window the whole screen, though SDL takes the request
// as granted: the window stays a window, drawn at its own scale, and the listener hears why.
TEST_P(SdlWindowOnScreen, F11WithNoWindowManagerLeavesTheWindowAWindow) {
  std::string heard;
  windows->SetFullScreenListener([&heard](bool full_screen, const std::string& error) {
    heard = (full_screen ? "full screen: " : "window: ") + error;
  });
  SdlEventQueue events(*windows);
  PaintFrame();
  PressF11();
  Event got;
  while (events.Poll(got)) {
  }
  EXPECT_FALSE(windows->IsFullScreen());
  EXPECT_EQ("window: no window manager runs to give the window the whole screen", heard);
  PaintFrame();
  EXPECT_EQ(1, window->GetCanvas().Scale());
  SDL_Surface* surface = SDL_GetWindowSurface(window->Handle());
  ASSERT_NE(nullptr, surface);
  EXPECT_EQ(64, surface->w);
  EXPECT_EQ(40, surface->h);
  ExpectFrameOnScreen();
  ExpectPoint(10, 10, windows->ToLogical(window->Id(), 10, 10));
}

TEST(SdlWindowSystemTest, FullScreenScaleIsTheLargestWholeScaleThatFits) {
  const struct {
    int m_nWidth;
    int m_nHeight;
    int m_nScale;
  } cases[] = {
      {1920, 1080, 2}, {1920, 1200, 3}, {1280, 800, 2}, {1366, 768, 1},
      {2560, 1440, 3}, {3840, 2160, 5}, {640, 400, 1},  {320, 200, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.m_nScale, SdlWindowSystem::FullScreenScaleForScreen(c.m_nWidth, c.m_nHeight))
        << c.m_nWidth << "x" << c.m_nHeight;
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, SdlWindowOnScreen, ::testing::Values("1024x768x24", "1024x768x16"),
                         [](const ::testing::TestParamInfo<const char*>& param) {
                           return std::string(param.param).substr(9) + "bit";
                         });

}  // namespace
}  // namespace qz
