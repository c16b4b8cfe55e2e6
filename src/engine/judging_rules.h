#pragma once

#include <cstdint>
#include <string>

#include "profile/record_stats.h"

namespace qz {

// How much of the clock an answer used: |10 - secs_left * 10 / time_limit|; with the
// 10-second clock, the whole seconds used (0 to 9 for an answer in time). A limit below 1
// counts as 1. Like SizeIndex, worked out in 64 bits: the same figure for every value a
// match produces, and no overflow for any other.
int SpeedIndex(int secs_left, int time_limit);

// How large a result is for the operand limit: |result * 10 / limit| / 5. A limit below 1
// counts as 1.
int SizeIndex(int result, int limit);

// The praise for a right answer: "Perfect" ... "OK", "Correct" outside the table. `retries`
// are the wrong attempts before it on the same problem.
const char* PraiseText(int retries, int speed_index, int size_index);

// |100 - a * 100 / b| with a, b the answer and the result, each taken as 1 when 0 or below.
// Worked out exactly (64-bit): it equals the 32-bit figure wherever that does not overflow,
// and an answer too large for it reads as far off instead of wrapping around.
std::int64_t WrongDeviation(int answer, int result);

// The rebuke for a wrong answer, by speed and then by how far off it was.
const char* ScoldWrongText(int answer, int result, int speed_index);

// The rebuke for a time-out; `r` is a draw mod 5 (0 to 4).
const char* TimeOutText(int r);

// The rank name of a banked total; the total is compared as unsigned, so a total that has
// wrapped past 2^31 ranks "Master".
const char* RankName(std::int32_t banked_total);

// Energy won by a right answer: 10 + secs_left / 5.
int EnergyGain(int secs_left);

// Folds the run's totals so far into the stored statistics at the end of a match: both
// totals weighted by 1 + game_level * 0.125 and truncated (saturated to 32 bits), Hi and Lo
// compared unsigned, Ttl and Cnt summed with 32-bit wrap-around.
void UpdateRecords(RecordStats& stats, int game_level, std::int32_t run_right,
                   std::int32_t run_wrong);

}  // namespace qz
