#include "game/drill_dlg.h"

#include <vector>

#include "profile/setup_panel.h"
#include "profile/sound_ids.h"
#include "profile/training_settings.h"
#include "ui/palette.h"

namespace qz {
namespace {

constexpr char kBackground[] = "163";
constexpr char kIcon[] = "icon";
constexpr char kSoundOnPicture[] = "172";
constexpr char kSoundOffPicture[] = "173";
constexpr int kSoundSwitchSize = 24;
constexpr int kStatusFallbackHeights[] = {24, 22, 20, 18, 16, 14, 12};

// Controls shown with the match displays and hidden under the setup panel.
constexpr int kMatchTexts[] = {kItemIdlePicture, kItemStatus, kItemCadet, kItemRank, kItemBelt};

}  // namespace

CDrillDlg::CDrillDlg(Platform& platform, TrainingSettings& settings)
    : Dialog(platform, kTemplateId),
      m_settings(settings),
      m_pSetupPanel(std::make_unique<CSetupPanel>(platform, settings)) {
  Bind(kItemAnswer, m_answer);
  Bind(kItemHint, m_hint);
  Bind(kItemTitle, m_title);
  Bind(kItemSoundSwitch, m_soundSwitch);
  Bind(kItemIdlePicture, m_idlePicture);
  Bind(kItemExit, m_btnExit);
  Bind(kItemPower, m_powerGauge);
  Bind(kItemEnergy, m_energyGauge);
  Bind(kItemSetup, m_btnSetup);
  Bind(kItemEnter, m_btnEnter);
  Bind(kItemStatus, m_status);
}

CDrillDlg::~CDrillDlg() = default;

bool CDrillDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  // The system menu's About item is the F1 key here (PreTranslateMessage); the icon is given
  // when the window opens; the window has no default button.

  m_panelHost.m_rcFrame = ItemRectInWindow(*GetItem(kItemPanelFrame));
  m_panelHost.m_bCenter = true;
  m_panelHost.AddPanel(m_pSetupPanel.get(), kSetupPanelTemplateId, this);
  m_panelHost.HideAllPanels();

  ShowMatchTexts(false);
  ShowItem(kItemTitle, true);

  m_btnEnter.AutoLoad();
  m_btnSetup.AutoLoad();
  m_btnExit.AutoLoad();

  m_pProblemFont = MakeFont(FontFace::kCondensedBold, 64);
  m_pDisplayFont = MakeFont(FontFace::kSans, 24);
  m_pSmallFont = MakeFont(FontFace::kSans, 16);
  for (int id : {kItemProblem, kItemAnswer})
    GetItem(id)->SetFont(m_pProblemFont);
  for (int id : {kItemToGo, kItemWrong, kItemRight, kItemStatus})
    GetItem(id)->SetFont(m_pDisplayFont);
  // No status text may be cut: one too wide for the line (a long fighting-style title with
  // its score) is drawn in the condensed face, and smaller if it must.
  std::vector<Font*> narrower;
  for (int height : kStatusFallbackHeights) {
    if (Font* font = MakeFont(FontFace::kSansCondensed, height))
      narrower.push_back(font);
  }
  m_status.SetFallbackFonts(std::move(narrower));
  // The score figures fill their narrow boxes; the condensed cut keeps "H:" in view.
  m_pFigureFont = MakeFont(FontFace::kSansCondensed, 24);
  for (int id : {kItemHiScore, kItemPowerText, kItemScore})
    GetItem(id)->SetFont(m_pFigureFont);
  for (int id : {kItemCadet, kItemRank, kItemBelt})
    GetItem(id)->SetFont(m_pSmallFont);

  LoadSettings(m_platform.settings, m_settings);
  SayIfSettingsUnreadable();
  // The sound switch starts from the stored state.
  m_bSound = m_settings.m_nSoundOn != 0;
  m_soundSwitch.SetImage(FindPicture(m_bSound ? kSoundOnPicture : kSoundOffPicture),
                         kSoundSwitchSize, kSoundSwitchSize);

  ShowAbout();
  PostApp(kAppIntro);
  return true;
}

bool CDrillDlg::ClickMayTakeFocus(const Control& control) {
  return &control == &m_answer || !m_bRunning;
}

bool CDrillDlg::MarksFocusWithoutKeyboard(const Control& control) const {
  return &control == &m_answer && m_bRunning;
}

const Bitmap* CDrillDlg::Icon() {
  return FindPicture(kIcon);
}

void CDrillDlg::ShowAbout() {
  if (m_showAbout)
    m_showAbout(*this);
}

bool CDrillDlg::PreTranslateMessage(const Event& e) {
  if (e.type == EventType::kKeyDown) {
    if (e.key == Key::kReturn && GetFocus() == &m_answer && IsUsable(m_answer) &&
        !m_answer.GetText().empty()) {
      OnEnter();
      // The key still goes to the answer box, which ignores it; the dialog's own Return
      // handling does not run.
      return false;
    }
    if (e.key == Key::kEscape) {
      OnOK();
      return false;
    }
    if (e.key == Key::kF1) {
      // Never during a match: its clock would run on behind the box.
      if (!m_bRunning)
        ShowAbout();
      return true;
    }
  }
  return Dialog::PreTranslateMessage(e);
}

