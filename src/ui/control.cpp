#include "ui/control.h"
#include "ui/palette.h"

namespace qz {

void Control::ApplyTemplate(const ControlTemplate& t, ControlOwner* owner) {
  m_pOwner = owner;
  m_nId = t.id;
  m_rect = t.PixelRect();
  m_nStyles = t.styles;
  m_bVisible = !t.Has(kStyleHidden);
  m_bEnabled = !t.Has(kStyleDisabled);
  m_strText = t.text;
}

void Control::Resize(int width, int height) {
  if (width == m_rect.Width() && height == m_rect.Height())
    return;
  Invalidate();  // the old extent
  m_rect.right = m_rect.left + width;
  m_rect.bottom = m_rect.top + height;
  Invalidate();
}

void Control::Show(bool visible) {
  if (visible == m_bVisible)
    return;
  m_bVisible = visible;
  Invalidate();
  if (!visible && m_pOwner != nullptr)
    m_pOwner->OnControlUnusable(*this);
}

void Control::Enable(bool enabled) {
  if (enabled == m_bEnabled)
    return;
  m_bEnabled = enabled;
  Invalidate();
  if (!enabled && m_pOwner != nullptr)
    m_pOwner->OnControlUnusable(*this);
}

void Control::SetText(std::string_view text) {
  if (text == m_strText)
    return;
  m_strText = text;
  Invalidate();
}

void Control::SetFont(Font* font) {
  if (font == m_pFont)
    return;
  m_pFont = font;
  Invalidate();
}

Font* Control::GetFont() const {
  if (m_pFont != nullptr)
    return m_pFont;
  return m_pOwner != nullptr ? m_pOwner->DefaultFont() : nullptr;
}

bool Control::HasFocus() const {
  return m_pOwner != nullptr && m_pOwner->GetFocus() == this;
}

void Control::Notify(int code) {
  if (m_pOwner != nullptr)
    m_pOwner->OnCommand(m_nId, code);
}

void Control::Invalidate() {
  if (m_pOwner != nullptr)
    m_pOwner->Invalidate(m_rect);
}

void Control::PresentNow() {
  if (m_pOwner != nullptr)
    m_pOwner->PresentNow();
}

CtlColor Control::AskColors() {
  if (m_pOwner != nullptr)
    return m_pOwner->OnCtlColor(*this);
  return CtlColor{kAmber, kBlack};
}

}  // namespace qz
