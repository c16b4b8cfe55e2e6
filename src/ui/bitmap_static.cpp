#include "ui/bitmap_static.h"

namespace qz {

void BitmapStatic::ApplyTemplate(const ControlTemplate& t, ControlOwner* owner) {
  Control::ApplyTemplate(t, owner);
  const std::optional<int> picture = t.PictureId();
  if (picture && owner != nullptr)
    SetImage(owner->FindPicture(std::to_string(*picture)));
}

void BitmapStatic::SetImage(const Bitmap* picture, int width, int height) {
  const int w = width > 0 ? width : (picture != nullptr ? picture->width : m_rect.Width());
  const int h = height > 0 ? height : (picture != nullptr ? picture->height : m_rect.Height());
  if (picture == m_pImage && w == m_rect.Width() && h == m_rect.Height())
    return;
  m_pImage = picture;
  m_rect.right = m_rect.left + w;
  m_rect.bottom = m_rect.top + h;
  Invalidate();
}

void BitmapStatic::Paint(Canvas& canvas, const Rect& where) {
  if (m_pImage == nullptr)
    return;
  if (m_pImage->width == where.Width() && m_pImage->height == where.Height()) {
    canvas.DrawBitmap(*m_pImage, where.left, where.top);
  } else {
    canvas.DrawBitmapStretched(*m_pImage, where);
  }
}

void BitmapStatic::OnMouseDown(Point) {
  Notify(kStnClicked);
}

bool BitmapStatic::OnKeyClick(Key key) {
  if (key != Key::kSpace || !HasStyle(kStyleNotify))
    return false;
  Notify(kStnClicked);
  return true;
}

}  // namespace qz
