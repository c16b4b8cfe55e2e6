#pragma once

#include <filesystem>
#include <optional>

namespace qz {

// The full path of the running program, from the system; nothing when it cannot say.
std::optional<std::filesystem::path> ExecutablePath();

}  // namespace qz
