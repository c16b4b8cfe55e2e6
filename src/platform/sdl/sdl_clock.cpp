#include "platform/sdl/sdl_clock.h"

#include <SDL.h>

#include <chrono>
#include <ctime>

#include "platform/sdl/terminate_request.h"

namespace qz {
namespace {

constexpr std::uint32_t kPumpSliceMs = 10;

}  // namespace

SdlClock::SdlClock()
    : m_calendarAtStart(std::chrono::system_clock::now()),
      m_steadyAtStart(std::chrono::steady_clock::now()) {}

std::uint32_t SdlClock::TickMs() {
  return SDL_GetTicks();
}

std::int64_t SdlClock::Now() {
  return static_cast<std::int64_t>(std::time(nullptr));
}

std::int64_t SdlClock::SteadySeconds() {
  const auto since_start = std::chrono::steady_clock::now() - m_steadyAtStart;
  const auto now = m_calendarAtStart.time_since_epoch() +
                   std::chrono::duration_cast<std::chrono::system_clock::duration>(since_start);
  // Rounded down as the calendar's whole seconds are, also before 1970.
  return std::chrono::floor<std::chrono::seconds>(now).count();
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
