#include "ui/panel_host.h"

namespace qz {
namespace {

bool HasWindow(const Panel* panel) {
  return panel != nullptr && panel->HasWindow();
}

}  // namespace

bool PanelHost::AddPanel(Panel* panel, int template_id, Panel* parent) {
  if (panel == nullptr)
    return false;
  m_panels.push_back(panel);
  if (parent == nullptr || !panel->CreateChild(template_id, *parent))
    return false;
  const Rect rc = panel->WindowRect();
  const int w = rc.right - rc.left;
  const int h = rc.bottom - rc.top;
  int x = 0;
  int y = 0;
  if (m_bCenter) {
    // Signed halving, truncated toward zero: the odd pixel of free space goes right and down.
    x = m_rcFrame.left + ((m_rcFrame.right - m_rcFrame.left - w) / 2) - rc.left;
    y = m_rcFrame.top + ((m_rcFrame.bottom - m_rcFrame.top - h) / 2) - rc.top;
  } else {
    x = m_rcFrame.left - rc.left;
    y = m_rcFrame.top - rc.top;
  }
  // The offsets from the panel's place serve as its position in the parent: the panel was
  // just created at the parent's client origin.
  panel->MoveWindow(x, y);
  return true;
}

bool PanelHost::ShowPanel(int index) {
  const int count = static_cast<int>(m_panels.size());
  if (index > count - 1 || index < -1 || count == 0)
    return false;
  if (index != -1) {
    if (m_nCurrent != -1) {
      Panel* current = m_nCurrent < count ? m_panels[static_cast<size_t>(m_nCurrent)] : nullptr;
      if (!HasWindow(current))
        return false;
      current->ShowWindow(false);
    }
    m_nCurrent = index;
  }
  if (index == -1 && m_nCurrent == -1)
    m_nCurrent = 0;
  if (m_nCurrent >= count)
    return false;
  Panel* panel = m_panels[static_cast<size_t>(m_nCurrent)];
  if (!HasWindow(panel))
    return false;
  panel->ShowWindow(true);
  panel->Invalidate();
  panel->PresentNow();
  return true;
}

bool PanelHost::HideAllPanels() {
  for (Panel* panel : m_panels) {
    if (!HasWindow(panel))
      return false;
    panel->ShowWindow(false);
  }
  return true;
}

}  // namespace qz
