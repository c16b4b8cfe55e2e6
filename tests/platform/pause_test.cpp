#include "platform/pause.h"

#include <deque>

#include <gtest/gtest.h>

namespace qz {
namespace {

// A queue on a hand-driven clock: just enough to pin down the pause's rules.
class FakeTime : public Clock, public EventQueue {
 public:
  std::uint32_t TickMs() override { return now; }
  std::int64_t Now() override { return now / 1000; }
  std::int64_t SteadySeconds() override { return now / 1000; }
  void Sleep(std::uint32_t ms) override { now += ms; }
  bool Wait(Event& out, std::uint32_t timeout_ms) override {
    if (!queue.empty() && queue.front().second <= now + timeout_ms) {
      if (queue.front().second > now)
        now = queue.front().second;
      out = queue.front().first;
      queue.pop_front();
      return true;
    }
    now += timeout_ms;
    return false;
  }
  bool Poll(Event&) override { return false; }
  void Post(const Event&) override {}
  void SetTimer(int, std::uint32_t) override {}
  void KillTimer(int) override {}

  void At(std::uint32_t ms, EventType type) {
    Event e;
    e.type = type;
    queue.emplace_back(e, ms);
  }
  std::uint32_t now = 0;
  std::deque<std::pair<Event, std::uint32_t>> queue;
};

class Recorder : public PumpTarget {
 public:
  void Dispatch(const Event& e) override { seen.push_back(e.type); }
  std::vector<EventType> seen;
};

TEST(WaitPumping, RunsItsTimeWhenNothingEndsIt) {
  FakeTime t;
  Recorder r;
  t.At(100, EventType::kKeyUp);
  t.At(200, EventType::kMouseMove);
  t.At(300, EventType::kTimer);
  EXPECT_FALSE(WaitPumping(t, t, r, 1000));
  EXPECT_GE(t.now, 1000u);
  EXPECT_EQ(3u, r.seen.size());
}

TEST(WaitPumping, KeyOrButtonPressEndsItAfterDispatch) {
  for (EventType press : {EventType::kKeyDown, EventType::kMouseDown}) {
    FakeTime t;
    Recorder r;
    t.At(400, press);
    EXPECT_TRUE(WaitPumping(t, t, r, 1000));
    EXPECT_EQ(400u, t.now);
    ASSERT_EQ(1u, r.seen.size());
    EXPECT_EQ(press, r.seen[0]);
  }
}

}  // namespace
}  // namespace qz
