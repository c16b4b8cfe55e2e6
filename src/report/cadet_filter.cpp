#include "report/cadet_filter.h"

#include <cmath>
#include <cstdio>

namespace qz {
namespace {

constexpr double kDaysPerYear = 365.25;
constexpr int kDaysPerMonth = 30;

// Days since 1 March of year 0 in the proleptic Gregorian calendar.
long DaysFromCivil(int year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const long era = (year >= 0 ? year : year - 399) / 400;
  const long year_of_era = year - era * 400;
  const long day_of_year = (153L * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era;
}

}  // namespace

CadetFilter::CadetFilter(std::string label) : m_strLabel(std::move(label)) {
  // "<name> (dd.mm.yyyy)"
  const std::size_t open = m_strLabel.rfind(" (");
  if (open == std::string::npos || !m_strLabel.ends_with(")"))
    return;
  const std::string date = m_strLabel.substr(open + 2, m_strLabel.size() - open - 3);
  Date birth;
  char end = 0;
  if (date.size() != 10 || std::sscanf(date.c_str(), "%2d.%2d.%4d%c", &birth.m_nDay,
                                       &birth.m_nMonth, &birth.m_nYear, &end) != 3)
    return;
  if (birth.m_nMonth < 1 || birth.m_nMonth > 12 || birth.m_nDay < 1 || birth.m_nDay > 31)
    return;
  m_strName = m_strLabel.substr(0, open);
  m_birth = birth;
}

bool CadetFilter::AgeFits(const LogSession& session, const Date& birth) {
  if (!session.m_bHeader || !session.m_dtStart.IsSet())
    return false;
  const LogDateTime& start = session.m_dtStart;
  const long days = DaysFromCivil(start.m_nYear, start.m_nMonth, start.m_nDay) -
                    DaysFromCivil(birth.m_nYear, birth.m_nMonth, birth.m_nDay);
  const double first = session.m_nAgeYears * kDaysPerYear + session.m_nAgeMonths * kDaysPerMonth;
  const double last = std::min(first + kDaysPerMonth, (session.m_nAgeYears + 1) * kDaysPerYear);
  // The header counts whole days from 14:15 on the birth day to the moment the game started:
  // one fewer than the days between the dates when it started before 14:15.
  return days >= std::floor(first) && days <= std::ceil(last);
}

bool CadetFilter::Keeps(const std::string& filed_name, const LogSession& session) const {
  if (filed_name == m_strLabel)
    return true;
  return m_birth && filed_name == m_strName && AgeFits(session, *m_birth);
}

}  // namespace qz
