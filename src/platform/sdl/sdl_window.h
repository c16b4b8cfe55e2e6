#pragma once

#include <cstdint>

#include "platform/window_system.h"

struct SDL_Surface;
struct SDL_Window;

namespace qz {

// A fixed-size SDL window that shows its canvas through the window surface, in software. The
// canvas draws straight into the surface when their pixel layouts agree (the usual 24-bit
// desktop); otherwise it keeps its own pixels and a frame converts them.
class SdlWindow : public NativeWindow {
 public:
  // Takes ownership of `window`.
  SdlWindow(SDL_Window* window, int width, int height, int scale);
  ~SdlWindow() override;
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  std::uint32_t Id() const override { return m_nId; }
  Canvas& GetCanvas() override { return m_canvas; }
  bool Present(const Rect& area) override;
  void Raise() override;

  SDL_Window* Handle() const { return m_pWindow; }

 private:
  SDL_Window* m_pWindow;
  std::uint32_t m_nId;
  Canvas m_canvas;

  // Points the canvas at `surface` when it can draw there, else at pixels of its own.
  void BindCanvas(SDL_Surface* surface);
  // Whether `surface` is the one the canvas was bound for, unchanged.
  bool IsBoundTo(const SDL_Surface* surface) const;

  // What the canvas was bound for: the surface and its pixels, size and pitch.
  const SDL_Surface* m_pBoundSurface = nullptr;
  const void* m_pBoundPixels = nullptr;
  int m_nBoundWidth = 0;
  int m_nBoundHeight = 0;
  int m_nBoundPitch = 0;
  bool m_bDrawsIntoSurface = false;
};

}  // namespace qz
