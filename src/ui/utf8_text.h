#pragma once

#include <string>
#include <string_view>

namespace qz {

// Code points of UTF-8 text; a malformed byte reads as U+FFFD, so any input decodes.
std::u32string DecodeUtf8(std::string_view utf8);
std::string EncodeUtf8(std::u32string_view text);

}  // namespace qz
