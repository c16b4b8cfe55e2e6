// What the drill engine writes down: the problem it poses, the session log and summary, and
// the settings at the end of the run.
#include "engine/drill_engine.h"

#include <cstdio>

#include "engine/engine_texts.h"
#include "engine/match_records.h"
#include "engine/problem.h"
#include "platform/calendar.h"
#include "platform/string_printf.h"
#include "profile/belts.h"
#include "profile/cadet_age.h"
#include "profile/training_settings.h"
#include "records/session_log.h"
#include "records/summary.h"

namespace qz {

int DrillEngine::PlayedLevel() const {
  const int level = m_settings.m_nGameLevel;
  return level >= 1 && level <= 8 ? level : 8;
}

void DrillEngine::MakeProblem() {
  const Problem p =
      qz::MakeProblem(m_rng, m_difficulty.m_nOperandLimit, OperationSwitches(m_settings));
  m_state.m_nOp = p.m_nOp;
  m_state.m_strSign = p.m_strSign;
  m_state.m_nA = p.m_nA;
  m_state.m_nB = p.m_nB;
  m_state.m_nResult = p.m_nResult;
  m_view.HoldText(kItemProblem, p.m_strText);
}

void DrillEngine::AppendLog(const std::string& text) {
  qz::AppendLog(m_platform, text, m_strSessionHeader);
}

void DrillEngine::LogSessionHeader() {
  m_state.m_tRunStart = m_platform.clock.Now();
  m_state.m_tRunStartSteady = m_platform.clock.SteadySeconds();
  const AgeBreakdown age = CadetAge(m_settings, m_state.m_tRunStart);
  m_strSessionHeader = FormatSessionHeader(
      m_settings.m_strCadetName, AgePhrase(age.m_nYears, age.m_nMonths), m_state.m_tRunStart);
  qz::AppendLog(m_platform, m_strSessionHeader);
}

void DrillEngine::LogProblemLine() {
  AppendLog(FormatProblemLine(
      ProblemLineOf(m_state, m_difficulty.m_nMatchLength, m_platform.clock.Now())));
}

void DrillEngine::LogSummary() {
  if (m_state.m_nAnswers < 1)
    return;
  m_state.m_tRunEnd = m_platform.clock.Now();
  m_state.m_tRunEndSteady = m_platform.clock.SteadySeconds();
  AppendLog(FormatSummary(SummaryValuesOf(m_state, m_settings.m_nGameLevel,
                                          m_settings.m_strCadetName, m_state.m_strBeltLine)));
}

void DrillEngine::SayIfSettingsUnreadable() {
  const std::string problem = m_platform.settings.LoadProblem();
  if (problem.empty())
    return;
  std::fprintf(stderr, "%s: The settings could not be read: %s. %s\n", m_platform.app_name.c_str(),
               problem.c_str(), kTextSettingsLeftAlone);
  // A message box does not wrap its lines.
  m_platform.message_box.Show(
      kLogBoxCaption,
      std::string("The settings could not be read:\n") + problem + ".\n" + kTextSettingsLeftAlone,
      MessageIcon::kExclamation);
}

void DrillEngine::SaveSettingsOrSay() {
  // Already said at start; the file is left as it was.
  if (!m_platform.settings.LoadProblem().empty())
    return;
  std::string error;
  if (!SaveSettings(m_platform.settings, m_settings, &error)) {
    m_platform.message_box.Show(kLogBoxCaption, "The settings could not be saved: " + error,
                                MessageIcon::kExclamation);
  }
}

}  // namespace qz
