#include "game/drill_dlg.h"

#include <gtest/gtest.h>

#include "support/game_fixture.h"

namespace qz {
namespace {

// The main window with its routing watched: what reaches the engine's ENTER and OnOK. The
// window's input goes through the watcher, which counts ENTER and keeps it from the engine.
class WatchedDrillDlg : public CDrillDlg, private DrillInput {
 public:
  WatchedDrillDlg(Platform& platform, TrainingSettings& settings) : CDrillDlg(platform, settings) {
    RouteInputTo(*this);
  }
  int enters = 0;
  int oks = 0;
  bool end_on_ok = true;

 private:
  void OnEnter() override { ++enters; }
  bool OnEscape() override { return Engine().OnEscape(); }

 protected:
  void OnOK() override {
    ++oks;
    if (end_on_ok)
      CDrillDlg::OnOK();
  }
};

class MainWindow : public test::GameFixture {
 protected:
  MainWindow() {
    auto window = std::make_unique<WatchedDrillDlg>(m_platform, m_settings);
    watched = window.get();
    UseWindow(std::move(window));
  }
  // Closes the About box and lets the intro run out.
  void StartUp() {
    CloseAboutBox();
    Advance(5000);
  }
  WatchedDrillDlg* watched;
};

TEST_F(MainWindow, AboutBoxOpensTheGameAndClosesOnItsOkMark) {
  Then([&] {
    HeadlessWindow* about = FindWindow("About Quizendo");
    ASSERT_NE(nullptr, about);
    EXPECT_EQ(472 * 200, about->GetCanvas().Width() * about->GetCanvas().Height());
    EXPECT_EQ(nullptr, Window().Window());  // the intro waits for the box
  });
  ClickAt(416, 180);  // just outside the OK mark
  ClickAt(200, 100);
  Then([&] { EXPECT_NE(nullptr, FindWindow("About Quizendo")); });
  ClickAt(417, 181);
  Then([&] {
    EXPECT_EQ(nullptr, FindWindow("About Quizendo"));
    EXPECT_NE(nullptr, FindWindow("Quizendo"));
    EXPECT_EQ(0, watched->oks);  // the box's OK is its own
  });
  Advance(5000);
  Press(Key::kEscape);
  EXPECT_EQ(kIdOk, RunGame());
  EXPECT_EQ(1, watched->oks);
}

TEST_F(MainWindow, F1ShowsTheAboutBoxAgainAndEscapeClosesOnlyIt) {
  StartUp();
  Press(Key::kF1);
  Then([&] { EXPECT_NE(nullptr, FindWindow("About Quizendo")); });
  Press(Key::kEscape);
  Then([&] {
    EXPECT_EQ(nullptr, FindWindow("About Quizendo"));
    EXPECT_EQ(0, watched->oks);
  });
  CloseMainWindow();  // the close button reaches OnOK too
  RunGame();
  EXPECT_EQ(1, watched->oks);
}

TEST_F(MainWindow, ReturnAnswersOnlyWithTextInTheAnswerBox) {
  watched->end_on_ok = false;
  StartUp();
  Then([&] {
    Window().ShowProblemArea(true);
    EXPECT_EQ(kItemAnswer, FocusedItem());
  });
  Press(Key::kReturn);  // empty: neither an answer nor EXIT
  Then([&] {
    EXPECT_EQ(0, watched->enters);
    EXPECT_EQ(0, watched->oks);
  });
  Type("4x2");
  Then([&] {
    EXPECT_EQ("42", ItemText(kItemAnswer));
    EXPECT_TRUE(IsEnabled(kItemEnter));
  });
  Press(Key::kReturn);
  Then([&] { EXPECT_EQ(1, watched->enters); });
  Press(Key::kEscape);
  Then([&] {
    EXPECT_EQ(1, watched->oks);
    EXPECT_EQ(1, watched->enters);
    watched->end_on_ok = true;
  });
  Press(Key::kEscape);
  RunGame();
}

TEST_F(MainWindow, KeyboardHomeIsEnter) {
  StartUp();
  Press(Key::kSpace);  // nothing focused yet: ENTER takes the key
  Then([&] {
    EXPECT_EQ(1, watched->enters);
    EXPECT_EQ(kItemEnter, FocusedItem());
    Window().ShowProblemArea(true);
    EXPECT_EQ(kItemAnswer, FocusedItem());
    Window().ShowProblemArea(false);  // the focused answer box goes: back to ENTER
    EXPECT_EQ(kItemEnter, FocusedItem());
  });
  Press(Key::kTab);
  Then([&] { EXPECT_EQ(kItemSetup, FocusedItem()); });
  Press(Key::kTab);
  Then([&] { EXPECT_EQ(kItemSoundSwitch, FocusedItem()); });
  Press(Key::kTab);
  Then([&] { EXPECT_EQ(kItemExit, FocusedItem()); });
  Press(Key::kReturn);  // EXIT
  RunGame();
  EXPECT_EQ(1, watched->oks);
}

TEST_F(MainWindow, TextChangesEnableEnter) {
  StartUp();
  Then([&] {
    Window().ShowProblemArea(true);
    Window().SetItemText(kItemAnswer, "");
  });
  Type("7");
  Then([&] { EXPECT_TRUE(IsEnabled(kItemEnter)); });
  Press(Key::kBackspace);
  Then([&] {
    EXPECT_FALSE(IsEnabled(kItemEnter));
    EXPECT_EQ(kItemAnswer, FocusedItem());
  });
  Press(Key::kEscape);
  RunGame();
}

TEST_F(MainWindow, SoundSwitch) {
  size_t before = 0;
  StartUp();
  Then([&] { m_headless.Play(144, kSoundResource | kSoundAsync | kSoundLoop); });
  ClickItem(kItemSoundSwitch);  // off: the music stops
  Then([&] {
    EXPECT_FALSE(m_headless.IsPlaying());
    before = m_headless.Sounds().size();
  });
  ClickItem(kItemSoundSwitch);  // on while idle: the waiting music again
  Then([&] {
    ASSERT_EQ(before + 1, m_headless.Sounds().size());
    EXPECT_EQ(144, m_headless.Sounds().back().id);
    EXPECT_EQ(kSoundResource | kSoundAsync | kSoundLoop, m_headless.Sounds().back().flags);
  });
  Press(Key::kEscape);
  RunGame();
}

TEST_F(MainWindow, SetupOpensAndClosesThePanel) {
  StartUp();
  Then([&] {
    EXPECT_FALSE(IsVisible(1042));
    EXPECT_TRUE(IsVisible(kItemStatus));
  });
  ClickItem(kItemSetup);
  Then([&] {
    EXPECT_TRUE(IsVisible(1042));
    EXPECT_FALSE(IsVisible(kItemStatus));
    EXPECT_FALSE(IsVisible(kItemIdlePicture));
  });
  ClickItem(kItemSetup);
  Then([&] {
    EXPECT_FALSE(IsVisible(1042));
    EXPECT_TRUE(IsVisible(kItemStatus));
    EXPECT_EQ(144, SoundsPlayed().back());
  });
  Press(Key::kEscape);
  RunGame();
}

TEST_F(MainWindow, SetupPanelLiesOnTheFrame) {
  StartUp();
  ClickItem(kItemSetup);
  Then([&] {
    // Template 174 is exactly as large as the hidden frame 1026 at 8,40 (dialog units).
    const Rect name = Window().ItemRectInWindow(*Window().FindControl(1042));
    EXPECT_EQ(Rect::FromSize(16 + 420, 80 + 40, 172, 16), name);
  });
  ClickItem(kItemSetup);  // while the panel is open, Escape only flashes its hint
  Press(Key::kEscape);
  RunGame();
}

TEST_F(MainWindow, ControlsSitOnTheArtwork) {
  StartUp();
  Then([&] {
    ASSERT_NE(nullptr, Window().Window());
    const Canvas& canvas = Window().Window()->GetCanvas();
    struct Spot {
      const char* picture;
      Point at;  // where the picture's top left corner belongs, in window pixels
    };
    const Spot spots[] = {
        {"163", {0, 0}},        {"172", {172, 364}},   {"168", {298, 170}},
        {"ENTERU", {260, 296}}, {"SETUPU", {14, 348}}, {"EXITU", {508, 348}},
    };
    for (const Spot& s : spots) {
      const Bitmap& b = m_assets.GetBitmap(s.picture);
      for (Point p : {Point{1, 1}, Point{b.width - 1, b.height - 1}}) {
        EXPECT_EQ(b.At(p.x, p.y), canvas.PixelAt(s.at.x + p.x, s.at.y + p.y))
            << s.picture << " at " << p.x << "," << p.y;
      }
    }
    // The energy gauge, 224 pixels at 216,10, is filled to 49 %: 110 pixels.
    EXPECT_EQ(ToPixel(Rgb(47, 200, 144)), canvas.PixelAt(216 + 109, 20));
    EXPECT_EQ(ToPixel(Rgb(224, 224, 224)), canvas.PixelAt(216 + 110, 20));
  });
  Press(Key::kEscape);
  RunGame();
}

}  // namespace
}  // namespace qz
