#pragma once

#include <cstdint>
#include <string_view>

namespace qz {

// What may stand before a typed number: the C locale's white space (the answer box), or only
// spaces and tabs (the setup panel's date boxes).
enum class LeadingBlanks { kCLocale, kSpaceAndTab };

// Reads the number at the start of a typed text the way the C library's atoi does: leading
// blanks, an optional sign, then digits up to the first other character ("3.5" reads 3; "",
// "-" and "x" read 0). A number beyond the 32-bit range reads as the nearest end of the range
// instead of an undefined value.
std::int32_t ReadTypedNumber(std::string_view text, LeadingBlanks blanks);

// The answer box's reading: a huge answer saturates and is judged wrong.
inline std::int32_t ReadAnswer(std::string_view text) {
  return ReadTypedNumber(text, LeadingBlanks::kCLocale);
}

}  // namespace qz
