#include "platform/sdl/sdl_window.h"

#include <SDL.h>

#include <cstdint>

namespace qz {

SdlWindow::SdlWindow(SDL_Window* window, int width, int height, int scale)
    : m_pWindow(window), m_nId(SDL_GetWindowID(window)), m_canvas(width, height, scale) {
  BindCanvas(SDL_GetWindowSurface(m_pWindow));
}

void SdlWindow::BindCanvas(SDL_Surface* surface) {
  m_pBoundSurface = surface;
  m_pBoundPixels = surface != nullptr ? surface->pixels : nullptr;
  m_nBoundWidth = surface != nullptr ? surface->w : 0;
  m_nBoundHeight = surface != nullptr ? surface->h : 0;
  m_nBoundPitch = surface != nullptr ? surface->pitch : 0;
  // Canvas pixels are 0x00RRGGBB, SDL's RGB888.
  const bool fits = surface != nullptr && surface->pixels != nullptr &&
                    surface->format->format == SDL_PIXELFORMAT_RGB888 && !SDL_MUSTLOCK(surface) &&
                    surface->pitch % 4 == 0 && surface->w >= m_canvas.PixelWidth() &&
                    surface->h >= m_canvas.PixelHeight();
  if (fits) {
    m_canvas.UseLentPixels(static_cast<std::uint32_t*>(surface->pixels), surface->pitch / 4);
  } else if (m_bDrawsIntoSurface) {
    m_canvas.UseOwnPixels();
  }
  m_bDrawsIntoSurface = fits;
}

bool SdlWindow::IsBoundTo(const SDL_Surface* surface) const {
  return surface == m_pBoundSurface &&
         (surface == nullptr || (surface->pixels == m_pBoundPixels && surface->w == m_nBoundWidth &&
                                 surface->h == m_nBoundHeight && surface->pitch == m_nBoundPitch));
}

SdlWindow::~SdlWindow() {
  SDL_DestroyWindow(m_pWindow);
}

bool SdlWindow::Present(const Rect& area) {
  // SDL makes a new surface after the window changed size, and frees the old one here.
  SDL_Surface* surface = SDL_GetWindowSurface(m_pWindow);
  if (!IsBoundTo(surface)) {
    const bool drew_into_old = m_bDrawsIntoSurface;
    BindCanvas(surface);
    if (drew_into_old || m_bDrawsIntoSurface)
      return false;  // what was drawn is gone: the caller paints everything again
  }
  if (surface == nullptr)
    return true;
  const int scale = m_canvas.Scale();
  const Rect canvas_area = area.Intersect({0, 0, m_canvas.Width(), m_canvas.Height()});
  // Output pixels; the surface may be smaller than the canvas.
  const Rect out = Rect{canvas_area.left * scale, canvas_area.top * scale,
                        canvas_area.right * scale, canvas_area.bottom * scale}
                       .Intersect({0, 0, surface->w, surface->h});
  if (out.Empty())
    return true;
  if (!m_bDrawsIntoSurface) {
    if (SDL_MUSTLOCK(surface))
      SDL_LockSurface(surface);
    auto* target = static_cast<std::uint8_t*>(surface->pixels) +
                   static_cast<size_t>(out.top) * surface->pitch +
                   static_cast<size_t>(out.left) * surface->format->BytesPerPixel;
    SDL_ConvertPixels(out.Width(), out.Height(), SDL_PIXELFORMAT_RGB888,
                      m_canvas.Row(out.top) + out.left, m_canvas.Stride() * 4,
                      surface->format->format, target, surface->pitch);
    if (SDL_MUSTLOCK(surface))
      SDL_UnlockSurface(surface);
  }
  const SDL_Rect changed{out.left, out.top, out.Width(), out.Height()};
  SDL_UpdateWindowSurfaceRects(m_pWindow, &changed, 1);
  return true;
}

void SdlWindow::Raise() {
  SDL_RaiseWindow(m_pWindow);
}

}  // namespace qz
