#pragma once

#include <string>

#include "platform/platform.h"
#include "ui/dialog.h"
#include "ui/edit_box.h"
#include "ui/label_button.h"

namespace qz {

// What the New cadet box was given: a name and a birth date the setup panel would keep.
struct NewCadetEntry {
  std::string m_strName;
  int m_nDay = 0;
  int m_nMonth = 0;  // 1 = January
  int m_nYear = 0;
};

// New cadet: the name (at most 64 characters, control characters as blanks, as the setup
// panel's name box keeps it) and the birth date (a real date from 1900 to this year).
// "Start training" or Return takes them when they are right, and says why not when they are
// not; Escape or the close button goes back without a cadet.
class CNewCadetDlg : public Dialog {
 public:
  static constexpr int kTemplateId = 107;
  static constexpr int kItemName = 1201;
  static constexpr int kItemDay = 1203;
  static constexpr int kItemMonth = 1204;
  static constexpr int kItemYear = 1205;
  static constexpr int kItemWhyNot = 1207;
  static constexpr int kItemStart = 1210;

  explicit CNewCadetDlg(Platform& platform);
  // Set once the box ended with kIdOk.
  const NewCadetEntry& Entry() const { return m_entry; }

 protected:
  bool OnInitDialog() override;
  bool PreTranslateMessage(const Event& e) override;
  void OnCommand(int id, int code) override;
  void OnOK() override;
  // The boxes stand out from the black window; the title and the refusal are larger.
  CtlColor OnCtlColor(Control& control) override;

 private:
  // Says what is wrong and puts the focus on the box to mend.
  void Refuse(const std::string& why, int mend);

  EditBox m_editName;
  EditBox m_editDay;
  EditBox m_editMonth;
  EditBox m_editYear;
  LabelButton m_btnStart;
  NewCadetEntry m_entry;
};

}  // namespace qz
