#include "ui/click_static.h"

#include <gtest/gtest.h>

#include "ui/recording_owner.h"

namespace qz {
namespace {

TEST(ClickStatic, OkCornerSendsOkThenItsOwnId) {
  struct Case {
    Point at;
    bool ok;
  };
  const Case cases[] = {
      {{417, 181}, true},  {{471, 199}, true}, {{416, 181}, false}, {{417, 180}, false},
      {{416, 180}, false}, {{0, 0}, false},    {{200, 190}, false}, {{450, 100}, false},
  };
  for (const Case& c : cases) {
    RecordingOwner owner;
    owner.pictures["210"] = RecordingOwner::Solid(472, 200, 0);
    ClickStatic picture;
    picture.ApplyTemplate(Line(1052, "static", "#210", 0, 0, 236, 100, kStyleBitmap), &owner);
    picture.OnMouseDown(c.at);
    std::vector<std::pair<int, int>> expected;
    if (c.ok)
      expected.emplace_back(kIdOk, 0);
    expected.emplace_back(1052, 0);
    EXPECT_EQ(expected, owner.commands) << c.at.x << "," << c.at.y;
  }
}

TEST(ClickStatic, TakesPressesWithoutTheNotifyStyle) {
  RecordingOwner owner;
  ClickStatic picture;
  picture.ApplyTemplate(Line(7, "static", "", 10, 10, 5, 5, kStyleBitmap), &owner);
  EXPECT_TRUE(picture.HitTest({20, 20}));
  EXPECT_FALSE(picture.HitTest({20, 9}));
}

}  // namespace
}  // namespace qz
