#include "ui/dialog.h"

#include <gtest/gtest.h>

#include "support/idle_script.h"
#include "ui/edit_box.h"
#include "ui/ui_platform.h"

namespace qz {
namespace {

constexpr char kBox[] =
    "dialog 5 \"Box\" 100,50 popup caption\n"
    "12 static \"#P\"  0,0,10,10   bitmap notify\n"
    "10 edit   \"\"    5,5,40,10   tabstop\n"
    "11 edit   \"\"    5,20,40,10  tabstop\n"
    "1  button \"OK\"  50,30,20,10 ownerdraw tabstop\n";

// A dialog that records what reaches it.
class Probe : public Dialog {
 public:
  Probe(Platform& platform, int id) : Dialog(platform, id) {}
  std::vector<std::pair<int, int>> commands;
  std::vector<int> ticks;
  std::function<void(Probe&)> on_app;
  std::function<void(Probe&, int)> on_timer;
  int FocusId() { return GetFocus() != nullptr ? GetFocus()->Id() : 0; }

 protected:
  void OnCommand(int id, int code) override {
    commands.emplace_back(id, code);
    Dialog::OnCommand(id, code);
  }
  void OnApp(int) override {
    if (on_app)
      on_app(*this);
  }
  void OnTimer(int id) override {
    ticks.push_back(id);
    if (on_timer)
      on_timer(*this, id);
  }
};

class DialogRun : public ::testing::Test {
 protected:
  DialogRun() : script(ui.headless) {
    ui.Template(5, kBox);
    ui.Template(6, "dialog 6 \"Owner\" 60,40 popup\n1 button \"OK\" 0,0,60,40 ownerdraw\n");
    ui.Picture("P", 20, 20, 0xFF0000);
  }
  void Key(Key key, bool shift = false) {
    script.Add([this, key, shift] { ui.headless.PressKey(key, shift); });
  }
  void Mouse(EventType type, Probe& probe, int x, int y) {
    script.Add([this, type, &probe, x, y] {
      Event e;
      e.type = type;
      e.window = probe.Window()->Id();
      e.x = x;
      e.y = y;
      ui.headless.Post(e);
    });
  }
  void Check(std::function<void()> check) { script.Add(std::move(check)); }

