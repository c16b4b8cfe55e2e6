// The floor for the idle figures: a bare SDL2 window drawn once in software that waits for
// the close button.
#include <SDL.h>

int main(int, char**) {
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  if (SDL_Init(SDL_INIT_VIDEO) != 0)
    return 1;
  SDL_Window* window =
      SDL_CreateWindow("BareWindow", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 400, 0);
  if (window == nullptr)
    return 1;
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0x80));
  SDL_UpdateWindowSurface(window);
  SDL_Event e;
  while (SDL_WaitEvent(&e) == 1) {
    if (e.type == SDL_QUIT)
      break;
    if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_EXPOSED) {
      SDL_UpdateWindowSurface(window);
    }
  }
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
