#pragma once

#include <cstdint>
#include <vector>

#include "platform/geometry.h"
#include "ui/panel.h"

namespace qz {

// Child panels that share one area of a parent window: places each panel in the area when it
// is created and shows at most one at a time. Does not own the panels.
class PanelHost {
 public:
  virtual ~PanelHost() = default;

  // Appends `panel`, creates it as a hidden child of `parent` from template `template_id`
  // and places it in m_rcFrame. False for a null panel (nothing is added) and when the panel
  // could not be created (it stays in the list, without a window).
  bool AddPanel(Panel* panel, int template_id, Panel* parent);
  // Hides the current panel and shows panel `index`; -1 shows the current one again, or the
  // first when none was shown. False for an index past the end or below -1, and for a panel
  // without a window.
  bool ShowPanel(int index);
  // Hides every panel in order; false at the first one without a window.
  bool HideAllPanels();

  std::vector<Panel*> m_panels;
  std::int32_t m_nCurrent = -1;
  Rect m_rcFrame;          // the area, in the top-level window's coordinates
  bool m_bCenter = false;  // centre each panel in the area instead of aligning its corner
};

}  // namespace qz
