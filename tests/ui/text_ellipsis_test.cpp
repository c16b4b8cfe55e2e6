#include "ui/text_ellipsis.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/test_fonts.h"
#include "ui/utf8_text.h"

namespace qz {
namespace {

TEST(EllipsizeToWidth, KeepsWhatFitsAndCutsTheRestWithOneEllipsis) {
  std::unique_ptr<Font> font = test::TestFonts().Open(FontFace::kSans, 16, 1);
  ASSERT_TRUE(font);
  const std::string seventy =
      "Maximiliane Alexandra Konstantina von Hohenberg-Wittelsbach zu Sayn Al";
  const struct Case {
    std::string text;
    int width;
    std::string shown;  // empty: cut somewhere, checked below
  } cases[] = {
      {"Ann", 200, "Ann"},
      {"", 10, ""},
      {seventy, font->MeasureWidth(seventy), seventy},
      {seventy, 296, ""},
      // Letters of two bytes and of three are never split.
      {"\u00c4\u00d6\u00dc\u00e4\u00f6\u00fc\u00df\u00c4\u00d6\u00dc\u00e4\u00f6\u00fc", 60, ""},
      {"\u8001\u5e08\u674e\u5c0f\u9f99\u8001\u5e08\u674e\u5c0f\u9f99", 50, ""},
      // Blanks before the ellipsis go; a place narrower than one letter keeps only "…".
      {"Ann       Bobby", font->MeasureWidth("Ann  \u2026"), "Ann\u2026"},
      {"Ann", 1, "\u2026"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " in " + std::to_string(c.width));
    const std::string shown = EllipsizeToWidth(*font, c.text, c.width);
    if (!c.shown.empty() || c.text.empty()) {
      EXPECT_EQ(c.shown, shown);
      continue;
    }
    // Cut: the longest start of the text that fits with the ellipsis.
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(kEllipsis, shown.substr(shown.size() - 3));
    const std::string kept = shown.substr(0, shown.size() - 3);
    EXPECT_EQ(0u, c.text.find(kept));
    EXPECT_EQ(EncodeUtf8(DecodeUtf8(kept)), kept) << "a character was split";
    EXPECT_LE(font->MeasureWidth(shown), c.width);
    const std::u32string one_more = DecodeUtf8(c.text).substr(0, DecodeUtf8(kept).size() + 1);
    EXPECT_GT(font->MeasureWidth(EncodeUtf8(one_more) + kEllipsis), c.width);
  }
}

}  // namespace
}  // namespace qz
