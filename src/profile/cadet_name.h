#pragma once

#include <string>
#include <string_view>

namespace qz {

// The name as the game keeps it: every control character (below U+0020, and DEL) turned into
// a blank. A name stored with line breaks or TABs would otherwise write records of its own
// into the log, or draw as boxes.
std::string CleanCadetName(std::string_view name);

}  // namespace qz
