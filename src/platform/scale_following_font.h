#pragma once

#include <memory>

#include "platform/font.h"
#include "platform/window_system.h"

namespace qz {

// A font that always renders for the window system's current scale: when the scale changes
// (the main window went full screen at another scale) it opens its face again at the new one,
// so text stays sharp. `fonts` and `windows` must outlive it.
class ScaleFollowingFont : public Font {
 public:
  // Nothing for a size that cannot be drawn; throws as FontSource::Open does.
  static std::unique_ptr<Font> Open(FontSource& fonts, FontFace face, int logical_height,
                                    const WindowSystem& windows);

  int LineHeight() const override;
  TextMask Render(std::string_view utf8) override;
  int MeasureWidth(std::string_view utf8) override;

 private:
  ScaleFollowingFont(FontSource& fonts, FontFace face, int logical_height,
                     const WindowSystem& windows, std::unique_ptr<Font> font, int scale);
  Font& Current() const;

  FontSource& m_fonts;
  FontFace m_face;
  int m_nLogicalHeight;
  const WindowSystem& m_windows;
  mutable std::unique_ptr<Font> m_pFont;
  mutable int m_nScale;
};

}  // namespace qz
