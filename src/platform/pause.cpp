#include "platform/pause.h"

namespace qz {

bool WaitPumping(Clock& clock, EventQueue& queue, PumpTarget& target, std::uint32_t ms) {
  const std::uint32_t start = clock.TickMs();
  for (;;) {
    if (target.Ended())
      return true;
    // Unsigned arithmetic keeps the deadline right across the tick's wrap-around.
    const std::uint32_t elapsed = clock.TickMs() - start;
    if (elapsed > ms)
      return false;
    Event e;
    if (!queue.Wait(e, ms - elapsed + 1))
      continue;
    const bool cut_short = EndsPause(e);
    target.Dispatch(e);
    if (cut_short)
      return true;
  }
}

}  // namespace qz
