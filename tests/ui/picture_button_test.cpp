#include "ui/picture_button.h"

#include <gtest/gtest.h>

#include "ui/recording_owner.h"

namespace qz {
namespace {

class Buttons : public ::testing::Test {
 protected:
  Buttons() {
    for (const char* name : {"ENTERU", "ENTERD", "ENTERX", "SETUPU", "SETUPD"}) {
      owner.pictures[name] =
          RecordingOwner::Solid(name[0] == 'E' ? 120 : 118, name[0] == 'E' ? 52 : 40, 0);
    }
    enter.ApplyTemplate(Line(1006, "button", "ENTER", 130, 148, 60, 26, kStyleOwnerDraw), &owner);
    setup.ApplyTemplate(Line(1010, "button", "SETUP", 7, 174, 59, 20, kStyleOwnerDraw), &owner);
    enter.AutoLoad();
    setup.AutoLoad();
  }
  const Bitmap* Picture(const char* name) { return &owner.pictures.at(name); }
  int Clicks() const { return static_cast<int>(owner.commands.size()); }

  RecordingOwner owner;
  PictureButton enter;
  PictureButton setup;
};

TEST_F(Buttons, TakeTheSizeOfTheirNormalPicture) {
  EXPECT_EQ(Rect::FromSize(260, 296, 120, 52), enter.GetRect());
  EXPECT_EQ(Rect::FromSize(14, 348, 118, 40), setup.GetRect());
}

TEST_F(Buttons, PictureForEachState) {
  EXPECT_EQ(Picture("ENTERU"), enter.CurrentImage());
  enter.Enable(false);
  EXPECT_EQ(Picture("ENTERX"), enter.CurrentImage());
  enter.Enable(true);
  enter.OnMouseDown({5, 5});
  EXPECT_EQ(Picture("ENTERD"), enter.CurrentImage());
  enter.OnMouseUp({5, 5});
  EXPECT_EQ(Picture("ENTERU"), enter.CurrentImage());
  // No disabled picture: SETUP keeps its normal one.
  setup.Enable(false);
  EXPECT_EQ(Picture("SETUPU"), setup.CurrentImage());
}

TEST_F(Buttons, ClickOnlyOnAReleaseInsideAfterAPressInside) {
  enter.OnMouseDown({5, 5});
  enter.OnMouseUp({119, 51});
  EXPECT_EQ(1, Clicks());
  EXPECT_EQ(std::make_pair(1006, kBnClicked), owner.commands[0]);

  enter.OnMouseDown({5, 5});
  enter.OnMouseMove({120, 5});  // out: shown raised
  EXPECT_EQ(Picture("ENTERU"), enter.CurrentImage());
  enter.OnMouseUp({120, 5});
  EXPECT_EQ(1, Clicks());

  enter.OnMouseDown({5, 5});
  enter.OnMouseMove({200, 5});
  enter.OnMouseMove({6, 6});  // back in: pressed again, and the release counts
  EXPECT_EQ(Picture("ENTERD"), enter.CurrentImage());
  enter.OnMouseUp({6, 6});
  EXPECT_EQ(2, Clicks());

  enter.OnMouseUp({6, 6});  // a release without a press
  EXPECT_EQ(2, Clicks());
}

TEST_F(Buttons, MissingPicturesAreSkipped) {
  PictureButton exit;
  exit.ApplyTemplate(Line(1, "button", "EXIT", 254, 174, 58, 20, kStyleOwnerDraw), &owner);
  exit.AutoLoad();
  EXPECT_EQ(nullptr, exit.CurrentImage());
  EXPECT_EQ(Rect::FromSize(508, 348, 116, 40), exit.GetRect());
}

}  // namespace
}  // namespace qz
