#include "profile/setup_panel.h"

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/calendar.h"
#include "platform/sound_player.h"
#include "platform/string_printf.h"
#include "profile/birth_date.h"
#include "profile/cadet_name.h"
#include "profile/sound_ids.h"
#include "ui/palette.h"
#include "ui/typed_number.h"

namespace qz {
namespace {

constexpr char kArtwork[] = "175";
constexpr int kEditFontHeight = 14;
constexpr int kMessageFallbackHeights[] = {14, 12, 11};
// The date boxes take as many digits as a day, a month and a year have.
constexpr int kDayDigits = 2;
constexpr int kMonthDigits = 2;
constexpr int kYearDigits = 4;

constexpr char kFormatNotADate[] = "%d.%d.%d is not a date";
constexpr char kFormatYearOutOfRange[] = "Year of birth: %d to %d";

// The switches with their pictures: the highlighted one shows the switch on.
struct SwitchPictures {
  int m_nId;
  int TrainingSettings::*m_pFlag;
  bool m_bInverted;  // shown as on when the flag is 0 ("NoNeg": negatives allowed)
  int m_nOnPicture;
  int m_nOffPicture;
  int m_nWidth;
  int m_nHeight;
};

constexpr SwitchPictures kSwitches[] = {
    {kItemDoAdd, &TrainingSettings::m_nDoAdd, false, 176, 177, 152, 16},
    {kItemDoSub, &TrainingSettings::m_nDoSub, false, 178, 179, 152, 16},
    {kItemDoMul, &TrainingSettings::m_nDoMul, false, 180, 181, 152, 16},
    {kItemDoDiv, &TrainingSettings::m_nDoDiv, false, 182, 183, 152, 16},
    {kItemNegatives, &TrainingSettings::m_nNoNeg, true, 184, 185, 180, 16},
    {kItemAutoSelect, &TrainingSettings::m_nAutoSelect, false, 186, 187, 136, 16},
};

// The four operations: at least one of them stays on.
constexpr int kOperations[] = {kItemDoAdd, kItemDoSub, kItemDoMul, kItemDoDiv};

constexpr int kPlainBeltPicture = 195;        // + level
constexpr int kHighlightedBeltPicture = 187;  // + level

const SwitchPictures& SwitchOf(int id) {
  return kSwitches[id - kItemDoAdd];
}

}  // namespace

CSetupPanel::CSetupPanel(Platform& platform, TrainingSettings& settings)
    : Panel(platform, kTemplateId), m_settings(settings) {
  for (int id = kItemDoAdd; id <= kItemAutoSelect; ++id)
    Bind(id, m_switches[id - kItemDoAdd]);
  for (int id = kItemFirstBelt; id <= kItemLastBelt; ++id)
    Bind(id, m_belts[id - kItemFirstBelt]);
  Bind(kItemCadetName, m_editName);
  Bind(kItemBirthDay, m_editDay);
  Bind(kItemBirthMonth, m_editMonth);
  Bind(kItemBirthYear, m_editYear);
  Bind(kItemSecretWord, m_editSecret);
  Bind(kItemDateMessage, m_dateMessage);
}

bool CSetupPanel::OnInitDialog() {
  Panel::OnInitDialog();
  // The boxes draw their text from their left edge without margins: the artwork's frames
  // around them are drawn for that.
  Font* font = MakeFont(FontFace::kSans, kEditFontHeight);
  for (EditBox* box : {&m_editName, &m_editYear, &m_editMonth, &m_editDay, &m_editSecret})
    box->SetFont(font);
  m_editName.SetLimitText(kMaxNameChars);
  m_editDay.SetLimitText(kDayDigits);
  m_editMonth.SetLimitText(kMonthDigits);
  m_editYear.SetLimitText(kYearDigits);
  m_dateMessage.SetFont(font);
  // A message too wide for its place is drawn narrower, never cut.
  std::vector<Font*> narrower;
  for (int height : kMessageFallbackHeights) {
    if (Font* fitting = MakeFont(FontFace::kSansCondensed, height))
      narrower.push_back(fitting);
  }
  m_dateMessage.SetFallbackFonts(std::move(narrower));
  return true;
}

void CSetupPanel::OnShowWindow(bool show) {
  Panel::OnShowWindow(show);
  ShowItem(kItemDateMessage, false);
  if (!show)
    return;
  SelectLevel(m_settings.m_nGameLevel);
  for (int id : {kItemDoAdd, kItemAutoSelect, kItemDoMul, kItemNegatives, kItemDoSub, kItemDoDiv})
    ShowFlag(id);
  // Each write reaches the box's change handler, which stores the same value back.
  m_editName.SetText(m_settings.m_strCadetName);
  m_editYear.SetText(StringPrintf("%d", m_settings.m_nBDateYear));
  m_editMonth.SetText(StringPrintf("%d", m_settings.m_nBDateMonth));
  m_editDay.SetText(StringPrintf("%d", m_settings.m_nBDateDay));
  m_editSecret.SetText(kSecretWordText);
}

void CSetupPanel::OnPaint(Canvas& canvas, const Rect& client) {
  const Bitmap* artwork = FindPicture(kArtwork);
  if (artwork == nullptr) {
    canvas.FillRect(client, kBlack);
    return;
  }
  canvas.DrawBitmap(*artwork, client.left, client.top);
}

CtlColor CSetupPanel::OnCtlColor(Control&) {
  return CtlColor{kAmber, kBlack};
}

void CSetupPanel::OnCommand(int id, int code) {
  if (code == kStnClicked) {
    switch (id) {
      case kItemDoAdd:
        OnClickAdd();
        return;
      case kItemDoSub:
        OnClickSub();
        return;
      case kItemDoMul:
        OnClickMul();
        return;
      case kItemDoDiv:
        OnClickDiv();
        return;
      case kItemNegatives:
        OnClickNeg();
        return;
      case kItemAutoSelect:
        OnClickAutoSelect();
        return;
      default:
        if (id >= kItemFirstBelt && id <= kItemLastBelt) {
          OnClickLevel(id - kItemFirstBelt + 1);
          return;
        }
    }
  }
  if (code == kEnUpdate) {
    switch (id) {
      case kItemCadetName:
        OnUpdateName();
        return;
      case kItemBirthDay:
        OnUpdateBirthDay();
        return;
      case kItemBirthMonth:
        OnUpdateBirthMonth();
        return;
      case kItemBirthYear:
        OnUpdateBirthYear();
        return;
      case kItemSecretWord:
        return;  // filled and shown, guards nothing
      default:
        break;
    }
  }
  Panel::OnCommand(id, code);
}

void CSetupPanel::ShowFlag(int id) {
  const SwitchPictures& row = SwitchOf(id);
  const bool on = (m_settings.*row.m_pFlag != 0) != row.m_bInverted;
  m_switches[id - kItemDoAdd].SetImage(
      FindPicture(std::to_string(on ? row.m_nOnPicture : row.m_nOffPicture)), row.m_nWidth,
      row.m_nHeight);
}

void CSetupPanel::SelectLevel(int level) {
  for (int k = kWhiteBelt; k <= kBlackBelt; ++k) {
    m_belts[k - 1].SetImage(FindPicture(std::to_string(kPlainBeltPicture + k)), kBeltPictureSize,
                            kBeltPictureSize);
  }
  if (level >= kWhiteBelt && level <= kBlackBelt) {
    m_settings.m_nGameLevel = level;
    // 188 is stored smaller than the others; every belt picture is shown at the same size.
    m_belts[level - 1].SetImage(FindPicture(std::to_string(kHighlightedBeltPicture + level)),
                                kBeltPictureSize, kBeltPictureSize);
  }
  PlayClick();
}

void CSetupPanel::DropAutoSelect() {
  m_settings.m_nAutoSelect = 0;
  ShowFlag(kItemAutoSelect);
}

void CSetupPanel::ReapplyBelt() {
  ApplyBelt(m_settings, *m_pWorking, m_platform.clock.Now());
  for (int id : {kItemDoAdd, kItemDoMul, kItemNegatives, kItemDoSub, kItemDoDiv})
    ShowFlag(id);
}

void CSetupPanel::PlayClick() {
  // The panel clicks whatever the main window's sound switch says.
  m_platform.sound.Play(kSoundClick, kPlayAsync);
}

bool CSetupPanel::IsLastOperation(int id) const {
  for (int other : kOperations) {
    if (other != id && m_settings.*SwitchOf(other).m_pFlag != 0)
      return false;
  }
  return true;
}

void CSetupPanel::OnClickSwitch(int id) {
  int& flag = m_settings.*SwitchOf(id).m_pFlag;
  // The problems need one operation at least: the last one that is on stays on.
  if (id != kItemNegatives && flag != 0 && IsLastOperation(id)) {
    m_platform.sound.Play(kSoundRefusal, kPlayAsync);
    return;
  }
  flag = flag == 0 ? 1 : 0;
  ShowFlag(id);
  DropAutoSelect();
  m_settings.m_nCustomSettins = 1;
  PlayClick();
}

void CSetupPanel::OnClickAutoSelect() {
  if (m_settings.m_nAutoSelect != 0) {
    m_settings.m_nAutoSelect = 0;
    PlayClick();
    ShowFlag(kItemAutoSelect);
    return;
  }
  m_settings.m_nAutoSelect = 1;
  m_settings.m_nCustomSettins = 0;
  ReapplyBelt();
  SelectLevel(m_settings.m_nGameLevel);
  ShowFlag(kItemAutoSelect);
}

void CSetupPanel::OnClickLevel(int level) {
  DropAutoSelect();
  m_settings.m_nCustomSettins = 0;
  SelectLevel(level);
  ReapplyBelt();
}

void CSetupPanel::OnUpdateName() {
  // An emptied box keeps the last name: a name is never taken away here.
  const std::string& text = m_editName.GetText();
  if (!text.empty())
    m_settings.m_strCadetName = CleanCadetName(text);
}

int CSetupPanel::ThisYear() {
  return std::atoi(FormatLocalTime(m_platform.clock.Now(), "%Y").c_str());
}

bool CSetupPanel::MayClose() {
  const int day = m_settings.m_nBDateDay;
  const int month = m_settings.m_nBDateMonth;
  const int year = m_settings.m_nBDateYear;
  const int this_year = ThisYear();
  const BirthDateFault fault = CheckBirthDate(day, month, year, this_year);
  if (fault == BirthDateFault::kNone) {
    ShowItem(kItemDateMessage, false);
    return true;
  }
  int mend = kItemBirthYear;
  if (fault == BirthDateFault::kNotADate) {
    SetItemText(kItemDateMessage, StringPrintf(kFormatNotADate, day, month, year));
    mend = month < 1 || month > 12 ? kItemBirthMonth : kItemBirthDay;
  } else {
    SetItemText(kItemDateMessage, StringPrintf(kFormatYearOutOfRange, kFirstBirthYear, this_year));
  }
  ShowItem(kItemDateMessage, true);
  m_platform.sound.Play(kSoundRefusal, kPlayAsync);
  FocusItem(mend);
  return false;
}

void CSetupPanel::TakeDateNumber(const EditBox& box, int TrainingSettings::*field) {
  // No range check: the age computation copes with any date, and 0 or an emptied box keeps
  // the last value while the cadet types.
  const int value = ReadTypedNumber(box.GetText(), LeadingBlanks::kSpaceAndTab);
  if (value > 0)
    m_settings.*field = value;
  // The cadet is mending the date: the last refusal no longer speaks of what is typed.
  ShowItem(kItemDateMessage, false);
}

}  // namespace qz
