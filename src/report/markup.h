#pragma once

#include <string>
#include <string_view>

namespace qz {

// Text made safe for HTML and SVG content and attribute values: & < > " ' are escaped, bytes
// that are not valid UTF-8 become U+FFFD and control characters other than TAB and LF are
// dropped, so text from a log can never add markup or break the page.
std::string EscapeMarkup(std::string_view text);

// Appends the same to `out`.
void AppendEscaped(std::string& out, std::string_view text);

}  // namespace qz
