#include "platform/sdl/sdl_clock.h"

#include <SDL.h>

#include <ctime>

#include "platform/sdl/terminate_request.h"

namespace qz {
namespace {

constexpr std::uint32_t kPumpSliceMs = 10;

}  // namespace

std::uint32_t SdlClock::TickMs() {
  return SDL_GetTicks();
}

std::int64_t SdlClock::Now() {
  return static_cast<std::int64_t>(std::time(nullptr));
}

void SdlClock::Sleep(std::uint32_t ms) {
  const std::uint32_t start = SDL_GetTicks();
  for (;;) {
    SDL_PumpEvents();
    const std::uint32_t elapsed = SDL_GetTicks() - start;
    // An order to end cuts every sleep short: the game is leaving.
    if (elapsed >= ms || TerminateRequested())
      return;
    const std::uint32_t left = ms - elapsed;
    SDL_Delay(left < kPumpSliceMs ? left : kPumpSliceMs);
  }
}

}  // namespace qz
