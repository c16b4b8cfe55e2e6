// The match flow of the drill engine: intro, reset, Get Ready, posing problems, the clock,
// finishing a problem, ending a match, the quit question and leaving.
#include <algorithm>

#include "engine/drill_engine.h"
#include "engine/engine_texts.h"
#include "platform/string_printf.h"
#include "profile/belts.h"
#include "profile/sound_ids.h"
#include "profile/training_settings.h"
#include "records/fight_style.h"

namespace qz {

namespace {
constexpr int kClockTimer = 1;
constexpr std::uint32_t kClockPeriodMs = 1000;
constexpr std::uint32_t kTitlePauseMs = 3000;
constexpr std::uint32_t kAfterTitlePauseMs = 1000;
constexpr std::uint32_t kGetReadyMs = 7575;
constexpr std::uint32_t kMatchOverPauseMs = 3000;
}  // namespace

void DrillEngine::OnIntro() {
  ResetMatch();
  m_view.FocusControl(kItemEnter);  // the idle screen's keyboard home: Return starts a match
  ShowCounters();
  m_view.SetUpGauges();
  LogSessionHeader();
  const bool cut_short = m_view.Pause(kTitlePauseMs);
  m_view.ShowControl(kItemTitle, false);
  if (!cut_short)
    m_view.Pause(kAfterTitlePauseMs);
  m_view.ShowMatchTexts(true);
}

void DrillEngine::ResetMatch() {
  m_rng.Seed(static_cast<std::uint32_t>(m_platform.clock.Now()));
  StopClock();
  ApplyBelt(m_settings, m_difficulty, m_platform.clock.Now());
  m_state.m_bRunning = false;
  m_platform.windows.NoteMatchRunning(false);
  m_state.m_bQuitAsked = false;
  // A match that ended right after a wrong answer left the flag set; the next match must pose
  // a fresh problem and start its clock.
  m_state.m_bRetry = false;
  if (m_settings.m_strCadetName.empty())
    m_settings.m_strCadetName = kTextDefaultName;
  m_state.m_nEnergy = 100;
  m_state.m_nTimeLimit = 10;
  m_state.m_nSecsLeft = 10;
  m_state.m_nToGo = m_difficulty.m_nMatchLength;
  m_state.m_nRight = 0;
  m_state.m_nWrong = 0;
  m_state.m_nScore = 0;
  m_state.m_nRetries = 0;
  m_view.SetGaugeRange(kItemPower, 100);
  m_view.SetGaugePos(kItemPower, m_state.m_nTimeLimit * 10);
  m_view.SetGaugeRange(kItemEnergy, 200);
  m_view.SetGaugePos(kItemEnergy, 100);
  m_view.EnableControl(kItemEnter, true);
  m_view.HoldText(kItemStatus, kTextWouldYouLike);
  m_state.m_strCadetLine = kTextCadetName;
  if (!m_settings.m_strCadetName.empty())
    m_state.m_strCadetLine += ": " + m_settings.m_strCadetName;
  m_view.ShowTextNow(kItemCadet, m_state.m_strCadetLine);
  ShowBelt();
  ShowRank();
  m_view.ShowHeldTexts();
  if (m_state.m_bSound)
    m_platform.sound.Play(kSoundWaitingMusic, kPlayLooped);
}

void DrillEngine::ShowCounters() {
  const std::string zero = StringPrintf(kFormatCount, 0);
  m_view.HoldText(kItemToGo, zero);
  m_view.HoldText(kItemWrong, zero);
  m_view.HoldText(kItemRight, zero);
  m_view.ShowTextNow(kItemToGo, zero);
  m_view.ShowTextNow(kItemWrong, zero);
  m_view.ShowTextNow(kItemRight, zero);
  m_view.ShowTextNow(kItemPowerText, StringPrintf(kFormatPower, m_state.m_nSecsLeft * 10));
  m_view.ShowTextNow(kItemScore, StringPrintf(kFormatScore, m_state.m_nScore));
  // Until the run banks its first points the display shows the best total ever stored.
  const int banked = m_state.m_nHiScore == 0 ? m_settings.m_nOldHiScore : m_state.m_nHiScore;
  const std::string banked_line = StringPrintf(kFormatBanked, banked);
  m_view.HoldText(kItemHiScore, banked_line);
  m_view.ShowTextNow(kItemHiScore, banked_line);
}

void DrillEngine::ShowBelt() {
  m_state.m_strBeltLine = std::string(BeltColorWord(m_settings.m_nGameLevel)) + kTextBelt;
  m_view.ShowTextNow(kItemBelt, m_state.m_strBeltLine);
}

void DrillEngine::OnEnter() {
  if (m_state.m_bQuitAsked) {
    m_state.m_bQuitAsked = false;
    SetStatusNow(kTextLostByDefault);
    EndMatch();
    return;
  }
  if (m_state.m_bRunning) {
    JudgeAnswer();
    return;
  }
  m_view.EnableControl(kItemEnter, false);
  GetReady();
  if (m_view.WindowEnded())
    return;
  StartMatch();
}

void DrillEngine::SetStatusNow(const std::string& text) {
  m_view.HoldText(kItemStatus, text);
  m_view.ShowTextNow(kItemStatus, text);
}

void DrillEngine::GetReady() {
  m_platform.windows.NoteMatchRunning(true);
  ShowCounters();
  SetStatusNow(kTextGetReady);
  if (m_state.m_bSound) {
    m_platform.sound.Stop();
    m_platform.sound.Play(kSoundGetReady, kPlayAsync);
  }
  // A press that ends the wait silences the fanfare, whatever the sound switch says.
  if (m_view.Pause(kGetReadyMs))
    m_platform.sound.Stop();
}

void DrillEngine::StartMatch() {
  m_state.m_bRunning = true;
  m_view.ShowProblemArea(true);
  NextProblem();
}

void DrillEngine::NextProblem() {
  if (!m_state.m_bRunning) {
    ResetMatch();
    return;
  }
  // A close request inside the pause before this problem asked the quit question: the
  // question stays on screen, the problem under it, and withdrawing it shows the problem.
  if (m_state.m_bQuitAsked)
    m_state.m_strSavedStatus = kTextHowMuch;
  else
    m_view.HoldText(kItemStatus, kTextHowMuch);
  m_view.HoldText(kItemAnswer, "");
  m_view.ShowTextNow(kItemAnswer, "");
  m_view.SetInputOpen(true);
  if (m_state.m_bRetry) {
    ++m_state.m_nRetries;  // the same problem stays and its clock keeps running
  } else {
    MakeProblem();
    StartClock();
  }
  ShowToGo();
  if (!m_state.m_bQuitAsked)
    m_view.FocusControl(kItemAnswer);
}

void DrillEngine::StartClock() {
  m_state.m_bTimedOut = false;
  m_view.RedrawControl(kItemAnswer);  // its colour says whether the clock ran out
  m_view.ShowTextNow(kItemPowerText, "100");
  m_state.m_nSecsLeft = m_state.m_nTimeLimit;
  m_state.m_nRetries = 0;
  m_platform.events.SetTimer(kClockTimer, kClockPeriodMs);
  m_state.m_tProblemStart = m_platform.clock.SteadySeconds();
}

void DrillEngine::StopClock() {
  // A killed timer leaves no tick behind in the queue.
  m_platform.events.KillTimer(kClockTimer);
}

void DrillEngine::OnTimer(int id) {
  // While the quit question is pending the ticks come but the clock stands still.
  if (id != kClockTimer || m_state.m_bQuitAsked)
    return;
  --m_state.m_nSecsLeft;
  m_view.SetGaugePos(kItemPower, m_state.m_nSecsLeft * 10);
  m_view.ShowTextNow(kItemPowerText, StringPrintf(kFormatPower, m_state.m_nSecsLeft * 10));
  if (m_state.m_nSecsLeft < 1) {
    StopClock();
    m_state.m_bTimedOut = true;
    m_view.RedrawControl(kItemAnswer);
    JudgeAnswer();
  } else if (m_state.m_bSound) {
    m_platform.sound.Play(kSoundClockTick, kPlayAsyncNoWait);
  }
}

void DrillEngine::FinishProblem() {
  StopClock();
  m_view.SetGaugePos(kItemPower, m_state.m_nTimeLimit * 10);
  m_view.EnableControl(kItemEnter, false);
  m_view.SetInputOpen(false);
  m_view.ShowHeldTexts();
  m_view.Pause(10);
  --m_state.m_nToGo;
  ++m_state.m_nDone;
  m_state.m_tProblemEnd = m_platform.clock.SteadySeconds();
  // Timed from the problem's first posing, also when it was asked again after wrong answers.
  m_state.m_nLastSecs = static_cast<std::int32_t>(m_state.m_tProblemEnd - m_state.m_tProblemStart);
  m_state.m_nSumSecs += m_state.m_nLastSecs;
  m_settings.m_nTimeSec =
      static_cast<std::int32_t>(static_cast<std::uint32_t>(m_settings.m_nTimeSec) +
                                static_cast<std::uint32_t>(m_state.m_nLastSecs));
  m_state.m_nMinSecs = std::min(m_state.m_nMinSecs, m_state.m_nLastSecs);
  m_state.m_nMaxSecs = std::max(m_state.m_nMaxSecs, m_state.m_nLastSecs);
  m_state.m_nAvgSecs = m_state.m_nSumSecs / m_state.m_nDone;
  LogProblemLine();
  m_state.m_bRetry = false;
}

void DrillEngine::ShowToGo() {
  m_view.HoldText(kItemToGo, StringPrintf(kFormatCount, m_state.m_nToGo));
  m_view.ShowHeldTexts();
}

void DrillEngine::EndMatch() {
  CountMatchEnd();
  m_view.ShowProblemArea(false);
  ShowToGo();
  m_view.Pause(kMatchOverPauseMs);
  if (m_view.WindowEnded())
    return;
  ResetMatch();
}

void DrillEngine::CountMatchEnd() {
  m_state.m_bRunning = false;
  m_platform.windows.NoteMatchRunning(false);
  m_state.m_nRunRight += m_state.m_nRight;
  m_state.m_nRunWrong += m_state.m_nWrong;
  UpdateRecords();
  StopClock();
}

bool DrillEngine::OnEscape() {
  if (m_state.m_bQuitAsked) {  // withdrawn: back to the problem, the clock counts again
    m_state.m_bQuitAsked = false;
    SetStatusNow(m_state.m_strSavedStatus);
    m_view.ShowProblemArea(true);
    // The question enabled ENTER to confirm it; back at the problem ENTER answers, and an
    // empty box is no answer.
    m_view.EnableControl(kItemEnter, !m_view.AnswerBoxEmpty());
    return false;
  }
  if (m_state.m_bRunning) {
    m_state.m_bQuitAsked = true;
    m_state.m_strSavedStatus = m_view.HeldText(kItemStatus);
    SetStatusNow(kTextQuitQuestion);
    m_view.ShowProblemArea(false);
    m_view.EnableControl(kItemEnter, true);
    m_view.FocusControl(kItemEnter);  // Return or Space confirms, Escape withdraws
    return false;
  }
  EndSession();
  return true;
}

void DrillEngine::EndRunOnQuit() {
  // A match in progress ends as a confirmed quit question ends it, lost by default: its counts
  // go into the run totals and the stored records. A match whose last problem was finished is
  // over already; when won, its title and its banking (an animation) were still to come.
  if (m_state.m_bRunning) {
    m_state.m_bQuitAsked = false;
    if (m_state.m_nToGo == 0 && m_state.m_nScore > 0) {
      m_state.m_strStyle = MakeFightStyle(m_rng, m_state.m_nScore);
      BankScoreAtOnce();
    }
    CountMatchEnd();
  }
  EndSession();
}

void DrillEngine::EndSession() {
  if (BankedAboveBest()) {
    m_settings.m_nOldHiScore = m_state.m_nHiScore;
    m_view.RedrawControl(kItemHiScore);  // no longer above the stored best: its colour changes
  }
  SaveSettingsOrSay();
  LogSummary();
}

}  // namespace qz
