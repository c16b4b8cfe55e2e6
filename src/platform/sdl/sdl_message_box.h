#pragma once

#include "platform/message_box.h"

namespace qz {

// SDL's own message box; works before SDL is started. Falls back to a line on stderr when no
// box can be shown.
class SdlMessageBox : public MessageBox {
 public:
  void Show(const std::string& caption, const std::string& text, MessageIcon icon) override;
};

}  // namespace qz
