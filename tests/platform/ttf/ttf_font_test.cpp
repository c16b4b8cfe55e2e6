#include "platform/font.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "support/test_fonts.h"

namespace qz {
namespace {

constexpr char kLi[] = "\xE6\x9D\x8E";  // 李, which the DejaVu faces lack
// A private-use character of the last plane: no font is expected to have it.
constexpr char kNoFontHasIt[] = "\xF4\x8F\xBF\xBD";  // U+10FFFD

// Whether fontconfig lists an installed font holding `code_point`; asked here without the
// game's code, so a fault there fails the test instead of skipping it.
bool SystemFontHas(char32_t code_point) {
  if (FcInit() == FcFalse)
    return false;
  FcPattern* pattern = FcPatternCreate();
  FcCharSet* wanted = FcCharSetCreate();
  FcCharSetAddChar(wanted, code_point);
  FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
  FcObjectSet* fields = FcObjectSetBuild(FC_FILE, nullptr);
  FcFontSet* fonts = FcFontList(nullptr, pattern, fields);
  const bool found = fonts != nullptr && fonts->nfont > 0;
  if (fonts != nullptr)
    FcFontSetDestroy(fonts);
  FcObjectSetDestroy(fields);
  FcCharSetDestroy(wanted);
  FcPatternDestroy(pattern);
  return found;
}

int InkedPixels(const TextMask& mask) {
  int inked = 0;
  for (std::uint8_t c : mask.coverage)
    inked += c > 127 ? 1 : 0;
  return inked;
}

// A name in another script is drawn in a system font that has its characters, not as the
// face's empty box.
TEST(TtfFont, CharacterTheFaceLacksIsDrawnFromASystemFont) {
  if (!SystemFontHas(U'\u674E'))
    GTEST_SKIP() << "no installed font has the character \u674E (install fonts-wqy-microhei)";
  for (int scale : {1, 2}) {
    SCOPED_TRACE(scale);
    std::unique_ptr<Font> font = test::TestFonts().Open(FontFace::kSans, 16, scale);
    ASSERT_TRUE(font);
    const TextMask li = font->Render(kLi);
    const TextMask box = font->Render(kNoFontHasIt);
    ASSERT_GT(box.width, 0) << "the face draws no box for a missing character";
    EXPECT_EQ(font->LineHeight(), li.height);
    EXPECT_NE(box.coverage, li.coverage) << "drawn as the empty box";
    // Its strokes give the character far more ink than the outline of a box.
    EXPECT_GT(InkedPixels(li), InkedPixels(box) * 3 / 2);
    // Mixed with the face's own letters: measured as drawn, the letters left as they were.
    const std::string name = std::string("Li ") + kLi + "!";
    const TextMask mixed = font->Render(name);
    EXPECT_EQ(font->MeasureWidth(name), mixed.width);
    const TextMask latin = font->Render("Li ");
    ASSERT_GT(mixed.width, latin.width);
    for (int y = 0; y < latin.height; ++y) {
      for (int x = 0; x < latin.width; ++x) {
        ASSERT_EQ(latin.coverage[y * latin.width + x], mixed.coverage[y * mixed.width + x])
            << x << "," << y;
      }
    }
  }
}

// Text no installed font can draw, and bytes that are not UTF-8, are drawn as before.
TEST(TtfFont, TextNoFontHasIsDrawnWithTheFacesBox) {
  std::unique_ptr<Font> font = test::TestFonts().Open(FontFace::kCondensedBold, 32, 1);
  ASSERT_TRUE(font);
  for (const std::string& text :
       {std::string(kNoFontHasIt), std::string("a\xFF\xC3"), std::string("\xE6\x9D")}) {
    const TextMask mask = font->Render(text);
    EXPECT_EQ(font->MeasureWidth(text), mask.width);
    EXPECT_EQ(static_cast<size_t>(mask.width) * mask.height, mask.coverage.size());
  }
}

}  // namespace
}  // namespace qz
