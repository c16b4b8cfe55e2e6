#include "records/summary.h"

#include <climits>

#include <gtest/gtest.h>

#include "records/utc_zone.h"

namespace qz {
namespace {

// One match of 10 problems answered right in 3, 5 and eight times 4 seconds.
SummaryValues TenProblemRun() {
  SummaryValues v;
  v.m_nGameLevel = 3;
  v.m_nRunRight = 10;
  v.m_nRunWrong = 0;
  v.m_nDone = 10;
  v.m_nAnswers = 10;
  v.m_nMaxSecs = 5;
  v.m_nMinSecs = 3;
  v.m_nAvgSecs = 40 / 10;
  v.m_nSumSecs = 40;
  v.m_tRunStart = kMay14At160220;
  v.m_tRunEnd = kMay14At160220 + 3 * 3600 + 25 * 60 + 7;
  v.m_nTimeframeSecs = 3 * 3600 + 25 * 60 + 7;
  v.m_strCadetName = "ace";
  v.m_strRank = "Newbie";
  v.m_strBelt = "Green Belt";
  v.m_strStyle = "Golden Thunder";
  v.m_nHiScore = 5210;
  return v;
}

TEST(SummaryTest, TenProblemRun) {
  UtcZone utc;
  EXPECT_EQ(
      "\r\n\r\nSUMMARY\r\n\r\n"
      "Difficulty Level\t\t: 3\r\n"
      "Right Answers\t\t: 10\r\n"
      "Wrong Answers\t\t: 0\r\n"
      "Tasks Completed\t\t: 10\r\n"
      "Total Tasks\t\t: 10\r\n"
      "Longest Response Time\t: 5 s\r\n"
      "Shortest Response Time\t: 3 s\r\n"
      "Average Response Time\t: 4 s\r\n"
      "Total Excercise Time\t: 00:00:40\r\n"
      "Time Start\t\t\t: 07-05-14 16:02:20\r\n"
      "Time End\t\t\t: 07-05-14 19:27:27\r\n"
      "Total Timeframe\t\t: 03:25:07\r\n\r\n"
      "Quizendo ACE\r\n\r\n"
      "Rank:\t\tNewbie\r\n"
      "Skill:\t\tGreen Belt\r\n"
      "Fight Style:\tGolden Thunder\r\n"
      "High Score:\t5210\r\n\r\n",
      FormatSummary(TenProblemRun()));
}

// Two wrong answers, the match given up: nothing finished, nothing won.
TEST(SummaryTest, RunWithoutAFinishedProblem) {
  UtcZone utc;
  SummaryValues v = TenProblemRun();
  v.m_nRunRight = 0;
  v.m_nRunWrong = 2;
  v.m_nDone = 0;
  v.m_nAnswers = 2;
  v.m_nMaxSecs = 0;
  v.m_nMinSecs = INT_MAX;  // the "none yet" start value
  v.m_nAvgSecs = 0;
  v.m_nSumSecs = 0;
  v.m_strStyle.clear();
  v.m_nHiScore = 0;
  const std::string text = FormatSummary(v);
  EXPECT_NE(std::string::npos, text.find("\r\nShortest Response Time\t: 0 s\r\n"));
  EXPECT_NE(std::string::npos, text.find("\r\nLongest Response Time\t: 0 s\r\n"));
  EXPECT_NE(std::string::npos, text.find("\r\nTotal Excercise Time\t: 00:00:00\r\n"));
  EXPECT_NE(std::string::npos, text.find("\r\nFight Style:\t\r\nHigh Score:\t0\r\n\r\n"));
}

TEST(SummaryTest, SpansDropWholeDays) {
  EXPECT_EQ("00:00:00", FormatSpan(0));
  EXPECT_EQ("00:00:59", FormatSpan(59));
  EXPECT_EQ("00:01:40", FormatSpan(100));
  EXPECT_EQ("23:59:59", FormatSpan(86399));
  EXPECT_EQ("00:00:00", FormatSpan(86400));
  EXPECT_EQ("01:00:00", FormatSpan(25 * 3600));
  EXPECT_EQ("03:14:07", FormatSpan(INT_MAX));
  // The clock set back during a run: the size of the span, marked negative.
  EXPECT_EQ("-00:01:05", FormatSpan(-65));
  EXPECT_EQ("-01:00:00", FormatSpan(-25 * 3600));
}

TEST(SummaryTest, NameInUpperCase) {
  struct Case {
    const char* name;
    const char* upper;
  };
  const Case cases[] = {
      {"ace", "ACE"},
      {"Ace Ventura 2", "ACE VENTURA 2"},
      {"zoë", "ZOË"},
      {"çàéîõüþ", "ÇÀÉÎÕÜÞ"},
      {"ÿ", "Ÿ"},  // its capital lies outside Latin-1
      {"łódź", "ŁÓDŹ"},
      {"ščřžňğıĳ", "ŠČŘŽŇĞIĲ"},
      {"ßµ÷", "ßµ÷"},          // no single capital, a Greek capital, not a letter
      {"ΩжЖ日本", "ΩжЖ日本"},  // not Latin: unchanged
      {"a\xff"
       "b\xc3",
       "A\xff"
       "B\xc3"},  // stray bytes pass through
      {"", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.upper, UpperCaseName(c.name)) << c.name;
}

}  // namespace
}  // namespace qz
