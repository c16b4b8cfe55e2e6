#pragma once

#include <chrono>
#include <cstdint>

#include "platform/clock.h"

namespace qz {

// SDL's millisecond tick and the C library's calendar. Needs SDL's video started.
class SdlClock : public Clock {
 public:
  SdlClock();
  std::uint32_t TickMs() override;
  std::int64_t Now() override;
  std::int64_t SteadySeconds() override;
  // Keeps SDL's event pump turning in short slices so the desktop never sees the game hung;
  // the input that comes in stays queued for later.
  void Sleep(std::uint32_t ms) override;

 private:
  // The calendar and the steady clock read together once: steady time since then, added to
  // that calendar reading, keeps the calendar's second boundaries without its jumps.
  std::chrono::system_clock::time_point m_calendarAtStart;
  std::chrono::steady_clock::time_point m_steadyAtStart;
};

}  // namespace qz
