// The match flow of the main window: intro, reset, Get Ready, posing problems, the clock,
// finishing a problem, ending a match, the quit question and leaving.
#include <algorithm>

#include "game/drill_dlg.h"
#include "game/engine_texts.h"
#include "platform/color.h"
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
constexpr std::uint32_t kHintMs = 1000;
}  // namespace

void CDrillDlg::OnIntro() {
  ResetMatch();
  FocusItem(kItemEnter);  // the idle screen's keyboard home: Return starts a match
  ShowCounters();
  m_energyGauge.Initialize(kCaptionEnergy, Rgb(47, 200, 144), Rgb(224, 224, 224), Rgb(32, 32, 32),
                           Rgb(128, 128, 128), 1);
  m_powerGauge.Initialize(kCaptionPower, Rgb(224, 224, 224), Rgb(255, 0, 0), Rgb(255, 204, 255),
                          Rgb(128, 128, 128), 1);
  m_powerGauge.SetCaption("");
  m_energyGauge.SetCaption("");
  m_energyGauge.SetRange(200);
  m_energyGauge.SetCaption(kCaptionEnergyLevel);
  m_energyGauge.SetPos(100);
  LogSessionHeader();
  const bool cut_short = WaitPumping(kTitlePauseMs);
  ShowItem(kItemTitle, false);
  if (!cut_short)
    WaitPumping(kAfterTitlePauseMs);
  ShowMatchTexts(true);
}

void CDrillDlg::ResetMatch() {
  m_rng.Seed(static_cast<std::uint32_t>(m_platform.clock.Now()));
  StopClock();
  ApplyBelt(m_settings, m_difficulty, m_platform.clock.Now());
  m_bRunning = false;
  m_platform.windows.NoteMatchRunning(false);
  m_bQuitAsked = false;
  // A match that ended right after a wrong answer left the flag set; the next match must pose
  // a fresh problem and start its clock.
  m_bRetry = false;
  if (m_settings.m_strCadetName.empty())
    m_settings.m_strCadetName = kTextDefaultName;
  m_nEnergy = 100;
  m_nTimeLimit = 10;
  m_nSecsLeft = 10;
  m_nToGo = m_difficulty.m_nMatchLength;
  m_nRight = 0;
  m_nWrong = 0;
  m_nScore = 0;
  m_nRetries = 0;
  m_powerGauge.SetRange(100);
  m_powerGauge.SetPos(m_nTimeLimit * 10);
  m_energyGauge.SetRange(200);
  m_energyGauge.SetPos(100);
  EnableItem(kItemEnter, true);
  m_strStatus = kTextWouldYouLike;
  m_strCadetLine = kTextCadetName;
  if (!m_settings.m_strCadetName.empty())
    m_strCadetLine += ": " + m_settings.m_strCadetName;
  SetItemText(kItemCadet, m_strCadetLine);
  ShowBelt();
  ShowRank();
  UpdateData(false);
  if (m_bSound)
    m_platform.sound.Play(kSoundWaitingMusic, kPlayLooped);
}

void CDrillDlg::ShowCounters() {
  const std::string zero = StringPrintf(kFormatCount, 0);
  m_strToGo = zero;
  m_strWrong = zero;
  m_strRight = zero;
  SetItemText(kItemToGo, zero);
  SetItemText(kItemWrong, zero);
  SetItemText(kItemRight, zero);
  SetItemText(kItemPowerText, StringPrintf(kFormatPower, m_nSecsLeft * 10));
  SetItemText(kItemScore, StringPrintf(kFormatScore, m_nScore));
  // Until the run banks its first points the display shows the best total ever stored.
  const int banked = m_nHiScore == 0 ? m_settings.m_nOldHiScore : m_nHiScore;
  m_strHiScoreLine = StringPrintf(kFormatBanked, banked);
  SetItemText(kItemHiScore, m_strHiScoreLine);
}

