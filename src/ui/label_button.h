#pragma once

#include <string>

#include "ui/picture_button.h"

namespace qz {

// A picture button whose face carries no lettering: the template text names the face pictures
// (see PictureButton), and the button writes a label of its own over the face, centred, cut
// with "…" when it is too long, with a small picture (a badge) before it when it has one. The
// label moves down with the face while the button is pressed.
class LabelButton : public PictureButton {
 public:
  // Space between the face's edge, the badge and the label, in logical pixels.
  static constexpr int kPadding = 10;

  void SetLabel(const std::string& label);
  const std::string& Label() const { return m_strLabel; }
  // The badge, or nothing; it must outlive the button.
  void SetBadge(const Bitmap* badge);

  void Paint(Canvas& canvas, const Rect& where) override;

 private:
  std::string m_strLabel;
  const Bitmap* m_pBadge = nullptr;
};

}  // namespace qz
