// Where the keyboard goes in the real main window on the headless platform: the focus mark,
// the controls Tab stops on, and the setup panel worked without a mouse.
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/engine_texts.h"
#include "profile/setup_panel.h"
#include "support/focus_mark.h"
#include "support/game_fixture.h"

namespace qz::test {
namespace {

constexpr std::uint32_t kIntroMs = 4100;

class KeyboardFocus : public GameFixture {
 protected:
  void ToIdle() {
    CloseAboutBox();
    Advance(kIntroMs);
  }
  void Leave() {
    Press(Key::kEscape);
    EXPECT_EQ(kIdOk, RunGame());
  }
  bool MarkedOnScreen(int id) { return test::MarkedOnScreen(Window(), id); }
  // Tab until control `id` has the focus; fails when it never comes.
  void TabTo(int id) {
    for (int i = 0; i < 30; ++i) {
      Then([this, id] {
        if (FocusedItem() != id)
          m_headless.PressKey(Key::kTab, false, false);
      });
    }
    Then([this, id] { ASSERT_EQ(id, FocusedItem()) << "Tab never reached it"; });
  }
  // The controls that Tab visits from the current focus until it comes round again.
  void ExpectTabCycle(std::vector<int> expected) {
    auto cycle = std::make_shared<std::vector<int>>();
    for (size_t i = 0; i <= expected.size(); ++i) {
      Press(Key::kTab);
      Then([this, cycle] { cycle->push_back(FocusedItem()); });
    }
    Then([cycle, expected] {
      ASSERT_EQ(expected.size() + 1, cycle->size());
      EXPECT_EQ(cycle->front(), cycle->back()) << "Tab comes round";
      std::vector<int> seen(cycle->begin(), cycle->end() - 1);
      EXPECT_EQ(std::set<int>(expected.begin(), expected.end()),
                std::set<int>(seen.begin(), seen.end()));
      EXPECT_EQ(expected.size(), seen.size()) << "each stop once";
    });
  }
};

TEST_F(KeyboardFocus, MarkShowsOnceAKeyWasPressedAndFollowsTheFocus) {
  ToIdle();
  Then([&] {
    EXPECT_EQ(kItemEnter, FocusedItem()) << "Return starts a match";
    EXPECT_FALSE(MarkedOnScreen(kItemEnter)) << "no key pressed yet";
  });
  Press(Key::kTab);
  Then([&] {
    EXPECT_EQ(kItemSetup, FocusedItem());
    EXPECT_TRUE(MarkedOnScreen(kItemSetup));
    EXPECT_FALSE(MarkedOnScreen(kItemEnter));
  });
  Press(Key::kTab, true);
  Press(Key::kReturn);  // ENTER: Get Ready, ENTER disabled under its mark
  Then([&] { EXPECT_FALSE(MarkedOnScreen(kItemEnter)); });
  Advance(7600);
  Then([&] {
    EXPECT_EQ(kItemAnswer, FocusedItem());
    EXPECT_TRUE(MarkedOnScreen(kItemAnswer));
  });
  Press(Key::kEscape);  // the quit question: Return confirms on ENTER
  Then([&] {
    EXPECT_FALSE(MarkedOnScreen(kItemAnswer));
    EXPECT_TRUE(MarkedOnScreen(kItemEnter));
  });
  Press(Key::kReturn);
  Advance(4000);
  Leave();
}

// Tab goes round the controls that show and can be worked, each once.
TEST_F(KeyboardFocus, TabStopsOnlyOnControlsThatShowAndWork) {
  std::vector<int> panel;
  for (int id = kItemDoAdd; id <= kItemSecretWord; ++id)
    panel.push_back(id);
  ToIdle();
  ExpectTabCycle({kItemEnter, kItemSetup, kItemSoundSwitch, kItemExit});
  ClickItem(kItemSetup);
  std::vector<int> with_panel = {kItemEnter, kItemSetup, kItemSoundSwitch, kItemExit};
  with_panel.insert(with_panel.end(), panel.begin(), panel.end());
  ExpectTabCycle(with_panel);
  ClickItem(kItemSetup);
  Press(Key::kReturn);
  Advance(7600);
  // The problem waits: ENTER stays disabled until something is typed.
  ExpectTabCycle({kItemAnswer, kItemSetup, kItemSoundSwitch, kItemExit});
  Press(Key::kEscape);
  ExpectTabCycle({kItemEnter, kItemSetup, kItemSoundSwitch, kItemExit});
  Press(Key::kEscape);  // withdrawn
  Press(Key::kEscape);
  ClickItem(kItemEnter);  // confirmed
  Advance(4000);
  Leave();
}

// The whole setup panel without a mouse: Space opens it on SETUP, works its switches and belt
// buttons, and closes it; Return then starts a match on ENTER.
TEST_F(KeyboardFocus, SetupPanelWorksWithTheKeyboardAlone) {
  const int mul = m_settings.m_nDoMul;
  ToIdle();
  TabTo(kItemSoundSwitch);
  Press(Key::kSpace);
  Then([&] { EXPECT_FALSE(Window().Engine().State().m_bSound); });
  TabTo(kItemSetup);
  Press(Key::kSpace);
  Then([&] { ASSERT_TRUE(Window().SetupShown()); });
  TabTo(kItemDoMul);
  Press(Key::kSpace);
  Then([&] { EXPECT_NE(mul, m_settings.m_nDoMul); });
  TabTo(kItemFirstBelt + 2);
  Press(Key::kSpace);
  Then([&] {
    EXPECT_EQ(3, m_settings.m_nGameLevel);
    EXPECT_EQ(0, m_settings.m_nAutoSelect);
  });
  TabTo(kItemCadetName);
  Type("Ana");
  Then([&] { EXPECT_EQ("Ana", m_settings.m_strCadetName); });
  TabTo(kItemSetup);
  Press(Key::kSpace);
  Then([&] {
    EXPECT_FALSE(Window().SetupShown());
    EXPECT_EQ(kItemEnter, FocusedItem());
  });
  Press(Key::kReturn);
  Then([&] { EXPECT_EQ(kTextGetReady, ItemText(kItemStatus)); });
  Advance(7600);
  Press(Key::kEscape);
  Press(Key::kReturn);
  Advance(4000);
  Leave();
}

// The panel opened and closed with clicks on SETUP leaves Return to start a match.
TEST_F(KeyboardFocus, ReturnStartsAMatchAfterTheSetupPanelWasClosedByAClick) {
  ToIdle();
  ClickItem(kItemSetup);
  ClickItem(kItemSetup);
  Press(Key::kReturn);
  Then([&] {
    EXPECT_FALSE(Window().SetupShown());
    EXPECT_EQ(kTextGetReady, ItemText(kItemStatus));
  });
  Advance(7600);
  Press(Key::kEscape);
  Press(Key::kReturn);
  Advance(4000);
  Leave();
}

// The focus goes to ENTER when the idle screen comes, but not from a button being pressed:
// EXIT clicked in the pause after a lost match still leaves the game.
TEST_F(KeyboardFocus, ButtonPressedAsAPauseEndsStillClicks) {
  ToIdle();
  Press(Key::kReturn);
  Advance(7600);
  Press(Key::kEscape);
  Press(Key::kReturn);  // lost by default: a 3 s pause, then the idle screen
  Advance(500);
  ClickItem(kItemExit);
  EXPECT_EQ(kIdOk, RunGame());
}

}  // namespace
}  // namespace qz::test
