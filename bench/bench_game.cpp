#include "bench_game.h"

#include <unistd.h>

#include <atomic>
#include <string>

#include "app/about_dlg.h"
#include "records/session_log.h"
#include "support/test_fonts.h"

namespace qz::bench {
namespace {

std::filesystem::path MakeScratchFolder() {
  static std::atomic<int> serial{0};
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("qz-bench-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace

BenchGame::BenchGame(int scale, int level, WindowSystem* windows)
    : m_folder(MakeScratchFolder()),
      m_assets(std::filesystem::path(QZ_SOURCE_DIR) / "assets"),
      m_headless(&m_assets, scale) {
  m_headless.SetStartEpoch(1700000000);
  m_pStore = std::make_unique<IniSettingsStore>((m_folder / "quizendo.ini").string());
  m_pStore->WriteString(kVersionText, "CadetName", "Bench");
  m_pStore->WriteInt(kVersionText, "AutoSelect", 0);
  m_pStore->WriteInt(kVersionText, "CustomSettins", 0);
  m_pStore->WriteInt(kVersionText, "GameLevel", level);
  WindowSystem& window_system = windows != nullptr ? *windows : m_headless;
  m_pPlatform.reset(new Platform{m_headless, m_headless, m_headless, m_headless, window_system,
                                 m_assets, test::TestFonts(), *m_pStore, m_files, "quizendo",
                                 m_folder / kLogFileName});
  m_pWindow = std::make_unique<CDrillDlg>(*m_pPlatform, m_settings);
  m_pWindow->SetAboutBox([this](Dialog& owner) { ShowAboutBox(*m_pPlatform, owner); });
}

BenchGame::~BenchGame() {
  m_pWindow.reset();
  std::error_code ignored;
  std::filesystem::remove_all(m_folder, ignored);
}

void BenchGame::Run(std::function<void()> on_idle) {
  m_headless.SetIdleHook(std::move(on_idle));
  m_pWindow->RunModal();
}

}  // namespace qz::bench
