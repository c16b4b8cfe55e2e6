#include "platform/sdl/sdl_window_system.h"

#include <SDL.h>

#include <stdexcept>

#include "platform/sdl/full_screen_check.h"
#include "platform/sdl/sdl_window.h"

namespace qz {
namespace {

constexpr int kLayoutWidth = 640;
constexpr int kLayoutHeight = 400;
// How long a window manager may take to put the window on the whole screen.
constexpr int kFullScreenWaitMs = 2000;

void SetIcon(SDL_Window* window, const Bitmap& icon) {
  if (icon.width <= 0 || icon.height <= 0)
    return;
  // SDL only reads the pixels while setting the icon, so they need not outlive the call.
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(icon.pixels.data()), icon.width,
                                         icon.height, 32, icon.width * 4, SDL_PIXELFORMAT_RGB888);
  if (surface == nullptr)
    return;
  SDL_SetWindowIcon(window, surface);
  SDL_FreeSurface(surface);
}

}  // namespace

SdlWindowSystem::SdlWindowSystem() {
  SDL_DisplayMode mode;
  const bool known = SDL_GetDesktopDisplayMode(0, &mode) == 0;
  m_nWindowScale = known ? ScaleForScreen(mode.w, mode.h) : 1;
  m_nFullScreenScale = known ? FullScreenScaleForScreen(mode.w, mode.h) : 1;
}

SdlWindowSystem::~SdlWindowSystem() {
  for (SDL_Window* target : m_wakeupTargets)
    SDL_DestroyWindow(target);
}

int SdlWindowSystem::ScaleForScreen(int screen_width, int screen_height) {
  int scale = 1;
  while (kLayoutWidth * (scale + 1) * 10 <= screen_width * 9 &&
         kLayoutHeight * (scale + 1) * 10 <= screen_height * 9) {
    ++scale;
  }
  return scale;
}

int SdlWindowSystem::FullScreenScaleForScreen(int screen_width, int screen_height) {
  int scale = 1;
  while (kLayoutWidth * (scale + 1) <= screen_width && kLayoutHeight * (scale + 1) <= screen_height)
    ++scale;
  return scale;
}

std::unique_ptr<NativeWindow> SdlWindowSystem::OpenWindow(const std::string& title, int width,
                                                          int height, const Bitmap* icon,
                                                          NativeWindow* owner) {
  auto* owner_window = dynamic_cast<SdlWindow*>(owner);
  int x = SDL_WINDOWPOS_CENTERED;
  int y = SDL_WINDOWPOS_CENTERED;
  if (owner_window != nullptr) {
    int ox = 0;
    int oy = 0;
    int ow = 0;
    int oh = 0;
    SDL_GetWindowPosition(owner_window->Handle(), &ox, &oy);
    SDL_GetWindowSize(owner_window->Handle(), &ow, &oh);
    x = ox + (ow - width * Scale()) / 2;
    y = oy + (oh - height * Scale()) / 2;
  }
  // The main window keeps its size in a window; full screen is a state SDL puts it in.
  const bool main = owner == nullptr && m_nMainId == 0;
  const int scale = main ? m_nWindowScale : Scale();
  // Created hidden so icon and owner are in place before the window manager first sees it.
  SDL_Window* window =
      SDL_CreateWindow(title.c_str(), x, y, width * scale, height * scale, SDL_WINDOW_HIDDEN);
  if (window == nullptr)
    throw std::runtime_error(std::string("cannot open a window: ") + SDL_GetError());
  if (icon != nullptr)
    SetIcon(window, *icon);
  if (owner_window != nullptr)
    SDL_SetWindowModalFor(window, owner_window->Handle());
  auto result = std::make_unique<SdlWindow>(window, width, height, scale, this);
  m_windows[result->Id()] = result.get();
  // Asked for before the window shows, so that a window manager shows it full screen at once.
  const bool full_screen = main && m_bFullScreen;
  if (main) {
    m_nMainId = result->Id();
    if (m_bFullScreen && !RequestFullScreen(*result, true))
      m_bFullScreen = false;
  }
  SDL_ShowWindow(window);
  if (full_screen && m_bFullScreen && !ConfirmFullScreen(*result))
    m_bFullScreen = false;
  else if (full_screen && m_bFullScreen && m_fullScreenListener)
    m_fullScreenListener(true, "");
  AddWakeupTarget();
  return result;
}

