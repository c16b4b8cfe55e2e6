#pragma once

#include <cstdint>
#include <memory>

#include "platform/geometry.h"
#include "platform/window_system.h"

struct SDL_Surface;
struct SDL_Window;

namespace qz {

class SdlWindowSystem;

// An SDL window that shows its canvas through the window surface, in software. The canvas
// draws straight into the surface when their pixel layouts agree (the usual 24-bit desktop);
// otherwise it keeps its own pixels and a frame converts them. A surface larger than the canvas
// (the window on the whole screen) shows the canvas in its middle, on black.
class SdlWindow : public NativeWindow {
 public:
  // Takes ownership of `window`; tells `system`, when given, that it is gone.
  SdlWindow(SDL_Window* window, int width, int height, int scale,
            SdlWindowSystem* system = nullptr);
  ~SdlWindow() override;
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  std::uint32_t Id() const override { return m_nId; }
  Canvas& GetCanvas() override { return *m_pCanvas; }
  bool Present(const Rect& area) override;
  void Raise() override;

  SDL_Window* Handle() const { return m_pWindow; }
  // Draws at another scale from the next frame on; what was drawn is gone (Present says so).
  void SetScale(int scale);
  // A position in the window's output pixels as a logical canvas position.
  Point ToLogical(int x, int y) const;

 private:
  SDL_Window* m_pWindow;
  std::uint32_t m_nId;
  SdlWindowSystem* m_pSystem;
  std::unique_ptr<Canvas> m_pCanvas;

  // Points the canvas at `surface` when it can draw there, else at pixels of its own, and
  // centres it; a larger surface is cleared to black first.
  void BindCanvas(SDL_Surface* surface);
  // Whether `surface` is the one the canvas was bound for, unchanged.
  bool IsBoundTo(const SDL_Surface* surface) const;

  // What the canvas was bound for: the surface and its pixels, size and pitch.
  const SDL_Surface* m_pBoundSurface = nullptr;
  const void* m_pBoundPixels = nullptr;
  int m_nBoundWidth = 0;
  int m_nBoundHeight = 0;
  int m_nBoundPitch = 0;
  bool m_bBound = false;
  bool m_bDrawsIntoSurface = false;
  // Where the canvas sits in the surface, in output pixels.
  int m_nOffsetX = 0;
  int m_nOffsetY = 0;
  // The black border around a centred canvas is not on screen yet.
  bool m_bBorderPending = false;
};

}  // namespace qz
