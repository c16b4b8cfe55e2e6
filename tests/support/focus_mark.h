#pragma once

#include "ui/dialog.h"

namespace qz::test {

// Whether every ring of the focus mark is drawn whole around control `id` of `window` (or of
// its panels) on the window's canvas.
bool MarkedOnScreen(Dialog& window, int id);

}  // namespace qz::test
