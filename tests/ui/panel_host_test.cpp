#include "ui/panel_host.h"

#include <gtest/gtest.h>

#include "ui/dialog.h"
#include "ui/ui_platform.h"

namespace qz {
namespace {

// A panel that remembers each time it was shown or hidden.
class WatchedPanel : public Panel {
 public:
  explicit WatchedPanel(Platform& platform) : Panel(platform, 0) {}
  std::vector<bool> shows;

 protected:
  void OnShowWindow(bool show) override { shows.push_back(show); }
};

class Panels : public ::testing::Test {
 protected:
  Panels() : parent(ui.platform, 1) {
    ui.Template(1, "dialog 1 \"\" 160,100 popup\n");
    // Panels of 100 x 60 and 50 x 30 pixels.
    ui.Template(20, "dialog 20 \"\" 50,30 child\n");
    ui.Template(21, "dialog 21 \"\" 25,15 child\n");
  }
  UiPlatform ui;
  Dialog parent;
};

TEST_F(Panels, PlacesEachPanelInTheFrame) {
  struct Case {
    Rect frame;
    bool center;
    int template_id;
    Point expected;
  };
  const Case cases[] = {
      {{10, 20, 110, 80}, false, 20, {10, 20}},
      {{10, 20, 110, 80}, true, 20, {10, 20}},  // exactly the frame's size
      {{10, 20, 110, 80}, true, 21, {35, 35}},  // smaller: centred
      {{10, 20, 110, 80}, false, 21, {10, 20}},
      // an odd pixel of free space goes to the right and bottom
      {{10, 20, 111, 81}, true, 20, {10, 20}},
      {{10, 20, 61, 51}, true, 21, {10, 20}},
      // larger than the frame: the halving truncates toward zero
      {{10, 20, 109, 79}, true, 20, {10, 20}},
      {{10, 20, 90, 70}, true, 20, {0, 15}},
  };
  for (const Case& c : cases) {
    PanelHost host;
    host.m_rcFrame = c.frame;
    host.m_bCenter = c.center;
    WatchedPanel panel(ui.platform);
    EXPECT_TRUE(host.AddPanel(&panel, c.template_id, &parent));
    const Rect placed = panel.WindowRect();
    EXPECT_EQ(c.expected.x, placed.left) << c.template_id << " centre " << c.center;
    EXPECT_EQ(c.expected.y, placed.top) << c.template_id << " centre " << c.center;
    EXPECT_FALSE(panel.IsWindowVisible());
  }
}

TEST_F(Panels, ShowsOneAtATime) {
  PanelHost host;
  WatchedPanel first(ui.platform);
  WatchedPanel second(ui.platform);
  ASSERT_TRUE(host.AddPanel(&first, 20, &parent));
  ASSERT_TRUE(host.AddPanel(&second, 21, &parent));
  EXPECT_FALSE(host.AddPanel(nullptr, 20, &parent));
  EXPECT_EQ(2u, host.m_panels.size());

  EXPECT_FALSE(host.ShowPanel(2));
  EXPECT_FALSE(host.ShowPanel(-2));
  EXPECT_EQ(-1, host.m_nCurrent);

  EXPECT_TRUE(host.ShowPanel(-1));  // none current: the first
  EXPECT_EQ(0, host.m_nCurrent);
  EXPECT_TRUE(host.ShowPanel(0));  // again: hidden and shown, repainted
  EXPECT_EQ((std::vector<bool>{true, false, true}), first.shows);

  EXPECT_TRUE(host.ShowPanel(1));
  EXPECT_FALSE(first.IsWindowVisible());
  EXPECT_TRUE(second.IsWindowVisible());

  EXPECT_TRUE(host.HideAllPanels());
  EXPECT_FALSE(second.IsWindowVisible());
  EXPECT_EQ(1, host.m_nCurrent);
  EXPECT_TRUE(host.ShowPanel(-1));  // the one shown last comes back
  EXPECT_TRUE(second.IsWindowVisible());
  EXPECT_FALSE(first.IsWindowVisible());
}

TEST_F(Panels, EmptyListAndPanelsWithoutAWindow) {
  PanelHost host;
  EXPECT_FALSE(host.ShowPanel(-1));
  EXPECT_EQ(-1, host.m_nCurrent);
  EXPECT_FALSE(host.ShowPanel(0));
  EXPECT_TRUE(host.HideAllPanels());

  WatchedPanel fine(ui.platform);
  WatchedPanel broken(ui.platform);
  WatchedPanel last(ui.platform);
  EXPECT_TRUE(host.AddPanel(&fine, 20, &parent));
  EXPECT_FALSE(host.AddPanel(&broken, 99, &parent));  // no such template
  EXPECT_NE(std::string::npos, broken.LastError().find("99.dlg"));
  EXPECT_TRUE(host.AddPanel(&last, 21, &parent));
  EXPECT_EQ(3u, host.m_panels.size());

  EXPECT_TRUE(host.ShowPanel(0));
  EXPECT_FALSE(host.ShowPanel(1));  // hides the current one, cannot show the broken one
  EXPECT_FALSE(fine.IsWindowVisible());
  EXPECT_EQ(1, host.m_nCurrent);
  EXPECT_FALSE(host.ShowPanel(2));  // the current entry has no window to hide

  host.m_nCurrent = 2;
  EXPECT_TRUE(host.ShowPanel(-1));
  EXPECT_FALSE(host.HideAllPanels());  // stops at the broken one, before the last
  EXPECT_TRUE(last.IsWindowVisible());
}

}  // namespace
}  // namespace qz
