#pragma once

#include <string>
#include <string_view>

#include "platform/font.h"

namespace qz {

// The one character that ends a text cut to its place.
inline constexpr char kEllipsis[] = "\xE2\x80\xA6";  // …

// `text` as it fits on one line `width` output pixels wide in `font`: whole when it fits,
// else the most of its characters that fit followed by "…" (a character is never split,
// blanks before the "…" are dropped).
std::string EllipsizeToWidth(Font& font, std::string_view text, int width);

}  // namespace qz
