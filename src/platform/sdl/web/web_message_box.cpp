// The browser flavour of SdlMessageBox: the page draws the box over the game (a native
// alert() would block the page and look like the browser's own warning).

#include <emscripten.h>

#include <cstdio>

#include "platform/sdl/sdl_message_box.h"

namespace qz {
namespace {

// Resolves when the player has closed the box; the game waits for it as for any modal box.
// clang-format off
EM_ASYNC_JS(void, qz_web_message_box, (const char* caption, const char* text, int icon), {
  const c = UTF8ToString(caption);
  const t = UTF8ToString(text);
  if (Module.qzShowMessageBox)
    await Module.qzShowMessageBox(c, t, icon);
  else
    console.log(c + ': ' + t);
});
// clang-format on

}  // namespace

void SdlMessageBox::Show(const std::string& caption, const std::string& text, MessageIcon icon) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  qz_web_message_box(caption.c_str(), text.c_str(), static_cast<int>(icon));
}

}  // namespace qz
