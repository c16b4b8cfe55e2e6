// A whole 100-problem Black-belt match of the real main window on the headless platform:
// what one match costs in real time when virtual time costs nothing.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "app/about_dlg.h"
#include "game/drill_dlg.h"
#include "platform/asset_store.h"
#include "platform/headless/headless_platform.h"
#include "platform/ini_settings_store.h"
#include "platform/posix_file_appender.h"
#include "profile/training_settings.h"

namespace qz {
namespace {

// Plays one game: closes the About box, starts a match, answers every problem right and
// leaves once the match is over. Returns the problems finished.
int PlayBlackBeltMatch(const std::filesystem::path& folder) {
  AssetStore assets(std::filesystem::path(QZ_SOURCE_DIR) / "assets");
  HeadlessPlatform headless(&assets, 1);
  headless.SetStartEpoch(1700000000);
  IniSettingsStore store((folder / "quizendo.ini").string());
  store.WriteString(kVersionText, "CadetName", "Bench");
  store.WriteInt(kVersionText, "AutoSelect", 0);
  store.WriteInt(kVersionText, "CustomSettins", 0);
  store.WriteInt(kVersionText, "GameLevel", 8);
  PosixFileAppender files;
  Platform platform{headless, headless, headless, headless,   headless,
                    assets,   store,    files,    "quizendo", folder / "qz.log"};
  TrainingSettings settings;
  CDrillDlg window(platform, settings);
  window.SetAboutBox([&platform](Dialog& owner) { ShowAboutBox(platform, owner); });

  bool about_closed = false;
  bool started = false;
  int answers_sent = 0;
  headless.SetIdleHook([&] {
    const MatchState& s = window.State();
    if (!about_closed) {
      about_closed = true;
      headless.PressKey(Key::kEscape);
    } else if (!started) {
      if (headless.ElapsedMs() >= 4000) {  // the title and the second after it
        started = true;
        headless.PressKey(Key::kReturn);
      }
    } else if (s.m_bRunning && s.m_bInputOpen && s.m_nAnswers == answers_sent) {
      ++answers_sent;
      headless.TypeText(std::to_string(s.m_nResult));
      headless.PressKey(Key::kReturn);
    } else if (!s.m_bRunning && s.m_nDone > 0) {
      headless.PressKey(Key::kEscape);
    }
  });
  window.RunModal();
  return window.State().m_nDone;
}

void BM_HeadlessBlackBeltMatch(benchmark::State& state) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("qz-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  int done = 0;
  for (auto _ : state)
    done = PlayBlackBeltMatch(folder);
  std::filesystem::remove_all(folder);
  state.counters["problems"] = done;
  if (done != 100)
    state.SkipWithError("the match did not run its 100 problems");
}
BENCHMARK(BM_HeadlessBlackBeltMatch)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qz