void CDrillDlg::ShowBelt() {
  m_strBeltLine = std::string(BeltColorWord(m_settings.m_nGameLevel)) + kTextBelt;
  SetItemText(kItemBelt, m_strBeltLine);
}

void CDrillDlg::OnEnter() {
  if (m_bSetupShown) {
    FlashSetupHint();
    return;
  }
  if (m_bQuitAsked) {
    m_bQuitAsked = false;
    SetStatusNow(kTextLostByDefault);
    EndMatch();
    return;
  }
  if (m_bRunning) {
    JudgeAnswer();
    return;
  }
  EnableItem(kItemEnter, false);
  GetReady();
  if (Ended())
    return;
  StartMatch();
}

void CDrillDlg::FlashSetupHint() {
  ShowItem(kItemHint, true);
  if (m_bSound)
    m_platform.sound.Play(kSoundRefusal, kPlayAsync);
  WaitPumping(kHintMs);
  ShowItem(kItemHint, false);
}

void CDrillDlg::SetStatusNow(const std::string& text) {
  m_strStatus = text;
  SetItemText(kItemStatus, m_strStatus);
}

void CDrillDlg::GetReady() {
  m_platform.windows.NoteMatchRunning(true);
  ShowCounters();
  SetStatusNow(kTextGetReady);
  if (m_bSound) {
    m_platform.sound.Stop();
    m_platform.sound.Play(kSoundGetReady, kPlayAsync);
  }
  // A press that ends the wait silences the fanfare, whatever the sound switch says.
  if (WaitPumping(kGetReadyMs))
    m_platform.sound.Stop();
}

void CDrillDlg::StartMatch() {
  m_bRunning = true;
  ShowProblemArea(true);
  NextProblem();
}

void CDrillDlg::NextProblem() {
  if (!m_bRunning) {
    ResetMatch();
    return;
  }
  // A close request inside the pause before this problem asked the quit question: the
  // question stays on screen, the problem under it, and withdrawing it shows the problem.
  (m_bQuitAsked ? m_strSavedStatus : m_strStatus) = kTextHowMuch;
  m_strAnswer.clear();
  SetItemText(kItemAnswer, "");
  m_bInputOpen = true;
  if (m_bRetry) {
    ++m_nRetries;  // the same problem stays and its clock keeps running
  } else {
    MakeProblem();
    StartClock();
  }
  ShowToGo();
  if (!m_bQuitAsked)
    FocusItem(kItemAnswer);
}

void CDrillDlg::StartClock() {
  m_bTimedOut = false;
  InvalidateItem(kItemAnswer);  // its colour says whether the clock ran out
  SetItemText(kItemPowerText, "100");
  m_nSecsLeft = m_nTimeLimit;
  m_nRetries = 0;
  m_platform.events.SetTimer(kClockTimer, kClockPeriodMs);
  m_tProblemStart = m_platform.clock.SteadySeconds();
}

void CDrillDlg::StopClock() {
  // A killed timer leaves no tick behind in the queue.
  m_platform.events.KillTimer(kClockTimer);
}

void CDrillDlg::OnTimer(int id) {
  // While the quit question is pending the ticks come but the clock stands still.
  if (id != kClockTimer || m_bQuitAsked)
    return;
  --m_nSecsLeft;
  m_powerGauge.SetPos(m_nSecsLeft * 10);
  SetItemText(kItemPowerText, StringPrintf(kFormatPower, m_nSecsLeft * 10));
  if (m_nSecsLeft < 1) {
    StopClock();
    m_bTimedOut = true;
    InvalidateItem(kItemAnswer);
    JudgeAnswer();
  } else if (m_bSound) {
    m_platform.sound.Play(kSoundClockTick, kPlayAsyncNoWait);
  }
}

