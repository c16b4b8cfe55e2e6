#pragma once

#include <cstdint>
#include <deque>
#include <functional>

#include "platform/headless/headless_platform.h"

namespace qz::test {

// Steps a test wants done while the game runs on the headless platform: each step runs when
// the game next waits on an empty queue (a pause, a modal loop). A step that gives the game
// input is the last of its turn, so the next step sees the game settled after it.
class IdleScript {
 public:
  // Installs itself as `platform`'s idle hook until destroyed.
  explicit IdleScript(HeadlessPlatform& platform);
  ~IdleScript();
  IdleScript(const IdleScript&) = delete;
  IdleScript& operator=(const IdleScript&) = delete;

  void Add(std::function<void()> step);
  // A step that lets `ms` of virtual time pass before the next step runs.
  void AddWait(std::uint32_t ms);
  size_t Remaining() const { return m_steps.size(); }

 private:
  void OnIdle();

  HeadlessPlatform& m_platform;
  std::deque<std::function<void()>> m_steps;
  std::uint64_t m_nHoldUntilMs = 0;
};

}  // namespace qz::test
