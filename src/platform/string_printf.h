#pragma once

#include <string>

// Lets GCC and clang check the arguments against a printf format. mingw-w64's C++ library
// formats with its own C99 printf, not the system's, hence gnu_printf there.
#if defined(__MINGW32__)
#define QZ_PRINTF_FORMAT(format_index, first_arg) \
  __attribute__((format(gnu_printf, format_index, first_arg)))
#elif defined(__GNUC__)
#define QZ_PRINTF_FORMAT(format_index, first_arg) \
  __attribute__((format(printf, format_index, first_arg)))
#else
#define QZ_PRINTF_FORMAT(format_index, first_arg)
#endif

namespace qz {

// printf-style formatting into a std::string; the game's own formats are printf formats.
std::string StringPrintf(const char* format, ...) QZ_PRINTF_FORMAT(1, 2);

}  // namespace qz
