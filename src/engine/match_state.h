#pragma once

#include <climits>
#include <cstdint>
#include <string>

namespace qz {

// The drill engine's state of a match and of the run. Counters are 32-bit signed; time stamps
// are whole seconds, of the calendar for dates and of the steady clock for spans (a clock set
// during a run moves neither a response time nor the run's length). The comments give what
// each match reset puts in place.
struct MatchState {
  bool m_bRunning = false;    // a match is in progress (reset: false)
  bool m_bQuitAsked = false;  // the quit question is pending (reset: false)
  bool m_bRetry = false;      // the last answer was wrong: the same problem again (reset: false)
  bool m_bTimedOut = false;   // the clock ran out on the current problem
  bool m_bSound = true;       // the sound switch

  std::int32_t m_nHiScore = 0;  // banked total of the run, compared unsigned; never reset
  std::int32_t m_nOp = 0;       // 0 "+", 1 "-", 2 "x", 3 "/"
  std::int32_t m_nA = 0;
  std::int32_t m_nB = 0;
  std::int32_t m_nResult = 0;
  std::int32_t m_nAnswer = 0;
  std::int32_t m_nScore = 0;      // match score (reset: 0)
  std::int32_t m_nSecsLeft = 0;   // (reset: 10)
  std::int32_t m_nTimeLimit = 0;  // seconds per problem (reset: 10)
  std::int32_t m_nEnergy = 0;     // (reset: 100)
  std::int32_t m_nToGo = 0;       // problems still to go (reset: the match length)
  std::int32_t m_nRight = 0;      // right answers of the match (reset: 0)
  std::int32_t m_nWrong = 0;      // wrong answers and time-outs of the match (reset: 0)
  std::int32_t m_nRetries = 0;    // wrong attempts on the current problem (reset: 0)
  std::int32_t m_nDone = 0;       // problems finished in the run
  std::int32_t m_nAnswers = 0;    // answers judged in the run, time-outs included
  std::int32_t m_nRunRight = 0;   // sums over the ended matches of the run
  std::int32_t m_nRunWrong = 0;

  std::int64_t m_tProblemStart = 0;    // steady clock
  std::int64_t m_tProblemEnd = 0;      // steady clock
  std::int64_t m_tRunStart = 0;        // calendar, set when the session header is written
  std::int64_t m_tRunEnd = 0;          // calendar, set when the summary is written
  std::int64_t m_tRunStartSteady = 0;  // the same two moments on the steady clock
  std::int64_t m_tRunEndSteady = 0;

  std::int32_t m_nLastSecs = 0;
  std::int32_t m_nSumSecs = 0;
  std::int32_t m_nMinSecs = INT_MAX;
  std::int32_t m_nMaxSecs = 0;
  std::int32_t m_nAvgSecs = 0;

  std::string m_strSign;  // operation sign of the current problem
  std::string m_strCadetLine;
  std::string m_strRankLine;
  std::string m_strRank;  // rank name, also printed in the summary
  std::string m_strBeltLine;
  std::string m_strStyle;        // latest fighting-style title of the run
  std::string m_strSavedStatus;  // the status line put aside by the quit question
};

}  // namespace qz
