#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "game/drill_dlg.h"
#include "platform/headless/headless_platform.h"
#include "platform/posix/folder_asset_store.h"
#include "platform/posix/ini_settings_store.h"
#include "platform/posix/posix_file_appender.h"
#include "profile/training_settings.h"

namespace qz::bench {

// The real main window with the real About box over the headless platform (virtual time, no
// sound) in a scratch folder, for benchmarks. Its windows are the headless ones at `scale`,
// or those of `windows` when given (real windows, to time what reaches the screen).
class BenchGame {
 public:
  // `level` is the belt's level, 1 (White) to 8 (Black).
  BenchGame(int scale, int level, WindowSystem* windows = nullptr);
  ~BenchGame();
  BenchGame(const BenchGame&) = delete;
  BenchGame& operator=(const BenchGame&) = delete;

  // Runs the game; `on_idle` runs whenever it waits for input with none queued, and drives it.
  void Run(std::function<void()> on_idle);

  HeadlessPlatform& Headless() { return m_headless; }
  CDrillDlg& Window() { return *m_pWindow; }

 private:
  std::filesystem::path m_folder;
  FolderAssetStore m_assets;
  HeadlessPlatform m_headless;
  std::unique_ptr<IniSettingsStore> m_pStore;
  PosixFileAppender m_files;
  std::unique_ptr<Platform> m_pPlatform;
  TrainingSettings m_settings;
  std::unique_ptr<CDrillDlg> m_pWindow;
};

}  // namespace qz::bench
