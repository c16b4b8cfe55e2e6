#include "engine/judging_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace qz {
namespace {

constexpr const char* kPraise[] = {"Perfect", "Excelent", "Very Good", "Good", "OK"};
constexpr const char* kPraiseOutside = "Correct";

constexpr const char* kFastMiss = "You are fast but missed the target. Concentrate";
constexpr const char* kNonsense = "Nonsense.";
constexpr const char* kFocusBefore = "Focus before you strike";
constexpr const char* kNope = "Nope";
constexpr const char* kNearMiss = "No, that's incorrect. Focus and try again.";

constexpr const char* kTimeOut[] = {
    "Your striking power is gone. Focus faster.",
    "Time's out. Go for the next one.",
    "Focus and speed - that's what you need.",
    "Too slow. You lost this move.",
    "You need to improve your speed",
};

struct RankRow {
  std::uint32_t m_nUpTo;  // the highest banked total of the rank
  const char* m_strName;
};
constexpr RankRow kRanks[] = {
    {10000, "Newbie"},         {30000, "Rooky"},          {50000, "Novice"},
    {100000, "Aprentice"},     {200000, "Fighter"},       {300000, "Warrior"},
    {400000, "Power Warrior"}, {500000, "Super Warrior"}, {1000000, "Math Assassin"},
};
constexpr const char* kTopRank = "Master";

// Clamps a 64-bit figure into int; only reachable with values no match produces.
int ToInt(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

std::int32_t WeightedTotal(std::int32_t total, double weight) {
  const double v = std::trunc(static_cast<double>(total) * weight);
  // A double outside the int range does not convert; saturate instead.
  if (!(v > -2147483649.0))
    return std::numeric_limits<std::int32_t>::min();
  if (!(v < 2147483648.0))
    return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(v);
}

std::int32_t AddWrapping(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

}  // namespace

int SpeedIndex(int secs_left, int time_limit) {
  const std::int64_t limit = time_limit < 1 ? 1 : time_limit;
  return ToInt(std::llabs(10 - std::int64_t{secs_left} * 10 / limit));
}

int SizeIndex(int result, int limit) {
  const std::int64_t l = limit < 1 ? 1 : limit;
  return ToInt(std::llabs(std::int64_t{result} * 10 / l) / 5);
}

const char* PraiseText(int retries, int speed_index, int size_index) {
  // Three or more wrong attempts jump to 4: a right answer after them is never better than OK.
  const std::int64_t band = retries <= 0 ? 0 : retries <= 2 ? retries : 4;
  const std::int64_t index = band + speed_index - std::int64_t{size_index};
  if (index < 0 || index > 4)
    return kPraiseOutside;
  return kPraise[index];
}

std::int64_t WrongDeviation(int answer, int result) {
  const std::int64_t a = answer <= 0 ? 1 : answer;
  const std::int64_t b = result <= 0 ? 1 : result;
  return std::llabs(100 - a * 100 / b);
}

const char* ScoldWrongText(int answer, int result, int speed_index) {
  if (speed_index == 0)
    return kFastMiss;
  const std::int64_t deviation = WrongDeviation(answer, result);
  if (deviation > 50)
    return kNonsense;
  if (deviation > 30)
    return kFocusBefore;
  if (deviation > 10)
    return kNope;
  return kNearMiss;
}

const char* TimeOutText(int r) {
  const int i = ((r % 5) + 5) % 5;
  return kTimeOut[i];
}

const char* RankName(std::int32_t banked_total) {
  // The banked total is shown and compared as unsigned.
  const auto total = static_cast<std::uint32_t>(banked_total);
  for (const RankRow& row : kRanks) {
    if (total <= row.m_nUpTo)
      return row.m_strName;
  }
  return kTopRank;
}

int EnergyGain(int secs_left) {
  return 10 + secs_left / 5;
}

void UpdateRecords(RecordStats& stats, int game_level, std::int32_t run_right,
                   std::int32_t run_wrong) {
  const double weight = 1 + game_level * 0.125;
  const std::int32_t r = WeightedTotal(run_right, weight);
  const std::int32_t w = WeightedTotal(run_wrong, weight);
  // Stored as unsigned figures: Hi and Lo compare that way.
  auto hi = [](std::int32_t a, std::int32_t b) {
    return static_cast<std::uint32_t>(a) < static_cast<std::uint32_t>(b) ? b : a;
  };
  auto lo = [](std::int32_t a, std::int32_t b) {
    return static_cast<std::uint32_t>(b) < static_cast<std::uint32_t>(a) ? b : a;
  };
  stats.m_nHiRight = hi(stats.m_nHiRight, r);
  stats.m_nLoRight = lo(stats.m_nLoRight, r);
  stats.m_nHiWrong = hi(stats.m_nHiWrong, w);
  stats.m_nLoWrong = lo(stats.m_nLoWrong, w);
  stats.m_nTtlWrong = AddWrapping(stats.m_nTtlWrong, w);
  stats.m_nTtlRight = AddWrapping(stats.m_nTtlRight, r);
  stats.m_nCntRight = AddWrapping(stats.m_nCntRight, 1);
  stats.m_nCntWrong = AddWrapping(stats.m_nCntWrong, 1);
}

}  // namespace qz
