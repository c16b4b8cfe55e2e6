#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qz::test {

// What a made-up history of play looks like.
struct SampleLogPlan {
  std::vector<std::string> m_vCadets = {"Ace", "Zo\u00eb"};
  int m_nSessionsPerCadet = 8;
  int m_nMatchesPerSession = 2;
  std::int64_t m_nSecondsApart = 86400;     // between a cadet's sessions
  std::int64_t m_tFirstStart = 1178000000;  // 2007-05-01, calendar seconds
  std::uint32_t m_nSeed = 1;
};

// A session log as the game writes it, built with the game's own record formatters: for each
// cadet a series of sessions a day apart, every one a header, the judged answers of its
// matches (wrong answers re-asked, some time-outs, fewer mistakes and quicker answers as the
// sessions go on, 7 x 8 and 6 x 7 harder than the rest) and a summary. Deterministic for a
// plan; times print in the local time zone.
std::string WriteSampleLog(const SampleLogPlan& plan);

}  // namespace qz::test
