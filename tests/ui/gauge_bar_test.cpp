#include "ui/gauge_bar.h"

#include <gtest/gtest.h>

#include "ui/recording_owner.h"

namespace qz {
namespace {

constexpr ColorRef kFill = Rgb(47, 200, 144);
constexpr ColorRef kBack = Rgb(224, 224, 224);

class Gauge : public ::testing::Test {
 protected:
  // The energy gauge's place: 112 x 10 dialog units, a 224-pixel bar.
  Gauge() { gauge.ApplyTemplate(Line(1009, "static", "", 108, 5, 112, 10), &owner); }
  void Initialize() {
    gauge.Initialize("Energy", kFill, kBack, Rgb(32, 32, 32), Rgb(128, 128, 128), 1);
  }
  RecordingOwner owner;
  GaugeBar gauge;
};

TEST(GaugeBar, FilledWidthOfABar) {
  struct Case {
    int width;
    std::uint32_t percent;
    int filled;
  };
  const Case cases[] = {
      {224, 0, 1},
      {224, 49, 110},
      {224, 99, 222},
      {224, 100, 225},
      {224, 150, 337},
      {8, 50, 5},
      {0, 100, 1},
      // A percentage from a wrapped product: the width wraps like the 16-bit value it is.
      {224, 300000, static_cast<std::uint16_t>(1 + 224 * 3000)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.filled, GaugeBar::FilledWidth(c.width, c.percent))
        << c.width << " px at " << c.percent << " %";
  }
}

TEST_F(Gauge, PercentageOfTheRangePlusOne) {
  Initialize();
  struct Case {
    std::uint32_t maximum;
    int value;
    std::uint32_t percent;
  };
  const Case cases[] = {
      {200, 100, 49},
      {200, 200, 99},
      {200, 0, 0},
      {100, 100, 99},
      {100, 50, 49},
      {200, 402, 200},  // above the maximum: more than 100 %
      {0, 3, 300},      // a range of 0 is stored as 1 and counts as set
      {200, -5, 0},     // a negative value shows as empty
      // the product wraps in 32 bits: (50000000 * 100) mod 2^32 / 201
      {200, 50000000, static_cast<std::uint32_t>(50000000u * 100u) / 201u},
  };
  for (const Case& c : cases) {
    gauge.SetRange(c.maximum);
    gauge.SetPos(c.value);
    EXPECT_EQ(c.maximum + 1, gauge.MaxRange());
    EXPECT_EQ(c.value, gauge.CurVal());
    EXPECT_EQ(c.percent, gauge.CurPct()) << c.maximum << ", " << c.value;
  }
}

TEST_F(Gauge, LabelAndCaption) {
  Initialize();
  gauge.SetRange(200);
  gauge.SetCaption("Energy Level");
  EXPECT_EQ(100, gauge.CurVal());  // a new caption shows a full bar
  EXPECT_EQ(100u, gauge.CurPct());
  gauge.SetPos(100);
  EXPECT_EQ("Energy Level 100 (49%)", gauge.Label());
}

TEST_F(Gauge, RefusesPositionsUntilReady) {
  gauge.SetRange(200);
  gauge.SetPos(50);
  EXPECT_EQ("Not Initialized !!!", gauge.Caption());
  EXPECT_EQ(0, gauge.CurVal());
  EXPECT_EQ(0, owner.presents);

  GaugeBar no_range;
  no_range.ApplyTemplate(Line(1017, "static", "", 0, 0, 10, 2), &owner);
  no_range.Initialize("Power", kFill, kBack, 0, 0, 1);
  no_range.SetPos(50);
  EXPECT_EQ("No Max-Range defined", no_range.Caption());
  EXPECT_EQ(0, no_range.CurVal());
  // The replaced caption is the one a later label starts from.
  no_range.SetRange(100);
  no_range.SetPos(50);
  EXPECT_EQ("No Max-Range defined 50 (49%)", no_range.Label());
}

TEST_F(Gauge, PositionAndCaptionShowAtOnceRangeWaits) {
  Initialize();
  gauge.SetRange(200);
  EXPECT_EQ(0, owner.presents);
  EXPECT_GT(owner.invalidations, 0);
  gauge.SetPos(10);
  EXPECT_EQ(1, owner.presents);
  gauge.SetCaption("x");
  EXPECT_EQ(2, owner.presents);
}

// Paints the gauge on a canvas and reads a row through the middle of the bar.
TEST_F(Gauge, PaintedFillMatchesThePercentage) {
  Canvas canvas(640, 400, 1);
  const Rect where = gauge.GetRect();
  ASSERT_EQ(224, where.Width());
  const int mid = where.top + where.Height() / 2;

  // Never initialised: plain white, no edge.
  gauge.Paint(canvas, where);
  EXPECT_EQ(0xFFFFFFu, canvas.PixelAt(where.left, where.top));
  EXPECT_EQ(0xFFFFFFu, canvas.PixelAt(where.left + 100, mid));

  Initialize();
  gauge.SetRange(200);
  gauge.SetPos(100);  // 49 %: 110 pixels
  gauge.Paint(canvas, where);
  EXPECT_EQ(ToPixel(kFill), canvas.PixelAt(where.left + 50, mid));
  EXPECT_EQ(ToPixel(kFill), canvas.PixelAt(where.left + 109, mid));
  EXPECT_EQ(ToPixel(kBack), canvas.PixelAt(where.left + 110, mid));
  EXPECT_EQ(ToPixel(kBack), canvas.PixelAt(where.left + 200, mid));
  // The etched edge frames it.
  EXPECT_NE(ToPixel(kFill), canvas.PixelAt(where.left, mid));
  EXPECT_NE(ToPixel(kBack), canvas.PixelAt(where.right - 1, mid));

  gauge.SetPos(-20);  // below zero: only the sliver under the edge
  gauge.Paint(canvas, where);
  EXPECT_EQ(ToPixel(kBack), canvas.PixelAt(where.left + 2, mid));
}

}  // namespace
}  // namespace qz
