#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qz {

// strftime of a calendar time (seconds since the epoch) in local time.
std::string FormatLocalTime(std::int64_t seconds, const char* format);

// The calendar time of a local date and time, with daylight saving decided by the C library;
// out-of-range fields are normalised (day 31 of a 30-day month is the 1st of the next).
// Nothing when the calendar cannot represent it.
std::optional<std::int64_t> LocalTimeToSeconds(int year, int month, int day, int hour, int minute,
                                               int second);

}  // namespace qz
