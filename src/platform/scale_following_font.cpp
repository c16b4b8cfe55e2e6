#include "platform/scale_following_font.h"

#include <exception>

namespace qz {

std::unique_ptr<Font> ScaleFollowingFont::Open(FontSource& fonts, FontFace face, int logical_height,
                                               const WindowSystem& windows) {
  const int scale = windows.Scale();
  std::unique_ptr<Font> font = fonts.Open(face, logical_height, scale);
  if (font == nullptr)
    return nullptr;
  return std::unique_ptr<Font>(
      new ScaleFollowingFont(fonts, face, logical_height, windows, std::move(font), scale));
}

ScaleFollowingFont::ScaleFollowingFont(FontSource& fonts, FontFace face, int logical_height,
                                       const WindowSystem& windows, std::unique_ptr<Font> font,
                                       int scale)
    : m_fonts(fonts),
      m_face(face),
      m_nLogicalHeight(logical_height),
      m_windows(windows),
      m_pFont(std::move(font)),
      m_nScale(scale) {}

Font& ScaleFollowingFont::Current() const {
  const int scale = m_windows.Scale();
  if (scale != m_nScale) {
    // The face opened once already; should it fail now, the old scale still draws something.
    std::unique_ptr<Font> reopened;
    try {
      reopened = m_fonts.Open(m_face, m_nLogicalHeight, scale);
    } catch (const std::exception&) {
    }
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
