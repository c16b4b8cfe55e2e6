#include "ui/edit_box.h"

#include <gtest/gtest.h>

#include "support/test_fonts.h"
#include "ui/recording_owner.h"

namespace qz {
namespace {

class Edit : public ::testing::Test {
 protected:
  Edit() : font(test::TestFonts().Open(FontFace::kSans, 14, 1)) {
    edit.ApplyTemplate(Line(1042, "edit", "", 0, 0, 43, 8), &owner);
    edit.SetFont(font.get());
  }
  void Key(Key key, bool shift = false, bool ctrl = false) {
    Event e;
    e.type = EventType::kKeyDown;
    e.key = key;
    e.shift = shift;
    e.ctrl = ctrl;
    edit.OnKeyDown(e);
  }
  std::pair<int, int> Sel() const {
    int start = 0;
    int end = 0;
    edit.GetSel(&start, &end);
    return {start, end};
  }
  std::unique_ptr<Font> font;
  RecordingOwner owner;
  EditBox edit;
};

TEST_F(Edit, SelectWithShiftAndArrowsThenReplace) {
  edit.OnText("hello");
  Key(Key::kLeft, true);
  Key(Key::kLeft, true);
  EXPECT_EQ(std::make_pair(3, 5), Sel());
  edit.OnText("X");
  EXPECT_EQ("helX", edit.GetText());
  Key(Key::kHome);
  Key(Key::kRight);
  Key(Key::kEnd, true);
  EXPECT_EQ(std::make_pair(1, 4), Sel());
  Key(Key::kLeft);  // collapses to the selection's start
  EXPECT_EQ(std::make_pair(1, 1), Sel());
  Key(Key::kA, false, true);
  Key(Key::kDelete);
  EXPECT_EQ("", edit.GetText());
}

TEST_F(Edit, LettersBeyondAsciiCountAsOneCharacter) {
  edit.OnText("zoë");
  Key(Key::kBackspace);
  EXPECT_EQ("zo", edit.GetText());
  edit.OnText("é!");
  Key(Key::kLeft, true);
  Key(Key::kLeft, true);
  edit.OnText("e");
  EXPECT_EQ("zoe", edit.GetText());
}

TEST_F(Edit, NumberStyleTakesDigitsOnly) {
  EditBox day;
  day.ApplyTemplate(Line(1043, "edit", "", 0, 0, 15, 8, kStyleNumber), &owner);
  day.OnText("4a-5.");
  EXPECT_EQ("45", day.GetText());
}

TEST_F(Edit, DragSelectsAndTheTextScrollsToTheCaret) {
  ASSERT_NE(nullptr, font);
  edit.OnText("abcdefghijklmnopqrstuvwxyz0123456789");
  EXPECT_GT(edit.ScrollOffset(), 0);  // the caret at the end stays in the 86-pixel box
  Key(Key::kHome);
  EXPECT_EQ(0, edit.ScrollOffset());
  const int after_b = font->MeasureWidth("ab");
  edit.OnMouseDown({after_b, 4});
  edit.OnMouseMove({1000, 4});
  edit.OnMouseUp({1000, 4});
  const auto [start, end] = Sel();
  EXPECT_EQ(2, start);
  EXPECT_GT(end, 2);
}

TEST_F(Edit, PastedControlCharactersBecomeBlanks) {
  owner.clipboard = "Ann\tB\x01o\x7f\r\nsecond line";
  Key(Key::kV, false, true);
  EXPECT_EQ("Ann B o ", edit.GetText());
}

// Counts what the box asks its font to measure.
class CountingFont : public Font {
 public:
  explicit CountingFont(Font& font) : m_font(font) {}
  int LineHeight() const override { return m_font.LineHeight(); }
  TextMask Render(std::string_view utf8) override { return m_font.Render(utf8); }
  int MeasureWidth(std::string_view utf8) override {
    measured += utf8.size();
    return m_font.MeasureWidth(utf8);
  }
  std::size_t measured = 0;

 private:
  Font& m_font;
};

TEST_F(Edit, AClickInALongTextMeasuresItAFewTimesNotOncePerCharacter) {
  ASSERT_NE(nullptr, font);
  CountingFont counting(*font);
  edit.SetFont(&counting);
  const std::string text(18000, 'm');
  edit.SetText(text);
  const int after_two = font->MeasureWidth("mm");
  counting.measured = 0;
  edit.OnMouseDown({after_two, 4});
  for (int x = 0; x < 80; x += 8)
    edit.OnMouseMove({x, 4});
  edit.OnMouseUp({after_two, 4});
  EXPECT_EQ(std::make_pair(2, 2), Sel());
  // Each boundary looked at measures at most the whole text: a few dozen times for a click
  // and ten moves, where a measure per boundary would be 18,000 times each.
  EXPECT_LT(counting.measured, text.size() * 40 * 12);
  edit.SetFont(font.get());
}

TEST_F(Edit, PasswordShowsMaskCharacters) {
  ASSERT_NE(nullptr, font);
  EditBox secret;
  secret.ApplyTemplate(Line(1046, "edit", "", 0, 0, 43, 8, kStylePassword), &owner);
  secret.SetFont(font.get());
  secret.SetText("1234");
  edit.SetText("****");
  Canvas masked(86, 16, 1);
  Canvas plain(86, 16, 1);
  secret.Paint(masked, secret.GetRect());
  edit.Paint(plain, edit.GetRect());
  EXPECT_EQ(plain.Snapshot(), masked.Snapshot());
  EXPECT_EQ("1234", secret.GetText());
}

TEST_F(Edit, FocusIsReportedWithWhatTheBoxTakes) {
  EditBox day;
  day.ApplyTemplate(Line(1043, "edit", "", 0, 0, 15, 8, kStyleNumber), &owner);
  edit.OnSetFocus();
  edit.OnKillFocus();
  day.OnSetFocus();
  const std::vector<std::pair<int, int>> expected = {
      {1042, kEnSetFocus}, {1042, kEnKillFocus}, {1043, kEnSetFocus}};
  EXPECT_EQ(expected, owner.commands);
  const std::vector<TextEntry> entries = {TextEntry::kText, TextEntry::kNone, TextEntry::kDigits};
  EXPECT_EQ(entries, owner.entries);
}

}  // namespace
}  // namespace qz
