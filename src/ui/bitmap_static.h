#pragma once

#include "ui/control.h"

namespace qz {

// A picture on the window. The template text "#N" names the picture shown from the start;
// the control takes the size of its picture. With the notify style a press on it reaches the
// owner as STN_CLICKED, and so does Space while it has the focus (a tab stop: a switch that
// the keyboard can work).
class BitmapStatic : public Control {
 public:
  std::string_view Kind() const override { return "static"; }
  void ApplyTemplate(const ControlTemplate& t, ControlOwner* owner) override;

  // Shows `picture` (nothing for none), stretched to width x height when those are given,
  // else at its own size; the control takes that size. The picture must outlive its showing
  // (the asset store keeps every picture for the run).
  void SetImage(const Bitmap* picture, int width = 0, int height = 0);
  const Bitmap* GetImage() const { return m_pImage; }

  void Paint(Canvas& canvas, const Rect& where) override;
  bool HitTest(Point p) const override { return HasStyle(kStyleNotify) && Control::HitTest(p); }
  void OnMouseDown(Point) override;
  bool OnKeyClick(Key key) override;

 private:
  const Bitmap* m_pImage = nullptr;
};

}  // namespace qz
