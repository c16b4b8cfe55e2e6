#include "app/new_cadet_dlg.h"

#include <cstdlib>

#include "platform/calendar.h"
#include "platform/string_printf.h"
#include "profile/birth_date.h"
#include "profile/cadet_name.h"
#include "profile/setup_panel.h"
#include "profile/sound_ids.h"
#include "ui/palette.h"
#include "ui/typed_number.h"

namespace qz {
namespace {

constexpr char kTextStart[] = "Start training";
constexpr char kTextNoName[] = "Type the cadet's name";
constexpr char kFormatNotADate[] = "%d.%d.%d is not a date";
constexpr char kFormatYearOutOfRange[] = "Year of birth: %d to %d";

constexpr int kItemTitle = 1199;
constexpr ColorRef kBoxBack = Rgb(40, 40, 44);
constexpr int kLargeFontHeight = 16;

int NumberIn(const EditBox& box) {
  return ReadTypedNumber(box.GetText(), LeadingBlanks::kSpaceAndTab);
}

}  // namespace

CNewCadetDlg::CNewCadetDlg(Platform& platform) : Dialog(platform, kTemplateId) {
  Bind(kItemName, m_editName);
  Bind(kItemDay, m_editDay);
  Bind(kItemMonth, m_editMonth);
  Bind(kItemYear, m_editYear);
  Bind(kItemStart, m_btnStart);
}

bool CNewCadetDlg::OnInitDialog() {
  m_editName.SetLimitText(CSetupPanel::kMaxNameChars);
  m_editDay.SetLimitText(2);
  m_editMonth.SetLimitText(2);
  m_editYear.SetLimitText(4);
  Font* large = MakeFont(FontFace::kSans, kLargeFontHeight);
  for (int id : {kItemTitle, kItemWhyNot})
    GetItem(id)->SetFont(large);
  m_btnStart.AutoLoad();
  m_btnStart.SetFont(large);
  m_btnStart.SetLabel(kTextStart);
  FocusItem(kItemName);
  return true;
}

bool CNewCadetDlg::PreTranslateMessage(const Event& e) {
  // Return in any box takes what is typed, as the button does.
  if (e.type == EventType::kKeyDown && e.key == Key::kReturn) {
    OnOK();
    return true;
  }
  return Dialog::PreTranslateMessage(e);
}

void CNewCadetDlg::OnCommand(int id, int code) {
  if (id == kItemStart && code == kBnClicked) {
    OnOK();
    return;
  }
  if (code == kEnUpdate)
    ShowItem(kItemWhyNot, false);
  Dialog::OnCommand(id, code);
}

CtlColor CNewCadetDlg::OnCtlColor(Control& control) {
  CtlColor colors = Dialog::OnCtlColor(control);
  if (control.Kind() == "edit")
    colors.background = kBoxBack;
  return colors;
}

void CNewCadetDlg::Refuse(const std::string& why, int mend) {
  SetItemText(kItemWhyNot, why);
  ShowItem(kItemWhyNot, true);
  m_platform.sound.Play(kSoundRefusal, kPlayAsync);
  FocusItem(mend);
}

void CNewCadetDlg::OnOK() {
  const std::string name = CleanCadetName(m_editName.GetText());
  if (name.find_first_not_of(' ') == std::string::npos) {
    Refuse(kTextNoName, kItemName);
    return;
  }
  const int day = NumberIn(m_editDay);
  const int month = NumberIn(m_editMonth);
  const int year = NumberIn(m_editYear);
  const int this_year = std::atoi(FormatLocalTime(m_platform.clock.Now(), "%Y").c_str());
  switch (CheckBirthDate(day, month, year, this_year)) {
    case BirthDateFault::kNone:
      break;
    case BirthDateFault::kNotADate:
      Refuse(StringPrintf(kFormatNotADate, day, month, year),
             month < 1 || month > 12 ? kItemMonth : kItemDay);
      return;
    case BirthDateFault::kYearOutOfRange:
      Refuse(StringPrintf(kFormatYearOutOfRange, kFirstBirthYear, this_year), kItemYear);
      return;
  }
  m_entry = NewCadetEntry{name, day, month, year};
  EndDialog(kIdOk);
}

}  // namespace qz
