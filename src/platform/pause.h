#pragma once

#include <cstdint>

#include "platform/clock.h"
#include "platform/event_queue.h"

namespace qz {

// What a pause and a modal loop hand events to. `Ended` lets a request to close get out of
// every nested loop.
class PumpTarget : public Dispatcher {
 public:
  virtual bool Ended() const { return false; }
};

// Dispatches events for `ms` milliseconds, blocking on the queue in between. A key press or a
// mouse-button press is dispatched and then ends the pause early: returns true. Also returns
// true at once when the target has ended. Returns false when the time ran out.
bool WaitPumping(Clock& clock, EventQueue& queue, PumpTarget& target, std::uint32_t ms);

}  // namespace qz
