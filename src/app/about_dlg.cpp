#include "app/about_dlg.h"

namespace qz {

CAboutDlg::CAboutDlg(Platform& platform) : Dialog(platform, kTemplateId) {
  Bind(kPictureId, m_picture);
}

void ShowAboutBox(Platform& platform, Dialog& owner) {
  CAboutDlg about(platform);
  about.RunModal(&owner);
}

}  // namespace qz
