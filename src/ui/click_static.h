#pragma once

#include "ui/bitmap_static.h"

namespace qz {

// A picture that takes every mouse press over it and reports it to its owner: IDOK first
// when the press lies in the bottom-right corner (x > 416 and y > 180, strictly; the OK mark
// of the About picture), then its own id.
class ClickStatic : public BitmapStatic {
 public:
  static constexpr int kOkLeft = 416;
  static constexpr int kOkTop = 180;

  bool HitTest(Point p) const override { return m_rect.Contains(p); }
  void OnMouseDown(Point p) override;
};

}  // namespace qz
