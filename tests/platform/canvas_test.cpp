#include "platform/canvas.h"

#include <gtest/gtest.h>

#include "support/test_fonts.h"

namespace qz {
namespace {

constexpr ColorRef kRed = Rgb(255, 0, 0);
constexpr ColorRef kBlue = Rgb(0, 0, 255);

Bitmap TwoByTwo() {
  Bitmap b;
  b.width = 2;
  b.height = 2;
  b.bits_per_pixel = 24;
  b.pixels = {0x111111, 0x222222, 0x333333, 0x444444};
  return b;
}

// Counts output pixels of `pixel` inside (or outside) a logical rectangle.
int CountPixels(const Canvas& c, std::uint32_t pixel, const Rect& r, bool inside) {
  int n = 0;
  for (int y = 0; y < c.PixelHeight(); ++y) {
    for (int x = 0; x < c.PixelWidth(); ++x) {
      const bool in = r.Contains({x / c.Scale(), y / c.Scale()});
      if (in == inside && c.Row(y)[x] == pixel)
        ++n;
    }
  }
  return n;
}

TEST(Canvas, FillStaysInsideTheClip) {
  Canvas c(10, 8, 1);
  c.SetClip({2, 2, 6, 5});
  c.FillRect({0, 0, 10, 10}, kRed);
  EXPECT_EQ(12, CountPixels(c, 0xFF0000, {2, 2, 6, 5}, true));
  EXPECT_EQ(0, CountPixels(c, 0xFF0000, {2, 2, 6, 5}, false));
  c.ResetClip();
  c.FillRect({-5, -5, 1, 1}, kBlue);
  EXPECT_EQ(0x0000FFu, c.PixelAt(0, 0));
  EXPECT_EQ(0u, c.PixelAt(1, 1));
}

TEST(Canvas, ScaleTwoEnlargesEveryLogicalPixelToABlock) {
  Canvas c(4, 4, 2);
  ASSERT_EQ(8, c.PixelWidth());
  c.DrawBitmap(TwoByTwo(), 1, 1);
  const std::uint32_t expected[4][4] = {
      {0, 0, 0, 0}, {0, 0x111111, 0x222222, 0}, {0, 0x333333, 0x444444, 0}, {0, 0, 0, 0}};
  for (int py = 0; py < 8; ++py) {
    for (int px = 0; px < 8; ++px) {
      EXPECT_EQ(expected[py / 2][px / 2], c.Row(py)[px]) << px << "," << py;
    }
  }
}

TEST(Canvas, PicturesAreCutAtTheCanvasEdgeAndTheClip) {
  Canvas c(3, 3, 1);
  c.DrawBitmap(TwoByTwo(), 2, 2);
  EXPECT_EQ(0x111111u, c.PixelAt(2, 2));
  c.DrawBitmap(TwoByTwo(), -1, -1);
  EXPECT_EQ(0x444444u, c.PixelAt(0, 0));
  c.SetClip({1, 0, 3, 3});
  c.DrawBitmap(TwoByTwo(), 0, 1);
  EXPECT_EQ(0u, c.PixelAt(0, 1));
  EXPECT_EQ(0x222222u, c.PixelAt(1, 1));
}

TEST(Canvas, StretchPicksTheNearestSourcePixel) {
  Canvas c(4, 2, 1);
  c.DrawBitmapStretched(TwoByTwo(), {0, 0, 4, 2});
  EXPECT_EQ(0x111111u, c.PixelAt(1, 0));
  EXPECT_EQ(0x222222u, c.PixelAt(2, 0));
  EXPECT_EQ(0x444444u, c.PixelAt(3, 1));
}

TEST(Canvas, EtchedEdgeIsGreyOutsideAndWhiteInside) {
  Canvas c(6, 6, 1);
  c.DrawEtchedEdge({0, 0, 6, 6});
  EXPECT_EQ(0x808080u, c.PixelAt(0, 0));
  EXPECT_EQ(0x808080u, c.PixelAt(0, 4));
  EXPECT_EQ(0xFFFFFFu, c.PixelAt(1, 1));
  EXPECT_EQ(0xFFFFFFu, c.PixelAt(5, 5));
  EXPECT_EQ(0xFFFFFFu, c.PixelAt(5, 0 + 2));
  EXPECT_EQ(0u, c.PixelAt(3, 3));
}

// A font that covers its whole box, so the test sees exactly where the text lands.
class BlockFont : public Font {
 public:
  int LineHeight() const override { return 4; }
  TextMask Render(std::string_view utf8) override {
    TextMask m;
    m.width = static_cast<int>(utf8.size()) * 2;
    m.height = 4;
    m.coverage.assign(static_cast<size_t>(m.width) * m.height, 255);
    m.coverage[0] = 128;
    return m;
  }
  int MeasureWidth(std::string_view utf8) override { return static_cast<int>(utf8.size()) * 2; }
};

TEST(Canvas, TextIsAlignedInItsBoxAndBlended) {
  BlockFont font;
  Canvas c(20, 10, 1);
  c.FillRect({0, 0, 20, 10}, Rgb(0, 0, 0));
  c.DrawText(font, "abc", {2, 2, 18, 10}, HAlign::kCenter, VAlign::kCenter, kRed);
  // 6 x 4 pixels centred in a 16 x 8 box at (2, 2); the first one is half covered.
  EXPECT_EQ(23, CountPixels(c, 0xFF0000, {7, 4, 13, 8}, true));
  EXPECT_EQ(0x800000u, c.PixelAt(7, 4));
  c.DrawText(font, "a", {2, 2, 18, 10}, HAlign::kRight, VAlign::kTop, kBlue);
  EXPECT_EQ(0x0000FFu, c.PixelAt(17, 3));
  EXPECT_EQ(0u, c.PixelAt(15, 3));
}

TEST(Canvas, TextNeverLeavesItsBox) {
  BlockFont font;
  Canvas c(20, 10, 2);
  c.DrawText(font, "much too long", {4, 2, 8, 4}, HAlign::kLeft, VAlign::kTop, kRed);
  EXPECT_EQ(0, CountPixels(c, 0xFF0000, {4, 2, 8, 4}, false));
  EXPECT_GT(CountPixels(c, 0xFF0000, {4, 2, 8, 4}, true), 0);
}

TEST(Canvas, RealFontDrawsInsideItsBoxAtEveryScale) {
  for (int scale : {1, 2}) {
    SCOPED_TRACE(scale);
    std::unique_ptr<Font> font = test::TestFonts().Open(FontFace::kCondensedBold, 32, scale);
    ASSERT_TRUE(font);
    EXPECT_NEAR(32 * scale, font->LineHeight(), 2 * scale);
    Canvas c(200, 60, scale);
    const Rect box{10, 10, 190, 50};
    c.DrawText(*font, "42 + 17", box, HAlign::kCenter, VAlign::kCenter, Rgb(255, 255, 255));
    EXPECT_GT(CountPixels(c, 0xFFFFFF, box, true), 50 * scale * scale);
    int stray = 0;
    for (int py = 0; py < c.PixelHeight(); ++py) {
      for (int px = 0; px < c.PixelWidth(); ++px) {
        if (!box.Contains({px / scale, py / scale}) && c.Row(py)[px] != 0)
          ++stray;
      }
    }
    EXPECT_EQ(0, stray);
  }
}

}  // namespace
}  // namespace qz
