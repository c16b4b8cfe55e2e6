#include <gtest/gtest.h>

#include "platform/headless/headless_platform.h"
#include "platform/pause.h"

namespace qz {
namespace {

class Recorder : public PumpTarget {
 public:
  void Dispatch(const Event& e) override { seen.push_back(e); }
  std::vector<Event> seen;
};

Event Of(EventType type) {
  Event e;
  e.type = type;
  return e;
}

class HeadlessPause : public ::testing::Test {
 protected:
  bool Pause(std::uint32_t ms) { return WaitPumping(platform, platform, target, ms); }
  HeadlessPlatform platform;
  Recorder target;
};

TEST_F(HeadlessPause, OnlyAPressCutsItShort) {
  struct Case {
    EventType type;
    bool cuts_short;
  };
  for (Case c : {Case{EventType::kKeyDown, true}, Case{EventType::kMouseDown, true},
                 Case{EventType::kKeyUp, false}, Case{EventType::kMouseUp, false},
                 Case{EventType::kMouseMove, false}, Case{EventType::kText, false},
                 Case{EventType::kTimer, false}}) {
    SCOPED_TRACE(static_cast<int>(c.type));
    HeadlessPlatform p;
    Recorder r;
    p.Schedule(1200, Of(c.type));
    EXPECT_EQ(c.cuts_short, WaitPumping(p, p, r, 3000));
    if (c.cuts_short) {
      EXPECT_EQ(1200u, p.ElapsedMs());
    } else {
      EXPECT_GE(p.ElapsedMs(), 3000u);
    }
    ASSERT_EQ(1u, r.seen.size());
    EXPECT_EQ(c.type, r.seen[0].type);
  }
}

TEST_F(HeadlessPause, DispatchesEverythingThatArrivesInside) {
  platform.Schedule(100, Of(EventType::kExpose));
  platform.Schedule(200, Of(EventType::kKeyUp));
  Event app = Of(EventType::kApp);
  app.id = 3;
  platform.Post(app);
  EXPECT_FALSE(Pause(1000));
  ASSERT_EQ(3u, target.seen.size());
  EXPECT_EQ(EventType::kApp, target.seen[0].type);
  EXPECT_EQ(EventType::kExpose, target.seen[1].type);
  EXPECT_EQ(EventType::kKeyUp, target.seen[2].type);
  EXPECT_GE(platform.TickMs(), 1000u);
}

TEST_F(HeadlessPause, TimerTicksOncePerPeriod) {
  platform.SetTimer(1, 1000);
  EXPECT_FALSE(Pause(3500));
  ASSERT_EQ(3u, target.seen.size());
  for (const Event& e : target.seen)
    EXPECT_EQ(1, e.id);
  platform.KillTimer(1);
  target.seen.clear();
  EXPECT_FALSE(Pause(3000));
  EXPECT_TRUE(target.seen.empty());
}

TEST_F(HeadlessPause, TicksThatPileUpWhileBlockedComeOnce) {
  platform.SetTimer(1, 1000);
  platform.SetTimer(2, 1500);
  platform.Sleep(5200);
  Event e;
  int ones = 0;
  int twos = 0;
  while (platform.Poll(e))
    (e.id == 1 ? ones : twos)++;
  EXPECT_EQ(1, ones);
  EXPECT_EQ(1, twos);
  // The period goes on from where it was: the next tick of timer 1 is at 6000.
  EXPECT_FALSE(platform.Wait(e, 799));
  EXPECT_TRUE(platform.Wait(e, 1));
  EXPECT_EQ(6000u, platform.ElapsedMs());
}

TEST_F(HeadlessPause, SurvivesTheTickWrapAround) {
  platform.SetTickOrigin(0xFFFFFF00u);
  EXPECT_FALSE(Pause(1000));
  EXPECT_GE(platform.ElapsedMs(), 1000u);
  EXPECT_LT(platform.ElapsedMs(), 1100u);
  platform.Schedule(1700, Of(EventType::kMouseDown));
  EXPECT_TRUE(Pause(3000));
  EXPECT_EQ(1700u, platform.ElapsedMs());
}

TEST_F(HeadlessPause, IdleHookFeedsInputWhenTheQueueRunsDry) {
  int calls = 0;
  platform.SetIdleHook([&] {
    if (++calls == 2)
      platform.PressKey(Key::kReturn);
  });
  Event e;
  EXPECT_FALSE(platform.Wait(e, 500));
  EXPECT_TRUE(platform.Wait(e, kWaitForever));
  EXPECT_EQ(Key::kReturn, e.key);
  EXPECT_EQ(EventType::kKeyDown, e.type);
  EXPECT_EQ(500u, platform.ElapsedMs());
}

TEST_F(HeadlessPause, WaitingForeverWithNothingToComeFailsInsteadOfHanging) {
  Event e;
  EXPECT_THROW(platform.Wait(e, kWaitForever), HeadlessError);
  platform.SetTimer(1, 1000);
  EXPECT_TRUE(platform.Wait(e, kWaitForever));
  EXPECT_EQ(1000u, platform.ElapsedMs());
}

TEST_F(HeadlessPause, VirtualTimeHasALimit) {
  platform.SetTimeLimitMs(10000);
  platform.SetTimer(1, 1000);
  EXPECT_THROW(
      {
        for (;;)
          Pause(3000);
      },
      HeadlessError);
  EXPECT_LE(platform.ElapsedMs(), 10000u);
}

TEST_F(HeadlessPause, InputHelpersMakeWholePresses) {
  platform.PressKey(Key::kV, false, true, 7);
  platform.TypeText("4é");
  platform.Click(7, 30, 40, MouseButton::kRight);
  platform.Close(7);
  std::vector<Event> got;
  Event e;
  while (platform.Poll(e))
    got.push_back(e);
  ASSERT_EQ(7u, got.size());
  EXPECT_EQ(EventType::kKeyDown, got[0].type);
  EXPECT_TRUE(got[0].ctrl);
  EXPECT_EQ(EventType::kKeyUp, got[1].type);
  EXPECT_EQ("4", got[2].text);
  EXPECT_EQ("é", got[3].text);
  EXPECT_EQ(EventType::kMouseDown, got[4].type);
  EXPECT_EQ(MouseButton::kRight, got[4].button);
  EXPECT_EQ(40, got[5].y);
  EXPECT_EQ(EventType::kClose, got[6].type);
  EXPECT_EQ(7u, got[6].window);
}

TEST_F(HeadlessPause, CalendarFollowsVirtualTime) {
  platform.SetStartEpoch(1000);
  platform.Sleep(2500);
  EXPECT_EQ(1002, platform.Now());
}

}  // namespace
}  // namespace qz
