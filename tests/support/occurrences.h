#pragma once

#include <cstddef>
#include <string>

namespace qz::test {

// How often `what` occurs in `text`, overlaps included.
inline int Occurrences(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++n;
  }
  return n;
}

}  // namespace qz::test
