#include "ui/text_static.h"

namespace qz {

void TextStatic::Paint(Canvas& canvas, const Rect& where) {
  if (HasStyle(kStyleBlackFrame)) {
    const ColorRef black = Rgb(0, 0, 0);
    canvas.FillRect({where.left, where.top, where.right, where.top + 1}, black);
    canvas.FillRect({where.left, where.bottom - 1, where.right, where.bottom}, black);
    canvas.FillRect({where.left, where.top, where.left + 1, where.bottom}, black);
    canvas.FillRect({where.right - 1, where.top, where.right, where.bottom}, black);
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
  const VAlign v = HasStyle(kStyleVCenter) ? VAlign::kCenter : VAlign::kTop;
  canvas.DrawText(*font, m_strText, where, h, v, colors.text);
}

void TextStatic::OnMouseDown(Point) {
  Notify(kStnClicked);
}

}  // namespace qz
