#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "app/new_cadet_dlg.h"
#include "platform/platform.h"
#include "profile/cadet_roster.h"
#include "ui/dialog.h"
#include "ui/label_button.h"

namespace qz {

// Who is training?: one button a cadet, its label (see CadetRoster::Label) with a mark when its
// record cannot be read and its belt before it, then "New cadet", which asks for the new
// cadet's name and birth date. The arrow keys and Tab move between the buttons (the arrows
// scroll when there are more cadets than buttons), Return or a click chooses; Escape or the
// close button leaves the game.
class CCadetChooserDlg : public Dialog {
 public:
  static constexpr int kTemplateId = 106;
  static constexpr int kItemTitle = 1100;
  static constexpr int kItemFirstCadet = 1101;
  static constexpr int kCadetButtons = 6;
  static constexpr int kItemMore = 1107;
  static constexpr int kItemNewCadet = 1110;
  // The result of RunModal besides kIdCancel (leave the game).
  static constexpr int kChoseCadet = 10;
  static constexpr int kChoseNewCadet = 11;

  // `roster` is read and must outlive the window.
  CCadetChooserDlg(Platform& platform, const CadetRoster& roster);

  // The cadet chosen (kChoseCadet): its index in the roster.
  std::size_t ChosenIndex() const { return m_nChosen; }
  // The new cadet (kChoseNewCadet).
  const NewCadetEntry& NewCadet() const { return m_newCadet; }

 protected:
  bool OnInitDialog() override;
  bool PreTranslateMessage(const Event& e) override;
  void OnCommand(int id, int code) override;

 private:
  // Writes the cadets from m_nFirst on onto the buttons.
  void ShowCadets();
  // Moves the focus one button up or down, scrolling the cadets at either end.
  void MoveFocus(int step);
  // The focused button's place: 0 to kCadetButtons - 1 for a cadet's, kCadetButtons for
  // "New cadet"; none when another control has the focus.
  std::optional<int> FocusedSlot();

  const CadetRoster& m_roster;
  std::array<LabelButton, kCadetButtons> m_btnCadets;
  LabelButton m_btnNewCadet;
  std::size_t m_nFirst = 0;  // the cadet on the first button
  std::size_t m_nChosen = 0;
  NewCadetEntry m_newCadet;
};

}  // namespace qz
