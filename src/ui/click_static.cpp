#include "ui/click_static.h"

namespace qz {

void ClickStatic::OnMouseDown(Point p) {
  // Both go out synchronously; the owner may end its dialog on the first, which only marks
  // it ended, so the control is still there for the second.
  if (p.x > kOkLeft && p.y > kOkTop && m_pOwner != nullptr)
    m_pOwner->OnCommand(kIdOk, 0);
  const Rect client{0, 0, m_rect.Width(), m_rect.Height()};
  if (client.Contains(p) && m_pOwner != nullptr)
    m_pOwner->OnCommand(m_nId, 0);
}

}  // namespace qz
