#pragma once

#include <cstdint>

namespace qz {

// The statistics kept in the settings across runs (all 32-bit, as stored). A default-constructed
// record holds the first-run values: the Lo values start high so the first match sets them.
struct RecordStats {
  std::int32_t m_nHiRight = 0;
  std::int32_t m_nLoRight = 65535;
  std::int32_t m_nHiWrong = 0;
  std::int32_t m_nLoWrong = 65535;
  std::int32_t m_nTtlRight = 0;
  std::int32_t m_nTtlWrong = 0;
  std::int32_t m_nCntRight = 0;
  std::int32_t m_nCntWrong = 0;
};

}  // namespace qz
