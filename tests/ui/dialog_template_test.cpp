#include "ui/dialog_template.h"

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace qz {
namespace {

DialogTemplate ReadShipped(int id) {
  std::ifstream in(std::string(QZ_SOURCE_DIR) + "/assets/" + std::to_string(id) + ".dlg");
  std::stringstream text;
  text << in.rdbuf();
  std::string error;
  std::optional<DialogTemplate> t = ParseDialogTemplate(text.str(), &error);
  EXPECT_TRUE(t.has_value()) << error;
  return t.value_or(DialogTemplate{});
}

TEST(DialogTemplate, MainWindowHasEveryControlInPlace) {
  const DialogTemplate t = ReadShipped(102);
  EXPECT_EQ("Quizendo", t.title);
  EXPECT_EQ(640, t.PixelWidth());
  EXPECT_EQ(400, t.PixelHeight());
  EXPECT_EQ(22u, t.controls.size());

  const ControlTemplate* answer = t.Find(1008);
  ASSERT_NE(nullptr, answer);
  EXPECT_EQ("edit", answer->kind);
  EXPECT_EQ(Rect::FromSize(416, 170, 208, 70), answer->PixelRect());
  EXPECT_TRUE(answer->Has(kStyleHidden));
  EXPECT_TRUE(answer->Has(kStyleAutoHScroll));

  const ControlTemplate* sound = t.Find(1025);
  ASSERT_NE(nullptr, sound);
  EXPECT_EQ(172, sound->PictureId().value_or(0));
  EXPECT_TRUE(sound->Has(kStyleNotify));

  const ControlTemplate* exit = t.Find(1);
  ASSERT_NE(nullptr, exit);
  EXPECT_EQ("button", exit->kind);
  EXPECT_EQ("EXIT", exit->text);
  EXPECT_FALSE(exit->PictureId().has_value());
}

TEST(DialogTemplate, SetupPanelRowsAndBoxes) {
  const DialogTemplate t = ReadShipped(174);
  EXPECT_TRUE(t.Has(kStyleChild));
  EXPECT_FALSE(t.Has(kStyleVisible));
  ASSERT_NE(nullptr, t.Find(-1));
  EXPECT_EQ(175, t.Find(-1)->PictureId().value_or(0));
  EXPECT_FALSE(t.Find(-1)->Has(kStyleNotify));
  for (int level = 1; level <= 8; ++level) {
    const ControlTemplate* belt = t.Find(1033 + level);
    ASSERT_NE(nullptr, belt) << level;
    EXPECT_EQ(Rect::FromSize(2 * (100 + 10 * level), 168, 18, 18), belt->PixelRect());
    EXPECT_EQ(195 + level, belt->PictureId().value_or(0));
  }
  for (int id : {1043, 1044, 1045})
    EXPECT_TRUE(t.Find(id)->Has(kStyleNumber)) << id;
  EXPECT_TRUE(t.Find(1046)->Has(kStylePassword));
  EXPECT_FALSE(t.Find(1042)->Has(kStyleNumber));
}

TEST(DialogTemplate, AboutBoxIsOnePicture) {
  const DialogTemplate t = ReadShipped(100);
  EXPECT_EQ("About Quizendo", t.title);
  ASSERT_EQ(1u, t.controls.size());
  EXPECT_EQ(Rect::FromSize(0, 0, 472, 200), t.controls[0].PixelRect());
  EXPECT_EQ(210, t.controls[0].PictureId().value_or(0));
}

TEST(DialogTemplate, QuotesCommentsAndBlankLines) {
  std::string error;
  auto t = ParseDialogTemplate(
      "# a comment\n\r\n  dialog 7 \"A \\\"quoted\\\" title\" 10,20 popup\r\n"
      "5 static \"two  spaces # kept\" 1,2,3,4 right vcenter\n",
      &error);
  ASSERT_TRUE(t.has_value()) << error;
  EXPECT_EQ("A \"quoted\" title", t->title);
  ASSERT_EQ(1u, t->controls.size());
  EXPECT_EQ("two  spaces # kept", t->controls[0].text);
  EXPECT_EQ(4, t->controls[0].line);
  EXPECT_TRUE(t->controls[0].Has(kStyleRight | kStyleVCenter));
}

TEST(DialogTemplate, BadFilesSayWhichLineAndWhy) {
  const std::string header = "dialog 1 \"x\" 10,10\n";
  struct Case {
    std::string text;
    std::string expected;  // part of the message
  };
  const Case cases[] = {
      {"", "no dialog line"},
      {"5 static \"a\" 1,2,3,4\n", "line 1: the first line must be the dialog line"},
      {"dialog x \"t\" 1,1\n", "line 1: the dialog id 'x'"},
      {"dialog 1 t 1,1\n", "line 1: expected: dialog"},
      {"dialog 1 \"t\" 1\n", "line 1: expected the size"},
      {"dialog 1 \"t\" 0,5\n", "line 1: expected the size"},
      {header + header, "line 2: a second dialog line"},
      {header + "5 static \"open\n", "line 2: a quoted text is not closed"},
      {header + "5 static \"a\" 1,2,3\n", "line 2: expected the rectangle"},
      {header + "5 static \"a\" 1,2,3,4,5\n", "line 2: expected the rectangle"},
      {header + "5 static \"a\" 1,-2,3,4\n", "line 2: expected the rectangle"},
      {header + "5 static \"a\" 1,2,3,99999\n", "line 2: expected the rectangle"},
      {header + "5 static \"a\" 1,,3,4\n", "line 2: expected the rectangle"},
      {header + "5 slider \"a\" 1,2,3,4\n", "line 2: unknown control kind 'slider'"},
      {header + "5 static \"a\" 1,2,3,4 bold\n", "line 2: unknown style 'bold'"},
      {header + "five static \"a\" 1,2,3,4\n", "line 2: the control id 'five'"},
      {header + "99999999999 static \"a\" 1,2,3,4\n", "line 2: the control id"},
      {header + "5 static a 1,2,3,4\n", "line 2: expected: <id> <kind>"},
      {header + "5 static \"a\"\n", "line 2: expected: <id> <kind>"},
      {header + "5 static \"a\" 1,2,3,4\n6 edit \"\" 0,0,1,1\n5 edit \"\" 0,0,1,1\n",
       "line 4: the control id 5 is used twice"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(ParseDialogTemplate(c.text, &error).has_value()) << c.text;
    EXPECT_NE(std::string::npos, error.find(c.expected)) << c.text << " -> " << error;
  }
}

TEST(DialogTemplate, ArtworkStaticsMayShareTheIdMinusOne) {
  std::string error;
  auto t = ParseDialogTemplate(
      "dialog 1 \"\" 10,10\n-1 static \"#1\" 0,0,1,1 bitmap\n-1 static \"#2\" 0,0,1,1 bitmap\n",
      &error);
  ASSERT_TRUE(t.has_value()) << error;
  EXPECT_EQ(2u, t->controls.size());
}

}  // namespace
}  // namespace qz
