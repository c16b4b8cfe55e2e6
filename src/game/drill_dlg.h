#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "game/match_state.h"
#include "game/problem.h"
#include "platform/platform.h"
#include "platform/rng.h"
#include "profile/belts.h"
#include "ui/answer_edit.h"
#include "ui/bitmap_static.h"
#include "ui/dialog.h"
#include "ui/gauge_bar.h"
#include "ui/panel_host.h"
#include "ui/picture_button.h"
#include "ui/text_static.h"

namespace qz {

struct TrainingSettings;
class CSetupPanel;

// Controls of the main window (template 102).
enum DrillItem : int {
  kItemExit = 1,
  kItemStatus = 1000,
  kItemEnter = 1006,
  kItemAnswer = 1008,
  kItemEnergy = 1009,
  kItemSetup = 1010,
  kItemHiScore = 1011,
  kItemToGo = 1012,
  kItemRight = 1014,
  kItemWrong = 1015,
  kItemProblem = 1016,
  kItemPower = 1017,
  kItemPowerText = 1018,
  kItemScore = 1019,
  kItemCadet = 1020,
  kItemRank = 1021,
  kItemBelt = 1022,
  kItemIdlePicture = 1023,
  kItemSoundSwitch = 1025,
  kItemPanelFrame = 1026,
  kItemTitle = 1048,
  kItemHint = 1050,
};

// The game's main window: its controls, fonts, colours and painting, its start-up, and the
// handlers outside a match (sound switch, SETUP, About box, caret, Return and Escape). The
// drill engine is made of further members of this class.
class CDrillDlg : public Dialog, protected MatchState {
 public:
  static constexpr int kTemplateId = 102;
  static constexpr int kSetupPanelTemplateId = 174;
  static constexpr int kAppIntro = 3;

  // `settings` must outlive the window; the game has one record for the whole run.
  CDrillDlg(Platform& platform, TrainingSettings& settings);
  ~CDrillDlg() override;

  // Who shows the About box (the application does): at start-up and on F1.
  void SetAboutBox(std::function<void(Dialog& owner)> show) { m_showAbout = std::move(show); }

  // The engine works the window through Dialog's helpers: SetItemText (a direct write that
  // appears at once), GetItemText, ShowItem, EnableItem, FocusItem, UpdateData (the bound
  // texts, shown at the next paint), WaitPumping and Sleep.

  void ShowMatchTexts(bool show);
  void ShowProblemArea(bool show);

  // The drill engine's entry points. OnEnter is virtual so tests can watch the routing.
  void OnIntro();
  virtual void OnEnter();
  void ResetMatch();

  // The run's figures, for the tests and the summary.
  const MatchState& State() const { return *this; }
  const WorkingDifficulty& Difficulty() const { return m_difficulty; }

 protected:
  bool OnInitDialog() override;
  bool PreTranslateMessage(const Event& e) override;
  void OnCommand(int id, int code) override;
  void OnOK() override;
  void OnClose() override { OnOK(); }
  // Told to end from outside: the run ends without a question, as EXIT would end it after a
  // confirmed quit question, and is saved.
  void OnQuit() override;
  void OnDestroy() override;
  void OnTimer(int id) override;
  void OnApp(int id) override;
  CtlColor OnCtlColor(Control& control) override;
  void OnPaint(Canvas& canvas, const Rect& client) override;
  void DoDataExchange(bool save) override;
  // The keyboard's home: when the focused control is hidden or disabled, ENTER.
  Control* FocusFallback() override { return &m_btnEnter; }
  // While a match runs the answer box keeps the keyboard: a click on a button or switch does
  // not take it away, so digits and Return still reach the box, and a button pressed in a
  // pause is not let go when the next problem puts the focus back in the box.
  bool ClickMayTakeFocus(const Control& control) override;
  // The answer box shows where the answer goes from the problem's start, also to a child who
  // has only used the mouse.
  bool MarksFocusWithoutKeyboard(const Control& control) const override;
  const Bitmap* Icon() override;

  void OnUpdateAnswer();
  void OnSetFocusAnswer();
  void OnSoundSwitch();
  void OnSetup();
  void ShowAbout();

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
  void FlashSetupHint();
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

  Rng m_rng;
  WorkingDifficulty m_difficulty;
  // The session header as written at start, for a log deleted during the run.
  std::string m_strSessionHeader;
  // Counts judgements, so one interrupted by a nested judgement inside its pause stops.
  std::uint32_t m_nJudgeSerial = 0;
  // The program was told to end; the session is ended once the loops have unwound.
  bool m_bQuitOrdered = false;

  CPanelHost m_panelHost;
  const ColorRef m_crText = Rgb(224, 224, 224);
  const ColorRef m_crGrey = Rgb(128, 128, 128);
  TrainingSettings& m_settings;
  std::unique_ptr<CSetupPanel> m_pSetupPanel;

  // Controls bound to the template.
  CAnswerEdit m_answer;
  BitmapStatic m_hint;
  BitmapStatic m_title;
  BitmapStatic m_soundSwitch;
  BitmapStatic m_idlePicture;
  PictureButton m_btnExit;
  CGaugeBar m_powerGauge;
  CGaugeBar m_energyGauge;
  PictureButton m_btnSetup;
  PictureButton m_btnEnter;
  TextStatic m_status;

  // Texts bound to controls, pushed with UpdateData(false) and pulled with UpdateData(true).
  std::string m_strAnswer;
  std::string m_strStatus;
  std::string m_strHiScoreLine;
  std::string m_strToGo;
  std::string m_strWrong;
  std::string m_strRight;
  std::string m_strProblem;

 private:
  std::function<void(Dialog&)> m_showAbout;
  Font* m_pProblemFont = nullptr;
  Font* m_pDisplayFont = nullptr;
  Font* m_pSmallFont = nullptr;
  Font* m_pFigureFont = nullptr;
};

}  // namespace qz
