#include "profile/birth_date.h"

namespace qz {
namespace {

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int month, int year) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

BirthDateFault CheckBirthDate(int day, int month, int year, int this_year) {
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(month, year))
    return BirthDateFault::kNotADate;
  if (year < kFirstBirthYear || year > this_year)
    return BirthDateFault::kYearOutOfRange;
  return BirthDateFault::kNone;
}

}  // namespace qz
