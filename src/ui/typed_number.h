#pragma once

#include <cstdint>
#include <string_view>

namespace qz {

// Reads the number at the start of an answer text the way the C library's atoi does:
// leading white space, an optional sign, then digits up to the first other character
// ("3.5" reads 3; "", "-" and "x" read 0). A number beyond the 32-bit range reads as the
// nearest end of the range instead of an undefined value, so it is judged wrong.
std::int32_t ReadAnswer(std::string_view text);

}  // namespace qz
