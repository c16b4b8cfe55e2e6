#pragma once

#include "ui/control.h"

namespace qz {

// A push button drawn only from pictures named after its caption: CAPTION+"U" normal,
// "D" pressed, "F" focused, "X" disabled. A click (BN_CLICKED) is a release inside after a
// press inside; Return or Space on the focused button also clicks it (the window's keyboard
// handling calls Click).
class PictureButton : public Control {
 public:
  std::string_view Kind() const override { return "button"; }

  // Loads the pictures of the caption, skipping the missing ones, and takes the size of the
  // normal picture when there is one.
  void AutoLoad();
  // The picture that a paint shows now.
  const Bitmap* CurrentImage() const;
  void Click();

  bool TakesFocusOnClick() const override { return true; }
  // Return and Space click the focused button.
  bool OnKeyClick(Key key) override;
  void Paint(Canvas& canvas, const Rect& where) override;
  void OnMouseDown(Point p) override;
  void OnMouseMove(Point p) override;
  void OnMouseUp(Point p) override;
  // A press belongs to the mouse, not to the focus: it ends with its release, or when the
  // window gives the mouse to another control. The focus may move meanwhile (a pause that
  // the press ended poses the next problem) and the release still clicks.
  void OnCancelMode() override;

 protected:
  bool IsPressed() const { return m_bPressed; }

 private:
  bool Inside(Point p) const;
  void SetPressed(bool pressed);

  const Bitmap* m_pUp = nullptr;
  const Bitmap* m_pDown = nullptr;
  const Bitmap* m_pFocus = nullptr;
  const Bitmap* m_pDisabled = nullptr;
  bool m_bPressed = false;
  bool m_bTracking = false;
};

}  // namespace qz
