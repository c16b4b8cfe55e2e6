#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace qz {

// The game's UTF-8 texts as Windows' wide-character calls take them, and back.
std::wstring WideText(std::string_view utf8);
std::string Utf8Text(std::wstring_view wide);
// A path in UTF-8, whatever the system's code page (path::string() would use that).
std::string PathText(const std::filesystem::path& path);
// The system's own description of an error code, in UTF-8, without its line end.
std::string SystemErrorText(unsigned long code);

}  // namespace qz
