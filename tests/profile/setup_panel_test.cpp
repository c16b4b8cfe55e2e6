#include "profile/setup_panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "profile/belts.h"
#include "profile/sound_ids.h"
#include "support/game_fixture.h"
#include "ui/bitmap_static.h"

namespace qz {
namespace {

// The setup panel inside the real main window. The virtual clock stands at 2023-11-14.
class SetupPanel : public test::GameFixture {
 protected:
  // Closes the About box, lets the intro run out, then gives the settings `prepare`'s values
  // and opens the panel.
  void OpenPanelWith(std::function<void(TrainingSettings&)> prepare) {
    CloseAboutBox();
    Advance(5000);
    Then([this, prepare] {
      prepare(m_settings);
      m_nSoundsBefore = SoundsPlayed().size();
    });
    ClickItem(kItemSetup);
  }
  // Closes the panel and leaves the game.
  void ClosePanelAndQuit() {
    ClickItem(kItemSetup);
    Press(Key::kEscape);
    EXPECT_EQ(kIdOk, RunGame());
  }

  const Bitmap* Picture(int id) { return &m_assets.GetBitmap(std::to_string(id)); }
  BitmapStatic& Static(int id) {
    auto* control = dynamic_cast<BitmapStatic*>(Window().FindControl(id));
    EXPECT_NE(nullptr, control) << id;
    return *control;
  }
  const Bitmap* Shown(int id) { return Static(id).GetImage(); }
  // The levels whose belt button shows its highlighted picture.
  std::vector<int> HighlightedBelts() {
    std::vector<int> levels;
    for (int k = 1; k <= 8; ++k) {
      if (Shown(kItemFirstBelt + k - 1) == Picture(187 + k))
        levels.push_back(k);
      else
        EXPECT_EQ(Picture(195 + k), Shown(kItemFirstBelt + k - 1)) << "belt " << k;
    }
    return levels;
  }
  // Sounds requested since the panel was opened.
  std::vector<int> PanelSounds() {
    std::vector<int> all = SoundsPlayed();
    return std::vector<int>(all.begin() + static_cast<long>(m_nSoundsBefore), all.end());
  }
  int Count(const std::vector<int>& sounds, int id) {
    return static_cast<int>(std::count(sounds.begin(), sounds.end(), id));
  }
  // Whether each operation and negatives switch shows the picture its setting asks for.
  void ExpectSwitchPicturesFollowSettings() {
    EXPECT_EQ(Picture(m_settings.m_nDoAdd ? 176 : 177), Shown(kItemDoAdd));
    EXPECT_EQ(Picture(m_settings.m_nDoSub ? 178 : 179), Shown(kItemDoSub));
    EXPECT_EQ(Picture(m_settings.m_nDoMul ? 180 : 181), Shown(kItemDoMul));
    EXPECT_EQ(Picture(m_settings.m_nDoDiv ? 182 : 183), Shown(kItemDoDiv));
    EXPECT_EQ(Picture(m_settings.m_nNoNeg ? 185 : 184), Shown(kItemNegatives));
    EXPECT_EQ(Picture(m_settings.m_nAutoSelect ? 186 : 187), Shown(kItemAutoSelect));
  }

