#include "platform/sdl/sdl_window.h"

#include <SDL.h>

#include <cstdint>

namespace qz {

SdlWindow::SdlWindow(SDL_Window* window, int width, int height, int scale)
    : m_pWindow(window), m_nId(SDL_GetWindowID(window)), m_canvas(width, height, scale) {}

SdlWindow::~SdlWindow() {
  SDL_DestroyWindow(m_pWindow);
}

void SdlWindow::Present(const Rect& area) {
  SDL_Surface* surface = SDL_GetWindowSurface(m_pWindow);
  if (surface == nullptr)
    return;
  const int scale = m_canvas.Scale();
  const Rect canvas_area = area.Intersect({0, 0, m_canvas.Width(), m_canvas.Height()});
  // Output pixels; the surface may be smaller than the canvas while the window is set up.
  const Rect out = Rect{canvas_area.left * scale, canvas_area.top * scale,
                        canvas_area.right * scale, canvas_area.bottom * scale}
                       .Intersect({0, 0, surface->w, surface->h});
  if (out.Empty())
    return;
  const int source_pitch = m_canvas.PixelWidth() * 4;
  const std::uint32_t* source =
      m_canvas.Pixels().data() + static_cast<size_t>(out.top) * m_canvas.PixelWidth() + out.left;
  if (SDL_MUSTLOCK(surface))
    SDL_LockSurface(surface);
  // Canvas pixels are 0x00RRGGBB, SDL's RGB888; the surface may use another layout.
  auto* target = static_cast<std::uint8_t*>(surface->pixels) +
                 static_cast<size_t>(out.top) * surface->pitch +
                 static_cast<size_t>(out.left) * surface->format->BytesPerPixel;
  SDL_ConvertPixels(out.Width(), out.Height(), SDL_PIXELFORMAT_RGB888, source, source_pitch,
                    surface->format->format, target, surface->pitch);
  if (SDL_MUSTLOCK(surface))
    SDL_UnlockSurface(surface);
  const SDL_Rect changed{out.left, out.top, out.Width(), out.Height()};
  SDL_UpdateWindowSurfaceRects(m_pWindow, &changed, 1);
}

void SdlWindow::Raise() {
  SDL_RaiseWindow(m_pWindow);
}

}  // namespace qz
