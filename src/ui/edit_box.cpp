#include "ui/edit_box.h"

#include <algorithm>

#include "ui/utf8_text.h"

namespace qz {
namespace {

constexpr ColorRef kSelectionBack = Rgb(0, 120, 215);

bool IsControlChar(char32_t c) {
  return c < 0x20 || c == 0x7F;
}

}  // namespace

void EditBox::SetText(std::string_view text) {
  std::u32string chars = DecodeUtf8(text);
  // A single line: the text ends at the first line break.
  const size_t line_end = chars.find_first_of(U"\r\n");
  if (line_end != std::u32string::npos)
    chars.resize(line_end);
  m_nCaret = m_nAnchor = 0;
  m_nScroll = 0;
  if (chars == m_text) {
    Invalidate();
    return;
  }
  m_text = std::move(chars);
  CommitChange();
}

void EditBox::SetLimitText(int limit) {
  m_nLimit = limit > 0 ? limit : kDefaultLimit;
}

void EditBox::GetSel(int* start, int* end) const {
  *start = std::min(m_nCaret, m_nAnchor);
  *end = std::max(m_nCaret, m_nAnchor);
}

void EditBox::SetSel(int start, int end) {
  const int size = static_cast<int>(m_text.size());
  m_nAnchor = std::clamp(start, 0, size);
  m_nCaret = std::clamp(end, 0, size);
  KeepCaretInView();
  Invalidate();
}

void EditBox::ReplaceSel(std::u32string_view text) {
  int start = 0;
  int end = 0;
  GetSel(&start, &end);
  const size_t line_end = text.find_first_of(U"\r\n");
  if (line_end != std::u32string_view::npos)
    text = text.substr(0, line_end);
  const int room = m_nLimit - (static_cast<int>(m_text.size()) - (end - start));
  if (room < static_cast<int>(text.size()))
    text = text.substr(0, std::max(room, 0));
  if (text.empty() && start == end)
    return;
  // Pasted TABs and other control characters would draw as boxes: a blank stands for each.
  std::u32string inserted(text);
  std::replace_if(inserted.begin(), inserted.end(), IsControlChar, U' ');
  m_text.replace(static_cast<size_t>(start), static_cast<size_t>(end - start), inserted);
  m_nCaret = m_nAnchor = start + static_cast<int>(inserted.size());
  CommitChange();
}

void EditBox::SetCaretHidden(bool hidden) {
  if (hidden == m_bCaretHidden)
    return;
  m_bCaretHidden = hidden;
  Invalidate();
}

void EditBox::CommitChange() {
  m_strText = EncodeUtf8(m_text);
  KeepCaretInView();
  Invalidate();
  Notify(kEnUpdate);
}

void EditBox::MoveCaret(int to, bool extend) {
  to = std::clamp(to, 0, static_cast<int>(m_text.size()));
  if (to == m_nCaret && (extend || m_nAnchor == m_nCaret))
    return;
  m_nCaret = to;
  if (!extend)
    m_nAnchor = to;
  KeepCaretInView();
  Invalidate();
}

std::u32string EditBox::Shown() const {
  if (HasStyle(kStylePassword))
    return std::u32string(m_text.size(), kMaskChar);
  return m_text;
}

int EditBox::XOf(int index) {
  Font* font = GetFont();
  if (font == nullptr || index <= 0)
    return 0;
  const std::u32string shown = Shown();
  const std::string prefix = EncodeUtf8(std::u32string_view(shown).substr(0, index));
  // The font measures output pixels, at the scale of the window's canvas.
  const int scale = m_pOwner != nullptr ? std::max(1, m_pOwner->Scale()) : 1;
  return font->MeasureWidth(prefix) / scale;
}

int EditBox::IndexAt(int x) {
  // The boundary nearest to x. Boundaries lie left to right, so a binary search finds the
  // first one at or past x in a few measurements: a click or a drag over a long text costs
  // what drawing it costs, not that times its length.
  int low = 0;
  int high = static_cast<int>(m_text.size());
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (XOf(middle) < x) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  if (low > 0 && x - XOf(low - 1) <= XOf(low) - x)
    return low - 1;
  return low;
}

void EditBox::KeepCaretInView() {
  const int width = m_rect.Width();
  const int x = XOf(m_nCaret);
  if (x - m_nScroll > width - 1)
    m_nScroll = x - width + 1;
  if (x < m_nScroll)
    m_nScroll = x;
  if (m_nScroll < 0)
    m_nScroll = 0;
}

void EditBox::Paint(Canvas& canvas, const Rect& where) {
  const CtlColor colors = AskColors();
  if (colors.background)
    canvas.FillRect(where, *colors.background);
  Font* font = GetFont();
  if (font == nullptr)
    return;
  const int left = where.left - m_nScroll;
  const int line_height = std::max(1, font->LineHeight() / canvas.Scale());
  int start = 0;
  int end = 0;
  GetSel(&start, &end);
  if (HasFocus() && start != end) {
    canvas.FillRect({left + XOf(start), where.top, left + XOf(end), where.top + line_height},
                    kSelectionBack);
  }
  const std::string shown = EncodeUtf8(Shown());
  const int text_right = std::max(where.right, left + XOf(static_cast<int>(m_text.size())) + 1);
  canvas.DrawText(*font, shown, {left, where.top, text_right, where.bottom}, HAlign::kLeft,
                  VAlign::kTop, colors.text);
  if (HasFocus() && !m_bCaretHidden) {
    const int x = left + XOf(m_nCaret);
    canvas.FillRect({x, where.top, x + 1, where.top + line_height}, colors.text);
  }
}

void EditBox::OnMouseDown(Point p) {
  m_bDragging = true;
  MoveCaret(IndexAt(p.x + m_nScroll), false);
}

void EditBox::OnMouseMove(Point p) {
  if (m_bDragging)
    MoveCaret(IndexAt(p.x + m_nScroll), true);
}

void EditBox::OnMouseUp(Point p) {
  if (!m_bDragging)
    return;
  MoveCaret(IndexAt(p.x + m_nScroll), true);
  m_bDragging = false;
}

void EditBox::OnKeyDown(const Event& e) {
  const int size = static_cast<int>(m_text.size());
  int start = 0;
  int end = 0;
  GetSel(&start, &end);
  switch (e.key) {
    case Key::kLeft:
      if (!e.shift && start != end) {
        MoveCaret(start, false);
      } else {
        MoveCaret(m_nCaret - 1, e.shift);
      }
      break;
    case Key::kRight:
      if (!e.shift && start != end) {
        MoveCaret(end, false);
      } else {
        MoveCaret(m_nCaret + 1, e.shift);
      }
      break;
    case Key::kHome:
      MoveCaret(0, e.shift);
      break;
    case Key::kEnd:
      MoveCaret(size, e.shift);
      break;
    case Key::kBackspace:
      if (start == end && start > 0)
        m_nAnchor = start - 1;
      ReplaceSel(U"");
      break;
    case Key::kDelete:
      if (start == end && end < size)
        m_nAnchor = end + 1;
      ReplaceSel(U"");
      break;
    case Key::kA:
      if (e.ctrl)
        SetSel(0, size);
      break;
    case Key::kV:
      if (e.ctrl && m_pOwner != nullptr)
        ReplaceSel(DecodeUtf8(m_pOwner->ClipboardText()));
      break;
    default:
      break;
  }
}

void EditBox::OnText(std::string_view utf8) {
  for (char32_t c : DecodeUtf8(utf8))
    OnChar(c);
}

void EditBox::OnChar(char32_t c) {
  if (IsControlChar(c))
    return;
  if (HasStyle(kStyleNumber) && (c < U'0' || c > U'9'))
    return;
  ReplaceSel(std::u32string(1, c));
}

TextEntry EditBox::Entry() const {
  return HasStyle(kStyleNumber) ? TextEntry::kDigits : TextEntry::kText;
}

void EditBox::OnSetFocus() {
  Invalidate();
  if (m_pOwner != nullptr)
    m_pOwner->NoteTextEntry(Entry());
  Notify(kEnSetFocus);
}

void EditBox::OnKillFocus() {
  m_bDragging = false;
  Invalidate();
  if (m_pOwner != nullptr)
    m_pOwner->NoteTextEntry(TextEntry::kNone);
  Notify(kEnKillFocus);
}

}  // namespace qz