  UiPlatform ui;
  test::IdleScript script;
};

TEST_F(DialogRun, TabMovesTheFocusAndReturnClicksTheFocusedButton) {
  Probe box(ui.platform, 5);
  Key(Key::kTab);
  Check([&] { EXPECT_EQ(10, box.FocusId()); });
  Key(Key::kTab);
  Check([&] { EXPECT_EQ(11, box.FocusId()); });
  Key(Key::kTab, true);
  Check([&] { EXPECT_EQ(10, box.FocusId()); });
  Key(Key::kReturn);  // on an edit: nothing
  Check([&] { EXPECT_FALSE(box.Ended()); });
  Key(Key::kTab, true);  // backwards past the first: the last
  Check([&] { EXPECT_EQ(1, box.FocusId()); });
  Key(Key::kReturn);
  EXPECT_EQ(kIdOk, box.RunModal());
  EXPECT_EQ(0u, script.Remaining());
  const std::vector<std::pair<int, int>> expected = {
      {10, kEnSetFocus}, {10, kEnKillFocus}, {11, kEnSetFocus}, {11, kEnKillFocus},
      {10, kEnSetFocus}, {10, kEnKillFocus}, {1, kBnClicked}};
  EXPECT_EQ(expected, box.commands);
}

TEST_F(DialogRun, TypingGoesToTheFocusedEditAndEscapeCancels) {
  Probe box(ui.platform, 5);
  Key(Key::kTab);
  script.Add([&] { ui.headless.TypeText("hi"); });
  Key(Key::kSpace);  // Space on an edit is no button click
  Check([&] {
    EXPECT_EQ("hi", box.GetItemText(10));
    EXPECT_EQ("", box.GetItemText(11));
  });
  Key(Key::kEscape);
  EXPECT_EQ(kIdCancel, box.RunModal());
}

// A direct write is on screen when the call returns, and it costs only the written control's
// area: a match writes its displays thousands of times.
TEST_F(DialogRun, DirectWritePresentsOnlyTheWrittenControl) {
  Probe box(ui.platform, 5);
  Check([&] {
    HeadlessWindow* window = ui.headless.FindWindow(box.Window()->Id());
    const int frames = window->Frames();
    box.SetItemText(11, "42");
    EXPECT_EQ(frames + 1, window->Frames());
    EXPECT_EQ(box.ItemRectInWindow(*box.GetItem(11)), window->LastPresented());
    EXPECT_FALSE(box.IsDirty());
  });
  Key(Key::kEscape);
  EXPECT_EQ(kIdCancel, box.RunModal());
  EXPECT_EQ(0u, script.Remaining());
}

// Two writes before one frame: the frame repaints and presents both controls, not only the
// one written last.
TEST_F(DialogRun, TwoWritesBeforeAFrameAreBothPresented) {
  Probe box(ui.platform, 5);
  Check([&] {
    HeadlessWindow* window = ui.headless.FindWindow(box.Window()->Id());
    const Rect first = box.ItemRectInWindow(*box.GetItem(10));
    const Rect second = box.ItemRectInWindow(*box.GetItem(11));
    const int scale = window->GetCanvas().Scale();
    auto ink = [&](const Rect& r) {
      long sum = 0;
      for (int y = r.top * scale; y < r.bottom * scale; ++y) {
        for (int x = r.left * scale; x < r.right * scale; ++x)
          sum += window->GetCanvas().Row(y)[x] & 0xFF;
      }
      return sum;
    };
    const long blank = ink(first);
    const int frames = window->Frames();
    box.GetItem(10)->SetText("88");
    box.GetItem(11)->SetText("88");
    box.PresentNow();
    EXPECT_EQ(frames + 1, window->Frames());
    EXPECT_EQ(first.Union(second), window->LastPresented());
    EXPECT_NE(blank, ink(first)) << "the first write was not painted";
    EXPECT_EQ(ink(first), ink(second));
  });
  Key(Key::kEscape);
  EXPECT_EQ(kIdCancel, box.RunModal());
  EXPECT_EQ(0u, script.Remaining());
}

TEST_F(DialogRun, ThePressedControlGetsTheRelease) {
  Probe box(ui.platform, 5);
  // The OK button lies at 100,60 to 140,80.
  Mouse(EventType::kMouseDown, box, 105, 65);
  Mouse(EventType::kMouseMove, box, 10, 10);
  Mouse(EventType::kMouseUp, box, 10, 10);  // released over the picture: no click
  Check([&] {
    EXPECT_FALSE(box.Ended());
    EXPECT_EQ(1, box.FocusId());
  });
  Mouse(EventType::kMouseDown, box, 5, 5);  // the picture reports the press
  Mouse(EventType::kMouseUp, box, 105, 65);
  Check([&] { EXPECT_FALSE(box.Ended()); });
  script.Add([&] { ui.headless.Click(box.Window()->Id(), 139, 79); });
  EXPECT_EQ(kIdOk, box.RunModal());
  const std::vector<std::pair<int, int>> expected = {{12, 0}, {1, kBnClicked}};
  EXPECT_EQ(expected, box.commands);
}

TEST_F(DialogRun, APressWithoutItsReleaseIsGivenUp) {
  Probe box(ui.platform, 5);
  Mouse(EventType::kMouseDown, box, 105, 65);
  Mouse(EventType::kMouseDown, box, 5, 5);  // the release went elsewhere
  Mouse(EventType::kMouseUp, box, 105, 65);
  Mouse(EventType::kMouseDown, box, 105, 65);
  Check([&] { box.EnableItem(1, false); });  // disabled while pressed: no click
  Mouse(EventType::kMouseUp, box, 105, 65);
  Check([&] {
    // The focus left the disabled button for the first edit.
    const std::vector<std::pair<int, int>> expected = {{12, 0}, {10, kEnSetFocus}};
    EXPECT_EQ(expected, box.commands);
    box.EndDialog(0);
  });
  box.RunModal();
}

TEST_F(DialogRun, AFocusedControlThatGoesAwayHandsTheFocusOn) {
  Probe box(ui.platform, 5);
  Key(Key::kTab);
  Key(Key::kTab);
  Check([&] {
    EXPECT_EQ(11, box.FocusId());
    box.ShowItem(11, false);
    EXPECT_EQ(10, box.FocusId());
    box.EnableItem(10, false);
    EXPECT_EQ(1, box.FocusId());
    box.EndDialog(7);
  });
  EXPECT_EQ(7, box.RunModal());
}

// A box run over another window: the window below keeps its timers and repaints but takes no
// input; ending the window below gets out of both loops.
TEST_F(DialogRun, ModalBoxOverAnotherWindow) {
  Probe owner(ui.platform, 6);
  Probe box(ui.platform, 5);
  int box_result = -5;
  owner.on_app = [&](Probe& self) {
    self.SetTimer(1, 100);
    box_result = box.RunModal(&self);
  };
  owner.on_timer = [&](Probe& self, int) {
    if (self.ticks.size() == 5)
      self.EndDialog(3);
  };
  script.Add([&] { owner.PostApp(0); });
  script.Add([&] {
    ASSERT_NE(nullptr, box.Window());
    EXPECT_EQ(owner.Window()->Id(), ui.headless.FindWindow(box.Window()->Id())->OwnerId());
    ui.headless.Click(owner.Window()->Id(), 10, 10);
    Event expose;
    expose.type = EventType::kExpose;
    expose.window = owner.Window()->Id();
    ui.headless.Post(expose);
  });
  Check([&] {
    EXPECT_TRUE(owner.commands.empty());
    EXPECT_EQ(2, ui.headless.FindWindow(owner.Window()->Id())->Frames());
  });
  EXPECT_EQ(3, owner.RunModal());
  EXPECT_EQ(0, box_result);  // the box itself was never ended
  EXPECT_EQ(5u, owner.ticks.size());
  EXPECT_TRUE(box.ticks.empty());
}

TEST_F(DialogRun, PauseEndsOnAPressAndWhenTheWindowEnds) {
  Probe box(ui.platform, 5);
  bool cut = false;
  std::uint64_t cut_at = 0;
  box.on_app = [&](Probe& self) {
    cut = self.WaitPumping(3000);
    cut_at = ui.headless.ElapsedMs();
    EXPECT_FALSE(self.WaitPumping(500));
    self.SetTimer(2, 100);
    EXPECT_TRUE(self.WaitPumping(100000));  // the tick ends the window
  };
  box.on_timer = [&](Probe& self, int) { self.EndDialog(9); };
  script.Add([&] { box.PostApp(0); });
  script.AddWait(1000);
  Key(Key::kEscape);  // dispatched in the pause: the box gets it without pre-translation
  EXPECT_EQ(9, box.RunModal());
  EXPECT_TRUE(cut);
  EXPECT_EQ(1000u, cut_at);
}

}  // namespace
}  // namespace qz
