#include "ui/answer_edit.h"

#include <gtest/gtest.h>

#include "ui/recording_owner.h"
#include "ui/utf8_text.h"

namespace qz {
namespace {

TEST(AnswerEdit, FilterOfTypedCharacters) {
  struct Case {
    const char32_t* text;
    int sel_start;
    int sel_end;
    char32_t c;
    bool accepted;
  };
  const Case cases[] = {
      // empty box
      {U"", 0, 0, U'5', true},
      {U"", 0, 0, U'-', true},
      {U"", 0, 0, U'.', true},
      {U"", 0, 0, U'a', false},
      {U"", 0, 0, U' ', false},
      {U"", 0, 0, U'+', false},
      {U"", 0, 0, U'/', false},
      {U"", 0, 0, U',', false},
      // a minus sign only at the very start
      {U"12", 2, 2, U'-', false},
      {U"12", 0, 0, U'-', true},
      {U"12", 1, 1, U'-', false},
      // nothing in front of a minus sign...
      {U"-12", 0, 0, U'7', false},
      {U"-12", 0, 0, U'-', false},
      {U"-12", 0, 0, U'.', false},
      {U"-12", 1, 1, U'-', false},
      {U"-12", 1, 1, U'7', true},
      // ...unless the selection starting at 0 replaces it
      {U"-12", 0, 3, U'7', true},
      {U"-12", 0, 1, U'-', true},
      // one decimal point, wherever it would go
      {U"3.5", 3, 3, U'.', false},
      {U"3.5", 0, 0, U'.', false},
      {U"3.5", 0, 3, U'.', false},
      {U"35", 1, 1, U'.', true},
      // control characters pass; characters beyond ASCII are dropped
      {U"3.5", 3, 3, U'\b', true},
      {U"", 0, 0, U'\u00e9', false},
      {U"", 0, 0, U'\u0663', false},  // an Arabic-Indic digit
      {U"", 0, 0, 0xFF, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.accepted, AnswerEdit::Accepts(c.c, c.text, c.sel_start, c.sel_end))
        << EncodeUtf8(c.text) << " [" << c.sel_start << "," << c.sel_end << "] + U+" << std::hex
        << static_cast<unsigned>(c.c);
  }
}

class AnswerBox : public ::testing::Test {
 protected:
  AnswerBox() { box.ApplyTemplate(Line(1008, "edit", "", 0, 0, 104, 35), &owner); }
  void Key(Key key, bool shift = false, bool ctrl = false) {
    Event e;
    e.type = EventType::kKeyDown;
    e.key = key;
    e.shift = shift;
    e.ctrl = ctrl;
    box.OnKeyDown(e);
  }
  RecordingOwner owner;
  AnswerEdit box;
};

TEST_F(AnswerBox, TakesANumberFromTheKeyboard) {
  box.OnSetFocus();
  EXPECT_EQ(std::vector<TextEntry>{TextEntry::kDigits}, owner.entries);
}

TEST_F(AnswerBox, TypingKeepsOnlyANumber) {
  box.OnText("-1a2.3.4x");
  EXPECT_EQ("-12.34", box.GetText());
  Key(Key::kHome);
  box.OnText("5-");
  EXPECT_EQ("-12.34", box.GetText());
  Key(Key::kBackspace);  // at the start: nothing to delete
  Key(Key::kDelete);     // the minus sign goes; now a digit may lead
  box.OnText("9");
  EXPECT_EQ("912.34", box.GetText());
}

TEST_F(AnswerBox, HoldsNineCharactersAndPastesUnfiltered) {
  box.OnText("1234567890");
  EXPECT_EQ("123456789", box.GetText());
  Key(Key::kA, false, true);
  owner.clipboard = "ab-c\nsecond line";
  Key(Key::kV, false, true);
  EXPECT_EQ("ab-c", box.GetText());
  Key(Key::kA, false, true);
  owner.clipboard = "12345678901234";
  Key(Key::kV, false, true);
  EXPECT_EQ("123456789", box.GetText());
}

TEST_F(AnswerBox, EveryChangeIsReportedOnce) {
  box.OnText("4");
  box.SetText("42");
  box.SetText("42");  // the same text: nothing changed
  box.OnText("x");    // dropped
  Key(Key::kEnd);
  Key(Key::kBackspace);
  box.SetText("");
  int updates = 0;
  for (const auto& [id, code] : owner.commands) {
    EXPECT_EQ(1008, id);
    if (code == kEnUpdate)
      ++updates;
  }
  EXPECT_EQ(4, updates);
}

}  // namespace
}  // namespace qz
