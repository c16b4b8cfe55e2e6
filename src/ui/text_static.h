#pragma once

#include "ui/control.h"

namespace qz {

// A line of text on the window: font, colour from the owner, horizontal and vertical
// alignment from the template styles. A black-frame static draws only its frame.
class TextStatic : public Control {
 public:
  std::string_view Kind() const override { return "static"; }
  void Paint(Canvas& canvas, const Rect& where) override;
  // Statics are transparent to the mouse unless they report clicks.
  bool HitTest(Point p) const override { return HasStyle(kStyleNotify) && Control::HitTest(p); }
  void OnMouseDown(Point) override;
};

}  // namespace qz
