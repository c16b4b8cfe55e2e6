#pragma once

#include "platform/platform.h"
#include "ui/click_static.h"
#include "ui/dialog.h"

namespace qz {

// The About box: one picture, the title artwork with an OK mark in its bottom-right corner.
// Closes on a press on the OK mark, on Escape and on the window's close button.
class CAboutDlg : public Dialog {
 public:
  static constexpr int kTemplateId = 100;
  static constexpr int kPictureId = 1052;

  explicit CAboutDlg(Platform& platform);

 private:
  ClickStatic m_picture;
};

// Shows the About box modally over `owner`.
void ShowAboutBox(Platform& platform, Dialog& owner);

}  // namespace qz