void CDrillDlg::OnCommand(int id, int code) {
  switch (id) {
    case kItemEnter:
      if (code == kBnClicked)
        OnEnter();
      return;
    case kItemAnswer:
      if (code == kEnUpdate)
        OnUpdateAnswer();
      if (code == kEnSetFocus)
        OnSetFocusAnswer();
      return;
    case kItemSoundSwitch:
      if (code == kStnClicked)
        OnSoundSwitch();
      return;
    case kItemSetup:
      if (code == kBnClicked)
        OnSetup();
      return;
    default:
      Dialog::OnCommand(id, code);
  }
}

void CDrillDlg::OnApp(int id) {
  if (id == kAppIntro)
    OnIntro();
}

CtlColor CDrillDlg::OnCtlColor(Control& control) {
  // Every static and edit of the window sits on black.
  switch (control.Id()) {
    case kItemHiScore: {
      // Unsigned on purpose: the banked total is compared as the stored value is.
      const bool above = static_cast<std::uint32_t>(m_nHiScore) >
                         static_cast<std::uint32_t>(m_settings.m_nOldHiScore);
      return {above ? kRed : m_crText, kBlack};
    }
    case kItemCadet:
    case kItemRank:
    case kItemBelt:
    case kItemStatus:
      return {kAmber, kBlack};
    case kItemAnswer:
      return {m_bTimedOut ? kRed : kWhite, kBlack};
    default:
      return {m_crText, kBlack};
  }
}

void CDrillDlg::OnPaint(Canvas& canvas, const Rect& client) {
  const Bitmap* background = FindPicture(kBackground);
  if (background == nullptr) {
    canvas.FillRect(client, kBlack);
    return;
  }
  canvas.DrawBitmap(*background, client.left, client.top);
}

void CDrillDlg::DoDataExchange(bool save) {
  struct Binding {
    int id;
    std::string CDrillDlg::*text;
  };
  static constexpr Binding kBindings[] = {
      {kItemAnswer, &CDrillDlg::m_strAnswer},       {kItemStatus, &CDrillDlg::m_strStatus},
      {kItemHiScore, &CDrillDlg::m_strHiScoreLine}, {kItemToGo, &CDrillDlg::m_strToGo},
      {kItemWrong, &CDrillDlg::m_strWrong},         {kItemRight, &CDrillDlg::m_strRight},
      {kItemProblem, &CDrillDlg::m_strProblem},
  };
  for (const Binding& b : kBindings) {
    Control* control = GetItem(b.id);
    if (control == nullptr)
      continue;
    if (save) {
      this->*b.text = control->GetText();
    } else if (control->GetText() != this->*b.text) {
      // Only a different text is written, so an edit keeps its caret and stays quiet.
      control->SetText(this->*b.text);
    }
  }
}

void CDrillDlg::OnUpdateAnswer() {
  const bool has_text = !m_answer.GetText().empty();
  EnableItem(kItemEnter, has_text || m_bQuitAsked);
  if (!m_bInputOpen) {
    UpdateData(false);
    FocusItem(kItemEnter);
  }
}

void CDrillDlg::OnSetFocusAnswer() {
  m_answer.SetCaretHidden(true);
}

void CDrillDlg::OnSoundSwitch() {
  if (m_bSound) {
    m_bSound = false;
    m_soundSwitch.SetImage(FindPicture(kSoundOffPicture), kSoundSwitchSize, kSoundSwitchSize);
    m_platform.sound.Stop();
  } else {
    m_bSound = true;
    m_soundSwitch.SetImage(FindPicture(kSoundOnPicture), kSoundSwitchSize, kSoundSwitchSize);
    if (!m_bRunning)
      m_platform.sound.Play(kSoundWaitingMusic, kPlayLooped);
  }
  m_settings.m_nSoundOn = m_bSound ? 1 : 0;
}

void CDrillDlg::OnSetup() {
  if (m_bRunning || m_bQuitAsked)
    return;
  if (m_bSetupShown) {
    if (!m_pSetupPanel->MayClose())
      return;
    m_bSetupShown = false;
    ShowMatchTexts(true);
    m_panelHost.HideAllPanels();
    ResetMatch();
    // Return starts a match next, also when SETUP was clicked or worked with Space. Not at
    // every reset: a reset at the end of a pause must not take the focus from a button that
    // is being pressed.
    FocusItem(kItemEnter);
    if (m_bSound)
      m_platform.sound.Play(kSoundWaitingMusic, kPlayLooped);
  } else {
    m_bSetupShown = true;
    ShowMatchTexts(false);
    m_panelHost.ShowPanel(0);
  }
}

void CDrillDlg::ShowMatchTexts(bool show) {
  ShowItem(kItemProblem, false);
  for (int id : kMatchTexts)
    ShowItem(id, show);
  if (show)
    SetItemText(kItemProblem, "");
}

void CDrillDlg::ShowProblemArea(bool show) {
  if (show) {
    ShowItem(kItemIdlePicture, false);
    ShowItem(kItemProblem, true);
    EnableItem(kItemProblem, true);
    ShowItem(kItemAnswer, true);
    EnableItem(kItemAnswer, true);
    m_bInputOpen = true;
    FocusItem(kItemAnswer);
  } else {
    ShowItem(kItemProblem, false);
    EnableItem(kItemProblem, false);
    ShowItem(kItemAnswer, false);
    EnableItem(kItemAnswer, false);
    m_bInputOpen = false;
    ShowItem(kItemIdlePicture, true);
  }
}

}  // namespace qz
