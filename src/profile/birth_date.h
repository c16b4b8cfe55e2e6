#pragma once

namespace qz {

// What is wrong with a birth date the setup panel is to keep.
enum class BirthDateFault {
  kNone,
  kNotADate,        // no such day in the calendar (31.13.2019, 30.02.2020, 29.02.2019)
  kYearOutOfRange,  // a real date, but before 1900 or after this year
};

inline constexpr int kFirstBirthYear = 1900;

// Checks day.month.year (month 1 = January) against the Gregorian calendar and the years
// 1900 to `this_year`.
BirthDateFault CheckBirthDate(int day, int month, int year, int this_year);

}  // namespace qz
