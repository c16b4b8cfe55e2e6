#include "app/run_main_window.h"

#include <gtest/gtest.h>

#include "support/game_fixture.h"
#include "ui/ui_platform.h"

namespace qz {
namespace {

// Without the main window's template the game says why and ends with status 1.
TEST(RunMainWindow, MissingTemplateIsReported) {
  UiPlatform ui;
  EXPECT_EQ(1, RunMainWindow(ui.platform));
  ASSERT_EQ(1u, ui.headless.Messages().size());
  EXPECT_NE(std::string::npos, ui.headless.Messages()[0].text.find("102.dlg"));
}

class Game : public test::GameFixture {};

TEST_F(Game, RunsFromTheAboutBoxToEscapeAndEndsWithStatusZero) {
  CloseAboutBox();
  Advance(5000);
  Then([&] { EXPECT_NE(nullptr, FindWindow("Quizendo")); });
  Press(Key::kEscape);
  EXPECT_EQ(0, RunMainWindow(m_platform));
  EXPECT_EQ(nullptr, FindWindow("Quizendo"));
  EXPECT_TRUE(m_headless.Messages().empty());
}

}  // namespace
}  // namespace qz
