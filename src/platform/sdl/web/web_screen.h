#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/canvas.h"
#include "platform/event.h"
#include "platform/geometry.h"

struct SDL_Window;

namespace qz {

// The page has one canvas, so the browser flavour of the SDL backend shows every game window
// as a layer on it: a box opens centred over its owner and takes the input until it closes.
// Each layer keeps its own pixels, so closing a box shows again what lay under it without the
// game repainting.
class WebScreen {
 public:
  // The one screen of the page; the canvas is made by the first window opened.
  static WebScreen& Get();

  void SetScale(int scale) { m_nScale = scale; }
  int Scale() const { return m_nScale; }
  // Draws at `scale` from now on: the page's canvas takes the new size and layer `id` is shown
  // from `canvas`, which the window made for it. Its game window repaints on the expose that
  // follows.
  void Rescale(int scale, std::uint32_t id, Canvas& canvas);
  std::size_t LayerCount() const { return m_layers.size(); }
  // SDL's id of the page's one window (0 before the first layer): input the page queues
  // itself carries it, as SDL's own does.
  std::uint32_t SdlWindowId() const;

  // Puts `canvas` on top at logical position (left, top); returns the layer's window id.
  std::uint32_t AddLayer(Canvas& canvas, int left, int top);
  void RemoveLayer(std::uint32_t id);
  void Raise(std::uint32_t id);
  // Where a new window of width x height goes: centred over `owner`, or on the screen.
  Point PlaceOver(std::uint32_t owner, int width, int height) const;
  // Puts layer `id`'s `area` (its logical pixels) on the canvas, with the layers over it.
  void Present(std::uint32_t id, const Rect& area);
  // Hands input to the top layer, in its own coordinates: the boxes are modal.
  void Route(Event& e) const;

 private:
  struct Layer {
    std::uint32_t id;
    Canvas* canvas;
    int left;
    int top;
  };

  // Copies the layers' pixels inside `screen_area` (logical screen pixels) to the canvas.
  void Compose(const Rect& screen_area);
  bool EnsureWindow();

  SDL_Window* m_pWindow = nullptr;
  int m_nScale = 1;
  std::uint32_t m_nNextId = 1;
  std::vector<Layer> m_layers;  // bottom first
};

}  // namespace qz
