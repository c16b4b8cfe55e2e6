#include "platform/sdl/sdl_video.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

#include "platform/sdl/terminate_request.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace qz {

#ifdef __EMSCRIPTEN__
namespace {
// The page learns here that the game is over: the runtime may stay alive after main() for
// callbacks still pending, and then never reports the exit.
// clang-format off
EM_JS(void, qz_web_game_ended, (), {
  if (Module.qzGameEnded) Module.qzGameEnded();
});
// clang-format on
}  // namespace
#endif

std::unique_ptr<SdlVideo> SdlVideo::Start(std::string* error) {
  // Without these SDL probes OpenGL for the window surface: it loads the GL driver, shows a
  // window, destroys it and shows another. The game draws in software and needs no GPU.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  // SIGTERM (a desktop session ending), SIGINT and SIGHUP are the game's own order to leave
  // and save (see terminate_request.h); their default action would lose the run's settings.
  // SDL_QUIT must mean only that: closing the last window stays a close request, which the
  // game may answer with a question.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  InstallTerminateHandlers();
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0) {
    if (error != nullptr)
      *error = SDL_GetError();
    SDL_Quit();
    return nullptr;
  }
  // With no display SDL falls back to its off-screen driver: a window nobody can see.
  const char* driver = SDL_GetCurrentVideoDriver();
  const bool chosen = std::getenv("SDL_VIDEODRIVER") != nullptr;
  if (!chosen && driver != nullptr &&
      (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
    if (error != nullptr)
      *error = "no display (DISPLAY is not set)";
    SDL_Quit();
    return nullptr;
  }
  std::unique_ptr<SdlVideo> video(new SdlVideo());
  video->m_pWakeupGuard = std::make_unique<X11WakeupGuard>();
  return video;
}

SdlVideo::~SdlVideo() {
  m_pWakeupGuard.reset();
  SDL_Quit();
#ifdef __EMSCRIPTEN__
  qz_web_game_ended();
#endif
}

}  // namespace qz
