#include "platform/headless/headless_window.h"

#include <utility>

namespace qz {

HeadlessWindow::HeadlessWindow(std::uint32_t id, std::string title, int width, int height,
                               int scale, std::uint32_t owner_id,
                               std::function<void(std::uint32_t)> on_close)
    : m_nId(id),
      m_strTitle(std::move(title)),
      m_canvas(width, height, scale),
      m_nOwnerId(owner_id),
      m_onClose(std::move(on_close)) {}

HeadlessWindow::~HeadlessWindow() {
  if (m_onClose)
    m_onClose(m_nId);
}

}  // namespace qz
