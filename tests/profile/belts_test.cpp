#include "profile/belts.h"

#include <climits>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "profile/profile_test_support.h"

namespace qz {
namespace {

constexpr std::int64_t kDay = 86400;
// 1994-11-25 14:15:00 UTC, the default birth moment when local time is UTC.
constexpr std::int64_t kDefaultBirthUtc = 785772900;

TEST(CadetAge, YearsOf365AndAQuarterDaysAndMonthsOf30Days) {
  struct Case {
    const char* what;
    std::int64_t seconds;
    std::int64_t days;
    int years;
    int months;
    int belt;
  };
  const Case cases[] = {
      {"6 years 359.5 days", 2551 * kDay, 2551, 6, 11, 1},
      {"6 years 360.5 days", 2552 * kDay, 2552, 6, 12, 2},
      {"7 years 0.25 days", 2557 * kDay, 2557, 7, 0, 2},
      {"730 days", 730 * kDay, 730, 1, 12, 1},
      {"12 years 360 days", 4743 * kDay, 4743, 12, 12, 8},
      {"12 years 359 days", 4742 * kDay, 4742, 12, 11, 7},
      {"born a moment ago", 1, 0, 0, 0, 1},
      {"born tomorrow", -kDay + 1, 0, 0, 0, 1},
      {"100 days ahead", -100 * kDay, -100, 0, -3, 1},
      {"3 years ahead", -1100 * kDay, -1100, -3, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::int64_t birth = 1000000000;
    const AgeBreakdown age = ComputeAge(birth + c.seconds, birth);
    EXPECT_EQ(c.days, age.m_nDays);
    EXPECT_EQ(c.years, age.m_nYears);
    EXPECT_EQ(c.months, age.m_nMonths);
    EXPECT_EQ(c.belt, BeltForAge(AgeInYears(age)));
  }
}

TEST(CadetAge, ExtremeMomentsSaturateInsteadOfOverflowing) {
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  struct Case {
    std::int64_t now;
    std::int64_t birth;
    int years;
  };
  const Case cases[] = {{kMax, kMin, INT_MAX}, {kMin, kMax, INT_MIN}, {0, kMin, INT_MAX},
                        {kMin, 0, INT_MIN},    {kMax, kMax, 0},       {kMin, kMin, 0}};
  for (const Case& c : cases) {
    const AgeBreakdown age = ComputeAge(c.now, c.birth);
    EXPECT_EQ(c.years, age.m_nYears);
    EXPECT_GE(age.m_nMonths, -12);
    EXPECT_LE(age.m_nMonths, 12);
    EXPECT_EQ(c.years > 0 ? kBlackBelt : kWhiteBelt, BeltForAge(AgeInYears(age)));
  }
}

TEST(CadetAge, BirthMomentIsQuarterPastTwoInTheAfternoonLocalTime) {
  TrainingSettings settings;
  {
    test::ScopedEnv tz("TZ", "UTC");
    EXPECT_EQ(kDefaultBirthUtc, BirthMoment(settings));
  }
  // Daylight saving comes from the C library: 13:15 UTC in winter, 12:15 UTC in summer.
  test::ScopedEnv tz("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
  EXPECT_EQ(kDefaultBirthUtc - 3600, BirthMoment(settings));
  settings.m_nBDateMonth = 7;
  settings.m_nBDateDay = 1;
  EXPECT_EQ(773072100 - 7200, BirthMoment(settings));
}

// Whatever was typed or stored, the age is defined and a belt follows from it.
TEST(CadetAge, AnyStoredDateGivesAnAgeAndABelt) {
  struct Case {
    int day;
    int month;
    int year;
    int belt;  // 0: any belt (far in the past: Black, or White where the calendar ends)
  };
  const Case cases[] = {
      {45, 11, 1994, kBlackBelt},  // normalised into December
      {25, 0, 1994, kBlackBelt},   // December of the year before
      {0, 0, 0, kBlackBelt},
      {25, 11, 99999, kWhiteBelt},  // in the future
      {25, 11, -5, kBlackBelt},
      {INT_MIN, INT_MIN, INT_MIN, kWhiteBelt},  // the calendar cannot hold it
      {25, 11, INT_MIN, kWhiteBelt},
      {25, INT_MIN, 1994, kWhiteBelt},
      // In the future or beyond the calendar: White either way.
      {INT_MAX, INT_MAX, INT_MAX, kWhiteBelt},
      {INT_MAX, 11, 1994, kWhiteBelt},
      {25, INT_MAX, 1994, kWhiteBelt},
      {25, 11, INT_MAX - 1900, kWhiteBelt},
      {INT_MIN, 11, 1994, 0},
      {25, INT_MIN + 1, 1994, 0},
      {25, 11, INT_MIN + 1900, 0},
      {-1, -1, -1, kBlackBelt},
  };
  test::ScopedEnv tz("TZ", "UTC");
  const std::int64_t now = kDefaultBirthUtc + 20 * 366 * kDay;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.day << "." << c.month << "." << c.year);
    TrainingSettings settings;
    settings.m_nBDateDay = c.day;
    settings.m_nBDateMonth = c.month;
    settings.m_nBDateYear = c.year;
    WorkingDifficulty working;
    ApplyBelt(settings, working, now);
    if (c.belt != 0) {
      EXPECT_EQ(c.belt, settings.m_nGameLevel);
    }
    EXPECT_GE(settings.m_nGameLevel, kWhiteBelt);
    EXPECT_LE(settings.m_nGameLevel, kBlackBelt);
    EXPECT_GE(working.m_nOperandLimit, kMinOperandLimit);
  }
}

TEST(Belts, ColourWordsAndAgeBands) {
  const struct {
    int level;
    const char* word;
  } words[] = {{1, "White "},      {2, "Yellow "}, {3, "Orange "}, {4, "Green "},
               {5, "Blue "},       {6, "Purple "}, {7, "Red "},    {8, "Black "},
               {0, "Black "},      {9, "Black "},  {-1, "Black "}, {INT_MIN, "Black "},
               {INT_MAX, "Black "}};
  for (const auto& w : words)
    EXPECT_STREQ(w.word, BeltColorWord(w.level)) << w.level;

  const struct {
    double age;
    int belt;
  } bands[] = {{-3, 1}, {0, 1},  {6, 1},  {7, 2},  {8, 3},  {9, 4},
               {10, 5}, {11, 6}, {12, 7}, {13, 8}, {40, 8}, {2147483648.0, 8}};
  for (const auto& b : bands)
    EXPECT_EQ(b.belt, BeltForAge(b.age)) << b.age;
}

// A record whose switches differ from every belt's row.
TrainingSettings HandSet(int auto_select, int custom, int level) {
  TrainingSettings settings;
  settings.m_nAutoSelect = auto_select;
  settings.m_nCustomSettins = custom;
  settings.m_nGameLevel = level;
  settings.m_nDoAdd = 0;
  settings.m_nDoSub = 0;
  settings.m_nDoMul = 1;
  settings.m_nDoDiv = 0;
  settings.m_nNoNeg = 1;
  return settings;
}

void ExpectSwitches(const BeltRow& row, const TrainingSettings& settings) {
  EXPECT_EQ(row.m_nDoAdd, settings.m_nDoAdd);
  EXPECT_EQ(row.m_nDoSub, settings.m_nDoSub);
  EXPECT_EQ(row.m_nDoMul, settings.m_nDoMul);
  EXPECT_EQ(row.m_nDoDiv, settings.m_nDoDiv);
  EXPECT_EQ(row.m_nNoNeg, settings.m_nNoNeg);
}

void ExpectHandSetSwitches(const TrainingSettings& settings) {
  ExpectSwitches(BeltRow{0, "", 0, 0, 0, 0, 0, 1, 0, 1}, settings);
}

class ApplyBeltTest : public testing::Test {
 protected:
  test::ScopedEnv m_tz{"TZ", "UTC"};
  WorkingDifficulty m_working;
};

TEST_F(ApplyBeltTest, AutomaticTakesTheBeltOfTheAgeWithItsFullRow) {
  // Aged 9 years and a half: Green. CustomSettins is left alone; AutoSelect wins over it.
  TrainingSettings settings = HandSet(1, 1, 7);
  const std::int64_t now = kDefaultBirthUtc + (9 * 365 + 180) * kDay;
  ApplyBelt(settings, m_working, now);
  EXPECT_EQ(4, settings.m_nGameLevel);
  EXPECT_EQ(1, settings.m_nCustomSettins);
  EXPECT_EQ(10, m_working.m_nOperandLimit);
  EXPECT_EQ(20, m_working.m_nMatchLength);
  ExpectSwitches(BeltRowFor(4), settings);
}

TEST_F(ApplyBeltTest, DefaultsReachBlackAfterTwelveYearsAnd360Days) {
  TrainingSettings settings;
  ApplyBelt(settings, m_working, kDefaultBirthUtc + 4742 * kDay);
  EXPECT_EQ(7, settings.m_nGameLevel);
  ApplyBelt(settings, m_working, kDefaultBirthUtc + 4743 * kDay);
  EXPECT_EQ(8, settings.m_nGameLevel);
  EXPECT_EQ(100, m_working.m_nOperandLimit);
  EXPECT_EQ(100, m_working.m_nMatchLength);
}

TEST_F(ApplyBeltTest, BeltPresetTakesTheChosenBeltsFullRow) {
  for (int level = kWhiteBelt; level <= kBlackBelt; ++level) {
    TrainingSettings settings = HandSet(0, 0, level);
    ApplyBelt(settings, m_working, kDefaultBirthUtc);
    const BeltRow& row = BeltRowFor(level);
    EXPECT_EQ(level, settings.m_nGameLevel);
    EXPECT_EQ(row.m_nOperandLimit, m_working.m_nOperandLimit);
    EXPECT_EQ(row.m_nMatchLength, m_working.m_nMatchLength);
    ExpectSwitches(row, settings);
  }
}

TEST_F(ApplyBeltTest, CustomSetsOnlyTheLimitsAndKeepsTheHandSetSwitches) {
  TrainingSettings settings = HandSet(0, 1, 6);
  ApplyBelt(settings, m_working, kDefaultBirthUtc);
  EXPECT_EQ(6, settings.m_nGameLevel);
  EXPECT_EQ(20, m_working.m_nOperandLimit);
  EXPECT_EQ(20, m_working.m_nMatchLength);
  ExpectHandSetSwitches(settings);
}

TEST_F(ApplyBeltTest, LevelOutsideTheBeltsWorksAsBlackAndIsKept) {
  for (int level : {0, 9, -1, INT_MAX, INT_MIN}) {
    SCOPED_TRACE(level);
    TrainingSettings preset = HandSet(0, 0, level);
    WorkingDifficulty working;
    ApplyBelt(preset, working, kDefaultBirthUtc);
    EXPECT_EQ(level, preset.m_nGameLevel);
    EXPECT_EQ(100, working.m_nOperandLimit);
    EXPECT_EQ(100, working.m_nMatchLength);
    ExpectSwitches(BeltRowFor(kBlackBelt), preset);

    TrainingSettings custom = HandSet(0, 1, level);
    WorkingDifficulty custom_working;
    ApplyBelt(custom, custom_working, kDefaultBirthUtc);
    EXPECT_EQ(level, custom.m_nGameLevel);
    EXPECT_EQ(100, custom_working.m_nOperandLimit);
    ExpectHandSetSwitches(custom);
  }
}

}  // namespace
}  // namespace qz
