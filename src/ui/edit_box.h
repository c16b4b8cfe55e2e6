#pragma once

#include <string>

#include "ui/control.h"

namespace qz {

// A single-line edit: typing, selection with Shift and the arrows or the mouse, Home and End,
// Backspace and Delete, Ctrl+A, paste with Ctrl+V; scrolls sideways to keep the caret in view.
// Styles: number (digits only), password (mask characters). Every change of the text,
// typed or set, reaches the owner as EN_UPDATE; gaining and losing the focus as EN_SETFOCUS
// and EN_KILLFOCUS. Positions count characters (code points), not bytes.
class EditBox : public Control {
 public:
  static constexpr int kDefaultLimit = 30000;
  static constexpr char32_t kMaskChar = U'*';

  std::string_view Kind() const override { return "edit"; }

  // Replaces the whole text and puts the caret at its start; notifies only when the text
  // differs, so writing back what is there is silent.
  void SetText(std::string_view text) override;
  // The most characters typing or pasting may leave in the box.
  void SetLimitText(int limit);
  // The selection, start <= end, in characters.
  void GetSel(int* start, int* end) const;
  // Anchor at `start`, caret at `end`; clamped to the text.
  void SetSel(int start, int end);
  // Replaces the selection with `text` as far as the limit allows.
  void ReplaceSel(std::u32string_view text);
  // A caret that is never drawn (the answer box shows none).
  void SetCaretHidden(bool hidden);
  int ScrollOffset() const { return m_nScroll; }

  bool TakesFocusOnClick() const override { return true; }
  void Paint(Canvas& canvas, const Rect& where) override;
  void OnMouseDown(Point p) override;
  void OnMouseMove(Point p) override;
  void OnMouseUp(Point p) override;
  void OnKeyDown(const Event& e) override;
  void OnText(std::string_view utf8) override;
  void OnSetFocus() override;
  void OnKillFocus() override;
  void OnCancelMode() override { m_bDragging = false; }

 protected:
  // One typed character. The base inserts printable characters (digits only with the number
  // style); a subclass filters before passing a character on.
  virtual void OnChar(char32_t c);
  // What typing into the box can add: digits only for the number style.
  virtual TextEntry Entry() const;
  const std::u32string& Chars() const { return m_text; }

 private:
  void CommitChange();
  void MoveCaret(int to, bool extend);
  std::u32string Shown() const;
  // Logical x of the character boundary `index`, from the start of the text.
  int XOf(int index);
  int IndexAt(int x);
  void KeepCaretInView();

  std::u32string m_text;
  int m_nCaret = 0;
  int m_nAnchor = 0;
  int m_nScroll = 0;  // logical pixels of text scrolled out on the left
  int m_nLimit = kDefaultLimit;
  bool m_bCaretHidden = false;
  bool m_bDragging = false;
};

}  // namespace qz
