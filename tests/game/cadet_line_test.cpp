// The cadet's name on the real main window, at both scales: a name too long for its place
// stays on its one line, drawn up to the place's end and closed by "…", never wrapped onto a
// second line that the control cuts in half.
#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "engine/engine_texts.h"
#include "support/game_fixture.h"

namespace qz::test {
namespace {

constexpr char kSeventyCharacters[] =
    "Maximiliane Alexandra Konstantina von Hohenberg-Wittelsbach zu Sayn Al";
constexpr int kNameFontHeight = 16;

class CadetLine : public GameFixture, public ::testing::WithParamInterface<int> {
 protected:
  CadetLine() : GameFixture(GetParam()) {}
};

TEST_P(CadetLine, LongNameEndsInAnEllipsisOnItsOneLine) {
  static_assert(sizeof(kSeventyCharacters) - 1 == 70);
  CloseAboutBox();
  Advance(5000);
  // As a name stored by an earlier run shows: the match reset writes the cadet line.
  Then([&] {
    m_settings.m_strCadetName = kSeventyCharacters;
    Window().Engine().ResetMatch();
  });
  Advance(100);
  Then([&] {
    EXPECT_EQ(std::string(kTextCadetName) + ": " + kSeventyCharacters, ItemText(kItemCadet));
    const int scale = GetParam();
    const Rect r = Window().ItemRectInWindow(*Window().FindControl(kItemCadet));
    const Canvas& canvas = Window().Window()->GetCanvas();
    int last_inked_column = -1;
    int last_inked_row = -1;
    for (int py = r.top * scale; py < r.bottom * scale; ++py) {
      for (int px = r.left * scale; px < r.right * scale; ++px) {
        if (canvas.Row(py)[px] != 0) {
          last_inked_column = std::max(last_inked_column, px - r.left * scale);
          last_inked_row = std::max(last_inked_row, py - r.top * scale);
        }
      }
    }
    EXPECT_LT(last_inked_row, kNameFontHeight * scale) << "a second line is drawn";
    // The name runs up to the end of its place, less than a letter and the "…" short of it.
    EXPECT_GT(last_inked_column, (r.Width() - 24) * scale);
  });
  Press(Key::kEscape);
  EXPECT_EQ(kIdOk, RunGame());
}

INSTANTIATE_TEST_SUITE_P(Scales, CadetLine, ::testing::Values(1, 2),
                         [](const ::testing::TestParamInfo<int>& scale) {
                           return "Scale" + std::to_string(scale.param);
                         });

}  // namespace
}  // namespace qz::test
