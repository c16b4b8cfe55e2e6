#include "engine/judging_rules.h"

#include <climits>
#include <string>

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(JudgingRulesTest, SpeedIndexCountsSecondsUsed) {
  EXPECT_EQ(0, SpeedIndex(10, 10));
  EXPECT_EQ(2, SpeedIndex(8, 10));
  EXPECT_EQ(9, SpeedIndex(1, 10));
  EXPECT_EQ(10, SpeedIndex(0, 10));
  EXPECT_EQ(40, SpeedIndex(5, 0)) << "a limit below 1 counts as 1, without dividing by zero";
}

TEST(JudgingRulesTest, SizeIndexGrowsWithTheResult) {
  EXPECT_EQ(0, SizeIndex(4, 10));
  EXPECT_EQ(1, SizeIndex(9, 10));
  EXPECT_EQ(1, SizeIndex(-9, 10));
  EXPECT_EQ(16, SizeIndex(81, 10));
  EXPECT_EQ(1, SizeIndex(-12, 20)) << "-6 is truncated toward zero before the size";
  EXPECT_EQ(0, SizeIndex(-2, 5)) << "-4 is truncated toward zero";
  EXPECT_EQ(6, SizeIndex(3, 0)) << "a limit below 1 counts as 1, without dividing by zero";
}

TEST(JudgingRulesTest, Praise) {
  struct Case {
    int retries, secs_left, result, limit;
    const char* text;
  };
  const Case cases[] = {
      {0, 8, 9, 10, "Excelent"},  // 7 + 2 = 9, first try, 8 s left: 0 + 2 - 1
      {3, 8, 9, 10, "Correct"},   // fourth try: 4 + 2 - 1 = 5
      {0, 10, 4, 10, "Perfect"},  {0, 7, 4, 10, "Good"}, {1, 8, 4, 10, "Good"}, {2, 8, 4, 10, "OK"},
      {0, 8, 4, 10, "Very Good"}, {5, 10, 0, 10, "OK"},  // any count above 2 counts as 4
      {0, 10, 81, 10, "Correct"},                        // large and fast: below 0
  };
  for (const Case& c : cases) {
    EXPECT_STREQ(c.text,
                 PraiseText(c.retries, SpeedIndex(c.secs_left, 10), SizeIndex(c.result, c.limit)))
        << c.retries << " retries, " << c.secs_left << " s left, result " << c.result;
  }
}

TEST(JudgingRulesTest, ScoldWrongByDeviation) {
  struct Case {
    int answer, result;
    const char* text;
  };
  const Case cases[] = {
      {20, 10, "Nonsense."},                                   // 100
      {16, 10, "Nonsense."},                                   // 60
      {15, 10, "Focus before you strike"},                     // 50 is not above 50
      {14, 10, "Focus before you strike"},                     // 40
      {13, 10, "Nope"},                                        // 30
      {12, 10, "Nope"},                                        // 20
      {11, 10, "No, that's incorrect. Focus and try again."},  // 10
      {9, 10, "No, that's incorrect. Focus and try again."},
      {0, 10, "Nonsense."},                                   // an answer of 0 counts as 1: 90
      {-5, 1, "No, that's incorrect. Focus and try again."},  // both count as 1
      {1, -3, "No, that's incorrect. Focus and try again."},
      {1, 0, "No, that's incorrect. Focus and try again."},
      // 42949683 * 100 wraps to 1004 in 32 bits, which would read as a near miss.
      {42949683, 10, "Nonsense."},
      {INT_MAX, 81, "Nonsense."},
  };
  for (const Case& c : cases) {
    EXPECT_STREQ(c.text, ScoldWrongText(c.answer, c.result, 3)) << c.answer << " for " << c.result;
  }
  EXPECT_STREQ("You are fast but missed the target. Concentrate", ScoldWrongText(20, 10, 0));
  EXPECT_STREQ("You are fast but missed the target. Concentrate", ScoldWrongText(11, 10, 0));
}

TEST(JudgingRulesTest, TimeOutTexts) {
  EXPECT_STREQ("Your striking power is gone. Focus faster.", TimeOutText(0));
  EXPECT_STREQ("Time's out. Go for the next one.", TimeOutText(1));
  EXPECT_STREQ("Focus and speed - that's what you need.", TimeOutText(2));
  EXPECT_STREQ("Too slow. You lost this move.", TimeOutText(3));
  EXPECT_STREQ("You need to improve your speed", TimeOutText(4));
}

