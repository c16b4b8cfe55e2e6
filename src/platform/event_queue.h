#pragma once

#include <cstdint>

#include "platform/event.h"

namespace qz {

// A Wait timeout that never runs out.
constexpr std::uint32_t kWaitForever = 0xFFFFFFFF;

// Input, window timers and posted messages, in arrival order.
class EventQueue {
 public:
  virtual ~EventQueue() = default;
  // Takes the next event, waiting at most timeout_ms (kWaitForever: until one
  // comes); false when none came in time.
  virtual bool Wait(Event& out, std::uint32_t timeout_ms) = 0;
  // Takes the next event without waiting; false when the queue is empty.
  virtual bool Poll(Event& out) = 0;
  // Appends an event the game sends itself (kApp and the like).
  virtual void Post(const Event& e) = 0;
  // Starts or restarts timer `id`: a kTimer event every period_ms until killed. A tick that is
  // still queued is not queued again, like a window timer.
  virtual void SetTimer(int id, std::uint32_t period_ms) = 0;
  virtual void KillTimer(int id) = 0;
};

// Whoever takes events out of the queue hands them to a dispatcher.
class Dispatcher {
 public:
  virtual ~Dispatcher() = default;
  virtual void Dispatch(const Event& e) = 0;
};

}  // namespace qz
