#pragma once

#include <cstdint>
#include <span>

#include "profile/cadet_age.h"
#include "profile/training_settings.h"

namespace qz {

// One belt: the age it suits and the difficulty it sets.
struct BeltRow {
  int m_nLevel;
  const char* m_szColorWord;  // with its trailing blank: "White "
  int m_nAgeBelow;            // by age, the lightest belt whose bound is above the age
  int m_nOperandLimit;
  int m_nMatchLength;
  int m_nDoAdd;
  int m_nDoSub;
  int m_nDoMul;
  int m_nDoDiv;
  int m_nNoNeg;
};

inline constexpr int kWhiteBelt = 1;
inline constexpr int kBlackBelt = 8;
// No belt hands the problem generator a smaller operand limit.
inline constexpr int kMinOperandLimit = 2;

// The working difficulty that ApplyBelt derives from the settings before every match. Owned by
// the engine, not stored. Zero until the first ApplyBelt, which always sets both.
struct WorkingDifficulty {
  int m_nOperandLimit = 0;
  int m_nMatchLength = 0;
};

// Levels 1 to 8, White to Black.
std::span<const BeltRow> BeltTable();

// The row of `level`; a level outside 1 to 8 is shown as Black and gets Black's row.
const BeltRow& BeltRowFor(int level);

// "White " to "Red " for levels 1 to 7, "Black " for any other level.
const char* BeltColorWord(int level);

// The level that suits a whole-year age: below 7 White, ..., 13 and above Black.
int BeltForAge(double age_in_years);

// Turns the settings into the working difficulty:
// - AutoSelect on: the belt follows the age at `now` and sets GameLevel, the limits and the
//   five switches;
// - else CustomSettins on: the belt of GameLevel sets only the limits;
// - else the belt of GameLevel sets the limits and the switches.
// GameLevel outside 1 to 8 (AutoSelect off) is kept as it is and works as Black.
void ApplyBelt(TrainingSettings& settings, WorkingDifficulty& working, std::int64_t now);

}  // namespace qz
