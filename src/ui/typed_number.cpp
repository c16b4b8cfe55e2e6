#include "ui/typed_number.h"

#include <cstddef>
#include <limits>

namespace qz {
namespace {

bool IsBlank(char c, LeadingBlanks blanks) {
  if (blanks == LeadingBlanks::kSpaceAndTab)
    return c == ' ' || c == '\t';
  return c == ' ' || (c >= '\t' && c <= '\r');  // the white space of the C locale
}

}  // namespace

std::int32_t ReadTypedNumber(std::string_view text, LeadingBlanks blanks) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i], blanks))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulate the magnitude, stopping its growth just past the range: more digits only
  // keep it saturated.
  constexpr std::int64_t kCap = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > kCap)
      magnitude = kCap;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  return static_cast<std::int32_t>(value);  // -2^31 is in range
}

}  // namespace qz
