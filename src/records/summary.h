#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qz {

// The figures of a run that the summary prints.
struct SummaryValues {
  int m_nGameLevel = 1;          // belt number, 1 to 8
  std::int32_t m_nRunRight = 0;  // right answers of the ended matches
  std::int32_t m_nRunWrong = 0;  // wrong answers and time-outs of the ended matches
  std::int32_t m_nDone = 0;      // problems finished in the run
  std::int32_t m_nAnswers = 0;   // answers judged in the run
  std::int32_t m_nMaxSecs = 0;   // longest response time
  std::int32_t m_nMinSecs = 0;   // shortest response time; ignored while nothing is finished
  std::int32_t m_nAvgSecs = 0;   // average response time
  std::int32_t m_nSumSecs = 0;   // total exercise time, seconds
  std::int64_t m_tRunStart = 0;  // calendar seconds
  std::int64_t m_tRunEnd = 0;    // calendar seconds
  // How long the run lasted, on a clock that setting the calendar does not move: the two
  // dates above can be an hour apart, or the wrong way round, for a run of a minute.
  std::int64_t m_nTimeframeSecs = 0;
  std::string m_strCadetName;   // UTF-8; printed in upper case
  std::string m_strRank;        // "Warrior"
  std::string m_strBelt;        // "Green Belt"
  std::string m_strStyle;       // latest fighting-style title, empty before a won match
  std::int32_t m_nHiScore = 0;  // banked total of the run
};

// The SUMMARY block appended to the log when the player leaves. The shortest response time
// prints 0 when no problem was finished (the figure then still holds its start value).
std::string FormatSummary(const SummaryValues& values);

// A span of seconds as "HH:MM:SS" with whole days dropped (25 hours print 01:00:00). A negative
// span (the clock was set back) prints as "-" and the same format of its size.
std::string FormatSpan(std::int64_t seconds);

// UTF-8 text with the Latin lower-case letters (ASCII, Latin-1 and Latin Extended-A) turned to
// their capitals; everything else, malformed bytes included, passes through unchanged.
std::string UpperCaseName(std::string_view text);

}  // namespace qz
