#include "platform/scale_following_font.h"

#include <gtest/gtest.h>

#include "support/test_fonts.h"

namespace qz {
namespace {

// A window system whose scale the test sets, as full screen changes it.
class ScaleOnlyWindows : public WindowSystem {
 public:
  std::unique_ptr<NativeWindow> OpenWindow(const std::string&, int, int, const Bitmap*,
                                           NativeWindow*) override {
    return nullptr;
  }
  int Scale() const override { return m_nScale; }
  std::string ClipboardText() override { return {}; }

  int m_nScale = 2;
};

// Text drawn after a switch to another scale is rendered for that scale, not enlarged.
TEST(ScaleFollowingFontTest, RendersForTheScaleOfTheMoment) {
  ScaleOnlyWindows windows;
  FontSource& fonts = test::TestFonts();
  std::unique_ptr<Font> font = ScaleFollowingFont::Open(fonts, FontFace::kSans, 16, windows);
  ASSERT_NE(nullptr, font);
  for (int scale : {2, 3, 1, 2}) {
    windows.m_nScale = scale;
    std::unique_ptr<Font> direct = fonts.Open(FontFace::kSans, 16, scale);
    ASSERT_NE(nullptr, direct);
    EXPECT_EQ(direct->LineHeight(), font->LineHeight()) << "scale " << scale;
    EXPECT_EQ(direct->MeasureWidth("Would you like"), font->MeasureWidth("Would you like"))
        << "scale " << scale;
    const TextMask expected = direct->Render("42");
    const TextMask got = font->Render("42");
    EXPECT_EQ(expected.width, got.width) << "scale " << scale;
    EXPECT_EQ(expected.coverage, got.coverage) << "scale " << scale;
  }
}

}  // namespace
}  // namespace qz
