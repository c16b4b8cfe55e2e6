#pragma once

#include "platform/platform.h"

namespace qz {

// The game proper on a started platform: the main window, run modally with the About box of
// the application; the program ends when it closes. Returns the process exit status: 0, or 1
// when the window could not be built (said on stderr and in a message box).
int RunMainWindow(Platform& platform);

}  // namespace qz
