#include "profile/cadet_age.h"

#include <climits>
#include <limits>

#include "platform/calendar.h"

namespace qz {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// The divisions by 365.25 and by 30 are done as these multiplications; for every day count of a
// human lifetime they truncate to the same whole numbers as exact division.
constexpr double kYearsPerDay = 0.0027378507871321013;
constexpr double kMonthsPerDay = 0.03333333333333333;
constexpr double kDaysPerYear = 365.25;
constexpr int kBirthHour = 14;
constexpr int kBirthMinute = 15;

int SaturateToInt(double value) {
  if (value >= static_cast<double>(INT_MAX))
    return INT_MAX;
  if (value <= static_cast<double>(INT_MIN))
    return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace

AgeBreakdown ComputeAge(std::int64_t now, std::int64_t birth_moment) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  // now - birth_moment, held at the ends of the range where it would overflow.
  std::int64_t seconds = 0;
  if (birth_moment < 0 && now > kMax + birth_moment) {
    seconds = kMax;
  } else if (birth_moment > 0 && now < kMin + birth_moment) {
    seconds = kMin;
  } else {
    seconds = now - birth_moment;
  }
  AgeBreakdown age;
  age.m_nDays = seconds / kSecondsPerDay;
  // |days| stays below 2^47, so the double holds it exactly and the years fit in 64 bits.
  const double days = static_cast<double>(age.m_nDays);
  const auto years = static_cast<std::int64_t>(days * kYearsPerDay);
  age.m_nYears = SaturateToInt(static_cast<double>(years));
  age.m_nMonths = SaturateToInt((days - static_cast<double>(years) * kDaysPerYear) * kMonthsPerDay);
  return age;
}

std::optional<std::int64_t> BirthMoment(const TrainingSettings& settings) {
  return LocalTimeToSeconds(settings.m_nBDateYear, settings.m_nBDateMonth, settings.m_nBDateDay,
                            kBirthHour, kBirthMinute, 0);
}

AgeBreakdown CadetAge(const TrainingSettings& settings, std::int64_t now) {
  const std::optional<std::int64_t> birth = BirthMoment(settings);
  if (!birth)
    return {};
  return ComputeAge(now, *birth);
}

double AgeInYears(const AgeBreakdown& age) {
  if (age.m_nMonths > 0)
    return static_cast<double>(age.m_nYears) + age.m_nMonths / 12;
  return static_cast<double>(age.m_nYears);
}

}  // namespace qz
