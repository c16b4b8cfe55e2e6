#include "platform/sdl/sdl_font_source.h"

namespace qz {

SdlFontSource::SdlFontSource() : TtfFontSource(QZ_FONT_DIR) {}

}  // namespace qz
