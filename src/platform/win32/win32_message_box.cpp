#include "platform/win32/win32_message_box.h"

#include <windows.h>

#include "platform/win32/win32_text.h"

namespace qz {

void Win32MessageBox::Show(const std::string& caption, const std::string& text, MessageIcon icon) {
  UINT style = MB_OK | MB_TASKMODAL | MB_SETFOREGROUND;
  switch (icon) {
    case MessageIcon::kInformation:
      style |= MB_ICONINFORMATION;
      break;
    case MessageIcon::kExclamation:
      style |= MB_ICONEXCLAMATION;
      break;
    case MessageIcon::kStop:
      style |= MB_ICONSTOP;
      break;
    case MessageIcon::kQuestion:
      style |= MB_ICONQUESTION;
      break;
  }
  MessageBoxW(nullptr, WideText(text).c_str(), WideText(caption).c_str(), style);
}

}  // namespace qz
