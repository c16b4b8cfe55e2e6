#include "ui/label_button.h"

#include <algorithm>

#include "ui/text_ellipsis.h"

namespace qz {

void LabelButton::SetLabel(const std::string& label) {
  if (label == m_strLabel)
    return;
  m_strLabel = label;
  Invalidate();
}

void LabelButton::SetBadge(const Bitmap* badge) {
  if (badge == m_pBadge)
    return;
  m_pBadge = badge;
  Invalidate();
}

void LabelButton::Paint(Canvas& canvas, const Rect& where) {
  PictureButton::Paint(canvas, where);
  const int sink = IsPressed() ? 1 : 0;
  Rect text_box{where.left + kPadding, where.top + sink, where.right - kPadding,
                where.bottom + sink};
  if (m_pBadge != nullptr) {
    canvas.DrawBitmap(*m_pBadge, text_box.left,
                      where.top + sink + (where.Height() - m_pBadge->height) / 2);
    text_box.left += m_pBadge->width + kPadding;
    // The label stays centred on the face: as much room on the right as the badge takes.
    text_box.right -= m_pBadge->width + kPadding;
  }
  Font* font = GetFont();
  if (font == nullptr || m_strLabel.empty())
    return;
  const int scale = std::max(1, canvas.Scale());
  const std::string shown = EllipsizeToWidth(*font, m_strLabel, text_box.Width() * scale);
  canvas.DrawText(*font, shown, text_box, HAlign::kCenter, VAlign::kCenter, AskColors().text);
}

}  // namespace qz
