#include "profile/birth_date.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(CheckBirthDate, RealDatesFrom1900ToThisYearPass) {
  constexpr int kThisYear = 2023;
  const struct Case {
    int day, month, year;
    BirthDateFault fault;
  } cases[] = {
      {25, 11, 1994, BirthDateFault::kNone},
      {1, 1, 1900, BirthDateFault::kNone},
      {31, 12, 2023, BirthDateFault::kNone},
      {29, 2, 2020, BirthDateFault::kNone},  // a leap year
      {29, 2, 2000, BirthDateFault::kNone},  // divisible by 400
      {31, 13, 2019, BirthDateFault::kNotADate},
      {30, 2, 2020, BirthDateFault::kNotADate},
      {29, 2, 2019, BirthDateFault::kNotADate},
      {29, 2, 1900, BirthDateFault::kNotADate},  // divisible by 100, not by 400
      {31, 4, 2015, BirthDateFault::kNotADate},
      {0, 5, 2015, BirthDateFault::kNotADate},
      {45, 5, 2015, BirthDateFault::kNotADate},
      {1, 0, 2015, BirthDateFault::kNotADate},
      {-1, -1, 2015, BirthDateFault::kNotADate},
      {31, 12, 1899, BirthDateFault::kYearOutOfRange},
      {1, 1, 2024, BirthDateFault::kYearOutOfRange},
      {1, 1, 0, BirthDateFault::kYearOutOfRange},
      {1, 1, 9999, BirthDateFault::kYearOutOfRange},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.fault, CheckBirthDate(c.day, c.month, c.year, kThisYear))
        << c.day << "." << c.month << "." << c.year;
  }
}

}  // namespace
}  // namespace qz
