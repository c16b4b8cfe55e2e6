// Who is training? and New cadet on the headless platform with the game's own templates and
// pictures: the keyboard, the mouse, scrolling past the buttons, and the new cadet's rules.
#include "app/cadet_chooser_dlg.h"

#include <gtest/gtest.h>

#include "app/new_cadet_dlg.h"
#include "platform/posix/posix_record_folder.h"
#include "profile/profile_test_support.h"
#include "support/idle_script.h"
#include "ui/ui_platform.h"

namespace qz {
namespace {

class ChooserTest : public ::testing::Test {
 protected:
  ChooserTest()
      : assets(std::filesystem::path(QZ_SOURCE_DIR) / "assets"),
        headless(&assets, 1),
        platform{headless,
                 headless,
                 headless,
                 headless,
                 headless,
                 assets,
                 test::TestFonts(),
                 settings,
                 files,
                 "quizendo",
                 records.Path() + "/qz.log"},
        script(headless) {
    headless.SetTimeLimitMs(600000);
  }
  void Cadets(std::initializer_list<const char*> names) {
    int number = 1;
    for (const char* name : names) {
      test::WriteFile(
          records.File(number == 1 ? "quizendo.ini"
                                   : "quizendo.cadet-" + std::to_string(number) + ".ini"),
          std::string("[1.01]\nCadetName=") + name + "\n");
      ++number;
    }
    roster.Read();
  }
  void Keys(std::initializer_list<Key> keys) {
    for (Key key : keys)
      script.Add([this, key] { headless.PressKey(key); });
  }
  void Type(const std::string& text) {
    script.Add([this, text] { headless.TypeText(text); });
  }

  test::TempFolder records;
  PosixRecordFolder folder{records.Path()};
  CadetRoster roster{folder, "quizendo"};
  FolderAssetStore assets;
  HeadlessPlatform headless;
  MemorySettings settings;
  PosixFileAppender files;
  Platform platform;
  test::IdleScript script;
};

TEST_F(ChooserTest, TheArrowsAndReturnChooseEscapeLeaves) {
  Cadets({"Ann", "Bea", "Cy"});
  const struct {
    std::vector<Key> m_keys;
    int m_nResult;
    std::size_t m_nChosen;
  } cases[] = {
      {{Key::kReturn}, CCadetChooserDlg::kChoseCadet, 0},
      {{Key::kDown, Key::kReturn}, CCadetChooserDlg::kChoseCadet, 1},
      {{Key::kUp, Key::kDown, Key::kDown, Key::kSpace}, CCadetChooserDlg::kChoseCadet, 2},
      {{Key::kTab, Key::kReturn}, CCadetChooserDlg::kChoseCadet, 1},
      {{Key::kDown, Key::kDown, Key::kUp, Key::kReturn}, CCadetChooserDlg::kChoseCadet, 1},
      {{Key::kDown, Key::kEscape}, kIdCancel, 0},
  };
  for (const auto& c : cases) {
    CCadetChooserDlg chooser(platform, roster);
    for (Key key : c.m_keys)
      script.Add([this, key] { headless.PressKey(key); });
    EXPECT_EQ(c.m_nResult, chooser.RunModal());
    if (c.m_nResult == CCadetChooserDlg::kChoseCadet) {
      EXPECT_EQ(c.m_nChosen, chooser.ChosenIndex());
    }
  }
}

TEST_F(ChooserTest, AClickChoosesTheCadetUnderIt) {
  Cadets({"Ann", "Bea"});
  CCadetChooserDlg chooser(platform, roster);
  script.Add([&] {
    const Rect r =
        chooser.ItemRectInWindow(*chooser.GetItem(CCadetChooserDlg::kItemFirstCadet + 1));
    headless.Click(chooser.Window()->Id(), r.left + r.Width() / 2, r.top + r.Height() / 2);
  });
  EXPECT_EQ(CCadetChooserDlg::kChoseCadet, chooser.RunModal());
  EXPECT_EQ(1u, chooser.ChosenIndex());
}

// More cadets than buttons: the arrows scroll, so every cadet can be reached.
TEST_F(ChooserTest, TheArrowsScrollToCadetsPastTheButtons) {
  Cadets({"A", "B", "C", "D", "E", "F", "G", "H"});
  CCadetChooserDlg chooser(platform, roster);
  for (int i = 0; i < 7; ++i)
    Keys({Key::kDown});
  script.Add([&] {
    EXPECT_EQ(
        "H",
        static_cast<LabelButton*>(chooser.GetItem(CCadetChooserDlg::kItemFirstCadet + 5))->Label());
    EXPECT_EQ("3 to 8 of 8 cadets: the arrow keys show the others",
              chooser.GetItemText(CCadetChooserDlg::kItemMore));
    headless.PressKey(Key::kDown);  // past the last cadet: New cadet
  });
  Keys({Key::kUp, Key::kReturn});
  EXPECT_EQ(CCadetChooserDlg::kChoseCadet, chooser.RunModal());
  EXPECT_EQ(7u, chooser.ChosenIndex());
}

TEST_F(ChooserTest, ANewCadetNeedsANameAndARealBirthDate) {
  CNewCadetDlg form(platform);
  const auto why_not = [&] {
    return form.IsShown(*form.GetItem(CNewCadetDlg::kItemWhyNot))
               ? form.GetItemText(CNewCadetDlg::kItemWhyNot)
               : std::string();
  };
  Type("  ");
  Keys({Key::kReturn});
  script.Add([&] {
    EXPECT_EQ("Type the cadet's name", why_not());
    headless.TypeText("Zo\xC3\xAB\tx");
  });
  Keys({Key::kTab});
  Type("30");
  Keys({Key::kTab});
  Type("2");
  Keys({Key::kTab});
  Type("2017");
  Keys({Key::kReturn});
  script.Add([&] {
    EXPECT_EQ("30.2.2017 is not a date", why_not());
    EXPECT_EQ(form.GetItem(CNewCadetDlg::kItemDay), form.GetFocus());
    headless.PressKey(Key::kBackspace);
  });
  Keys({Key::kBackspace});
  Type("28");
  Keys({Key::kReturn});
  EXPECT_EQ(kIdOk, form.RunModal());
  // Kept as the setup panel's name box keeps it: blanks and all, no control characters.
  EXPECT_EQ("  Zo\xC3\xABx", form.Entry().m_strName);
  EXPECT_EQ(28, form.Entry().m_nDay);
  EXPECT_EQ(2, form.Entry().m_nMonth);
  EXPECT_EQ(2017, form.Entry().m_nYear);
}

}  // namespace
}  // namespace qz
