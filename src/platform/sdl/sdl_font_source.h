#pragma once

#include "platform/ttf/ttf_font_source.h"

namespace qz {

// The game's faces from the font folder this build was configured with (QZ_FONT_DIR): the
// DejaVu packages' folder on the desktop, the packaged file system's in the browser.
class SdlFontSource : public TtfFontSource {
 public:
  // Throws AssetError, naming the file, when a face's file cannot be opened.
  SdlFontSource();
};

}  // namespace qz