  size_t m_nSoundsBefore = 0;
};

void BeltPreset(TrainingSettings& s, int level) {
  s.m_nAutoSelect = 0;
  s.m_nCustomSettins = 0;
  s.m_nGameLevel = level;
}

class ShowingThePanel : public SetupPanel, public ::testing::WithParamInterface<int> {};

TEST_P(ShowingThePanel, ClicksOnceAndHighlightsTheCurrentBelt) {
  const int level = GetParam();
  OpenPanelWith([&](TrainingSettings& s) {
    BeltPreset(s, level);
    s.m_nDoMul = 0;
    s.m_nNoNeg = 0;
    s.m_strCadetName = "Ann";
    s.m_nBDateDay = 7;
    s.m_nBDateMonth = 3;
    s.m_nBDateYear = 2015;
  });
  Then([&] {
    EXPECT_EQ(std::vector<int>{kSoundClick}, PanelSounds());
    const bool in_range = level >= 1 && level <= 8;
    EXPECT_EQ(in_range ? std::vector<int>{level} : std::vector<int>{}, HighlightedBelts());
    EXPECT_EQ(level, m_settings.m_nGameLevel);
    ExpectSwitchPicturesFollowSettings();
    EXPECT_EQ("Ann", ItemText(kItemCadetName));
    EXPECT_EQ("7", ItemText(kItemBirthDay));
    EXPECT_EQ("3", ItemText(kItemBirthMonth));
    EXPECT_EQ("2015", ItemText(kItemBirthYear));
    EXPECT_EQ(4u, ItemText(kItemSecretWord).size());
    EXPECT_TRUE(Window().FindControl(kItemSecretWord)->HasStyle(kStylePassword));
    // Writing the boxes stores the same values back.
    EXPECT_EQ(7, m_settings.m_nBDateDay);
    EXPECT_EQ(2015, m_settings.m_nBDateYear);
  });
  ClosePanelAndQuit();
}

INSTANTIATE_TEST_SUITE_P(Levels, ShowingThePanel, ::testing::Values(1, 3, 8, 0, 9));

TEST_F(SetupPanel, BeltPicturesAreDrawnAtEighteenPixels) {
  OpenPanelWith([](TrainingSettings& s) { BeltPreset(s, 3); });
  Then([&] {
    // Level 1's highlighted picture is stored smaller and shown stretched.
    for (int k = 1; k <= 8; ++k) {
      EXPECT_EQ(18, Static(kItemFirstBelt + k - 1).GetRect().Width()) << k;
      EXPECT_EQ(18, Static(kItemFirstBelt + k - 1).GetRect().Height()) << k;
    }
    // On screen: the panel lies at 16,80; belt k at 110 + 10 (k - 1), 84 dialog units in it.
    const Canvas& canvas = Window().Window()->GetCanvas();
    const Bitmap& lit = m_assets.GetBitmap("190");
    const Bitmap& plain = m_assets.GetBitmap("199");
    const Point belt3{16 + 2 * 130, 80 + 2 * 84};
    const Point belt4{16 + 2 * 140, 80 + 2 * 84};
    for (Point p : {Point{1, 1}, Point{9, 9}, Point{17, 17}}) {
      EXPECT_EQ(lit.At(p.x, p.y), canvas.PixelAt(belt3.x + p.x, belt3.y + p.y));
      EXPECT_EQ(plain.At(p.x, p.y), canvas.PixelAt(belt4.x + p.x, belt4.y + p.y));
    }
    EXPECT_NE(lit.At(1, 1), m_assets.GetBitmap("198").At(1, 1)) << "lit and plain look alike";
  });
  ClickItem(kItemFirstBelt);
  Then([&] {
    EXPECT_EQ(Picture(188), Shown(kItemFirstBelt));
    EXPECT_EQ(18, Static(kItemFirstBelt).GetRect().Width());
  });
  ClosePanelAndQuit();
}

TEST_F(SetupPanel, SwitchClickedTwiceRestoresItsSettingButStaysCustom) {
  struct Case {
    int id;
    int TrainingSettings::*flag;
  };
  const Case cases[] = {
      {kItemDoAdd, &TrainingSettings::m_nDoAdd},     {kItemDoSub, &TrainingSettings::m_nDoSub},
      {kItemDoMul, &TrainingSettings::m_nDoMul},     {kItemDoDiv, &TrainingSettings::m_nDoDiv},
      {kItemNegatives, &TrainingSettings::m_nNoNeg},
  };
  // The steps run later, when the game waits: they keep what they need here.
  int before[std::size(cases)] = {};
  // Automatic mode with every operation on and no negatives, shown when the panel opens.
  OpenPanelWith([](TrainingSettings& s) {
    s.m_nAutoSelect = 1;
    s.m_nCustomSettins = 0;
    s.m_nDoAdd = s.m_nDoSub = s.m_nDoMul = s.m_nDoDiv = 1;
    s.m_nNoNeg = 1;
  });
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case c = cases[i];
    Then([&, c, i] {
      // Each case starts in automatic mode again; the switches are as the last case left them.
      m_settings.m_nAutoSelect = 1;
      m_settings.m_nCustomSettins = 0;
      before[i] = m_settings.*c.flag;
      m_nSoundsBefore = SoundsPlayed().size();
    });
    ClickItem(c.id);
    Then([&, c, i] {
      EXPECT_EQ(before[i] == 0 ? 1 : 0, m_settings.*c.flag) << c.id;
      EXPECT_EQ(0, m_settings.m_nAutoSelect);
      EXPECT_EQ(1, m_settings.m_nCustomSettins);
      ExpectSwitchPicturesFollowSettings();
    });
    ClickItem(c.id);
    Then([&, c, i] {
      EXPECT_EQ(before[i], m_settings.*c.flag) << c.id;
      EXPECT_EQ(0, m_settings.m_nAutoSelect);
      EXPECT_EQ(1, m_settings.m_nCustomSettins);
      ExpectSwitchPicturesFollowSettings();
      EXPECT_EQ((std::vector<int>{177, 177}), PanelSounds());
    });
  }
  ClosePanelAndQuit();
}

TEST_F(SetupPanel, BeltClickedAgainRestoresItsRowAndLeavesCustomMode) {
  OpenPanelWith([](TrainingSettings& s) { BeltPreset(s, 3); });
  ClickItem(kItemDoMul);  // off
  ClickItem(kItemDoDiv);  // on
  ClickItem(kItemNegatives);
  Then([&] {
    EXPECT_EQ(1, m_settings.m_nCustomSettins);
    EXPECT_EQ(std::vector<int>{3}, HighlightedBelts());
  });
  ClickItem(kItemFirstBelt + 2);
  Then([&] {
    const BeltRow& row = BeltRowFor(3);
    EXPECT_EQ(0, m_settings.m_nCustomSettins);
    EXPECT_EQ(0, m_settings.m_nAutoSelect);
    EXPECT_EQ(3, m_settings.m_nGameLevel);
    EXPECT_EQ(row.m_nDoAdd, m_settings.m_nDoAdd);
    EXPECT_EQ(row.m_nDoSub, m_settings.m_nDoSub);
    EXPECT_EQ(row.m_nDoMul, m_settings.m_nDoMul);
    EXPECT_EQ(row.m_nDoDiv, m_settings.m_nDoDiv);
    EXPECT_EQ(row.m_nNoNeg, m_settings.m_nNoNeg);
    EXPECT_EQ(std::vector<int>{3}, HighlightedBelts());
    ExpectSwitchPicturesFollowSettings();
  });
  // Another belt takes its own row.
  ClickItem(kItemFirstBelt + 5);
  Then([&] {
    EXPECT_EQ(6, m_settings.m_nGameLevel);
    EXPECT_EQ(std::vector<int>{6}, HighlightedBelts());
    EXPECT_EQ(0, m_settings.m_nNoNeg);
    ExpectSwitchPicturesFollowSettings();
  });
  ClosePanelAndQuit();
}

TEST_F(SetupPanel, AutoSelectOnTakesTheBeltOfTheAgeAtOnce) {
  OpenPanelWith([](TrainingSettings& s) {
    BeltPreset(s, 7);
    s.m_nCustomSettins = 1;
    s.m_nDoDiv = 0;
    // Nine years old on the clock's day: Green.
    s.m_nBDateDay = 1;
    s.m_nBDateMonth = 6;
    s.m_nBDateYear = 2014;
  });
  Then([&] { EXPECT_EQ(std::vector<int>{7}, HighlightedBelts()); });
  ClickItem(kItemAutoSelect);
  Then([&] {
    EXPECT_EQ(1, m_settings.m_nAutoSelect);
    EXPECT_EQ(0, m_settings.m_nCustomSettins);
    EXPECT_EQ(4, m_settings.m_nGameLevel);
    EXPECT_EQ(std::vector<int>{4}, HighlightedBelts());
    EXPECT_EQ(1, m_settings.m_nDoDiv);
    EXPECT_EQ(1, m_settings.m_nNoNeg);
    ExpectSwitchPicturesFollowSettings();
    EXPECT_EQ((std::vector<int>{177, 177}), PanelSounds());
  });
  // Off again: only the switch changes.
  ClickItem(kItemAutoSelect);
  Then([&] {
    EXPECT_EQ(0, m_settings.m_nAutoSelect);
    EXPECT_EQ(0, m_settings.m_nCustomSettins);
    EXPECT_EQ(4, m_settings.m_nGameLevel);
    EXPECT_EQ(std::vector<int>{4}, HighlightedBelts());
    ExpectSwitchPicturesFollowSettings();
  });
  ClosePanelAndQuit();
}

TEST_F(SetupPanel, EmptiedNameKeepsItsFirstLetter) {
  OpenPanelWith([](TrainingSettings& s) { s.m_strCadetName = "Ann"; });
  ClickItem(kItemCadetName);
  Press(Key::kEnd);
  Press(Key::kBackspace);
  Then([&] { EXPECT_EQ("An", m_settings.m_strCadetName); });
  Press(Key::kBackspace);
  Press(Key::kBackspace);
  Then([&] {
    EXPECT_EQ("", ItemText(kItemCadetName));
    EXPECT_EQ("A", m_settings.m_strCadetName);
  });
  Type("Z");
  Then([&] { EXPECT_EQ("Z", m_settings.m_strCadetName); });
  ClosePanelAndQuit();
}

TEST_F(SetupPanel, TypedAndPastedNamesStopAtSixtyFourCharactersWithoutControls) {
  OpenPanelWith([](TrainingSettings& s) { s.m_strCadetName = "Ann"; });
  ClickItem(kItemCadetName);
  Press(Key::kEnd);
  Then([&] { m_headless.SetClipboardText("\tBo" + std::string(18000, 'x')); });
  Press(Key::kV, false, true);
  Then([&] {
    EXPECT_EQ(64u, m_settings.m_strCadetName.size());
    EXPECT_EQ("Ann Bo", m_settings.m_strCadetName.substr(0, 6));
  });
  ClosePanelAndQuit();
}

TEST_F(SetupPanel, BirthDateBoxesTakeOnlyNumbersAboveZero) {
  OpenPanelWith([](TrainingSettings& s) {
    s.m_nBDateDay = 25;
    s.m_nBDateYear = 2014;
  });
  ClickItem(kItemBirthDay);
  Press(Key::kA, false, true);
  Type("45");
  Then([&] { EXPECT_EQ(45, m_settings.m_nBDateDay); });
  Press(Key::kA, false, true);
  Type("0");
  Then([&] { EXPECT_EQ(45, m_settings.m_nBDateDay); });
  Press(Key::kBackspace);
  Then([&] {
    EXPECT_EQ("", ItemText(kItemBirthDay));
    EXPECT_EQ(45, m_settings.m_nBDateDay);
  });
  // The boxes keep as many digits as a day, a month and a year have: a day of 45 must be
  // mended before SETUP closes the panel, a year cannot run beyond the calendar.
  ClickItem(kItemBirthYear);
  Press(Key::kA, false, true);
  Type("99999999999");
  Then([&] {
    EXPECT_EQ("9999", ItemText(kItemBirthYear));
    EXPECT_EQ(9999, m_settings.m_nBDateYear);
  });
  ClickItem(kItemBirthMonth);
  Press(Key::kA, false, true);
  Type("2019");
  Then([&] {
    EXPECT_EQ("20", ItemText(kItemBirthMonth));
    EXPECT_EQ(20, m_settings.m_nBDateMonth);
  });
  // Born in the future: automatic choice gives White.
  ClickItem(kItemAutoSelect);  // off (first-run default is on)
  ClickItem(kItemAutoSelect);  // on again: the belt follows the age
  Then([&] {
    EXPECT_EQ(kWhiteBelt, m_settings.m_nGameLevel);
    EXPECT_EQ(std::vector<int>{1}, HighlightedBelts());
  });
  ClickItem(kItemBirthDay);
  Press(Key::kA, false, true);
  Type("7");
  ClickItem(kItemBirthMonth);
  Press(Key::kA, false, true);
  Type("3");
  ClickItem(kItemBirthYear);
  Press(Key::kA, false, true);
  Type("2014");
  ClosePanelAndQuit();
}

// SETUP does not close the panel on a date that cannot be a birth date: the panel says why,
// sounds the refusal and keeps the keyboard in the box to mend; every keystroke is kept as it
// is typed. The clock's year is 2023.
TEST_F(SetupPanel, ImpossibleBirthDateKeepsThePanelOpen) {
  OpenPanelWith([](TrainingSettings& s) {
    s.m_nBDateDay = 31;
    s.m_nBDateMonth = 12;
    s.m_nBDateYear = 2019;
  });
  Then([&] { EXPECT_FALSE(IsVisible(kItemDateMessage)); });
  ClickItem(kItemBirthMonth);
  Press(Key::kA, false, true);
  Type("13");
  Then([&] { EXPECT_EQ(13, m_settings.m_nBDateMonth); });
  const struct Refusal {
    std::string message;
    int mend;
    std::string box_text;
    std::string typed;
  } refusals[] = {
      {"31.13.2019 is not a date", kItemBirthMonth, "13", "2"},
      {"31.2.2019 is not a date", kItemBirthDay, "31", "29"},
      {"29.2.2019 is not a date", kItemBirthDay, "29", "28"},
  };
  for (const Refusal& r : refusals) {
    Then([&] { m_nSoundsBefore = SoundsPlayed().size(); });
    ClickItem(kItemSetup);
    Then([&, r] {
      EXPECT_TRUE(IsVisible(kItemSetup));
      EXPECT_TRUE(IsVisible(kItemDateMessage)) << r.message;
      EXPECT_TRUE(IsVisible(kItemBirthDay)) << "the panel closed on " << r.message;
      EXPECT_EQ(r.message, ItemText(kItemDateMessage));
      EXPECT_EQ(std::vector<int>{kSoundRefusal}, PanelSounds());
      EXPECT_EQ(r.mend, FocusedItem());
      EXPECT_EQ(r.box_text, ItemText(r.mend));
    });
    Press(Key::kA, false, true);
    Type(r.typed);
    Then([&, r] { EXPECT_FALSE(IsVisible(kItemDateMessage)) << "still says " << r.message; });
  }
  // A real date in a year to come, then one before 1900.
  ClickItem(kItemBirthYear);
  Press(Key::kA, false, true);
  Type("20245");
  ClickItem(kItemSetup);
  Then([&] {
    EXPECT_EQ(2024, m_settings.m_nBDateYear);
    EXPECT_EQ("Year of birth: 1900 to 2023", ItemText(kItemDateMessage));
    EXPECT_TRUE(IsVisible(kItemBirthYear));
    EXPECT_EQ(kItemBirthYear, FocusedItem());
  });
  Press(Key::kA, false, true);
  Type("1899");
  ClickItem(kItemSetup);
  Then([&] { EXPECT_TRUE(IsVisible(kItemDateMessage)); });
  Press(Key::kA, false, true);
  Type("2016");
  // 28.2.2016: SETUP closes the panel, and the next opening shows no old message.
  ClickItem(kItemSetup);
  Then([&] {
    EXPECT_FALSE(IsVisible(kItemBirthDay));
    EXPECT_EQ(28, m_settings.m_nBDateDay);
    EXPECT_EQ(2, m_settings.m_nBDateMonth);
    EXPECT_EQ(2016, m_settings.m_nBDateYear);
  });
  ClickItem(kItemSetup);
  Then([&] { EXPECT_FALSE(IsVisible(kItemDateMessage)); });
  ClosePanelAndQuit();
}

TEST_F(SetupPanel, LastOperationCannotBeSwitchedOff) {
  OpenPanelWith([](TrainingSettings& s) {
    BeltPreset(s, 1);  // White: addition only
    s.m_nDoAdd = 1;
    s.m_nDoSub = s.m_nDoMul = s.m_nDoDiv = 0;
    s.m_nNoNeg = 1;
  });
  ClickItem(kItemDoAdd);
  Then([&] {
    EXPECT_EQ(1, m_settings.m_nDoAdd);
    EXPECT_EQ(0, m_settings.m_nCustomSettins) << "a refused click changes nothing";
    EXPECT_EQ(Picture(176), Shown(kItemDoAdd));
    EXPECT_EQ((std::vector<int>{kSoundClick, kSoundRefusal}), PanelSounds());
  });
  // With another operation on, addition may go off; then that one is the last.
  ClickItem(kItemDoDiv);
  ClickItem(kItemDoAdd);
  ClickItem(kItemDoDiv);
  Then([&] {
    EXPECT_EQ(0, m_settings.m_nDoAdd);
    EXPECT_EQ(1, m_settings.m_nDoDiv);
    EXPECT_EQ(Picture(182), Shown(kItemDoDiv));
    EXPECT_EQ(kSoundRefusal, PanelSounds().back());
  });
  // The negatives switch is not an operation.
  ClickItem(kItemNegatives);
  Then([&] {
    EXPECT_EQ(0, m_settings.m_nNoNeg);
    EXPECT_EQ(177, PanelSounds().back());
  });
  ClosePanelAndQuit();
}

TEST_F(SetupPanel, ClicksWithTheSoundSwitchOff) {
  CloseAboutBox();
  Advance(5000);
  ClickItem(kItemSoundSwitch);
  Then([&] {
    ASSERT_EQ(Picture(173), Shown(kItemSoundSwitch)) << "the sound switch is still on";
    m_nSoundsBefore = SoundsPlayed().size();
  });
  ClickItem(kItemSetup);
  ClickItem(kItemFirstBelt + 4);
  ClickItem(kItemDoMul);
  Then([&] { EXPECT_EQ((std::vector<int>{177, 177, 177}), PanelSounds()); });
  ClosePanelAndQuit();
}

TEST_F(SetupPanel, TabMovesThroughTheBoxes) {
  OpenPanelWith([](TrainingSettings&) {});
  ClickItem(kItemCadetName);
  for (int id : {kItemBirthDay, kItemBirthMonth, kItemBirthYear, kItemSecretWord}) {
    Press(Key::kTab);
    Then([&, id] { EXPECT_EQ(id, FocusedItem()); });
  }
  for (int id : {kItemBirthYear, kItemBirthMonth}) {
    Press(Key::kTab, true);
    Then([&, id] { EXPECT_EQ(id, FocusedItem()); });
  }
  // A box reached with Tab has its text selected: typing replaces the day, not extends it.
  Press(Key::kTab, true);
  Type("12");
  Then([&] {
    EXPECT_EQ("12", ItemText(kItemBirthDay));
    EXPECT_EQ(12, m_settings.m_nBDateDay);
  });
  ClosePanelAndQuit();
}

}  // namespace
}  // namespace qz
