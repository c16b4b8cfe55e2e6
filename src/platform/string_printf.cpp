#include "platform/string_printf.h"

#include <cstdarg>
#include <cstdio>

namespace qz {

std::string StringPrintf(const char* format, ...) {
  char small[256];
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int needed = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  std::string out;
  if (needed < 0) {
    va_end(copy);
    return out;
  }
  if (static_cast<size_t>(needed) < sizeof small) {
    out.assign(small, static_cast<size_t>(needed));
  } else {
    out.resize(static_cast<size_t>(needed) + 1);
    std::vsnprintf(out.data(), out.size(), format, copy);
    out.resize(static_cast<size_t>(needed));
  }
  va_end(copy);
  return out;
}

}  // namespace qz
