#pragma once

#include <cstdint>

namespace qz {

// The only source of time for the game. The headless backend runs it virtually.
class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start; wraps after 49 days like any 32-bit tick.
  virtual std::uint32_t TickMs() = 0;
  // Calendar time: whole seconds since the epoch. Jumps when someone (or the network) sets the
  // system clock: for date stamps only.
  virtual std::int64_t Now() = 0;
  // Whole seconds on a clock that setting the calendar never moves: for spans (response times,
  // how long a run lasted). It starts from the calendar and ticks over on the calendar's second
  // boundaries, so while nobody sets the clock a span reads as the difference of two Now().
  virtual std::int64_t SteadySeconds() = 0;
  // Blocks without handing any input to the game; the window system is still answered.
  virtual void Sleep(std::uint32_t ms) = 0;
};

}  // namespace qz
