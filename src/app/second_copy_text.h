#pragma once

#include <string>

namespace qz {

// What a second copy of the game says before it ends, on every platform.
inline std::string SecondCopyRefusal(const std::string& app_name) {
  return app_name +
         " is already running. Only one copy plays at a time, so that neither loses the other's "
         "results.";
}

}  // namespace qz
