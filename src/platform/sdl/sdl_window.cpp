#include "platform/sdl/sdl_window.h"

#include <SDL.h>

namespace qz {

SdlWindow::SdlWindow(SDL_Window* window, int width, int height, int scale)
    : m_pWindow(window), m_nId(SDL_GetWindowID(window)), m_canvas(width, height, scale) {}

SdlWindow::~SdlWindow() {
  SDL_DestroyWindow(m_pWindow);
}

void SdlWindow::Present() {
  SDL_Surface* surface = SDL_GetWindowSurface(m_pWindow);
  if (surface == nullptr)
    return;
  const int width = m_canvas.PixelWidth() < surface->w ? m_canvas.PixelWidth() : surface->w;
  const int height = m_canvas.PixelHeight() < surface->h ? m_canvas.PixelHeight() : surface->h;
  if (SDL_MUSTLOCK(surface))
    SDL_LockSurface(surface);
  // Canvas pixels are 0x00RRGGBB, SDL's RGB888; the surface may use another layout.
  SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_RGB888, m_canvas.Pixels().data(),
                    m_canvas.PixelWidth() * 4, surface->format->format, surface->pixels,
                    surface->pitch);
  if (SDL_MUSTLOCK(surface))
    SDL_UnlockSurface(surface);
  SDL_UpdateWindowSurface(m_pWindow);
}

void SdlWindow::Raise() {
  SDL_RaiseWindow(m_pWindow);
}

}  // namespace qz
