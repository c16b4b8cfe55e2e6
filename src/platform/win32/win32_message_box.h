#pragma once

#include "platform/message_box.h"

namespace qz {

// Windows' own message box, modal to the whole task, with one OK button.
class Win32MessageBox : public MessageBox {
 public:
  void Show(const std::string& caption, const std::string& text, MessageIcon icon) override;
};

}  // namespace qz
