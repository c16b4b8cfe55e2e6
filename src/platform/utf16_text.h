#pragma once

#include <string>
#include <string_view>

namespace qz {

// The game keeps its texts in UTF-8; Windows' wide-character calls take UTF-16. A malformed
// UTF-8 sequence or a lone surrogate converts to U+FFFD, so any input converts and no text
// can end early at a stray byte.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace qz
