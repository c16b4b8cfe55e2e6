#pragma once

#include <optional>
#include <string>

namespace qz {

// One face among the fonts installed on the system: its file, and its place in the file (a
// collection file holds several faces).
struct SystemFontFile {
  std::string m_strPath;
  int m_nIndex = 0;
};

// A scalable system font that draws `code_point`, found through fontconfig; a bold one where
// there is a choice and `bold` is asked. Nothing when no installed font has the character, or
// in a build without fontconfig (the browser's). The answers are kept for the rest of the run,
// so the fonts are looked through once per character. Main thread only.
std::optional<SystemFontFile> FindSystemFontFor(char32_t code_point, bool bold);

}  // namespace qz
