#include "records/format_text.h"

#include <cstdarg>
#include <cstdio>

namespace qz {

std::string FormatText(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::va_list again;
  va_copy(again, args);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  const int size = std::vsnprintf(nullptr, 0, format, args);
  std::string text;
  if (size > 0) {
    text.resize(static_cast<std::size_t>(size));
    std::vsnprintf(text.data(), text.size() + 1, format, again);
  }
#pragma GCC diagnostic pop
  va_end(again);
  va_end(args);
  return text;
}

}  // namespace qz
