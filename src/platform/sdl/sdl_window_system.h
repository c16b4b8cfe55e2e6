#pragma once

#include <deque>

#include "platform/window_system.h"

struct SDL_Window;

namespace qz {

// Windows on SDL's video, drawn in software. Needs SDL's video started (SdlVideo).
class SdlWindowSystem : public WindowSystem {
 public:
  SdlWindowSystem();
  ~SdlWindowSystem() override;
  SdlWindowSystem(const SdlWindowSystem&) = delete;
  SdlWindowSystem& operator=(const SdlWindowSystem&) = delete;

  // Throws std::runtime_error when SDL cannot make the window.
  std::unique_ptr<NativeWindow> OpenWindow(const std::string& title, int width, int height,
                                           const Bitmap* icon, NativeWindow* owner) override;
  int Scale() const override { return m_nScale; }
  std::string ClipboardText() override;

  // The largest whole scale at which a 640 x 400 window takes at most 90 % of the screen.
  static int ScaleForScreen(int screen_width, int screen_height);

 private:
  void AddWakeupTarget();

  int m_nScale;
  // Hidden windows of our own that take SDL's wake-up messages (see AddWakeupTarget), oldest
  // first.
  std::deque<SDL_Window*> m_wakeupTargets;
};

}  // namespace qz
