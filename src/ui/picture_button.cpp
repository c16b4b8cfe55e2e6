#include "ui/picture_button.h"

namespace qz {

void PictureButton::AutoLoad() {
  if (m_pOwner == nullptr)
    return;
  m_pUp = m_pOwner->FindPicture(m_strText + "U");
  m_pDown = m_pOwner->FindPicture(m_strText + "D");
  m_pFocus = m_pOwner->FindPicture(m_strText + "F");
  m_pDisabled = m_pOwner->FindPicture(m_strText + "X");
  if (m_pUp != nullptr)
    Resize(m_pUp->width, m_pUp->height);
  Invalidate();
}

const Bitmap* PictureButton::CurrentImage() const {
  if (m_bPressed && m_pDown != nullptr)
    return m_pDown;
  if (HasFocus() && m_pFocus != nullptr)
    return m_pFocus;
  if (!m_bEnabled && m_pDisabled != nullptr)
    return m_pDisabled;
  return m_pUp;
}

void PictureButton::Click() {
  Notify(kBnClicked);
}

bool PictureButton::OnKeyClick(Key key) {
  if (key != Key::kReturn && key != Key::kSpace)
    return false;
  Click();
  return true;
}

void PictureButton::Paint(Canvas& canvas, const Rect& where) {
  const Bitmap* image = CurrentImage();
  if (image != nullptr)
    canvas.DrawBitmap(*image, where.left, where.top);
}

bool PictureButton::Inside(Point p) const {
  return p.x >= 0 && p.y >= 0 && p.x < m_rect.Width() && p.y < m_rect.Height();
}

void PictureButton::SetPressed(bool pressed) {
  if (pressed == m_bPressed)
    return;
  m_bPressed = pressed;
  Invalidate();
}

void PictureButton::OnMouseDown(Point p) {
  m_bTracking = Inside(p);
  SetPressed(m_bTracking);
}

void PictureButton::OnMouseMove(Point p) {
  if (m_bTracking)
    SetPressed(Inside(p));
}

void PictureButton::OnMouseUp(Point p) {
  if (!m_bTracking)
    return;
  m_bTracking = false;
  SetPressed(false);
  // The owner may hide or disable the button in its handler; nothing here touches it after.
  if (Inside(p) && m_bEnabled && m_bVisible)
    Click();
}

void PictureButton::OnCancelMode() {
  m_bTracking = false;
  SetPressed(false);
}

}  // namespace qz
