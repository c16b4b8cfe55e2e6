#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "platform/platform.h"

namespace qz {

// The executable's file name without its extension: "quizendo".
std::string ApplicationName(const char* argv0);
// The folder that holds the executable, where the build tree keeps assets/.
std::filesystem::path ExecutableDir(const char* argv0);

// Starts SDL, finds the assets, builds the platform and runs `game` on it. Returns the process
// exit status: the game's, or 1 when there is no display or an asset or font is missing or broken
// (said on stderr, and in a message box when one can be shown).
int RunApplication(int argc, char** argv, const std::function<int(Platform&)>& game);

}  // namespace qz
