// One full frame of the main window at the idle screen: the background and every control
// repainted. "Painted" times the drawing alone on the headless canvas at scale 1 and 2 (a
// 1080p screen); "OnScreen" paints and presents it in a real window at the scale the screen
// gives (needs a display: run it under Xvfb, as bench/run-all.sh does).
// Run: build/bench/quizendo_bench --benchmark_filter=Frame
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench_game.h"
#include "platform/sdl/sdl_video.h"
#include "platform/sdl/sdl_window_system.h"

namespace qz::bench {
namespace {

// Runs the game to its idle screen, times full frames there, then leaves.
void TimeFullFrames(benchmark::State& state, BenchGame& game) {
  bool about_closed = false;
  bool measured = false;
  game.Run([&] {
    HeadlessPlatform& headless = game.Headless();
    if (!about_closed) {
      about_closed = true;
      headless.PressKey(Key::kEscape);
    } else if (!measured && headless.ElapsedMs() >= 4000) {  // the title and the second after
      measured = true;
      for (auto _ : state) {
        game.Window().Invalidate();
        game.Window().PaintIfDirty();
      }
      headless.PressKey(Key::kEscape);
    }
  });
  if (!measured)
    state.SkipWithError("the idle screen never came");
}

void BM_FullFramePainted(benchmark::State& state) {
  BenchGame game(static_cast<int>(state.range(0)), 1);
  TimeFullFrames(state, game);
  state.counters["scale"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_FullFramePainted)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_FullFrameOnScreen(benchmark::State& state) {
  std::string error;
  std::unique_ptr<SdlVideo> video = SdlVideo::Start(&error);
  if (video == nullptr) {
    state.SkipWithError(("no display: " + error).c_str());
    return;
  }
  SdlWindowSystem windows;
  {
    BenchGame game(windows.Scale(), 1, &windows);
    TimeFullFrames(state, game);
  }
  state.counters["scale"] = windows.Scale();
}
BENCHMARK(BM_FullFrameOnScreen)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qz::bench
