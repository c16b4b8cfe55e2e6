// Judging of the main window: right, wrong and timed-out answers, feedback, score, energy,
// the score animations, winning and losing a match, the rank and the stored statistics.
#include <algorithm>

#include "game/drill_dlg.h"
#include "game/engine_texts.h"
#include "game/judging_rules.h"
#include "platform/string_printf.h"
#include "profile/sound_ids.h"
#include "profile/training_settings.h"
#include "records/fight_style.h"
#include "ui/typed_number.h"

namespace qz {

namespace {
constexpr std::uint32_t kFeedbackPauseMs = 3000;
constexpr std::uint32_t kBeforeMatchEndSoundMs = 300;
constexpr std::uint32_t kStepWithSoundMs = 70;
constexpr std::uint32_t kStepSilentMs = 100;

// Sums that may run for a whole lifetime of play wrap instead of overflowing.
std::int32_t WrappingAdd(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
}  // namespace

void CDrillDlg::JudgeAnswer() {
  // A time-out can be judged inside the pause that follows a wrong answer; the serial tells
  // the interrupted judgement that the flow has moved on without it.
  const std::uint32_t serial = ++m_nJudgeSerial;
  UpdateData(true);
  m_nAnswer = ReadAnswer(m_strAnswer);
  ++m_nAnswers;
  if (m_bTimedOut) {
    m_nEnergy -= 20;
    ScoldTimeOut();
    FinishProblem();
  } else if (m_nAnswer == m_nResult) {
    PraiseRight();
    m_nScore = WrappingAdd(m_nScore, PlayedLevel() * 100);
    SetItemText(kItemScore, StringPrintf(kFormatScore, m_nScore));
    m_nEnergy += EnergyGain(m_nSecsLeft);
    FinishProblem();
    PlayCheer();
    CountPowerBonus();
  } else {
    m_bRetry = true;
    if (m_bSound)
      m_platform.sound.Play(kSoundWrong, kPlayUnlessBusy);
    m_nEnergy -= 10;
    LogProblemLine();
    ScoldWrong();
  }
  m_energyGauge.SetPos(m_nEnergy);
  if (m_nEnergy < 1) {
    LoseMatch();
    return;
  }
  ShowToGo();
  if (m_bSound && m_nToGo == 0) {
    WaitPumping(kBeforeMatchEndSoundMs);
    m_platform.sound.Play(kSoundMatchEnd, kPlaySync);
  } else {
    WaitPumping(kFeedbackPauseMs);
  }
  if (Ended() || serial != m_nJudgeSerial)
    return;
  if (m_nToGo > 0) {
    NextProblem();
  } else if (m_nScore <= 0) {
    LoseMatch();
  } else {
    WinMatch();
  }
}

int CDrillDlg::SpeedIndex() const {
  return qz::SpeedIndex(m_nSecsLeft, m_nTimeLimit);
}

int CDrillDlg::SizeIndex() const {
  return qz::SizeIndex(m_nResult, m_difficulty.m_nOperandLimit);
}

void CDrillDlg::PraiseRight() {
  m_strStatus = PraiseText(m_nRetries, SpeedIndex(), SizeIndex());
  ++m_nRight;
  m_strRight = StringPrintf(kFormatCount, m_nRight);
}

void CDrillDlg::ScoldWrong() {
  m_strStatus = ScoldWrongText(m_nAnswer, m_nResult, SpeedIndex());
  ++m_nWrong;
  m_strWrong = StringPrintf(kFormatCount, m_nWrong);
}

void CDrillDlg::ScoldTimeOut() {
  m_strStatus = TimeOutText(m_rng.Next() % 5);
  // The right result is shown in the answer box, in red while the clock stands timed out.
  m_strAnswer = StringPrintf(kFormatCount, m_nResult);
  SetItemText(kItemAnswer, m_strAnswer);
  ++m_nWrong;
  m_strWrong = StringPrintf(kFormatCount, m_nWrong);
  if (m_bSound)
    m_platform.sound.Play(kSoundTimeOut, kPlayAsync);
}

void CDrillDlg::PlayCheer() {
  if (!m_bSound)
    return;
  switch (m_rng.Next() % 3) {
    case 1:
      m_platform.sound.Play(kSoundCheerOne, kPlaySync);
      break;
    case 2:
      m_platform.sound.Play(kSoundCheerThree, kPlaySync);
      break;
    default:
      m_platform.sound.Play(kSoundCheerTwo, kPlaySync);
      break;
  }
}

void CDrillDlg::ScoreStepPause() {
  if (m_bSound) {
    m_platform.sound.Play(kSoundScoreTick, kPlayAsync);
    Sleep(kStepWithSoundMs);
  } else {
    Sleep(kStepSilentMs);
  }
}

void CDrillDlg::CountPowerBonus() {
  // The power display counts down to zero while the score counts up, ten points a step.
  for (int power = m_nSecsLeft * 10; power >= 0; power -= 10) {
    m_nScore = WrappingAdd(m_nScore, 10);
    SetItemText(kItemScore, StringPrintf(kFormatScore, m_nScore));
    SetItemText(kItemPowerText, StringPrintf(kFormatPower, power));
    ScoreStepPause();
  }
}

void CDrillDlg::BankScore() {
  while (m_nScore > 0) {
    const std::int32_t chunk = std::min<std::int32_t>(m_nScore, 100);
    m_nScore -= chunk;
    m_nHiScore = WrappingAdd(m_nHiScore, chunk);
    m_strHiScoreLine = StringPrintf(kFormatBanked, m_nHiScore);
    SetItemText(kItemHiScore, m_strHiScoreLine);
    SetItemText(kItemScore, StringPrintf(kFormatScore, m_nScore));
    ScoreStepPause();
  }
}

void CDrillDlg::BankScoreAtOnce() {
  m_nHiScore = WrappingAdd(m_nHiScore, m_nScore);
  m_nScore = 0;
  ShowRank();
}

void CDrillDlg::LoseMatch() {
  m_strStatus = kTextNeedPractice;
  EndMatch();
}

void CDrillDlg::WinMatch() {
  m_strStyle = MakeFightStyle(m_rng, m_nScore);
  m_strStatus = StringPrintf(kFormatFightStyle, m_strStyle.c_str(), m_nScore);
  UpdateData(false);
  WaitPumping(10);
  BankScore();
  EndMatch();
}

void CDrillDlg::ShowRank() {
  m_strRank = RankName(m_nHiScore);
  m_strRankLine = std::string(kTextRankPrefix) + m_strRank;
  SetItemText(kItemRank, m_strRankLine);
}

void CDrillDlg::UpdateRecords() {
  qz::UpdateRecords(m_settings.m_stats, PlayedLevel(), m_nRunRight, m_nRunWrong);
}

}  // namespace qz
