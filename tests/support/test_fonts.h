#pragma once

#include "platform/font.h"

namespace qz::test {

// The game's faces from the font folder the test build was configured with, as the desktop
// backend draws them: pixel tests see real glyphs.
FontSource& TestFonts();

}  // namespace qz::test
