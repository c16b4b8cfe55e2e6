#pragma once

#include <cstdint>

#include "platform/window_system.h"

struct SDL_Window;

namespace qz {

// A fixed-size SDL window that shows its canvas through the window surface, in software.
class SdlWindow : public NativeWindow {
 public:
  // Takes ownership of `window`.
  SdlWindow(SDL_Window* window, int width, int height, int scale);
  ~SdlWindow() override;
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  std::uint32_t Id() const override { return m_nId; }
  Canvas& GetCanvas() override { return m_canvas; }
  void Present(const Rect& area) override;
  void Raise() override;

  SDL_Window* Handle() const { return m_pWindow; }

 private:
  SDL_Window* m_pWindow;
  std::uint32_t m_nId;
  Canvas m_canvas;
};

}  // namespace qz
