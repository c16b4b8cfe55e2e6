#pragma once

#include <cstdint>
#include <optional>

#include "profile/training_settings.h"

namespace qz {

// A cadet's age: whole days, years of 365.25 days, months of 30 days in the rest of the last
// year. All three are negative for a birth moment in the future.
struct AgeBreakdown {
  std::int64_t m_nDays = 0;
  int m_nYears = 0;   // saturated to the int range for absurd dates
  int m_nMonths = 0;  // -12 to 12
};

// The age at calendar time `now` (seconds since the epoch) of someone born at `birth_moment`.
// Defined for every pair of values.
AgeBreakdown ComputeAge(std::int64_t now, std::int64_t birth_moment);

// 14:15:00 local time on the stored birth date, daylight saving decided by the C library; out
// of range fields are normalised (day 45 of a month runs into the next). Nothing when the
// calendar cannot represent it.
std::optional<std::int64_t> BirthMoment(const TrainingSettings& settings);

// The cadet's age at `now` from the stored birth date; zero when the calendar cannot represent
// that date.
AgeBreakdown CadetAge(const TrainingSettings& settings, std::int64_t now);

// The whole-year age that chooses a belt: the completed years, plus one once the rest of the
// year reaches 360 days. Always a whole number.
double AgeInYears(const AgeBreakdown& age);

}  // namespace qz
