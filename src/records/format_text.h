#pragma once

#include <string>

namespace qz {

// printf into a string; the records are written with the game's printf formats.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace qz
