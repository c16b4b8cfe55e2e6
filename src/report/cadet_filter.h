#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "records/log_reader.h"

namespace qz {

// The sessions `quizendo-report --cadet NAME` keeps: those filed under NAME. NAME may also be
// given as the game shows a cadet that shares its name with another, with the birth date
// ("Sam (02.03.2016)"): then the sessions of that name whose header gives the age that birth
// date gives on the session's day (the log holds no birth date, only the age: two cadets of
// one name born within about a month of each other cannot be told apart).
class CadetFilter {
 public:
  explicit CadetFilter(std::string label);

  bool Keeps(const std::string& filed_name, const LogSession& session) const;

 private:
  struct Date {
    int m_nYear = 0;
    int m_nMonth = 0;
    int m_nDay = 0;
  };
  // Whether a header's age (whole 365.25-day years, then whole 30-day months, as the game
  // counts) fits a birth on `birth` at the session's start, give or take the day's hours.
  static bool AgeFits(const LogSession& session, const Date& birth);

  std::string m_strLabel;
  std::string m_strName;        // the label without its birth date
  std::optional<Date> m_birth;  // the label's birth date, when it has one
};

}  // namespace qz
