#include "app/window_mode.h"

#include <cstdio>

#include "app/startup.h"
#include "profile/training_settings.h"

namespace qz {

void ChooseWindowMode(SdlWindowSystem& windows, SettingsStore& settings, WindowChoice choice,
                      const std::string& app_name) {
  bool full_screen = settings.GetInt(kVersionText, kFullScreenValue, 0) != 0;
  if (choice != WindowChoice::kStored) {
    full_screen = choice == WindowChoice::kFullScreen;
    settings.WriteInt(kVersionText, kFullScreenValue, full_screen ? 1 : 0);
  }
  windows.SetFullScreenListener([&settings, app_name](bool now_full_screen,
                                                      const std::string& error) {
    if (!error.empty()) {
      if (now_full_screen) {
        std::fprintf(stderr, "%s: cannot leave full screen: %s\n", app_name.c_str(), error.c_str());
      } else {
        std::fprintf(stderr, "%s: cannot play full screen: %s; playing in a window\n",
                     app_name.c_str(), error.c_str());
      }
      return;
    }
    settings.WriteInt(kVersionText, kFullScreenValue, now_full_screen ? 1 : 0);
  });
  windows.SetFullScreen(full_screen);
}

}  // namespace qz
