// A whole 100-problem Black-belt match of the real main window on the headless platform:
// what one match costs in real time when virtual time costs nothing.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_game.h"

namespace qz::bench {
namespace {

// Plays one game: closes the About box, starts a match, answers every problem right and
// leaves once the match is over. Returns the problems finished.
int PlayBlackBeltMatch() {
  BenchGame game(1, 8);
  HeadlessPlatform& headless = game.Headless();
  bool about_closed = false;
  bool started = false;
  int answers_sent = 0;
  game.Run([&] {
    const MatchState& s = game.Window().Engine().State();
    if (!about_closed) {
      about_closed = true;
      headless.PressKey(Key::kEscape);
    } else if (!started) {
      if (headless.ElapsedMs() >= 4000) {  // the title and the second after it
        started = true;
        headless.PressKey(Key::kReturn);
      }
    } else if (s.m_bRunning && game.Window().InputOpen() && s.m_nAnswers == answers_sent) {
      ++answers_sent;
      headless.TypeText(std::to_string(s.m_nResult));
      headless.PressKey(Key::kReturn);
    } else if (!s.m_bRunning && s.m_nDone > 0) {
      headless.PressKey(Key::kEscape);
    }
  });
  return game.Window().Engine().State().m_nDone;
}

void BM_HeadlessBlackBeltMatch(benchmark::State& state) {
  int done = 0;
  for (auto _ : state)
    done = PlayBlackBeltMatch();
  state.counters["problems"] = done;
  if (done != 100)
    state.SkipWithError("the match did not run its 100 problems");
}
BENCHMARK(BM_HeadlessBlackBeltMatch)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qz::bench
