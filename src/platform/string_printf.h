#pragma once

#include <string>

namespace qz {

// printf-style formatting into a std::string; the game's own formats are printf formats.
std::string StringPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace qz
