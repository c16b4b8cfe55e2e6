#include "profile/belts.h"

#include <array>
#include <climits>

namespace qz {
namespace {

constexpr std::array<BeltRow, 8> kBelts = {{
    {1, "White ", 7, 5, 10, 1, 0, 0, 0, 1},
    {2, "Yellow ", 8, 10, 10, 1, 1, 0, 0, 1},
    {3, "Orange ", 9, 10, 20, 1, 1, 1, 0, 1},
    {4, "Green ", 10, 10, 20, 1, 1, 1, 1, 1},
    {5, "Blue ", 11, 10, 20, 1, 1, 1, 1, 0},
    {6, "Purple ", 12, 20, 20, 1, 1, 1, 1, 0},
    {7, "Red ", 13, 50, 50, 1, 1, 1, 1, 0},
    {8, "Black ", INT_MAX, 100, 100, 1, 1, 1, 1, 0},
}};

constexpr bool EveryLimitIsUsable() {
  for (const BeltRow& row : kBelts) {
    if (row.m_nOperandLimit < kMinOperandLimit)
      return false;
  }
  return true;
}
static_assert(EveryLimitIsUsable());

void SetLimits(const BeltRow& row, WorkingDifficulty& working) {
  working.m_nOperandLimit = row.m_nOperandLimit;
  working.m_nMatchLength = row.m_nMatchLength;
}

void SetSwitches(const BeltRow& row, TrainingSettings& settings) {
  settings.m_nDoAdd = row.m_nDoAdd;
  settings.m_nDoSub = row.m_nDoSub;
  settings.m_nDoMul = row.m_nDoMul;
  settings.m_nDoDiv = row.m_nDoDiv;
  settings.m_nNoNeg = row.m_nNoNeg;
}

}  // namespace

std::span<const BeltRow> BeltTable() {
  return kBelts;
}

const BeltRow& BeltRowFor(int level) {
  if (level < kWhiteBelt || level > kBlackBelt)
    return kBelts[kBlackBelt - 1];
  return kBelts[static_cast<std::size_t>(level - 1)];
}

const char* BeltColorWord(int level) {
  return BeltRowFor(level).m_szColorWord;
}

int BeltForAge(double age_in_years) {
  for (const BeltRow& row : kBelts) {
    if (row.m_nLevel < kBlackBelt && age_in_years < row.m_nAgeBelow)
      return row.m_nLevel;
  }
  return kBlackBelt;
}

void ApplyBelt(TrainingSettings& settings, WorkingDifficulty& working, std::int64_t now) {
  if (settings.m_nAutoSelect != 0) {
    const BeltRow& row = BeltRowFor(BeltForAge(AgeInYears(CadetAge(settings, now))));
    settings.m_nGameLevel = row.m_nLevel;
    SetLimits(row, working);
    SetSwitches(row, settings);
    return;
  }
  const BeltRow& row = BeltRowFor(settings.m_nGameLevel);
  SetLimits(row, working);
  if (settings.m_nCustomSettins == 0)
    SetSwitches(row, settings);
}

}  // namespace qz
