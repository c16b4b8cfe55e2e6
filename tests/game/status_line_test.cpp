// The status line of the real main window shows every text whole, at both scales: a won
// match's fighting-style title with its score is the widest text it gets.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/engine_texts.h"
#include "platform/string_printf.h"
#include "records/fight_style.h"
#include "support/game_fixture.h"
#include "ui/text_static.h"

namespace qz::test {
namespace {

class StatusLine : public GameFixture, public ::testing::WithParamInterface<int> {
 protected:
  StatusLine() : GameFixture(GetParam()) {}

  // What the status line shows after `text` was written to it, pixel by pixel.
  std::vector<std::uint32_t> Shown(const std::string& text) {
    Window().SetItemText(kItemStatus, text);
    const Rect r = Window().ItemRectInWindow(*Window().FindControl(kItemStatus));
    const Canvas& canvas = Window().Window()->GetCanvas();
    const int scale = canvas.Scale();
    std::vector<std::uint32_t> pixels;
    for (int py = r.top * scale; py < r.bottom * scale; ++py)
      pixels.insert(pixels.end(), canvas.Row(py) + r.left * scale,
                    canvas.Row(py) + r.right * scale);
    return pixels;
  }
  // The first and last columns (logical, from the line's left edge) that hold text; the
  // line's background is black.
  std::pair<int, int> InkColumns(const std::vector<std::uint32_t>& shown) {
    const int scale = GetParam();
    const int width = Window().FindControl(kItemStatus)->GetRect().Width() * scale;
    int first = width;
    int last = -1;
    for (size_t i = 0; i < shown.size(); ++i) {
      if (shown[i] != 0) {
        const int x = static_cast<int>(i % static_cast<size_t>(width));
        first = std::min(first, x);
        last = std::max(last, x);
      }
    }
    return {first / scale, last / scale};
  }
};

TEST_P(StatusLine, FightingStyleTitlesShowWholeWithTheirScore) {
  CloseAboutBox();
  Advance(4100);
  Then([&] {
    const int width = Window().FindControl(kItemStatus)->GetRect().Width();
    // The longest words, the two the players saw cut, and the largest score.
    std::vector<std::string> styles = {"Dangerous Snake", "Victorious Fist"};
    std::string longest_adjective;
    std::string longest_noun;
    for (const char* a : StyleAdjectives)
      longest_adjective = std::string(a).size() > longest_adjective.size() ? a : longest_adjective;
    for (const char* n : StyleNouns)
      longest_noun = std::string(n).size() > longest_noun.size() ? n : longest_noun;
    styles.push_back(longest_adjective + " " + longest_noun);
    for (const std::string& style : styles) {
      for (int score : {7310, 2147483647}) {
        const std::string text = StringPrintf(kFormatFightStyle, style.c_str(), score);
        SCOPED_TRACE(text);
        // Digits are all as wide: the same title with other digits in its score is drawn in
        // the same face and size, and looks different only where the score shows.
        std::string other_digits = text;
        for (size_t i = other_digits.rfind(' ') + 1; i < other_digits.size(); ++i)
          other_digits[i] = other_digits[i] == '8' ? '1' : '8';
        const std::vector<std::uint32_t> shown = Shown(text);
        EXPECT_TRUE(shown != Shown(other_digits)) << "the score is cut";
        const auto [first, last] = InkColumns(shown);
        EXPECT_GE(first, TextStatic::kFitMargin) << "touches the left edge";
        EXPECT_LT(last, width - TextStatic::kFitMargin) << "touches the right edge";
      }
    }
  });
  Press(Key::kEscape);
  EXPECT_EQ(kIdOk, RunGame());
}

INSTANTIATE_TEST_SUITE_P(Scales, StatusLine, ::testing::Values(1, 2),
                         [](const ::testing::TestParamInfo<int>& scale) {
                           return "Scale" + std::to_string(scale.param);
                         });

}  // namespace
}  // namespace qz::test
