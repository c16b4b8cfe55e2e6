#include "platform/sdl/sdl_message_box.h"

#include <SDL.h>

#include <cstdio>

namespace qz {

void SdlMessageBox::Show(const std::string& caption, const std::string& text, MessageIcon icon) {
  Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
  if (icon == MessageIcon::kExclamation)
    flags = SDL_MESSAGEBOX_WARNING;
  if (icon == MessageIcon::kStop)
    flags = SDL_MESSAGEBOX_ERROR;
  if (SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), nullptr) != 0) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  }
}

}  // namespace qz
