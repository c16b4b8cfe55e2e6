#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qz {

// The text rules of one line of a settings file.

// `text` without the blanks (spaces and tabs) at either end.
std::string_view TrimBlanks(std::string_view text);

// Names compare without regard to ASCII case.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

// Whether a section or value name can be written so that it reads back as itself: not empty,
// no blanks at either end, no control characters, no ']'; a value name also holds no '=' and
// does not begin with '[', ';' or '#'.
bool IsStorableName(std::string_view name, bool is_section);

// The value as written after "name=": backslash escapes for '\' and control characters
// (\\ \n \r \t \xHH), in double quotes when it begins or ends with a blank or begins with '"'.
std::string EncodeIniValue(std::string_view value);

// The value of the text after "name=": blanks around it dropped, one pair of surrounding double
// quotes removed, escapes resolved; a backslash that starts no escape stays as it is.
// DecodeIniValue(EncodeIniValue(v)) == v for every v.
std::string DecodeIniValue(std::string_view raw);

// A 32-bit decimal number with an optional sign and blanks around it; nothing otherwise.
std::optional<int> ParseInt32(std::string_view text);

}  // namespace qz
