#pragma once

#include <string>

#include "app/command_line.h"
#include "platform/sdl/sdl_window_system.h"
#include "platform/settings_store.h"

namespace qz {

// Opens the main window as chosen on the command line or, failing that, as last left, and keeps
// every switch in the settings; they are saved with the rest when the game is left. Shared by
// the composition roots of the SDL backends.
void ChooseWindowMode(SdlWindowSystem& windows, SettingsStore& settings, WindowChoice choice,
                      const std::string& app_name);

}  // namespace qz
