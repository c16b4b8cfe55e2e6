// quizendo-report --cadet: a plain name keeps that name's sessions; a name with a birth date
// keeps the sessions whose logged age fits it, whatever the time of day the game started.
#include "report/cadet_filter.h"

#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/calendar.h"
#include "profile/cadet_age.h"

namespace qz {
namespace {

// A session of `name` started at `when` (local time), its header's age as the game counts it
// for a cadet born on day.month.year.
LogSession SessionOf(const std::string& name, std::int64_t when, int day, int month, int year) {
  LogSession session;
  session.m_bHeader = true;
  session.m_strCadet = name;
  const AgeBreakdown age = ComputeAge(when, *LocalTimeToSeconds(year, month, day, 14, 15, 0));
  session.m_nAgeYears = age.m_nYears;
  session.m_nAgeMonths = age.m_nMonths;
  const auto field = [when](const char* format) {
    return std::atoi(FormatLocalTime(when, format).c_str());
  };
  session.m_dtStart = {field("%Y"), field("%m"), field("%d"), field("%H"), field("%M"), 0};
  return session;
}

TEST(CadetFilter, ABirthDateTellsSameNamedCadetsApart) {
  const CadetFilter younger("Sam (02.03.2016)");
  const CadetFilter older("Sam (25.11.1994)");
  const CadetFilter any("Sam");
  const std::int64_t start = *LocalTimeToSeconds(2021, 1, 1, 0, 30, 0);
  // Three years of sessions, at every hour of the day in turn.
  for (int step = 0; step < 3 * 365; step += 5) {
    const std::int64_t when = start + step * 86400LL + (step % 24) * 3600LL;
    const LogSession sam_young = SessionOf("Sam", when, 2, 3, 2016);
    const LogSession sam_old = SessionOf("Sam", when, 25, 11, 1994);
    // A cadet of the same name born two months later.
    const LogSession sam_may = SessionOf("Sam", when, 2, 5, 2016);
    SCOPED_TRACE(FormatLocalTime(when, "%Y-%m-%d %H:%M"));
    EXPECT_TRUE(younger.Keeps("Sam", sam_young));
    EXPECT_FALSE(younger.Keeps("Sam", sam_old));
    EXPECT_FALSE(younger.Keeps("Sam", sam_may));
    EXPECT_TRUE(older.Keeps("Sam", sam_old));
    EXPECT_FALSE(older.Keeps("Sam", sam_young));
    EXPECT_TRUE(any.Keeps("Sam", sam_young) && any.Keeps("Sam", sam_old));
    EXPECT_FALSE(younger.Keeps("Ann", SessionOf("Ann", when, 2, 3, 2016)));
  }
}

// A name that only looks like a label is a name; a session without its header has no age.
TEST(CadetFilter, WhatIsNotABirthDate) {
  LogSession headless;
  headless.m_strCadet = "Sam";
  headless.m_dtStart = {2024, 5, 1, 10, 0, 0};
  EXPECT_FALSE(CadetFilter("Sam (02.03.2016)").Keeps("Sam", headless));
  EXPECT_TRUE(CadetFilter("Sam (the elder)").Keeps("Sam (the elder)", headless));
  EXPECT_FALSE(CadetFilter("Sam (the elder)").Keeps("Sam", headless));
  EXPECT_FALSE(CadetFilter("Sam (32.13.2016)").Keeps("Sam", headless));
}

}  // namespace
}  // namespace qz
