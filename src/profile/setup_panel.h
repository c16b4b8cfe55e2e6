#pragma once

#include "platform/platform.h"
#include "profile/belts.h"
#include "profile/training_settings.h"
#include "ui/bitmap_static.h"
#include "ui/edit_box.h"
#include "ui/panel.h"
#include "ui/text_static.h"

namespace qz {

// Controls of the setup panel (template 174).
enum SetupItem : int {
  kItemDoAdd = 1028,
  kItemDoSub = 1029,
  kItemDoMul = 1030,
  kItemDoDiv = 1031,
  kItemNegatives = 1032,
  kItemAutoSelect = 1033,
  kItemFirstBelt = 1034,  // level k is kItemFirstBelt + k - 1, up to 1041
  kItemLastBelt = 1041,
  kItemCadetName = 1042,
  kItemBirthDay = 1043,
  kItemBirthMonth = 1044,
  kItemBirthYear = 1045,
  kItemSecretWord = 1046,
  kItemDateMessage = 1047,
};

// The setup panel: a child of the main window, laid over its play area, where the cadet
// changes the settings between matches. Every click and keystroke takes effect in the
// settings record at once. Created by the main window's panel host.
class CSetupPanel : public Panel {
 public:
  static constexpr int kTemplateId = 174;
  static constexpr int kBeltPictureSize = 18;
  static constexpr char kSecretWordText[] = "1234";
  // The most characters typing or pasting leaves in the name box: room for any real name.
  static constexpr int kMaxNameChars = 64;

  // `settings` must outlive the panel.
  CSetupPanel(Platform& platform, TrainingSettings& settings);

  // Where ApplyBelt writes the limits when the panel picks a belt; it must outlive the panel.
  // Without one the panel writes to a scratch copy: the next match reset applies the belt
  // again anyway.
  void UseWorkingDifficulty(WorkingDifficulty& working) { m_pWorking = &working; }

  // Asked before SETUP closes the panel. A birth date that is not a real date, or outside 1900
  // to this year, keeps the panel open: the panel says why, sounds the refusal and puts the
  // keyboard in the box to mend. True when the panel may close.
  bool MayClose();

 protected:
  bool OnInitDialog() override;
  void OnShowWindow(bool show) override;
  void OnPaint(Canvas& canvas, const Rect& client) override;
  CtlColor OnCtlColor(Control& control) override;
  void OnCommand(int id, int code) override;

  void OnClickAdd() { OnClickSwitch(kItemDoAdd); }
  void OnClickSub() { OnClickSwitch(kItemDoSub); }
  void OnClickMul() { OnClickSwitch(kItemDoMul); }
  void OnClickDiv() { OnClickSwitch(kItemDoDiv); }
  void OnClickNeg() { OnClickSwitch(kItemNegatives); }
  void OnClickAutoSelect();
  void OnClickLevel(int level);
  void OnUpdateName();
  void OnUpdateBirthDay() { TakeDateNumber(m_editDay, &TrainingSettings::m_nBDateDay); }
  void OnUpdateBirthMonth() { TakeDateNumber(m_editMonth, &TrainingSettings::m_nBDateMonth); }
  void OnUpdateBirthYear() { TakeDateNumber(m_editYear, &TrainingSettings::m_nBDateYear); }
  // The year of the clock's date, in local time.
  int ThisYear();

  // The on or off picture of switch `id` (kItemDoAdd to kItemAutoSelect), as its setting says.
  void ShowFlag(int id);
  // All eight belt buttons plain, the one of `level` highlighted (none outside 1 to 8), and
  // the click; a level in range becomes the belt.
  void SelectLevel(int level);
  void DropAutoSelect();
  // ApplyBelt, then the operation and negatives switches follow the settings.
  void ReapplyBelt();
  void PlayClick();

  TrainingSettings& m_settings;

 private:
  void OnClickSwitch(int id);
  void TakeDateNumber(const EditBox& box, int TrainingSettings::*field);
  bool IsLastOperation(int id) const;

  WorkingDifficulty m_scratchWorking;
  WorkingDifficulty* m_pWorking = &m_scratchWorking;

  BitmapStatic m_switches[kItemAutoSelect - kItemDoAdd + 1];
  BitmapStatic m_belts[kItemLastBelt - kItemFirstBelt + 1];
  EditBox m_editName;
  EditBox m_editDay;
  EditBox m_editMonth;
  EditBox m_editYear;
  EditBox m_editSecret;
  TextStatic m_dateMessage;
};

}  // namespace qz
