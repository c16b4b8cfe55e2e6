#include "app/cadet_chooser_dlg.h"

#include <algorithm>
#include <string>

#include "platform/string_printf.h"

namespace qz {
namespace {

constexpr char kTextNewCadet[] = "New cadet";
// Before the label of a cadet whose record cannot be read: choosing it says why.
constexpr char kUnreadableMark[] = "\xE2\x9A\xA0 ";  // ⚠
constexpr char kFormatMore[] = "%zu to %zu of %zu cadets: the arrow keys show the others";
constexpr int kFirstBeltPicture = 196;  // the setup panel's belt buttons, White to Black
constexpr int kBelts = 8;
constexpr int kButtonFontHeight = 16;

}  // namespace

CCadetChooserDlg::CCadetChooserDlg(Platform& platform, const CadetRoster& roster)
    : Dialog(platform, kTemplateId), m_roster(roster) {
  for (int i = 0; i < kCadetButtons; ++i)
    Bind(kItemFirstCadet + i, m_btnCadets[i]);
  Bind(kItemNewCadet, m_btnNewCadet);
}

bool CCadetChooserDlg::OnInitDialog() {
  Font* font = MakeFont(FontFace::kSans, kButtonFontHeight);
  GetItem(kItemTitle)->SetFont(font);
  for (LabelButton& button : m_btnCadets) {
    button.AutoLoad();
    button.SetFont(font);
  }
  m_btnNewCadet.AutoLoad();
  m_btnNewCadet.SetFont(font);
  m_btnNewCadet.SetLabel(kTextNewCadet);
  ShowCadets();
  SetFocus(m_roster.Cadets().empty() ? static_cast<Control*>(&m_btnNewCadet) : &m_btnCadets[0]);
  return true;
}

void CCadetChooserDlg::ShowCadets() {
  const std::size_t count = m_roster.Cadets().size();
  for (int i = 0; i < kCadetButtons; ++i) {
    const std::size_t index = m_nFirst + i;
    LabelButton& button = m_btnCadets[i];
    button.Show(index < count);
    if (index >= count)
      continue;
    const CadetRecord& record = m_roster.Cadets()[index];
    button.SetLabel((record.m_strProblem.empty() ? "" : kUnreadableMark) + m_roster.Label(index));
    // A stored belt outside White to Black is shown, and played, as Black.
    int belt = record.m_settings.m_nGameLevel;
    if (belt < 1 || belt > kBelts)
      belt = kBelts;
    button.SetBadge(FindPicture(std::to_string(kFirstBeltPicture + belt - 1)));
  }
  const std::size_t last = std::min(count, m_nFirst + kCadetButtons);
  SetItemText(kItemMore, count > kCadetButtons
                             ? StringPrintf(kFormatMore, m_nFirst + 1, last, count)
                             : std::string());
}

std::optional<int> CCadetChooserDlg::FocusedSlot() {
  Control* focus = GetFocus();
  if (focus == &m_btnNewCadet)
    return kCadetButtons;
  for (int i = 0; i < kCadetButtons; ++i) {
    if (focus == &m_btnCadets[i])
      return i;
  }
  return std::nullopt;
}

void CCadetChooserDlg::MoveFocus(int step) {
  const std::size_t count = m_roster.Cadets().size();
  const int shown = static_cast<int>(std::min<std::size_t>(count - m_nFirst, kCadetButtons));
  int slot = FocusedSlot().value_or(0);
  if (slot == kCadetButtons)
    slot = shown;  // "New cadet" follows the last cadet shown
  slot += step;
  if (slot < 0) {
    if (m_nFirst > 0) {
      --m_nFirst;
      ShowCadets();
    }
    slot = 0;
  } else if (slot >= shown && step > 0 && m_nFirst + shown < count) {
    ++m_nFirst;
    ShowCadets();
    slot = shown - 1;
  }
  SetFocus(slot >= shown ? static_cast<Control*>(&m_btnNewCadet) : &m_btnCadets[slot]);
}

bool CCadetChooserDlg::PreTranslateMessage(const Event& e) {
  if (e.type == EventType::kKeyDown && (e.key == Key::kUp || e.key == Key::kDown)) {
    MoveFocus(e.key == Key::kUp ? -1 : 1);
    return true;
  }
  return Dialog::PreTranslateMessage(e);
}

void CCadetChooserDlg::OnCommand(int id, int code) {
  if (code != kBnClicked) {
    Dialog::OnCommand(id, code);
    return;
  }
  if (id == kItemNewCadet) {
    CNewCadetDlg form(m_platform);
    if (form.RunModal(this) == kIdOk) {
      m_newCadet = form.Entry();
      EndDialog(kChoseNewCadet);
    }
    return;
  }
  if (id >= kItemFirstCadet && id < kItemFirstCadet + kCadetButtons) {
    m_nChosen = m_nFirst + static_cast<std::size_t>(id - kItemFirstCadet);
    EndDialog(kChoseCadet);
    return;
  }
  Dialog::OnCommand(id, code);
}

}  // namespace qz
