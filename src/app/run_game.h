#pragma once

#include "platform/platform.h"

namespace qz {

// The game itself, on a started platform; returns the process exit status.
int RunGame(Platform& platform);

}  // namespace qz
