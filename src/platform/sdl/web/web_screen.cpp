#include "platform/sdl/web/web_screen.h"

#include <SDL.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace qz {
namespace {

// The screen is the size of the main window; boxes open inside it.
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 400;

}  // namespace

WebScreen& WebScreen::Get() {
  static WebScreen screen;
  return screen;
}

bool WebScreen::EnsureWindow() {
  if (m_pWindow != nullptr)
    return true;
  // The page sizes the canvas on screen (whole device pixels per canvas pixel); SDL keeps
  // its drawing buffer at the window's size.
  m_pWindow = SDL_CreateWindow("", 0, 0, kScreenWidth * m_nScale, kScreenHeight * m_nScale, 0);
  return m_pWindow != nullptr;
}

std::uint32_t WebScreen::SdlWindowId() const {
  return m_pWindow != nullptr ? SDL_GetWindowID(m_pWindow) : 0;
}

std::uint32_t WebScreen::AddLayer(Canvas& canvas, int left, int top) {
  if (!EnsureWindow())
    throw std::runtime_error(std::string("cannot open a window: ") + SDL_GetError());
  const std::uint32_t id = m_nNextId++;
  m_layers.push_back({id, &canvas, left, top});
  return id;
}

void WebScreen::Rescale(int scale, std::uint32_t id, Canvas& canvas) {
  for (Layer& layer : m_layers) {
    if (layer.id == id)
      layer.canvas = &canvas;
  }
  m_nScale = scale;
  if (m_pWindow == nullptr)
    return;
  SDL_SetWindowSize(m_pWindow, kScreenWidth * scale, kScreenHeight * scale);
  // The game draws the window again on an expose, at the new scale; until then it is black.
  SDL_Event expose{};
  expose.type = SDL_WINDOWEVENT;
  expose.window.event = SDL_WINDOWEVENT_EXPOSED;
  expose.window.windowID = SDL_GetWindowID(m_pWindow);
  SDL_PushEvent(&expose);
}

void WebScreen::RemoveLayer(std::uint32_t id) {
  auto found = std::find_if(m_layers.begin(), m_layers.end(),
                            [id](const Layer& layer) { return layer.id == id; });
  if (found == m_layers.end())
    return;
  const Rect uncovered =
      Rect::FromSize(found->left, found->top, found->canvas->Width(), found->canvas->Height());
  m_layers.erase(found);
  Compose(uncovered);
}

void WebScreen::Raise(std::uint32_t id) {
  auto found = std::find_if(m_layers.begin(), m_layers.end(),
                            [id](const Layer& layer) { return layer.id == id; });
  if (found == m_layers.end() || found + 1 == m_layers.end())
    return;
  const Layer raised = *found;
  m_layers.erase(found);
  m_layers.push_back(raised);
  Compose(Rect::FromSize(raised.left, raised.top, raised.canvas->Width(), raised.canvas->Height()));
}

Point WebScreen::PlaceOver(std::uint32_t owner, int width, int height) const {
  Rect around{0, 0, kScreenWidth, kScreenHeight};
  for (const Layer& layer : m_layers) {
    if (layer.id == owner)
      around = Rect::FromSize(layer.left, layer.top, layer.canvas->Width(), layer.canvas->Height());
  }
  return {around.left + (around.Width() - width) / 2, around.top + (around.Height() - height) / 2};
}

void WebScreen::Present(std::uint32_t id, const Rect& area) {
  for (const Layer& layer : m_layers) {
    if (layer.id != id)
      continue;
    const Rect own = area.Intersect({0, 0, layer.canvas->Width(), layer.canvas->Height()});
    Compose({own.left + layer.left, own.top + layer.top, own.right + layer.left,
             own.bottom + layer.top});
    return;
  }
}

void WebScreen::Compose(const Rect& screen_area) {
  if (m_pWindow == nullptr)
    return;
  SDL_Surface* surface = SDL_GetWindowSurface(m_pWindow);
  if (surface == nullptr)
    return;
  const int scale = m_nScale;
  const Rect out = Rect{screen_area.left * scale, screen_area.top * scale,
                        screen_area.right * scale, screen_area.bottom * scale}
                       .Intersect({0, 0, surface->w, surface->h});
  if (out.Empty())
    return;
  if (SDL_MUSTLOCK(surface))
    SDL_LockSurface(surface);
  // What no layer covers is black; each layer is copied over the ones under it.
  const SDL_Rect whole{out.left, out.top, out.Width(), out.Height()};
  SDL_FillRect(surface, &whole, SDL_MapRGB(surface->format, 0, 0, 0));
  for (const Layer& layer : m_layers) {
    const Canvas& canvas = *layer.canvas;
    const Rect placed = Rect::FromSize(layer.left * scale, layer.top * scale, canvas.PixelWidth(),
                                       canvas.PixelHeight());
    const Rect part = placed.Intersect(out);
    if (part.Empty())
      continue;
    auto* target = static_cast<std::uint8_t*>(surface->pixels) +
                   static_cast<size_t>(part.top) * surface->pitch +
                   static_cast<size_t>(part.left) * surface->format->BytesPerPixel;
    SDL_ConvertPixels(part.Width(), part.Height(), SDL_PIXELFORMAT_RGB888,
                      canvas.Row(part.top - placed.top) + (part.left - placed.left),
                      canvas.Stride() * 4, surface->format->format, target, surface->pitch);
  }
  if (SDL_MUSTLOCK(surface))
    SDL_UnlockSurface(surface);
  SDL_UpdateWindowSurfaceRects(m_pWindow, &whole, 1);
}

void WebScreen::Route(Event& e) const {
  if (e.window == 0 || m_layers.empty())
    return;
  const Layer& top = m_layers.back();
  e.window = top.id;
  if (e.type == EventType::kMouseDown || e.type == EventType::kMouseUp ||
      e.type == EventType::kMouseMove) {
    e.x -= top.left;
    e.y -= top.top;
  }
}

}  // namespace qz
