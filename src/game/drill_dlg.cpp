#include "game/drill_dlg.h"

#include <vector>

#include "profile/setup_panel.h"
#include "profile/sound_ids.h"
#include "profile/training_settings.h"
#include "ui/palette.h"
#include "ui/typed_number.h"

namespace qz {
namespace {

constexpr char kBackground[] = "163";
constexpr char kIcon[] = "icon";
constexpr char kSoundOnPicture[] = "172";
constexpr char kSoundOffPicture[] = "173";
constexpr int kSoundSwitchSize = 24;
constexpr int kStatusFallbackHeights[] = {24, 22, 20, 18, 16, 14, 12};
constexpr std::uint32_t kHintMs = 1000;
constexpr char kCaptionEnergy[] = "Energy";
constexpr char kCaptionEnergyLevel[] = "Energy Level";
constexpr char kCaptionPower[] = "Power";

// Controls shown with the match displays and hidden under the setup panel.
constexpr int kMatchTexts[] = {kItemIdlePicture, kItemStatus, kItemCadet, kItemRank, kItemBelt};

}  // namespace

CDrillDlg::CDrillDlg(Platform& platform, TrainingSettings& settings)
    : Dialog(platform, kTemplateId),
      m_settings(settings),
      m_engine(platform, settings, *this),
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

  m_engine.LoadSettings();
  m_soundSwitch.SetImage(FindPicture(m_engine.SoundOn() ? kSoundOnPicture : kSoundOffPicture),
                         kSoundSwitchSize, kSoundSwitchSize);

  ShowAbout();
  PostApp(kAppIntro);
  return true;
}

bool CDrillDlg::ClickMayTakeFocus(const Control& control) {
  return &control == &m_answer || !m_engine.Running();
}

bool CDrillDlg::MarksFocusWithoutKeyboard(const Control& control) const {
  return &control == &m_answer && m_engine.Running();
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
      if (!m_engine.Running())
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

void CDrillDlg::OnEnter() {
  if (m_bSetupShown) {
    FlashSetupHint();
    return;
  }
  m_pInput->OnEnter();
}

void CDrillDlg::OnOK() {
  if (m_bSetupShown) {
    FlashSetupHint();
    return;
  }
  if (m_pInput->OnEscape())
    EndDialog(kItemExit);
}

void CDrillDlg::FlashSetupHint() {
  ShowItem(kItemHint, true);
  if (m_engine.SoundOn())
    m_platform.sound.Play(kSoundRefusal, kPlayAsync);
  WaitPumping(kHintMs);
  ShowItem(kItemHint, false);
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
  if (m_bQuitOrdered)
    m_engine.EndRunOnQuit();
}

void CDrillDlg::OnApp(int id) {
  if (id == kAppIntro)
    m_engine.OnIntro();
}

CtlColor CDrillDlg::OnCtlColor(Control& control) {
  // Every static and edit of the window sits on black.
  switch (control.Id()) {
    case kItemHiScore:
      return {m_engine.BankedAboveBest() ? kRed : m_crText, kBlack};
    case kItemCadet:
    case kItemRank:
    case kItemBelt:
    case kItemStatus:
      return {kAmber, kBlack};
    case kItemAnswer:
      return {m_engine.TimedOut() ? kRed : kWhite, kBlack};
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

const CDrillDlg::Binding CDrillDlg::kBindings[] = {
    {kItemAnswer, &CDrillDlg::m_strAnswer},       {kItemStatus, &CDrillDlg::m_strStatus},
    {kItemHiScore, &CDrillDlg::m_strHiScoreLine}, {kItemToGo, &CDrillDlg::m_strToGo},
    {kItemWrong, &CDrillDlg::m_strWrong},         {kItemRight, &CDrillDlg::m_strRight},
    {kItemProblem, &CDrillDlg::m_strProblem},
};

std::string CDrillDlg::*CDrillDlg::BoundText(int item) {
  for (const Binding& b : kBindings) {
    if (b.id == item)
      return b.text;
  }
  return nullptr;
}

void CDrillDlg::DoDataExchange(bool save) {
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

void CDrillDlg::HoldText(int item, const std::string& text) {
  if (std::string CDrillDlg::*held = BoundText(item))
    this->*held = text;
}

std::string CDrillDlg::HeldText(int item) const {
  std::string CDrillDlg::*held = BoundText(item);
  return held != nullptr ? this->*held : std::string();
}

std::int32_t CDrillDlg::TakeAnswer() {
  UpdateData(true);
  return ReadAnswer(m_strAnswer);
}

void CDrillDlg::SetGaugePos(int item, int pos) {
  if (item == kItemPower)
    m_powerGauge.SetPos(pos);
  else if (item == kItemEnergy)
    m_energyGauge.SetPos(pos);
}

void CDrillDlg::SetGaugeRange(int item, std::uint32_t range) {
  if (item == kItemPower)
    m_powerGauge.SetRange(range);
  else if (item == kItemEnergy)
    m_energyGauge.SetRange(range);
}

void CDrillDlg::SetUpGauges() {
  m_energyGauge.Initialize(kCaptionEnergy, Rgb(47, 200, 144), Rgb(224, 224, 224), Rgb(32, 32, 32),
                           Rgb(128, 128, 128), 1);
  m_powerGauge.Initialize(kCaptionPower, Rgb(224, 224, 224), Rgb(255, 0, 0), Rgb(255, 204, 255),
                          Rgb(128, 128, 128), 1);
  m_powerGauge.SetCaption("");
  m_energyGauge.SetCaption("");
  m_energyGauge.SetRange(200);
  m_energyGauge.SetCaption(kCaptionEnergyLevel);
  m_energyGauge.SetPos(100);
}

void CDrillDlg::OnUpdateAnswer() {
  const bool has_text = !m_answer.GetText().empty();
  EnableItem(kItemEnter, has_text || m_engine.QuitAsked());
  if (!m_bInputOpen) {
    UpdateData(false);
    FocusItem(kItemEnter);
  }
}

void CDrillDlg::OnSetFocusAnswer() {
  m_answer.SetCaretHidden(true);
}

void CDrillDlg::OnSoundSwitch() {
  if (m_engine.SoundOn()) {
    m_engine.SetSoundOn(false);
    m_soundSwitch.SetImage(FindPicture(kSoundOffPicture), kSoundSwitchSize, kSoundSwitchSize);
    m_platform.sound.Stop();
  } else {
    m_engine.SetSoundOn(true);
    m_soundSwitch.SetImage(FindPicture(kSoundOnPicture), kSoundSwitchSize, kSoundSwitchSize);
    if (!m_engine.Running())
      m_platform.sound.Play(kSoundWaitingMusic, kPlayLooped);
  }
  m_settings.m_nSoundOn = m_engine.SoundOn() ? 1 : 0;
}

void CDrillDlg::OnSetup() {
  if (m_engine.Running() || m_engine.QuitAsked())
    return;
  if (m_bSetupShown) {
    if (!m_pSetupPanel->MayClose())
      return;
    m_bSetupShown = false;
    ShowMatchTexts(true);
    m_panelHost.HideAllPanels();
    m_engine.ResetMatch();
    // Return starts a match next, also when SETUP was clicked or worked with Space. Not at
    // every reset: a reset at the end of a pause must not take the focus from a button that
    // is being pressed.
    FocusItem(kItemEnter);
    if (m_engine.SoundOn())
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
