#pragma once

#include <cstdint>

namespace qz {

// The only source of time for the game. The headless backend runs it virtually.
class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start; wraps after 49 days like any 32-bit tick.
  virtual std::uint32_t TickMs() = 0;
  // Calendar time: whole seconds since the epoch.
  virtual std::int64_t Now() = 0;
  // Blocks without handing any input to the game; the window system is still answered.
  virtual void Sleep(std::uint32_t ms) = 0;
};

}  // namespace qz
