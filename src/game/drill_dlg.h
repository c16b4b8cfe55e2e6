#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/drill_engine.h"
#include "engine/drill_input.h"
#include "engine/drill_view.h"
#include "platform/platform.h"
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

// The game's main window: its controls, fonts, colours and painting, its start-up, the
// handlers outside a match (sound switch, SETUP, About box, caret), and the routing of input
// to the drill engine, which works the window through the DrillView the window implements.
class CDrillDlg : public Dialog, private DrillView {
 public:
  static constexpr int kTemplateId = 102;
  static constexpr int kSetupPanelTemplateId = 174;
  static constexpr int kAppIntro = 3;

  // `settings` must outlive the window; the game has one record for the whole run.
  CDrillDlg(Platform& platform, TrainingSettings& settings);
  ~CDrillDlg() override;

  // Who shows the About box (the application does): at start-up and on F1.
  void SetAboutBox(std::function<void(Dialog& owner)> show) { m_showAbout = std::move(show); }
  // Where ENTER and Escape go: the engine, unless a listener is put in between (a test that
  // watches the routing).
  void RouteInputTo(DrillInput& input) { m_pInput = &input; }

  void ShowMatchTexts(bool show) override;
  void ShowProblemArea(bool show) override;

  DrillEngine& Engine() { return m_engine; }
  const DrillEngine& Engine() const { return m_engine; }
  bool SetupShown() const { return m_bSetupShown; }
  bool InputOpen() const { return m_bInputOpen; }

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
  void OnTimer(int id) override { m_engine.OnTimer(id); }
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

 private:
  // ENTER clicked, or Return in the answer box.
  void OnEnter();
  void OnUpdateAnswer();
  void OnSetFocusAnswer();
  void OnSoundSwitch();
  void OnSetup();
  void ShowAbout();
  // Under the setup panel ENTER and Escape only show the hint that SETUP closes it.
  void FlashSetupHint();
  // A display item and the member that holds its text between data exchanges.
  struct Binding {
    int id;
    std::string CDrillDlg::*text;
  };
  static const Binding kBindings[7];
  // The member that holds the text of a display item, or null.
  static std::string CDrillDlg::*BoundText(int item);

  // DrillView.
  void ShowTextNow(int item, const std::string& text) override { SetItemText(item, text); }
  void HoldText(int item, const std::string& text) override;
  std::string HeldText(int item) const override;
  void ShowHeldTexts() override { UpdateData(false); }
  std::int32_t TakeAnswer() override;
  bool AnswerBoxEmpty() const override { return m_answer.GetText().empty(); }
  void ShowControl(int item, bool show) override { ShowItem(item, show); }
  void EnableControl(int item, bool enable) override { EnableItem(item, enable); }
  void FocusControl(int item) override { FocusItem(item); }
  void RedrawControl(int item) override { InvalidateItem(item); }
  void SetGaugePos(int item, int pos) override;
  void SetGaugeRange(int item, std::uint32_t range) override;
  void SetUpGauges() override;
  void SetInputOpen(bool open) override { m_bInputOpen = open; }
  bool Pause(std::uint32_t ms) override { return WaitPumping(ms); }
  void Rest(std::uint32_t ms) override { Sleep(ms); }
  bool WindowEnded() const override { return Ended(); }

  TrainingSettings& m_settings;
  DrillEngine m_engine;
  DrillInput* m_pInput = &m_engine;
  // The program was told to end; the session is ended once the loops have unwound.
  bool m_bQuitOrdered = false;
  bool m_bSetupShown = false;  // the setup panel is shown
  bool m_bInputOpen = false;   // the answer box takes answers

  PanelHost m_panelHost;
  const ColorRef m_crText = Rgb(224, 224, 224);
  std::unique_ptr<CSetupPanel> m_pSetupPanel;

  // Controls bound to the template.
  AnswerEdit m_answer;
  BitmapStatic m_hint;
  BitmapStatic m_title;
  BitmapStatic m_soundSwitch;
  BitmapStatic m_idlePicture;
  PictureButton m_btnExit;
  GaugeBar m_powerGauge;
  GaugeBar m_energyGauge;
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

  std::function<void(Dialog&)> m_showAbout;
  Font* m_pProblemFont = nullptr;
  Font* m_pDisplayFont = nullptr;
  Font* m_pSmallFont = nullptr;
  Font* m_pFigureFont = nullptr;
};

}  // namespace qz
