#include "platform/sdl/sdl_message_box.h"

#include <SDL.h>

#include <cstdio>

#include "platform/sdl/box_process_watch.h"
#include "platform/sdl/terminate_request.h"

namespace qz {

void SdlMessageBox::Show(const std::string& caption, const std::string& text, MessageIcon icon) {
  // The game is leaving on an order from outside: nobody will be there to click.
  if (TerminateRequested()) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return;
  }
  Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
  if (icon == MessageIcon::kExclamation)
    flags = SDL_MESSAGEBOX_WARNING;
  if (icon == MessageIcon::kStop)
    flags = SDL_MESSAGEBOX_ERROR;
  int shown = 0;
  {
    BoxProcessWatch watch;
    shown = SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), nullptr);
  }
  // A box closed by an order from outside was perhaps never read.
  if (shown != 0 || TerminateRequested())
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

}  // namespace qz