void CDrillDlg::FinishProblem() {
  StopClock();
  m_powerGauge.SetPos(m_nTimeLimit * 10);
  EnableItem(kItemEnter, false);
  m_bInputOpen = false;
  UpdateData(false);
  WaitPumping(10);
  --m_nToGo;
  ++m_nDone;
  m_tProblemEnd = m_platform.clock.SteadySeconds();
  // Timed from the problem's first posing, also when it was asked again after wrong answers.
  m_nLastSecs = static_cast<std::int32_t>(m_tProblemEnd - m_tProblemStart);
  m_nSumSecs += m_nLastSecs;
  m_settings.m_nTimeSec = static_cast<std::int32_t>(
      static_cast<std::uint32_t>(m_settings.m_nTimeSec) + static_cast<std::uint32_t>(m_nLastSecs));
  m_nMinSecs = std::min(m_nMinSecs, m_nLastSecs);
  m_nMaxSecs = std::max(m_nMaxSecs, m_nLastSecs);
  m_nAvgSecs = m_nSumSecs / m_nDone;
  LogProblemLine();
  m_bRetry = false;
}

void CDrillDlg::ShowToGo() {
  m_strToGo = StringPrintf(kFormatCount, m_nToGo);
  UpdateData(false);
}

void CDrillDlg::EndMatch() {
  CountMatchEnd();
  ShowProblemArea(false);
  ShowToGo();
  WaitPumping(kMatchOverPauseMs);
  if (Ended())
    return;
  ResetMatch();
}

void CDrillDlg::CountMatchEnd() {
  m_bRunning = false;
  m_platform.windows.NoteMatchRunning(false);
  m_nRunRight += m_nRight;
  m_nRunWrong += m_nWrong;
  UpdateRecords();
  StopClock();
}

void CDrillDlg::OnOK() {
  if (m_bSetupShown) {
    FlashSetupHint();
    return;
  }
  if (m_bQuitAsked) {  // withdrawn: back to the problem, the clock counts again
    m_bQuitAsked = false;
    SetStatusNow(m_strSavedStatus);
    ShowProblemArea(true);
    // The question enabled ENTER to confirm it; back at the problem ENTER answers, and an
    // empty box is no answer.
    EnableItem(kItemEnter, !m_answer.GetText().empty());
    return;
  }
  if (m_bRunning) {
    m_bQuitAsked = true;
    m_strSavedStatus = m_strStatus;
    SetStatusNow(kTextQuitQuestion);
    ShowProblemArea(false);
    EnableItem(kItemEnter, true);
    FocusItem(kItemEnter);  // Return or Space confirms, Escape withdraws
    return;
  }
  EndSession();
  EndDialog(kItemExit);
}

void CDrillDlg::OnQuit() {
  if (Ended())
    return;  // already leaving, the session written down
  // Nobody is there to answer the quit question. Every loop unwinds first, so that no step
  // interrupted inside a pause (logging a finished problem, banking a score) runs after the
  // session is written down; OnDestroy then ends the session.
  m_bQuitOrdered = true;
  EndDialog(kItemExit);
}

void CDrillDlg::OnDestroy() {
  if (!m_bQuitOrdered)
    return;
  // A match in progress ends as a confirmed quit question ends it, lost by default: its counts
  // go into the run totals and the stored records. A match whose last problem was finished is
  // over already; when won, its title and its banking (an animation) were still to come.
  if (m_bRunning) {
    m_bQuitAsked = false;
    if (m_nToGo == 0 && m_nScore > 0) {
      m_strStyle = MakeFightStyle(m_rng, m_nScore);
      BankScoreAtOnce();
    }
    CountMatchEnd();
  }
  EndSession();
}

void CDrillDlg::EndSession() {
  if (static_cast<std::uint32_t>(m_nHiScore) >
      static_cast<std::uint32_t>(m_settings.m_nOldHiScore)) {
    m_settings.m_nOldHiScore = m_nHiScore;
    InvalidateItem(kItemHiScore);  // no longer above the stored best: its colour changes
  }
  SaveSettingsOrSay();
  LogSummary();
}

}  // namespace qz
