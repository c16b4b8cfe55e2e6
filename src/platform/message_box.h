#pragma once

#include <string>

namespace qz {

enum class MessageIcon { kInformation, kExclamation, kStop, kQuestion };

// A modal box with one OK button. Returns when the user has closed it.
class MessageBox {
 public:
  virtual ~MessageBox() = default;
  virtual void Show(const std::string& caption, const std::string& text, MessageIcon icon) = 0;
};

}  // namespace qz
