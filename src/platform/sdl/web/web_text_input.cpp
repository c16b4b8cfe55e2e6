// Text from the page: the page's typing box takes what is typed, pasted or committed by an
// input method (SDL's own key handler sees a character outside the Basic Multilingual Plane
// as two halves, and sees no paste or input method at all), and hands it to the game as SDL's
// text events, whole characters only. A paste reaches the game as Ctrl+V, as on the desktop,
// and the game reads the pasted text as its clipboard.
// The keys of the page's number pad reach the game as a keyboard's keys do.

#include <SDL.h>
#include <emscripten.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include "platform/sdl/sdl_window_system.h"
#include "platform/sdl/web/web_screen.h"

namespace qz {
namespace {

// clang-format off
EM_JS(int, qz_web_text_size, (int which), {
  const text = (which ? Module.qzPasted : Module.qzTyped) || "";
  return lengthBytesUTF8(text) + 1;
});
EM_JS(void, qz_web_text_copy, (int which, char* out, int size), {
  stringToUTF8((which ? Module.qzPasted : Module.qzTyped) || "", out, size);
  if (!which) Module.qzTyped = "";
});
// clang-format on

constexpr int kTyped = 0;
constexpr int kPasted = 1;

std::string PageText(int which) {
  const int size = qz_web_text_size(which);
  std::string text(static_cast<std::size_t>(size), '\0');
  qz_web_text_copy(which, text.data(), size);
  text.resize(std::strlen(text.c_str()));
  return text;
}

// Where `text` (UTF-8) may be cut at or before `limit` without splitting a character.
std::size_t CharacterBoundary(const std::string& text, std::size_t limit) {
  if (limit >= text.size())
    return text.size();
  while (limit > 0 && (static_cast<unsigned char>(text[limit]) & 0xC0) == 0x80)
    --limit;
  return limit;
}

}  // namespace

std::string SdlWindowSystem::ClipboardText() {
  return PageText(kPasted);
}

}  // namespace qz

// The page has text for the game (Module.qzTyped): queued as text events no longer than SDL's.
extern "C" EMSCRIPTEN_KEEPALIVE void qz_web_typed() {
  const std::string text = qz::PageText(qz::kTyped);
  const std::uint32_t window = qz::WebScreen::Get().SdlWindowId();
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = qz::CharacterBoundary(text, at + SDL_TEXTINPUTEVENT_TEXT_SIZE - 1);
    if (end == at)
      break;
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = window;
    std::memcpy(e.text.text, text.data() + at, end - at);
    SDL_PushEvent(&e);
    at = end;
  }
}

// The page took a paste (Module.qzPasted): the game hears Ctrl+V, as on the desktop.
extern "C" EMSCRIPTEN_KEEPALIVE void qz_web_paste() {
  SDL_Event e{};
  e.key.windowID = qz::WebScreen::Get().SdlWindowId();
  e.key.keysym.scancode = SDL_SCANCODE_V;
  e.key.keysym.sym = SDLK_v;
  e.key.keysym.mod = KMOD_LCTRL;
  for (const Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
    e.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&e);
  }
}

// A key of the page's number pad: the game hears what the same key of a keyboard gives, a
// press with its character ('0' to '9', '-', '.') and a release, or Backspace (8) or Return
// (13) pressed and released.
extern "C" EMSCRIPTEN_KEEPALIVE void qz_web_pad_key(int key) {
  SDL_Keycode sym = SDLK_UNKNOWN;
  SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN;
  if (key >= '1' && key <= '9') {
    sym = key;
    scancode = static_cast<SDL_Scancode>(SDL_SCANCODE_1 + (key - '1'));
  } else if (key == '0') {
    sym = SDLK_0;
    scancode = SDL_SCANCODE_0;
  } else if (key == '-') {
    sym = SDLK_MINUS;
    scancode = SDL_SCANCODE_MINUS;
  } else if (key == '.') {
    sym = SDLK_PERIOD;
    scancode = SDL_SCANCODE_PERIOD;
  } else if (key == 8) {
    sym = SDLK_BACKSPACE;
    scancode = SDL_SCANCODE_BACKSPACE;
  } else if (key == 13) {
    sym = SDLK_RETURN;
    scancode = SDL_SCANCODE_RETURN;
  } else {
    return;
  }
  SDL_Event e{};
  e.key.windowID = qz::WebScreen::Get().SdlWindowId();
  e.key.keysym.scancode = scancode;
  e.key.keysym.sym = sym;
  e.type = SDL_KEYDOWN;
  e.key.state = SDL_PRESSED;
  SDL_PushEvent(&e);
  if (key != 8 && key != 13) {
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    text.text.windowID = e.key.windowID;
    text.text.text[0] = static_cast<char>(key);
    SDL_PushEvent(&text);
  }
  e.type = SDL_KEYUP;
  e.key.state = SDL_RELEASED;
  SDL_PushEvent(&e);
}
