#include "records/session_log.h"
#include "engine/match_records.h"

#include <gtest/gtest.h>

#include "records/utc_zone.h"

namespace qz {
namespace {

TEST(SessionLogTest, AgePhrase) {
  EXPECT_EQ(", age 7 years 3 months", AgePhrase(7, 3));
  EXPECT_EQ(", age 7 years 1 month", AgePhrase(7, 1));
  EXPECT_EQ(", age 1 years 0 months", AgePhrase(1, 0));
  EXPECT_EQ(", age 1 years 12 months", AgePhrase(1, 12));  // 730 days
  EXPECT_EQ(", age 0 years -3 months", AgePhrase(0, -3));  // born 100 days ahead
  EXPECT_EQ(", age -1 years -1 months", AgePhrase(-1, -1));
}

TEST(SessionLogTest, HeaderKeepsTheNameAndDatesTheSession) {
  UtcZone utc;
  EXPECT_EQ("\r\n\r\nace, age 7 years 1 month\tDate: 07-05-14 16:02:11\r\n\r\n\r\n",
            FormatSessionHeader("ace", AgePhrase(7, 1), kMay14At160220 - 9));
}

TEST(SessionLogTest, ProblemLines) {
  UtcZone utc;
  struct Case {
    ProblemLine line;
    const char* text;
  };
  const std::int64_t t = kMay14At160220;
  const Case cases[] = {
      {{1, t, 3, "+", 4, 7, 7, false, 5, 10},
       "001 07-05-14 16:02:20\t\t3 + 4 =7\t\tOK\t 5s\tscore: 10\r\n"},
      {{1, t + 11, 6, "x", 7, 48, 42, false, 5, 10},
       "001 07-05-14 16:02:31\t\t6 x 7 =48 (42)\t\t 5s\tscore: 10\r\n"},
      {{2, t + 25, 9, "-", 4, 0, 5, true, 10, 10},
       "002 07-05-14 16:02:45\t\t9 - 4 =T/O (5)\t\t 10s\tscore: 10\r\n"},
      // Timed out with the right value in the box: judged as a time-out, logged as one.
      {{3, t, 9, "-", 4, 5, 5, true, 10, 210},
       "003 07-05-14 16:02:20\t\t9 - 4 =T/O (5)\t\t 10s\tscore: 210\r\n"},
      // An empty box reads 0: a timed-out problem whose result is 0 is no right answer either.
      {{4, t, 5, "-", 5, 0, 0, true, 10, 0},
       "004 07-05-14 16:02:20\t\t5 - 5 =T/O (0)\t\t 10s\tscore: 0\r\n"},
      // A wrong answer before anything is finished is problem 000.
      {{0, t, 5, "-", -3, -2, 8, false, 0, 0},
       "000 07-05-14 16:02:20\t\t5 - -3 =-2 (8)\t\t 0s\tscore: 0\r\n"},
      {{12, t, 72, "/", 9, 8, 8, false, 3, 1234},
       "012 07-05-14 16:02:20\t\t72 / 9 =8\t\tOK\t 3s\tscore: 1234\r\n"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.text, FormatProblemLine(c.line));
}

TEST(SessionLogTest, LineFromTheEngineStateNumbersFinishedProblems) {
  UtcZone utc;
  MatchState state;
  state.m_nToGo = 10;  // nothing finished yet in a match of 10
  state.m_nA = 6;
  state.m_strSign = "x";
  state.m_nB = 7;
  state.m_nAnswer = 48;
  state.m_nResult = 42;
  EXPECT_EQ("000 07-05-14 16:02:20\t\t6 x 7 =48 (42)\t\t 0s\tscore: 0\r\n",
            FormatProblemLine(ProblemLineOf(state, 10, kMay14At160220)));
  state.m_nToGo = 9;
  state.m_nAnswer = 42;
  state.m_nLastSecs = 4;
  state.m_nScore = 100;
  EXPECT_EQ("001 07-05-14 16:02:20\t\t6 x 7 =42\t\tOK\t 4s\tscore: 100\r\n",
            FormatProblemLine(ProblemLineOf(state, 10, kMay14At160220)));
}

}  // namespace
}  // namespace qz
