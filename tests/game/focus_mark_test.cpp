// The focus mark as a child sees it: on the answer box from the first problem, mouse or not,
// and clear on every kind of control, picked or not, at both scales.
#include <algorithm>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "profile/setup_panel.h"
#include "profile/training_settings.h"
#include "support/focus_mark.h"
#include "support/game_fixture.h"

namespace qz::test {
namespace {

constexpr std::uint32_t kIntroMs = 4100;
constexpr std::uint32_t kGetReadyMs = 7600;

class ScaledGame : public GameFixture, public ::testing::WithParamInterface<int> {
 protected:
  ScaledGame() : GameFixture(GetParam()) {
    // The White belt picked by hand: additions only, belt button 1 highlighted.
    m_settingsStore.WriteInt(kVersionText, "AutoSelect", 0);
    m_settingsStore.WriteInt(kVersionText, "CustomSettins", 0);
    m_settingsStore.WriteInt(kVersionText, "GameLevel", 1);
    m_settingsStore.WriteInt(kVersionText, "SoundOn", 0);
  }
  // The About box's OK mark and the intro, with the mouse alone.
  void ToIdleByMouse() {
    ClickAt(417, 181);
    Advance(kIntroMs);
  }
  const MatchState& State() { return Window().Engine().State(); }
};

std::string ScaleName(const ::testing::TestParamInfo<int>& scale) {
  return "Scale" + std::to_string(scale.param);
}

// A child who has only used the mouse sees where the answer goes from the first problem on.
using AnswerBox = ScaledGame;

TEST_P(AnswerBox, IsFramedFromTheFirstProblemWithoutAKeyPressed) {
  ToIdleByMouse();
  ClickItem(kItemEnter);
  Advance(kGetReadyMs);
  Then([&] {
    ASSERT_EQ(kItemAnswer, FocusedItem());
    EXPECT_TRUE(MarkedOnScreen(Window(), kItemAnswer));
    m_headless.TypeText(std::to_string(State().m_nResult));
  });
  ClickItem(kItemEnter);
  Advance(6000);  // the cheer, the bonus count and the pause: the next problem
  Then([&] {
    EXPECT_EQ(9, State().m_nToGo);
    EXPECT_TRUE(MarkedOnScreen(Window(), kItemAnswer)) << "the next problem";
  });
  ClickItem(kItemExit);  // the quit question hides the box, and its mark
  Then([&] {
    EXPECT_FALSE(MarkedOnScreen(Window(), kItemAnswer));
    EXPECT_FALSE(MarkedOnScreen(Window(), kItemEnter)) << "no key was pressed";
  });
  ClickItem(kItemEnter);
  Advance(4000);
  ClickItem(kItemExit);
  EXPECT_EQ(kIdOk, RunGame());
}

INSTANTIATE_TEST_SUITE_P(Scales, AnswerBox, ::testing::Values(1, 2), ScaleName);

// Relative luminance of a canvas pixel (0x00RRGGBB), as contrast ratios are computed.
double Luminance(std::uint32_t pixel) {
  auto channel = [](std::uint32_t value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel((pixel >> 16) & 0xFF) + 0.7152 * channel((pixel >> 8) & 0xFF) +
         0.0722 * channel(pixel & 0xFF);
}

double Contrast(std::uint32_t a, std::uint32_t b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Enough for a line to be told from what lies next to it.
constexpr double kClearContrast = 3.0;

struct MarkedControl {
  const char* name;
  int id;
  bool in_match;  // else at the idle screen, with the setup panel open for its controls
};

class FocusMark : public GameFixture,
                  public ::testing::WithParamInterface<std::tuple<int, MarkedControl>> {
 protected:
  FocusMark() : GameFixture(std::get<0>(GetParam())) {
    m_settingsStore.WriteInt(kVersionText, "AutoSelect", 0);
    m_settingsStore.WriteInt(kVersionText, "CustomSettins", 0);
    m_settingsStore.WriteInt(kVersionText, "GameLevel", 1);
    m_settingsStore.WriteInt(kVersionText, "SoundOn", 0);
  }

  // Across the middle of each side of control `id`, from the control's edge out: the mark
  // holds a line that stands out from the control's edge, and one that stands out from what
  // lies around the mark.
  void ExpectMarkStandsOut(int id) {
    const Control& control = *Window().FindControl(id);
    const Rect inner = Window().ItemRectInWindow(control);
    const Rect outer = Window().FocusMarkArea(control);
    const Canvas& canvas = Window().Window()->GetCanvas();
    struct Side {
      const char* name;
      Point edge;  // the control's own pixel next to the mark
      Point step;  // one pixel outwards
    };
    const int mid_x = (inner.left + inner.right) / 2;
    const int mid_y = (inner.top + inner.bottom) / 2;
    const Side sides[] = {
        {"top", {mid_x, inner.top}, {0, -1}},
        {"bottom", {mid_x, inner.bottom - 1}, {0, 1}},
        {"left", {inner.left, mid_y}, {-1, 0}},
        {"right", {inner.right - 1, mid_y}, {1, 0}},
    };
    const int mark_width = inner.top - outer.top;
    ASSERT_GT(mark_width, 0);
    for (const Side& side : sides) {
      auto at = [&](int steps) {
        return canvas.PixelAt(side.edge.x + side.step.x * steps, side.edge.y + side.step.y * steps);
      };
      const std::uint32_t edge = at(0);
      const std::uint32_t around = at(mark_width + 1);
      double best_from_edge = 1;
      double best_from_around = 1;
      for (int k = 1; k <= mark_width; ++k) {
        best_from_edge = std::max(best_from_edge, Contrast(at(k), edge));
        best_from_around = std::max(best_from_around, Contrast(at(k), around));
      }
      EXPECT_GE(best_from_edge, kClearContrast) << side.name << ": the mark melts into the control";
      EXPECT_GE(best_from_around, kClearContrast)
          << side.name << ": the mark melts into what lies around it";
    }
  }
};

TEST_P(FocusMark, StandsOutFromTheControlAndFromWhatLiesAroundIt) {
  const MarkedControl& marked = std::get<1>(GetParam());
  CloseAboutBox();
  Advance(kIntroMs);
  if (marked.in_match) {
    Press(Key::kReturn);
    Advance(kGetReadyMs);
  } else if (marked.id >= kItemDoAdd) {
    ClickItem(kItemSetup);
  }
  Then([&] {
    ASSERT_NE(nullptr, Window().FindControl(marked.id));
    Window().SetFocus(Window().FindControl(marked.id));
  });
  Press(Key::kOther);  // a key: the mark shows wherever the focus is
  Then([&] {
    ASSERT_EQ(marked.id, FocusedItem());
    ASSERT_TRUE(MarkedOnScreen(Window(), marked.id));
    ExpectMarkStandsOut(marked.id);
  });
  if (marked.in_match) {
    Press(Key::kEscape);
    Press(Key::kReturn);
    Advance(4000);
  } else if (marked.id >= kItemDoAdd) {
    ClickItem(kItemSetup);
  }
  Press(Key::kEscape);
  EXPECT_EQ(kIdOk, RunGame());
}

// Each kind of control, picked and not: buttons on the metal, the round sound switch, the
// amber operation switches on and off, the belt buttons highlighted and plain, the setup
// panel's boxes, the answer box on the black play area.
constexpr MarkedControl kMarkedControls[] = {
    {"SetupButton", kItemSetup, false},       {"ExitButton", kItemExit, false},
    {"EnterButton", kItemEnter, false},       {"SoundSwitch", kItemSoundSwitch, false},
    {"OperationSwitchOn", kItemDoAdd, false}, {"OperationSwitchOff", kItemDoSub, false},
    {"SelectedBelt", kItemFirstBelt, false},  {"PlainBelt", kItemFirstBelt + 1, false},
    {"NameBox", kItemCadetName, false},       {"DayBox", kItemBirthDay, false},
    {"AnswerBox", kItemAnswer, true},
};

INSTANTIATE_TEST_SUITE_P(
    Controls, FocusMark,
    ::testing::Combine(::testing::Values(1, 2), ::testing::ValuesIn(kMarkedControls)),
    [](const ::testing::TestParamInfo<std::tuple<int, MarkedControl>>& param_info) {
      return std::string(std::get<1>(param_info.param).name) + "Scale" +
             std::to_string(std::get<0>(param_info.param));
    });

}  // namespace
}  // namespace qz::test
