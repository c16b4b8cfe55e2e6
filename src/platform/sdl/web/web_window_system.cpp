// The browser flavour of SdlWindowSystem: every window is a layer of the page's one canvas.

#include <SDL.h>
#include <emscripten.h>

#include <memory>

#include "platform/sdl/sdl_window_system.h"
#include "platform/sdl/web/web_screen.h"

namespace qz {
namespace {

// The canvas's room in the page, in device pixels (CSS pixels times the pixel ratio), so the
// game picks a scale at which every canvas pixel is a whole number of screen pixels.
// clang-format off
EM_JS(int, qz_web_room_width, (), {
  return Math.floor((Module.qzRoomWidth ? Module.qzRoomWidth() : window.innerWidth) *
                    (window.devicePixelRatio || 1));
});
EM_JS(int, qz_web_room_height, (), {
  return Math.floor((Module.qzRoomHeight ? Module.qzRoomHeight() : window.innerHeight) *
                    (window.devicePixelRatio || 1));
});
// Whether the page is used by touch (its pad shown, or a coarse pointer such as a finger).
EM_JS(int, qz_web_used_by_touch, (), {
  return Module.qzUsedByTouch && Module.qzUsedByTouch() ? 1 : 0;
});
EM_JS(void, qz_web_canvas_ready, (int width, int height), {
  if (Module.qzCanvasReady)
    Module.qzCanvasReady(width, height);
});

EM_JS(void, qz_web_match_running, (int running), {
  Module.qzMatchRunning = !!running;
  if (Module.qzMatchRunningChanged)
    Module.qzMatchRunningChanged(!!running);
});

// 0: no box has the keyboard, 1: a box of digits, 2: a box of text.
EM_JS(void, qz_web_text_entry, (int entry), {
  if (Module.qzTextEntry)
    Module.qzTextEntry(entry);
});

// Set by the page when its room changed size; read and cleared by the game.
EM_JS(int, qz_web_take_room_change, (), {
  const changed = Module.qzRoomChanged ? 1 : 0;
  Module.qzRoomChanged = false;
  return changed;
});
// clang-format on

class WebWindow;
WebWindow* g_pMainWindow = nullptr;  // the first window opened without an owner
bool g_bRoomChangePending = false;   // seen while a box was open: followed once it closes

class WebWindow : public NativeWindow {
 public:
  WebWindow(int width, int height, int scale, NativeWindow* owner)
      : m_pCanvas(std::make_unique<Canvas>(width, height, scale)) {
    WebScreen& screen = WebScreen::Get();
    const Point at = screen.PlaceOver(owner != nullptr ? owner->Id() : 0, width, height);
    m_nId = screen.AddLayer(*m_pCanvas, at.x, at.y);
    if (owner == nullptr && g_pMainWindow == nullptr)
      g_pMainWindow = this;
  }
  ~WebWindow() override {
    if (g_pMainWindow == this)
      g_pMainWindow = nullptr;
    WebScreen::Get().RemoveLayer(m_nId);
  }
  WebWindow(const WebWindow&) = delete;
  WebWindow& operator=(const WebWindow&) = delete;

  // A new, blank canvas at `scale`; the game fills it on the expose that follows.
  void Rescale(int scale) {
    m_pCanvas = std::make_unique<Canvas>(m_pCanvas->Width(), m_pCanvas->Height(), scale);
    WebScreen::Get().Rescale(scale, m_nId, *m_pCanvas);
  }

  std::uint32_t Id() const override { return m_nId; }
  Canvas& GetCanvas() override { return *m_pCanvas; }
  bool Present(const Rect& area) override {
    WebScreen::Get().Present(m_nId, area);
    return true;
  }
  void Raise() override { WebScreen::Get().Raise(m_nId); }

 private:
  std::unique_ptr<Canvas> m_pCanvas;
  std::uint32_t m_nId = 0;
};

}  // namespace

// The page already fills the browser's window and the browser has a full screen of its own, so
// the game's full-screen switch stays off; the scale follows the room instead (FollowRoom).
SdlWindowSystem::SdlWindowSystem()
    : m_nWindowScale(ScaleForScreen(qz_web_room_width(), qz_web_room_height())),
      m_nFullScreenScale(m_nWindowScale) {
  WebScreen::Get().SetScale(m_nWindowScale);
  qz_web_canvas_ready(640 * m_nWindowScale, 400 * m_nWindowScale);
}

SdlWindowSystem::~SdlWindowSystem() = default;

// In the page the canvas may fill its room: the largest whole scale that fits, at least 1.
// On a touch screen, where that leaves more than a third of the room's width empty (a phone
// held upright: 213 of 390 CSS pixels) and the room is wide rather than high for the game, the
// next scale up is drawn and the page shrinks the canvas to the width: smoothed slightly, and
// still far sharper than the whole scale below, for fingers that need the larger targets.
// With a mouse the canvas keeps whole pixels.
int SdlWindowSystem::ScaleForScreen(int screen_width, int screen_height) {
  int scale = 1;
  while (640 * (scale + 1) <= screen_width && 400 * (scale + 1) <= screen_height)
    ++scale;
  const bool width_bound = 400 * static_cast<long long>(screen_width) <= 640LL * screen_height;
  if (width_bound && 3 * (screen_width - 640 * scale) > screen_width && qz_web_used_by_touch())
    ++scale;
  return scale;
}

std::unique_ptr<NativeWindow> SdlWindowSystem::OpenWindow(const std::string& /*title*/, int width,
                                                          int height, const Bitmap* /*icon*/,
                                                          NativeWindow* owner) {
  return std::make_unique<WebWindow>(width, height, m_nWindowScale, owner);
}

bool SdlWindowSystem::SetFullScreen(bool full_screen) {
  if (!full_screen)
    return true;
  if (m_fullScreenListener)
    m_fullScreenListener(false, "the browser's own full screen is used in the page");
  return false;
}

void SdlWindowSystem::ToggleFullScreenFrom(std::uint32_t /*window_id*/) {}

// Positions on the page's one canvas; the screen routes them to the window under them.
Point SdlWindowSystem::ToLogical(std::uint32_t /*window_id*/, int x, int y) const {
  const int scale = Scale();
  return {x >= 0 ? x / scale : -((-x + scale - 1) / scale),
          y >= 0 ? y / scale : -((-y + scale - 1) / scale)};
}

void SdlWindowSystem::Forget(std::uint32_t /*window_id*/) {}

// A box keeps the scale it opened at, as on the desktop's full-screen switch, so the change
// waits until the main window is alone again.
void SdlWindowSystem::FollowRoom() {
  g_bRoomChangePending = qz_web_take_room_change() != 0 || g_bRoomChangePending;
  if (!g_bRoomChangePending || g_pMainWindow == nullptr || WebScreen::Get().LayerCount() != 1)
    return;
  g_bRoomChangePending = false;
  const int scale = ScaleForScreen(qz_web_room_width(), qz_web_room_height());
  if (scale == m_nWindowScale)
    return;
  m_nWindowScale = scale;
  m_nFullScreenScale = scale;
  g_pMainWindow->Rescale(scale);
  qz_web_canvas_ready(640 * scale, 400 * scale);
}

void SdlWindowSystem::AddWakeupTarget() {}

void SdlWindowSystem::NoteMatchRunning(bool running) {
  qz_web_match_running(running ? 1 : 0);
}

void SdlWindowSystem::NoteTextEntry(TextEntry entry) {
  qz_web_text_entry(entry == TextEntry::kText ? 2 : entry == TextEntry::kDigits ? 1 : 0);
}

}  // namespace qz
