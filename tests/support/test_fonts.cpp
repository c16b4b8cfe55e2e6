#include "support/test_fonts.h"

#include "platform/ttf/ttf_font_source.h"

namespace qz::test {

FontSource& TestFonts() {
  static TtfFontSource fonts(QZ_TEST_FONT_DIR);
  return fonts;
}

}  // namespace qz::test
