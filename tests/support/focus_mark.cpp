#include "support/focus_mark.h"

#include <iterator>

namespace qz::test {

bool MarkedOnScreen(Dialog& window, int id) {
  const Control* control = window.FindControl(id);
  if (control == nullptr || window.Window() == nullptr)
    return false;
  const Canvas& canvas = window.Window()->GetCanvas();
  Rect outer = window.FocusMarkArea(*control);
  for (size_t i = 0; i < std::size(Dialog::kFocusMarkRingWidths); ++i) {
    const int width = Dialog::kFocusMarkRingWidths[i];
    const std::uint32_t color = ToPixel(Dialog::kFocusMarkRingColors[i]);
    const Rect inner = outer.Inflate(-width);
    for (int y = outer.top; y < outer.bottom; ++y) {
      for (int x = outer.left; x < outer.right; ++x) {
        if (!inner.Contains({x, y}) && canvas.PixelAt(x, y) != color)
          return false;
      }
    }
    outer = inner;
  }
  return true;
}

}  // namespace qz::test
