#include "platform/sdl/sdl_window.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>

#include "platform/sdl/sdl_window_system.h"

namespace qz {
namespace {

// Whole logical pixels, rounding down also left of and above the canvas.
int FloorDiv(int value, int divisor) {
  return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

// A window closed by a press (the About box closes on one) has that press's release on the
// way. SDL drops the events of a window that is gone, and would then take the next press of
// the same button for no change and drop it too: the first click after the box would be lost.
// So the window waits, still shown, for the release to reach SDL, but not for long.
constexpr std::uint32_t kReleaseWaitMs = 250;

void AwaitReleaseOfPress() {
  const std::uint32_t start = SDL_GetTicks();
  while ((SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK) != 0 &&
         SDL_GetTicks() - start < kReleaseWaitMs) {
    SDL_Delay(1);
    SDL_PumpEvents();
  }
}

}  // namespace

SdlWindow::SdlWindow(SDL_Window* window, int width, int height, int scale, SdlWindowSystem* system)
    : m_pWindow(window),
      m_nId(SDL_GetWindowID(window)),
      m_pSystem(system),
      m_pCanvas(std::make_unique<Canvas>(width, height, scale)) {
  BindCanvas(SDL_GetWindowSurface(m_pWindow));
}

void SdlWindow::BindCanvas(SDL_Surface* surface) {
  Canvas& canvas = *m_pCanvas;
  m_bBound = true;
  m_pBoundSurface = surface;
  m_pBoundPixels = surface != nullptr ? surface->pixels : nullptr;
  m_nBoundWidth = surface != nullptr ? surface->w : 0;
  m_nBoundHeight = surface != nullptr ? surface->h : 0;
  m_nBoundPitch = surface != nullptr ? surface->pitch : 0;
  m_nOffsetX = std::max(0, (m_nBoundWidth - canvas.PixelWidth()) / 2);
  m_nOffsetY = std::max(0, (m_nBoundHeight - canvas.PixelHeight()) / 2);
  m_bBorderPending = false;
  if (surface != nullptr && surface->pixels != nullptr &&
      (m_nOffsetX > 0 || m_nOffsetY > 0 || surface->w > canvas.PixelWidth() ||
       surface->h > canvas.PixelHeight())) {
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    m_bBorderPending = true;
  }
  // Canvas pixels are 0x00RRGGBB, SDL's RGB888.
  const bool fits = surface != nullptr && surface->pixels != nullptr &&
                    surface->format->format == SDL_PIXELFORMAT_RGB888 && !SDL_MUSTLOCK(surface) &&
                    surface->pitch % 4 == 0 && surface->w >= canvas.PixelWidth() &&
                    surface->h >= canvas.PixelHeight();
  if (fits) {
    const int stride = surface->pitch / 4;
    canvas.UseLentPixels(static_cast<std::uint32_t*>(surface->pixels) +
                             static_cast<size_t>(m_nOffsetY) * stride + m_nOffsetX,
                         stride);
  } else if (m_bDrawsIntoSurface) {
    canvas.UseOwnPixels();
  }
  m_bDrawsIntoSurface = fits;
}

bool SdlWindow::IsBoundTo(const SDL_Surface* surface) const {
  return m_bBound && surface == m_pBoundSurface &&
         (surface == nullptr || (surface->pixels == m_pBoundPixels && surface->w == m_nBoundWidth &&
                                 surface->h == m_nBoundHeight && surface->pitch == m_nBoundPitch));
}

SdlWindow::~SdlWindow() {
  if (m_pSystem != nullptr)
    m_pSystem->Forget(m_nId);
  AwaitReleaseOfPress();
  SDL_DestroyWindow(m_pWindow);
}

void SdlWindow::SetScale(int scale) {
  if (scale == m_pCanvas->Scale())
    return;
  m_pCanvas = std::make_unique<Canvas>(m_pCanvas->Width(), m_pCanvas->Height(), scale);
  m_bDrawsIntoSurface = false;
  m_bBound = false;
}

Point SdlWindow::ToLogical(int x, int y) const {
  const int scale = m_pCanvas->Scale();
  return {FloorDiv(x - m_nOffsetX, scale), FloorDiv(y - m_nOffsetY, scale)};
}

bool SdlWindow::Present(const Rect& area) {
  // SDL makes a new surface after the window changed size, and frees the old one here.
  SDL_Surface* surface = SDL_GetWindowSurface(m_pWindow);
  if (!IsBoundTo(surface)) {
    const bool was_bound = m_bBound;
    const bool drew_into_old = m_bDrawsIntoSurface;
    BindCanvas(surface);
    if (!was_bound || drew_into_old || m_bDrawsIntoSurface)
      return false;  // what was drawn is gone: the caller paints everything again
  }
  if (surface == nullptr)
    return true;
  const Canvas& canvas = *m_pCanvas;
  const int scale = canvas.Scale();
  const Rect canvas_area = area.Intersect({0, 0, canvas.Width(), canvas.Height()});
  // Canvas pixels; the surface may be smaller than the canvas.
  const Rect out = Rect{canvas_area.left * scale, canvas_area.top * scale,
                        canvas_area.right * scale, canvas_area.bottom * scale}
                       .Intersect({0, 0, surface->w - m_nOffsetX, surface->h - m_nOffsetY});
  if (out.Empty() && !m_bBorderPending)
    return true;
  if (!m_bDrawsIntoSurface && !out.Empty()) {
    if (SDL_MUSTLOCK(surface))
      SDL_LockSurface(surface);
    auto* target = static_cast<std::uint8_t*>(surface->pixels) +
                   static_cast<size_t>(out.top + m_nOffsetY) * surface->pitch +
                   static_cast<size_t>(out.left + m_nOffsetX) * surface->format->BytesPerPixel;
    SDL_ConvertPixels(out.Width(), out.Height(), SDL_PIXELFORMAT_RGB888,
                      canvas.Row(out.top) + out.left, canvas.Stride() * 4, surface->format->format,
                      target, surface->pitch);
    if (SDL_MUSTLOCK(surface))
      SDL_UnlockSurface(surface);
  }
  // A whole frame (the window was uncovered, or the window manager has only now given it the
  // size SDL assumed) also puts the black border back, which the X server does not keep.
  const bool whole_frame = canvas_area == Rect{0, 0, canvas.Width(), canvas.Height()};
  if (m_bBorderPending || (whole_frame && (m_nOffsetX > 0 || m_nOffsetY > 0))) {
    m_bBorderPending = false;
    SDL_UpdateWindowSurface(m_pWindow);
    return true;
  }
  const SDL_Rect changed{out.left + m_nOffsetX, out.top + m_nOffsetY, out.Width(), out.Height()};
  SDL_UpdateWindowSurfaceRects(m_pWindow, &changed, 1);
  return true;
}

void SdlWindow::Raise() {
  SDL_RaiseWindow(m_pWindow);
}

}  // namespace qz