bool SdlWindowSystem::RequestFullScreen(SdlWindow& window, bool full_screen) {
  const Uint32 flags = full_screen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
  if (SDL_SetWindowFullscreen(window.Handle(), flags) != 0) {
    const std::string error = SDL_GetError();
    if (m_fullScreenListener)
      m_fullScreenListener(!full_screen, error.empty() ? "the display refused" : error);
    return false;
  }
  window.SetScale(full_screen ? m_nFullScreenScale : m_nWindowScale);
  // Some window managers (and no window manager) leave the window at the screen's size.
  if (!full_screen) {
    const Canvas& canvas = window.GetCanvas();
    SDL_SetWindowSize(window.Handle(), canvas.PixelWidth(), canvas.PixelHeight());
  }
  return true;
}

bool SdlWindowSystem::ConfirmFullScreen(SdlWindow& window) {
  std::string why;
  if (GotWholeScreen(window.Handle(), kFullScreenWaitMs, &why))
    return true;
  // Back to a window at its own scale, which fits the screen, and SDL's idea of the window's
  // size back to what the window system really has.
  SDL_SetWindowFullscreen(window.Handle(), 0);
  window.SetScale(m_nWindowScale);
  const Canvas& canvas = window.GetCanvas();
  SDL_SetWindowSize(window.Handle(), canvas.PixelWidth(), canvas.PixelHeight());
  if (m_fullScreenListener)
    m_fullScreenListener(false, why);
  return false;
}

bool SdlWindowSystem::ApplyFullScreen(SdlWindow& window, bool full_screen) {
  if (!RequestFullScreen(window, full_screen))
    return false;
  if (full_screen && !ConfirmFullScreen(window))
    return false;
  if (m_fullScreenListener)
    m_fullScreenListener(full_screen, "");
  return true;
}

bool SdlWindowSystem::SetFullScreen(bool full_screen) {
  auto main = m_windows.find(m_nMainId);
  if (main == m_windows.end()) {
    m_bFullScreen = full_screen;
    return true;
  }
  if (full_screen == m_bFullScreen)
    return true;
  if (!ApplyFullScreen(*main->second, full_screen))
    return false;
  m_bFullScreen = full_screen;
  return true;
}

void SdlWindowSystem::ToggleFullScreenFrom(std::uint32_t window_id) {
  if (window_id != m_nMainId || m_windows.size() != 1)
    return;
  SetFullScreen(!m_bFullScreen);
}

Point SdlWindowSystem::ToLogical(std::uint32_t window_id, int x, int y) const {
  auto found = m_windows.find(window_id);
  if (found != m_windows.end())
    return found->second->ToLogical(x, y);
  const int scale = Scale();
  return {x >= 0 ? x / scale : -((-x + scale - 1) / scale),
          y >= 0 ? y / scale : -((-y + scale - 1) / scale)};
}

void SdlWindowSystem::Forget(std::uint32_t window_id) {
  m_windows.erase(window_id);
  if (window_id == m_nMainId)
    m_nMainId = 0;
}

// SDL wakes a thread waiting for events by sending a message, on an X connection of its own, to
// the newest window; it does so even for the events it reads while waiting, on the waiting
// thread. A window closed by such an event (a box closed by a key or by its close button) is
// destroyed a moment later, and the X server may carry out the destruction first: the message
// then fails with BadWindow and Xlib's default handler ends the game. A hidden window made after
// each of the game's windows is the newest one and takes those messages instead; it is kept
// until two more have been made, when no message to it can still be on its way.
void SdlWindowSystem::AddWakeupTarget() {
  constexpr std::size_t kKept = 2;
  SDL_Window* target = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN);
  if (target == nullptr)
    return;
  m_wakeupTargets.push_back(target);
  while (m_wakeupTargets.size() > kKept) {
    SDL_DestroyWindow(m_wakeupTargets.front());
    m_wakeupTargets.pop_front();
  }
}

std::string SdlWindowSystem::ClipboardText() {
  char* text = SDL_GetClipboardText();
  if (text == nullptr)
    return {};
  std::string result(text);
  SDL_free(text);
  return result;
}

}  // namespace qz
