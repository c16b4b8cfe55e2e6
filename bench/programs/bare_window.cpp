// The floor for the game's figures: a bare SDL2 window of the game's size at the game's scale,
// drawn in software, that waits for the close button. With `--frames N` it instead presents N
// full frames, prints the time of one and exits.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 400;

// The largest whole scale at which the window takes at most 90 % of the screen.
int ScaleForScreen() {
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0)
    return 1;
  int scale = 1;
  while (kWidth * (scale + 1) * 10 <= mode.w * 9 && kHeight * (scale + 1) * 10 <= mode.h * 9)
    ++scale;
  return scale;
}

void TimeFrames(SDL_Window* window, int frames) {
  const Uint64 start = SDL_GetPerformanceCounter();
  for (int i = 0; i < frames; ++i) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, static_cast<Uint8>(i)));
    SDL_UpdateWindowSurface(window);
  }
  const double seconds = static_cast<double>(SDL_GetPerformanceCounter() - start) /
                         static_cast<double>(SDL_GetPerformanceFrequency());
  std::printf("%.0f us per full frame\n", seconds * 1e6 / frames);
}

}  // namespace

int main(int argc, char** argv) {
  int frames = 0;
  if (argc == 3 && std::strcmp(argv[1], "--frames") == 0)
    frames = std::atoi(argv[2]);
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  if (SDL_Init(SDL_INIT_VIDEO) != 0)
    return 1;
  const int scale = ScaleForScreen();
  SDL_Window* window = SDL_CreateWindow("BareWindow", SDL_WINDOWPOS_CENTERED,
                                        SDL_WINDOWPOS_CENTERED, kWidth * scale, kHeight * scale, 0);
  if (window == nullptr)
    return 1;
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0x80));
  SDL_UpdateWindowSurface(window);
  if (frames > 0) {
    TimeFrames(window, frames);
  } else {
    SDL_Event e;
    while (SDL_WaitEvent(&e) == 1) {
      if (e.type == SDL_QUIT)
        break;
      if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_EXPOSED)
        SDL_UpdateWindowSurface(window);
    }
  }
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
