#include "ui/answer_edit.h"

namespace qz {

void AnswerEdit::ApplyTemplate(const ControlTemplate& t, ControlOwner* owner) {
  EditBox::ApplyTemplate(t, owner);
  SetLimitText(kMaxChars);
}

bool AnswerEdit::Accepts(char32_t c, std::u32string_view text, int sel_start, int sel_end) {
  // Control characters (Backspace, Return, the clipboard keys) keep their usual meaning.
  if (c < 0x20 || c == 0x7F)
    return true;
  if (c == U'-' && sel_start != 0)
    return false;
  if (!text.empty()) {
    // Nothing may be typed in front of a minus sign, unless the selection replaces it.
    if (sel_start == 0 && sel_end == 0 && text[0] == U'-')
      return false;
    if (c == U'.' && text.find(U'.') != std::u32string_view::npos)
      return false;
  }
  return (c >= U'0' && c <= U'9') || c == U'-' || c == U'.';
}

void AnswerEdit::OnChar(char32_t c) {
  int start = 0;
  int end = 0;
  GetSel(&start, &end);
  if (Accepts(c, Chars(), start, end))
    EditBox::OnChar(c);
}

}  // namespace qz
