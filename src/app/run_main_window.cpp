#include "app/run_main_window.h"

#include <cstdio>
#include <string>

#include "app/about_dlg.h"
#include "game/drill_dlg.h"
#include "profile/training_settings.h"

namespace qz {

int RunMainWindow(Platform& platform) {
  TrainingSettings settings;
  CDrillDlg window(platform, settings);
  window.SetAboutBox([&platform](Dialog& owner) { ShowAboutBox(platform, owner); });
  if (window.RunModal() == -1) {
    const std::string text = "cannot build the main window: " + window.LastError();
    std::fprintf(stderr, "%s: %s\n", platform.app_name.c_str(), text.c_str());
    platform.message_box.Show(platform.app_name, text, MessageIcon::kStop);
    return 1;
  }
  return 0;
}

}  // namespace qz
