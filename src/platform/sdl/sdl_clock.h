#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace qz {

// SDL's millisecond tick and the C library's calendar. Needs SDL's video started.
class SdlClock : public Clock {
 public:
  std::uint32_t TickMs() override;
  std::int64_t Now() override;
  // Keeps SDL's event pump turning in short slices so the desktop never sees the game hung;
  // the input that comes in stays queued for later.
  void Sleep(std::uint32_t ms) override;
};

}  // namespace qz
