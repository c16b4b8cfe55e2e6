#include "support/idle_script.h"

namespace qz::test {

IdleScript::IdleScript(HeadlessPlatform& platform) : m_platform(platform) {
  m_platform.SetIdleHook([this] { OnIdle(); });
}

IdleScript::~IdleScript() {
  m_platform.SetIdleHook(nullptr);
}

void IdleScript::Add(std::function<void()> step) {
  m_steps.push_back(std::move(step));
}

void IdleScript::AddWait(std::uint32_t ms) {
  Add([this, ms] {
    m_nHoldUntilMs = m_platform.ElapsedMs() + ms;
    // An empty event at the end of the wait, so a loop that waits without a timeout gets
    // there too; windows ignore it.
    m_platform.Schedule(m_nHoldUntilMs, Event{});
  });
}

void IdleScript::OnIdle() {
  // Steps that give the game nothing to do (checks) run together with the next one that does.
  while (!m_steps.empty() && m_platform.ElapsedMs() >= m_nHoldUntilMs) {
    std::function<void()> step = std::move(m_steps.front());
    m_steps.pop_front();
    step();
    if (m_platform.QueuedEvents() > 0)
      break;
  }
}

}  // namespace qz::test
