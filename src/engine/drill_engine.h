#pragma once

#include <cstdint>
#include <string>

#include "engine/drill_input.h"
#include "engine/drill_view.h"
#include "engine/match_state.h"
#include "platform/platform.h"
#include "platform/rng.h"
#include "profile/belts.h"

namespace qz {

struct TrainingSettings;

// The drill engine: the match flow, posing and judging problems, scoring, ranks, the stored
// records at a match's end, and the session log of the run. It owns the match state, the
// random series and the working difficulty, and works the screen through a DrillView.
//
// Its pauses dispatch events (DrillView::Pause), so the engine is entered again from inside
// its own steps: a key cuts a pause short, the clock's tick judges a time-out inside the
// pause after a wrong answer, a close request asks the quit question. Each step checks what
// changed under it when the pause returns.
class DrillEngine : public DrillInput {
 public:
  // `settings` and `view` must outlive the engine; the game has one record for the whole run.
  DrillEngine(Platform& platform, TrainingSettings& settings, DrillView& view);

  // The stored settings loaded at start; a file that could not be read whole is said once.
  // The sound switch starts from the stored state.
  void LoadSettings();
  // The intro: the title shown, the session header written, then the idle screen.
  void OnIntro();
  void OnEnter() override;
  bool OnEscape() override;
  void OnTimer(int id);
  // Back to the idle screen, ready for a new match.
  void ResetMatch();
  // The program was told to end and every loop has unwound: a running match counts as lost
  // by default, the settings are saved and the summary is written.
  void EndRunOnQuit();
  void SetSoundOn(bool on) { m_state.m_bSound = on; }

  bool SoundOn() const { return m_state.m_bSound; }
  bool Running() const { return m_state.m_bRunning; }
  bool QuitAsked() const { return m_state.m_bQuitAsked; }
  bool TimedOut() const { return m_state.m_bTimedOut; }
  // Whether the run's banked total is above the best stored total (compared unsigned, as the
  // stored value is).
  bool BankedAboveBest() const;

  // The run's figures, for the tests and the summary.
  const MatchState& State() const { return m_state; }
  const WorkingDifficulty& Difficulty() const { return m_difficulty; }

 private:
  // Match flow.
  void ShowCounters();
  void ShowBelt();
  void GetReady();
  void StartMatch();
  void NextProblem();
  void StartClock();
  void StopClock();
  void FinishProblem();
  void ShowToGo();
  void EndMatch();
  // The bookkeeping of a match's end: the run totals, the stored records, the clock stopped.
  void CountMatchEnd();
  void EndSession();
  void SetStatusNow(const std::string& text);
  // Judging.
  void JudgeAnswer();
  int SpeedIndex() const;
  int SizeIndex() const;
  void PraiseRight();
  void ScoldWrong();
  void ScoldTimeOut();
  void PlayCheer();
  void CountPowerBonus();
  void BankScore();
  // The whole match score into the run's banked total at once, without the animation.
  void BankScoreAtOnce();
  void ScoreStepPause();
  void LoseMatch();
  void WinMatch();
  void ShowRank();
  void UpdateRecords();
  // Problems, records and settings.
  // The belt the game is played at: a stored level outside 1 to 8 plays as Black.
  int PlayedLevel() const;
  void MakeProblem();
  // Appends a record after the session header; into a log made anew, the header goes first.
  void AppendLog(const std::string& text);
  void LogSessionHeader();
  void LogProblemLine();
  void LogSummary();
  void SaveSettingsOrSay();
  // A settings file that could not be read whole is never saved over; the cadet is told once,
  // at start, and the game plays on what could be read.
  void SayIfSettingsUnreadable();

  Platform& m_platform;
  TrainingSettings& m_settings;
  DrillView& m_view;
  MatchState m_state;
  Rng m_rng;
  WorkingDifficulty m_difficulty;
  // The session header as written at start, for a log deleted during the run.
  std::string m_strSessionHeader;
  // Counts judgements, so one interrupted by a nested judgement inside its pause stops.
  std::uint32_t m_nJudgeSerial = 0;
};

}  // namespace qz
