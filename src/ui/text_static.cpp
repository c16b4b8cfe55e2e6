#include "ui/text_static.h"
#include "ui/palette.h"
#include "ui/text_ellipsis.h"

#include <algorithm>
#include <string>
#include <vector>

namespace qz {
namespace {

// Breaks `text` into lines no wider than `width` output pixels, at spaces; a word longer than
// a line stands on a line of its own.
std::vector<std::string> WrapWords(Font& font, const std::string& text, int width) {
  std::vector<std::string> lines;
  std::string line;
  size_t at = 0;
  while (at <= text.size()) {
    size_t end = text.find(' ', at);
    if (end == std::string::npos)
      end = text.size();
    const std::string word = text.substr(at, end - at);
    const std::string longer = line.empty() ? word : line + " " + word;
    if (!line.empty() && font.MeasureWidth(longer) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = longer;
    }
    at = end + 1;
  }
  lines.push_back(line);
  return lines;
}

}  // namespace

void TextStatic::SetFallbackFonts(std::vector<Font*> fonts) {
  m_vFallbackFonts = std::move(fonts);
  Invalidate();
}

Font* TextStatic::FittingFont(Font& own, int width_pixels) {
  if (m_vFallbackFonts.empty() || own.MeasureWidth(m_strText) <= width_pixels)
    return nullptr;
  for (Font* font : m_vFallbackFonts) {
    if (font->MeasureWidth(m_strText) <= width_pixels)
      return font;
  }
  return m_vFallbackFonts.back();
}

void TextStatic::Paint(Canvas& canvas, const Rect& where) {
  if (HasStyle(kStyleBlackFrame)) {
    canvas.FillRect({where.left, where.top, where.right, where.top + 1}, kBlack);
    canvas.FillRect({where.left, where.bottom - 1, where.right, where.bottom}, kBlack);
    canvas.FillRect({where.left, where.top, where.left + 1, where.bottom}, kBlack);
    canvas.FillRect({where.right - 1, where.top, where.right, where.bottom}, kBlack);
    return;
  }
  const CtlColor colors = AskColors();
  if (colors.background)
    canvas.FillRect(where, *colors.background);
  Font* font = GetFont();
  if (font == nullptr || m_strText.empty())
    return;
  HAlign h = HAlign::kLeft;
  if (HasStyle(kStyleCenter))
    h = HAlign::kCenter;
  if (HasStyle(kStyleRight))
    h = HAlign::kRight;
  const int scale = std::max(1, canvas.Scale());
  const Rect inner{where.left + kFitMargin, where.top, where.right - kFitMargin, where.bottom};
  if (Font* fitting = FittingFont(*font, inner.Width() * scale)) {
    // A smaller face sits in the middle of the line the control was made for.
    canvas.DrawText(*fitting, m_strText, inner, h, VAlign::kCenter, colors.text);
    return;
  }
  if (HasStyle(kStyleEndEllipsis)) {
    // One line, cut to the control's width: a long name shows its start whole, then "…".
    const std::string shown = EllipsizeToWidth(*font, m_strText, where.Width() * scale);
    canvas.DrawText(*font, shown, where, h,
                    HasStyle(kStyleVCenter) ? VAlign::kCenter : VAlign::kTop, colors.text);
    return;
  }
  if (HasStyle(kStyleVCenter)) {
    // A vertically centred static holds one line.
    canvas.DrawText(*font, m_strText, where, h, VAlign::kCenter, colors.text);
    return;
  }
  // Other statics wrap at spaces like the platform's static text; what passes the bottom is
  // cut off.
  const int line_height = std::max(1, font->LineHeight() / scale);
  int top = where.top;
  for (const std::string& line : WrapWords(*font, m_strText, where.Width() * scale)) {
    if (top >= where.bottom)
      break;
    canvas.DrawText(*font, line, {where.left, top, where.right, where.bottom}, h, VAlign::kTop,
                    colors.text);
    top += line_height;
  }
}

void TextStatic::OnMouseDown(Point) {
  Notify(kStnClicked);
}

}  // namespace qz
