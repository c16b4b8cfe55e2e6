#pragma once

#include <vector>

#include "ui/control.h"

namespace qz {

// A line of text on the window: font, colour from the owner, horizontal and vertical
// alignment from the template styles. A black-frame static draws only its frame.
class TextStatic : public Control {
 public:
  // Space kept free at each end of a line that must fit, in logical pixels.
  static constexpr int kFitMargin = 4;

  std::string_view Kind() const override { return "static"; }
  // Faces for a text that must never be cut: when it is wider than the control in its own
  // font, it is drawn on one line in the first of these in which it fits, or in the last one.
  // The fonts must outlive the control.
  void SetFallbackFonts(std::vector<Font*> fonts);
  void Paint(Canvas& canvas, const Rect& where) override;
  // Statics are transparent to the mouse unless they report clicks.
  bool HitTest(Point p) const override { return HasStyle(kStyleNotify) && Control::HitTest(p); }
  void OnMouseDown(Point) override;

 private:
  // The fallback font the text needs, or nothing when its own font holds it.
  Font* FittingFont(Font& own, int width_pixels);

  std::vector<Font*> m_vFallbackFonts;
};

}  // namespace qz
