#include "ui/text_static.h"

#include <gtest/gtest.h>

#include "support/test_fonts.h"
#include "ui/recording_owner.h"

namespace qz {
namespace {

// Whether any pixel of the rows top..bottom differs from black.
bool Inked(const Canvas& canvas, int top, int bottom) {
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      if (canvas.PixelAt(x, y) != 0)
        return true;
    }
  }
  return false;
}

TEST(TextStatic, WrapsAtSpacesUnlessCentredVertically) {
  std::unique_ptr<Font> font = test::TestFonts().Open(FontFace::kSans, 12, 1);
  ASSERT_NE(nullptr, font);
  const int line = font->LineHeight();
  RecordingOwner owner;
  for (bool one_line : {false, true}) {
    TextStatic text;
    text.ApplyTemplate(
        Line(1000, "static", "", 0, 0, 40, 30, kStyleCenter | (one_line ? kStyleVCenter : 0u)),
        &owner);
    text.SetFont(font.get());
    text.SetText("Would you like to start");
    Canvas canvas(80, 60, 1);
    text.Paint(canvas, text.GetRect());
    EXPECT_TRUE(Inked(canvas, 0, 60));
    EXPECT_EQ(!one_line, Inked(canvas, 0, line)) << "first line";
    EXPECT_EQ(!one_line, Inked(canvas, line, 2 * line)) << "second line";
    EXPECT_FALSE(Inked(canvas, 45, 60));
  }
}

}  // namespace
}  // namespace qz
