#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/drill_dlg.h"
#include "platform/headless/headless_platform.h"
#include "platform/platform.h"
#include "platform/posix/folder_asset_store.h"
#include "platform/posix/ini_settings_store.h"
#include "platform/posix/posix_file_appender.h"
#include "profile/training_settings.h"
#include "records/session_log.h"
#include "support/idle_script.h"
#include "support/scratch_dir.h"

namespace qz::test {

// The calendar second the virtual clock of every game fixture starts at.
inline constexpr std::int64_t kTestStartEpoch = 1700000000;

// The real game on the headless platform, for tests that read as stories:
//
//   TEST_F(Match, RightAnswerIsPraised) {
//     CloseAboutBox();
//     Advance(4000);              // the intro
//     Press(Key::kReturn);        // ENTER: Get Ready
//     Advance(8000);
//     Type("42");
//     Press(Key::kReturn);
//     Then([&] { EXPECT_EQ("Perfect", ItemText(kItemStatus)); });
//     Press(Key::kEscape);        // the quit question ...
//     Press(Key::kReturn);        // ... confirmed
//     Advance(4000);
//     Press(Key::kEscape);        // leave from the idle screen
//     RunGame();
//   }
//
// What it builds: a scratch working folder (removed afterwards) holding the settings file
// (SettingsPath) and the session log (LogPath); the real assets/ of the source tree; the
// headless platform at scale 1 (unless given) with a virtual clock starting at 2023-11-14
// 22:13:20 UTC; one TrainingSettings record; and the main window with the real About box.
//
// How it runs: the verbs Press, Type, ClickItem, ClickAt, Advance and Then only queue steps.
// RunGame runs the real modal loop; whenever the game waits on an empty queue (its modal loop
// or a pause) the next steps run: a step that gives the game input ends its turn, so the step
// after it sees the game settled. Advance lets virtual time pass before the next step.
// Input without a window (Press, Type, ClickAt) goes to the window on top: the About box while
// it is open, else the main window. Queries (ItemText, IsVisible, ...) work inside Then and
// after RunGame.
//
// Deadlines: virtual time stops at TimeLimitMs (30 minutes unless changed), and a game that
// waits for input with nothing left in the script fails the test at once; either way RunGame
// reports the failure and returns. RunGame also fails the test when the game ends with steps
// left.
class GameFixture : public ::testing::Test {
 protected:
  static constexpr std::uint64_t kDefaultTimeLimitMs = 30ull * 60 * 1000;

  // `scale`: output pixels per logical pixel of the windows.
  explicit GameFixture(int scale = 1);
  ~GameFixture() override;

  // Replaces the main window before RunGame, for a test subclass of CDrillDlg that watches
  // or drives it.
  void UseWindow(std::unique_ptr<CDrillDlg> window);
  CDrillDlg& Window() { return *m_pWindow; }

  // --- The script ------------------------------------------------------------------
  void Press(Key key, bool shift = false, bool ctrl = false);
  void Type(const std::string& utf8);
  // A left click at the centre of a control of the main window or its panels.
  void ClickItem(int id);
  // A left click at (x, y) of the window on top (logical pixels).
  void ClickAt(int x, int y);
  // The window manager's close button on the main window.
  void CloseMainWindow();
  // The program told to end from outside (a terminate signal, the desktop session ending).
  void OrderToQuit();
  void Advance(std::uint32_t ms);
  void Then(std::function<void()> step);
  // Escape on the About box of the start-up; the intro begins after it.
  void CloseAboutBox() { Press(Key::kEscape); }

  // Runs the game until the main window ends; returns the window's result (-1 when it could
  // not start or the run failed).
  int RunGame();

  // --- What the game shows and did -------------------------------------------------
  std::string ItemText(int id);
  // Shown: the control and every window it lies in.
  bool IsVisible(int id);
  bool IsEnabled(int id);
  // The id of the control with the keyboard focus, 0 for none.
  int FocusedItem();
  // Every sound requested, in order (also those the platform had no file for).
  std::vector<int> SoundsPlayed();
  // The open window titled `title`, or nothing.
  HeadlessWindow* FindWindow(const std::string& title);
  std::filesystem::path SettingsPath() const { return m_dir.Path() / "quizendo.ini"; }
  std::filesystem::path LogPath() const { return m_dir.Path() / kLogFileName; }

  ScratchDir m_dir;
  FolderAssetStore m_assets;
  HeadlessPlatform m_headless;
  IniSettingsStore m_settingsStore;
  PosixFileAppender m_files;
  Platform m_platform;
  TrainingSettings m_settings;

 private:
  Control* Item(int id);

  std::unique_ptr<CDrillDlg> m_pWindow;
  IdleScript m_script;
};

}  // namespace qz::test