TEST(JudgingRulesTest, RankBoundaries) {
  struct Case {
    std::int32_t total;
    const char* rank;
  };
  const Case cases[] = {
      {0, "Newbie"},
      {10000, "Newbie"},
      {10001, "Rooky"},
      {30000, "Rooky"},
      {30001, "Novice"},
      {50000, "Novice"},
      {50001, "Aprentice"},
      {100000, "Aprentice"},
      {100001, "Fighter"},
      {200000, "Fighter"},
      {200001, "Warrior"},
      {300000, "Warrior"},
      {300001, "Power Warrior"},
      {400000, "Power Warrior"},
      {400001, "Super Warrior"},
      {500000, "Super Warrior"},
      {500001, "Math Assassin"},
      {1000000, "Math Assassin"},
      {1000001, "Master"},
      {INT_MAX, "Master"},
      {-1, "Master"},  // a total past 2^31 is compared as unsigned
  };
  for (const Case& c : cases)
    EXPECT_STREQ(c.rank, RankName(c.total)) << c.total;
}

TEST(JudgingRulesTest, EnergyGainBySecondsLeft) {
  EXPECT_EQ(12, EnergyGain(10));
  EXPECT_EQ(11, EnergyGain(9));
  EXPECT_EQ(11, EnergyGain(5));
  EXPECT_EQ(10, EnergyGain(4));
  EXPECT_EQ(10, EnergyGain(1));
}

TEST(JudgingRulesTest, UpdateRecordsOverTwoMatchesUsesRunTotals) {
  RecordStats stats;  // as read from a first run: Lo values 65535
  // Belt 1 weighs 1.125. First match: 3 right, 1 wrong.
  UpdateRecords(stats, 1, 3, 1);
  EXPECT_EQ(3, stats.m_nHiRight);  // 3.375 truncated
  EXPECT_EQ(3, stats.m_nLoRight);
  EXPECT_EQ(1, stats.m_nHiWrong);
  EXPECT_EQ(1, stats.m_nLoWrong);
  EXPECT_EQ(3, stats.m_nTtlRight);
  EXPECT_EQ(1, stats.m_nTtlWrong);
  // Second match: 5 right, 2 wrong; the run's totals 8 and 3 are weighed, not the match's.
  UpdateRecords(stats, 1, 8, 3);
  EXPECT_EQ(9, stats.m_nHiRight);
  EXPECT_EQ(3, stats.m_nLoRight);
  EXPECT_EQ(3, stats.m_nHiWrong);  // 3.375
  EXPECT_EQ(1, stats.m_nLoWrong);
  EXPECT_EQ(12, stats.m_nTtlRight);
  EXPECT_EQ(4, stats.m_nTtlWrong);
  EXPECT_EQ(2, stats.m_nCntRight);
  EXPECT_EQ(2, stats.m_nCntWrong);
}

TEST(JudgingRulesTest, UpdateRecordsWeighsByBelt) {
  RecordStats stats;
  UpdateRecords(stats, 8, 7, 3);  // weight 2.0
  EXPECT_EQ(14, stats.m_nTtlRight);
  EXPECT_EQ(6, stats.m_nTtlWrong);
  UpdateRecords(stats, 4, 7, 3);  // weight 1.5: 10.5 and 4.5 truncated
  EXPECT_EQ(24, stats.m_nTtlRight);
  EXPECT_EQ(10, stats.m_nTtlWrong);
}

TEST(JudgingRulesTest, UpdateRecordsComparesUnsignedAndWraps) {
  RecordStats stats;
  stats.m_nHiRight = -1;  // 4294967295 unsigned: stays the highest
  stats.m_nLoRight = -1;  // and gives way to any count
  stats.m_nTtlRight = INT_MAX;
  stats.m_nCntWrong = INT_MAX;
  UpdateRecords(stats, 8, 1, 0);
  EXPECT_EQ(-1, stats.m_nHiRight);
  EXPECT_EQ(2, stats.m_nLoRight);
  EXPECT_EQ(INT_MIN + 1, stats.m_nTtlRight);
  EXPECT_EQ(INT_MIN, stats.m_nCntWrong);
  // A weighted total beyond 32 bits saturates instead of converting out of range.
  RecordStats fresh;
  UpdateRecords(fresh, 8, INT_MAX, INT_MIN);
  EXPECT_EQ(INT_MAX, fresh.m_nHiRight);
  EXPECT_EQ(INT_MAX, fresh.m_nTtlRight);
  EXPECT_EQ(INT_MIN, fresh.m_nTtlWrong);
}

}  // namespace
}  // namespace qz
