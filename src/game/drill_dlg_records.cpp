// What the main window writes down: the problem it poses, the session log and summary, and
// the settings at the end of the run.
#include "game/drill_dlg.h"
#include "game/problem.h"
#include "platform/calendar.h"
#include "platform/string_printf.h"
#include "profile/belts.h"
#include "profile/training_settings.h"
#include "records/session_log.h"
#include "records/summary.h"

namespace qz {

int CDrillDlg::PlayedLevel() const {
  const int level = m_settings.m_nGameLevel;
  return level >= 1 && level <= 8 ? level : 8;
}

void CDrillDlg::MakeProblem() {
  const Problem p = qz::MakeProblem(m_rng, m_difficulty.m_nOperandLimit, OperationSwitches());
  m_nOp = p.op;
  m_strSign = p.sign;
  m_nA = p.a;
  m_nB = p.b;
  m_nResult = p.result;
  m_strProblem = p.text;
}

void CDrillDlg::AppendLog(const std::string& text) {
  qz::AppendLog(m_platform, text);
}

void CDrillDlg::LogSessionHeader() {
  m_tRunStart = m_platform.clock.Now();
  AppendLog(FormatSessionHeader(m_settings.m_strCadetName, CadetAge(m_settings, m_tRunStart),
                                m_tRunStart));
}

void CDrillDlg::LogProblemLine() {
  ProblemLine line;
  line.number = m_difficulty.m_nMatchLength - m_nToGo;
  line.written_at = m_platform.clock.Now();
  line.a = m_nA;
  line.sign = m_strSign;
  line.b = m_nB;
  line.answer = m_nAnswer;
  line.result = m_nResult;
  line.timed_out = m_bTimedOut;
  line.seconds = m_nLastSecs;
  line.score = m_nScore;
  AppendLog(FormatProblemLine(line));
}

void CDrillDlg::LogSummary() {
  if (m_nAnswers < 1) return;
  m_tRunEnd = m_platform.clock.Now();
  SummaryFigures s;
  s.level = m_settings.m_nGameLevel;
  s.right = m_nRunRight;
  s.wrong = m_nRunWrong;
  s.done = m_nDone;
  s.answers = m_nAnswers;
  s.longest = m_nMaxSecs;
  s.shortest = m_nDone > 0 ? m_nMinSecs : 0;
  s.average = m_nAvgSecs;
  s.exercise_secs = m_nSumSecs;
  s.run_start = m_tRunStart;
  s.run_end = m_tRunEnd;
  s.cadet_name = m_settings.m_strCadetName;
  s.rank = m_strRank;
  s.belt_line = m_strBeltLine;
  s.style = m_strStyle;
  s.banked = m_nHiScore;
  AppendLog(FormatSummary(s));
}

void CDrillDlg::SaveSettingsOrSay() {
  std::string error;
  if (!SaveSettings(m_platform.settings, m_settings, &error)) {
    m_platform.message_box.Show(kAppTitle, "The settings could not be saved: " + error,
                                MessageIcon::kExclamation);
  }
}

}  // namespace qz
