#include "engine/match_records.h"

namespace qz {

ProblemLine ProblemLineOf(const MatchState& state, int match_length, std::int64_t now) {
  ProblemLine line;
  line.m_nProblem = match_length - state.m_nToGo;
  line.m_tNow = now;
  line.m_nA = state.m_nA;
  line.m_strSign = state.m_strSign;
  line.m_nB = state.m_nB;
  line.m_nAnswer = state.m_nAnswer;
  line.m_nResult = state.m_nResult;
  line.m_bTimedOut = state.m_bTimedOut;
  line.m_nLastSecs = state.m_nLastSecs;
  line.m_nScore = state.m_nScore;
  return line;
}

SummaryValues SummaryValuesOf(const MatchState& state, int game_level,
                              const std::string& cadet_name, const std::string& belt_line) {
  SummaryValues v;
  v.m_nGameLevel = game_level;
  v.m_nRunRight = state.m_nRunRight;
  v.m_nRunWrong = state.m_nRunWrong;
  v.m_nDone = state.m_nDone;
  v.m_nAnswers = state.m_nAnswers;
  v.m_nMaxSecs = state.m_nMaxSecs;
  v.m_nMinSecs = state.m_nMinSecs;
  v.m_nAvgSecs = state.m_nAvgSecs;
  v.m_nSumSecs = state.m_nSumSecs;
  v.m_tRunStart = state.m_tRunStart;
  v.m_tRunEnd = state.m_tRunEnd;
  v.m_nTimeframeSecs = state.m_tRunEndSteady - state.m_tRunStartSteady;
  v.m_strCadetName = cadet_name;
  v.m_strRank = state.m_strRank;
  v.m_strBelt = belt_line;
  v.m_strStyle = state.m_strStyle;
  v.m_nHiScore = state.m_nHiScore;
  return v;
}

}  // namespace qz
