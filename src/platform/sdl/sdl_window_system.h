#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>

#include "platform/geometry.h"
#include "platform/window_system.h"

struct SDL_Window;

namespace qz {

class SdlWindow;

// Windows on SDL's video, drawn in software. Needs SDL's video started (SdlVideo).
//
// Full screen is for the main window, the first one opened without an owner: it takes the
// screen's own size (no mode change) and shows the canvas at the largest whole scale that fits,
// centred on black. Windows opened meanwhile (boxes over it) open at that scale too. When the
// window system does not give the window the whole screen (on X with no window manager), the
// game stays in a window at the scale that fits, and the listener hears why.
class SdlWindowSystem : public WindowSystem {
 public:
  // Told after every switch of the main window, and when the display refused one (`error`
  // then says why and the window stays as it was).
  using FullScreenListener = std::function<void(bool full_screen, const std::string& error)>;

  SdlWindowSystem();
  ~SdlWindowSystem() override;
  SdlWindowSystem(const SdlWindowSystem&) = delete;
  SdlWindowSystem& operator=(const SdlWindowSystem&) = delete;

  // Throws std::runtime_error when SDL cannot make the window.
  std::unique_ptr<NativeWindow> OpenWindow(const std::string& title, int width, int height,
                                           const Bitmap* icon, NativeWindow* owner) override;
  int Scale() const override { return m_bFullScreen ? m_nFullScreenScale : m_nWindowScale; }
  std::string ClipboardText() override;

  void SetFullScreenListener(FullScreenListener listener) { m_fullScreenListener = listener; }
  // Switches the main window; before it opens, chooses how it opens. False when the display
  // refused (the listener hears why).
  bool SetFullScreen(bool full_screen);
  bool IsFullScreen() const { return m_bFullScreen; }
  // F11 pressed in window `window_id`: switches the main window when that is where it was
  // pressed and no other window of the game is open (a box over it keeps its scale).
  void ToggleFullScreenFrom(std::uint32_t window_id);
  // A position in output pixels of window `window_id` as a logical canvas position.
  Point ToLogical(std::uint32_t window_id, int x, int y) const;
  // Called by a window as it goes.
  void Forget(std::uint32_t window_id);
#ifdef __EMSCRIPTEN__
  // In the page: when the room beside the parents' panel changed, the main window is drawn
  // again at the largest whole scale that now fits, once no box is open over it.
  void FollowRoom();
  void NoteMatchRunning(bool running) override;
  void NoteTextEntry(TextEntry entry) override;
#endif

  // The largest whole scale at which a 640 x 400 window takes at most 90 % of the screen.
  static int ScaleForScreen(int screen_width, int screen_height);
  // The largest whole scale at which 640 x 400 fits the screen; at least 1.
  static int FullScreenScaleForScreen(int screen_width, int screen_height);

 private:
  void AddWakeupTarget();
  // Asks SDL to switch `window`; false (the listener told why) when it refused.
  bool RequestFullScreen(SdlWindow& window, bool full_screen);
  // After a switch to full screen: true when the window system gave the window the whole
  // screen; otherwise puts it back in a window and tells the listener why.
  bool ConfirmFullScreen(SdlWindow& window);
  // Requests, confirms and tells the listener.
  bool ApplyFullScreen(SdlWindow& window, bool full_screen);

  int m_nWindowScale;
  int m_nFullScreenScale;
  bool m_bFullScreen = false;
  std::uint32_t m_nMainId = 0;
  std::map<std::uint32_t, SdlWindow*> m_windows;
  FullScreenListener m_fullScreenListener;
  // Hidden windows of our own that take SDL's wake-up messages (see AddWakeupTarget), oldest
  // first.
  std::deque<SDL_Window*> m_wakeupTargets;
};

}  // namespace qz
