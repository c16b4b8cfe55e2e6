// Judging of the drill engine: right, wrong and timed-out answers, feedback, score, energy,
// the score animations, winning and losing a match, the rank and the stored statistics.
#include <algorithm>

#include "engine/drill_engine.h"
#include "engine/engine_texts.h"
#include "engine/judging_rules.h"
#include "platform/string_printf.h"
#include "profile/sound_ids.h"
#include "profile/training_settings.h"
#include "records/fight_style.h"

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

void DrillEngine::JudgeAnswer() {
  // A time-out can be judged inside the pause that follows a wrong answer; the serial tells
  // the interrupted judgement that the flow has moved on without it.
  const std::uint32_t serial = ++m_nJudgeSerial;
  m_state.m_nAnswer = m_view.TakeAnswer();
  ++m_state.m_nAnswers;
  if (m_state.m_bTimedOut) {
    m_state.m_nEnergy -= 20;
    ScoldTimeOut();
    FinishProblem();
  } else if (m_state.m_nAnswer == m_state.m_nResult) {
    PraiseRight();
    m_state.m_nScore = WrappingAdd(m_state.m_nScore, PlayedLevel() * 100);
    m_view.ShowTextNow(kItemScore, StringPrintf(kFormatScore, m_state.m_nScore));
    m_state.m_nEnergy += EnergyGain(m_state.m_nSecsLeft);
    FinishProblem();
    PlayCheer();
    CountPowerBonus();
  } else {
    m_state.m_bRetry = true;
    if (m_state.m_bSound)
      m_platform.sound.Play(kSoundWrong, kPlayUnlessBusy);
    m_state.m_nEnergy -= 10;
    LogProblemLine();
    ScoldWrong();
  }
  m_view.SetGaugePos(kItemEnergy, m_state.m_nEnergy);
  if (m_state.m_nEnergy < 1) {
    LoseMatch();
    return;
  }
  ShowToGo();
  if (m_state.m_bSound && m_state.m_nToGo == 0) {
    m_view.Pause(kBeforeMatchEndSoundMs);
    m_platform.sound.Play(kSoundMatchEnd, kPlaySync);
  } else {
    m_view.Pause(kFeedbackPauseMs);
  }
  if (m_view.WindowEnded() || serial != m_nJudgeSerial)
    return;
  if (m_state.m_nToGo > 0) {
    NextProblem();
  } else if (m_state.m_nScore <= 0) {
    LoseMatch();
  } else {
    WinMatch();
  }
}

int DrillEngine::SpeedIndex() const {
  return qz::SpeedIndex(m_state.m_nSecsLeft, m_state.m_nTimeLimit);
}

int DrillEngine::SizeIndex() const {
  return qz::SizeIndex(m_state.m_nResult, m_difficulty.m_nOperandLimit);
}

void DrillEngine::PraiseRight() {
  m_view.HoldText(kItemStatus, PraiseText(m_state.m_nRetries, SpeedIndex(), SizeIndex()));
  ++m_state.m_nRight;
  m_view.HoldText(kItemRight, StringPrintf(kFormatCount, m_state.m_nRight));
}

void DrillEngine::ScoldWrong() {
  m_view.HoldText(kItemStatus, ScoldWrongText(m_state.m_nAnswer, m_state.m_nResult, SpeedIndex()));
  ++m_state.m_nWrong;
  m_view.HoldText(kItemWrong, StringPrintf(kFormatCount, m_state.m_nWrong));
}

void DrillEngine::ScoldTimeOut() {
  m_view.HoldText(kItemStatus, TimeOutText(m_rng.Next() % 5));
  // The right result is shown in the answer box, in red while the clock stands timed out.
  const std::string right_result = StringPrintf(kFormatCount, m_state.m_nResult);
  m_view.HoldText(kItemAnswer, right_result);
  m_view.ShowTextNow(kItemAnswer, right_result);
  ++m_state.m_nWrong;
  m_view.HoldText(kItemWrong, StringPrintf(kFormatCount, m_state.m_nWrong));
  if (m_state.m_bSound)
    m_platform.sound.Play(kSoundTimeOut, kPlayAsync);
}

void DrillEngine::PlayCheer() {
  if (!m_state.m_bSound)
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

void DrillEngine::ScoreStepPause() {
  if (m_state.m_bSound) {
    m_platform.sound.Play(kSoundScoreTick, kPlayAsync);
    m_view.Rest(kStepWithSoundMs);
  } else {
    m_view.Rest(kStepSilentMs);
  }
}

void DrillEngine::CountPowerBonus() {
  // The power display counts down to zero while the score counts up, ten points a step.
  for (int power = m_state.m_nSecsLeft * 10; power >= 0; power -= 10) {
    m_state.m_nScore = WrappingAdd(m_state.m_nScore, 10);
    m_view.ShowTextNow(kItemScore, StringPrintf(kFormatScore, m_state.m_nScore));
    m_view.ShowTextNow(kItemPowerText, StringPrintf(kFormatPower, power));
    ScoreStepPause();
  }
}

void DrillEngine::BankScore() {
  while (m_state.m_nScore > 0) {
    const std::int32_t chunk = std::min<std::int32_t>(m_state.m_nScore, 100);
    m_state.m_nScore -= chunk;
    m_state.m_nHiScore = WrappingAdd(m_state.m_nHiScore, chunk);
    const std::string banked_line = StringPrintf(kFormatBanked, m_state.m_nHiScore);
    m_view.HoldText(kItemHiScore, banked_line);
    m_view.ShowTextNow(kItemHiScore, banked_line);
    m_view.ShowTextNow(kItemScore, StringPrintf(kFormatScore, m_state.m_nScore));
    ScoreStepPause();
  }
}

void DrillEngine::BankScoreAtOnce() {
  m_state.m_nHiScore = WrappingAdd(m_state.m_nHiScore, m_state.m_nScore);
  m_state.m_nScore = 0;
  ShowRank();
}

void DrillEngine::LoseMatch() {
  m_view.HoldText(kItemStatus, kTextNeedPractice);
  EndMatch();
}

void DrillEngine::WinMatch() {
  m_state.m_strStyle = MakeFightStyle(m_rng, m_state.m_nScore);
  m_view.HoldText(kItemStatus,
                  StringPrintf(kFormatFightStyle, m_state.m_strStyle.c_str(), m_state.m_nScore));
  m_view.ShowHeldTexts();
  m_view.Pause(10);
  BankScore();
  EndMatch();
}

void DrillEngine::ShowRank() {
  m_state.m_strRank = RankName(m_state.m_nHiScore);
  m_state.m_strRankLine = std::string(kTextRankPrefix) + m_state.m_strRank;
  m_view.ShowTextNow(kItemRank, m_state.m_strRankLine);
}

void DrillEngine::UpdateRecords() {
  qz::UpdateRecords(m_settings.m_stats, PlayedLevel(), m_state.m_nRunRight, m_state.m_nRunWrong);
}

}  // namespace qz
