#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

#include "platform/event_queue.h"

union SDL_Event;

namespace qz {

// SDL's event queue in the game's terms. Timers run on SDL's timer thread and only push a
// tick; posted events travel through SDL's queue so they keep their place among the input.
// Needs SDL's video started; must go before SDL is shut down.
class SdlEventQueue : public EventQueue {
 public:
  // `scale`: output pixels per logical pixel, to turn mouse positions into canvas pixels.
  explicit SdlEventQueue(int scale);
  ~SdlEventQueue() override;
  SdlEventQueue(const SdlEventQueue&) = delete;
  SdlEventQueue& operator=(const SdlEventQueue&) = delete;

  bool Wait(Event& out, std::uint32_t timeout_ms) override;
  bool Poll(Event& out) override;
  void Post(const Event& e) override;
  void SetTimer(int id, std::uint32_t period_ms) override;
  void KillTimer(int id) override;

  // One slot per timer id, kept for the queue's life: a callback that fires while its timer is
  // being removed still finds it.
  struct TimerSlot {
    int id = 0;
    int sdl_timer = 0;
    std::uint32_t tick_event_type = 0;
    std::atomic<std::uint32_t> generation{0};
    std::atomic<bool> tick_queued{false};
    bool active = false;
  };

 private:
  // False for SDL events the game has no use for, for stale ticks, and for input once the
  // game was ordered to end.
  bool Translate(const SDL_Event& sdl, Event& out);
  // The order to end (see terminate_request.h) as one kQuit, the first time it is seen.
  bool TakeTerminateRequest(Event& out);

  int m_nScale;
  std::uint32_t m_nTickType = 0;
  std::uint32_t m_nPostType = 0;
  std::map<int, std::unique_ptr<TimerSlot>> m_timers;
  std::mutex m_postedLock;
  std::map<std::uint32_t, Event> m_posted;
  std::uint32_t m_nNextPosted = 0;
  bool m_bQuitGiven = false;
};

}  // namespace qz
