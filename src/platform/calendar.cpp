#include "platform/calendar.h"

#include <cerrno>
#include <climits>
#include <ctime>

namespace qz {

std::string FormatLocalTime(std::int64_t seconds, const char* format) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm local{};
#ifdef _WIN32
  if (localtime_s(&local, &t) != 0)
    return {};
#else
  if (localtime_r(&t, &local) == nullptr)
    return {};
#endif
  char buffer[128];
  // The formats are the game's own constants, passed through one function.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  const size_t n = std::strftime(buffer, sizeof buffer, format, &local);
#pragma GCC diagnostic pop
  return std::string(buffer, n);
}

std::optional<std::int64_t> LocalTimeToSeconds(int year, int month, int day, int hour, int minute,
                                               int second) {
  // tm_year counts from 1900; keep the subtraction inside int for any stored year.
  if (year < INT_MIN + 1900)
    return std::nullopt;
  if (month < INT_MIN + 1)
    return std::nullopt;
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  errno = 0;
  const std::time_t t = std::mktime(&tm);
  if (t == static_cast<std::time_t>(-1) && errno != 0)
    return std::nullopt;
  if (t == static_cast<std::time_t>(-1) && !(tm.tm_year == 69 && tm.tm_mon == 11)) {
    return std::nullopt;
  }
  return static_cast<std::int64_t>(t);
}

}  // namespace qz
