#include "platform/scale_following_font.h"

namespace qz {

std::unique_ptr<Font> ScaleFollowingFont::Open(FontFace face, int logical_height,
                                               const WindowSystem& windows) {
  const int scale = windows.Scale();
  std::unique_ptr<Font> font = OpenFont(face, logical_height, scale);
  if (font == nullptr)
    return nullptr;
  return std::unique_ptr<Font>(
      new ScaleFollowingFont(face, logical_height, windows, std::move(font), scale));
}

ScaleFollowingFont::ScaleFollowingFont(FontFace face, int logical_height,
                                       const WindowSystem& windows, std::unique_ptr<Font> font,
                                       int scale)
    : m_face(face),
      m_nLogicalHeight(logical_height),
      m_windows(windows),
      m_pFont(std::move(font)),
      m_nScale(scale) {}

Font& ScaleFollowingFont::Current() const {
  const int scale = m_windows.Scale();
  if (scale != m_nScale) {
    // The face opened once already; should it fail now, the old scale still draws something.
    std::unique_ptr<Font> reopened = OpenFont(m_face, m_nLogicalHeight, scale);
    if (reopened != nullptr) {
      m_pFont = std::move(reopened);
      m_nScale = scale;
    }
  }
  return *m_pFont;
}

int ScaleFollowingFont::LineHeight() const {
  return Current().LineHeight();
}

TextMask ScaleFollowingFont::Render(std::string_view utf8) {
  return Current().Render(utf8);
}

int ScaleFollowingFont::MeasureWidth(std::string_view utf8) {
  return Current().MeasureWidth(utf8);
}

}  // namespace qz
