#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/asset_store.h"
#include "platform/geometry.h"

namespace qz {

// Every window of the game is laid out in dialog units, two logical pixels each.
inline constexpr int kPixelsPerDialogUnit = 2;

// Style words of a template line. Window and control styles share one set of bits.
enum TemplateStyle : std::uint32_t {
  kStyleHidden = 1u << 0,
  kStyleDisabled = 1u << 1,
  kStyleTabStop = 1u << 2,
  kStyleBitmap = 1u << 3,    // a static that shows a picture
  kStyleNotify = 1u << 4,    // a static that reports clicks
  kStyleRealSize = 1u << 5,  // a picture shown at its own size
  kStyleLeft = 1u << 6,
  kStyleCenter = 1u << 7,
  kStyleRight = 1u << 8,
  kStyleVCenter = 1u << 9,
  kStyleBlackFrame = 1u << 10,
  kStyleOwnerDraw = 1u << 11,
  kStyleNoBorder = 1u << 12,
  kStyleAutoHScroll = 1u << 13,
  kStyleNumber = 1u << 14,    // an edit that takes digits only
  kStylePassword = 1u << 15,  // an edit that shows mask characters
  kStylePopup = 1u << 16,
  kStyleChild = 1u << 17,
  kStyleControl = 1u << 18,  // a child dialog that behaves as a control of its parent
  kStyleVisible = 1u << 19,
  kStyleCaption = 1u << 20,
  kStyleSysMenu = 1u << 21,
  kStyleModalFrame = 1u << 22,
  kStyleClipChildren = 1u << 23,
  kStyleAppWindow = 1u << 24,
  kStyleEndEllipsis = 1u << 25,  // a static whose text, when too wide, ends in "…" on one line
};

struct ControlTemplate {
  int id = 0;
  std::string kind;  // "static", "button" or "edit"
  std::string text;
  int x = 0;  // dialog units
  int y = 0;
  int width = 0;
  int height = 0;
  std::uint32_t styles = 0;
  int line = 0;  // where it stands in the file, for messages

  bool Has(std::uint32_t style) const { return (styles & style) != 0; }
  Rect PixelRect() const {
    return Rect::FromSize(x * kPixelsPerDialogUnit, y * kPixelsPerDialogUnit,
                          width * kPixelsPerDialogUnit, height * kPixelsPerDialogUnit);
  }
  // The picture named by a "#N" text, if the text is one.
  std::optional<int> PictureId() const;
};

struct DialogTemplate {
  int id = 0;
  std::string title;
  int width = 0;  // dialog units
  int height = 0;
  std::uint32_t styles = 0;
  std::vector<ControlTemplate> controls;

  bool Has(std::uint32_t style) const { return (styles & style) != 0; }
  int PixelWidth() const { return width * kPixelsPerDialogUnit; }
  int PixelHeight() const { return height * kPixelsPerDialogUnit; }
  const ControlTemplate* Find(int control_id) const;
};

// Reads the text form of a template:
//   dialog <id> "<title>" <width>,<height> <styles...>
//   <id> <kind> "<text>" <x>,<y>,<width>,<height> <styles...>
// one line each; blank lines and lines starting with '#' are ignored; inside quotes \" and
// \\ stand for themselves. On a bad file returns nothing and says in *error which line is
// wrong and why.
std::optional<DialogTemplate> ParseDialogTemplate(std::string_view text, std::string* error);

// Reads "<id>.dlg" from the assets. On failure returns nothing and says why in *error.
std::optional<DialogTemplate> LoadDialogTemplate(AssetStore& assets, int id, std::string* error);

}  // namespace qz
