#pragma once

#include <string>

struct SDL_Window;

namespace qz {

// Whether the window system really gave `window` the whole of its screen after SDL was asked
// to show it full screen. SDL takes the request as granted at once and draws for the screen's
// size; on X a window manager carries the request out, and with none (or one that does not)
// the window keeps its old size, showing part of what SDL draws. Waits up to `wait_ms` for a
// window manager to do it. `why` says what went wrong. True where there is no way to tell.
bool GotWholeScreen(SDL_Window* window, int wait_ms, std::string* why);

}  // namespace qz
