#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "app/command_line.h"
#include "platform/platform.h"

namespace qz {

// The executable's file name without its extension: "quizendo".
std::string ApplicationName(const char* argv0);
// The folder that holds the executable, where the build tree keeps assets/.
std::filesystem::path ExecutableDir(const char* argv0);

// The settings value that keeps whether the game was last played full screen (0 or 1; anything
// that is not a number reads as 0, the window).
inline constexpr char kFullScreenValue[] = "FullScreen";

// Settles whose record is played (see cadet_start.h), starts SDL, finds the assets, builds the
// platform and runs `game` on it, in a window or on the whole screen as the command line says
// or, when it says nothing, as the game was last left. Exit status 2 when the cadet named on
// the command line is not there.
// Returns the process exit status: the game's, or 1 when there is no display or an asset or a
// font is missing or broken (said on stderr, and in a message box when one can be shown).
int RunApplication(int argc, char** argv, const CommandLine& line,
                   const std::function<int(Platform&)>& game);

}  // namespace qz
