#include "platform/sdl/sdl_event_queue.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>

#include "platform/sdl/sdl_window_system.h"
#include "platform/sdl/terminate_request.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>

#include "platform/sdl/web/web_screen.h"
#endif

namespace qz {
namespace {

#ifdef __EMSCRIPTEN__
// SDL waits in the browser by sleeping 1 ms at a time, waking the page a thousand times a
// second. Input and timer ticks are queued by the page's own handlers while the game sleeps,
// so the game sleeps until one is queued (web/waits.js): an idle game costs the page nothing.
// A wait without an end looks again now and then all the same.
constexpr std::uint32_t kWebIdleLookMs = 1000;

extern "C" void qz_web_wake_on_event(int on);
extern "C" void qz_web_event_queued();

int WakeOnQueued(void* /*unused*/, SDL_Event* /*queued*/) {
  qz_web_event_queued();
  return 0;
}

// The page has one canvas: input goes to the top window in its coordinates.
void RouteInput(Event& e) {
  WebScreen::Get().Route(e);
}
#else
void RouteInput(Event&) {}
#endif

Key KeyOf(SDL_Keycode code) {
  switch (code) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return Key::kReturn;
    case SDLK_ESCAPE:
      return Key::kEscape;
    case SDLK_TAB:
      return Key::kTab;
    case SDLK_BACKSPACE:
      return Key::kBackspace;
    case SDLK_DELETE:
      return Key::kDelete;
    case SDLK_LEFT:
      return Key::kLeft;
    case SDLK_RIGHT:
      return Key::kRight;
    case SDLK_UP:
      return Key::kUp;
    case SDLK_DOWN:
      return Key::kDown;
    case SDLK_HOME:
      return Key::kHome;
    case SDLK_END:
      return Key::kEnd;
    case SDLK_SPACE:
      return Key::kSpace;
    case SDLK_F1:
      return Key::kF1;
    case SDLK_v:
      return Key::kV;
    case SDLK_a:
      return Key::kA;
    default:
      return Key::kOther;
  }
}

bool ButtonOf(std::uint8_t sdl_button, MouseButton& out) {
  switch (sdl_button) {
    case SDL_BUTTON_LEFT:
      out = MouseButton::kLeft;
      return true;
    case SDL_BUTTON_RIGHT:
      out = MouseButton::kRight;
      return true;
    case SDL_BUTTON_MIDDLE:
      out = MouseButton::kMiddle;
      return true;
    default:
      return false;
  }
}

constexpr std::uint32_t kTerminateCheckMs = 100;

// Whole logical pixels, rounding down also left of and above the window.
int ToLogical(int output, int scale) {
  return output >= 0 ? output / scale : -((-output + scale - 1) / scale);
}

Uint32 OnTimer(Uint32 interval, void* param) {
  auto* slot = static_cast<SdlEventQueue::TimerSlot*>(param);
  // At most one tick of a timer waits in the queue; the rest are dropped, like window timers.
  if (!slot->tick_queued.exchange(true)) {
    SDL_Event tick{};
    tick.type = slot->tick_event_type;
    tick.user.code = slot->id;
    tick.user.data1 = reinterpret_cast<void*>(static_cast<std::uintptr_t>(slot->generation.load()));
    if (SDL_PushEvent(&tick) != 1)
      slot->tick_queued = false;
  }
  return interval;
}

}  // namespace

SdlEventQueue::SdlEventQueue(int scale) : m_nScale(scale < 1 ? 1 : scale) {
  const Uint32 first = SDL_RegisterEvents(2);
  if (first != static_cast<Uint32>(-1)) {
    m_nTickType = first;
    m_nPostType = first + 1;
  }
  SDL_StartTextInput();
#ifdef __EMSCRIPTEN__
  SDL_AddEventWatch(WakeOnQueued, nullptr);
#endif
}

SdlEventQueue::SdlEventQueue(SdlWindowSystem& windows) : SdlEventQueue(windows.Scale()) {
  m_pWindows = &windows;
}

void SdlEventQueue::MousePosition(std::uint32_t window_id, int x, int y, Event& out) const {
  if (m_pWindows != nullptr) {
    const Point logical = m_pWindows->ToLogical(window_id, x, y);
    out.x = logical.x;
    out.y = logical.y;
    return;
  }
  out.x = ToLogical(x, m_nScale);
  out.y = ToLogical(y, m_nScale);
}

SdlEventQueue::~SdlEventQueue() {
#ifdef __EMSCRIPTEN__
  SDL_DelEventWatch(WakeOnQueued, nullptr);
#endif
  for (auto& [id, slot] : m_timers) {
    if (slot->active)
      SDL_RemoveTimer(slot->sdl_timer);
  }
}

bool SdlEventQueue::Wait(Event& out, std::uint32_t timeout_ms) {
  const std::uint32_t start = SDL_GetTicks();
#ifdef __EMSCRIPTEN__
  for (;;) {
    if (m_pWindows != nullptr)
      m_pWindows->FollowRoom();
    if (Poll(out))
      return true;
    const std::uint32_t elapsed = SDL_GetTicks() - start;
    if (timeout_ms != kWaitForever && elapsed >= timeout_ms)
      return false;
    qz_web_wake_on_event(1);
    emscripten_sleep(timeout_ms == kWaitForever ? kWebIdleLookMs : timeout_ms - elapsed);
    qz_web_wake_on_event(0);
  }
#endif
  for (;;) {
    if (TakeTerminateRequest(out))
      return true;
    // Waits in slices, so that an order to end is seen soon whatever SDL's wait does with
    // the signal.
    std::uint32_t slice = kTerminateCheckMs;
    if (timeout_ms != kWaitForever) {
      const std::uint32_t elapsed = SDL_GetTicks() - start;
      if (elapsed >= timeout_ms)
        return Poll(out);
      slice = std::min(slice, timeout_ms - elapsed);
    }
    SDL_Event sdl;
    if (SDL_WaitEventTimeout(&sdl, static_cast<int>(slice)) == 1 && Translate(sdl, out)) {
      RouteInput(out);
      return true;
    }
  }
}

bool SdlEventQueue::Poll(Event& out) {
  if (TakeTerminateRequest(out))
    return true;
  SDL_Event sdl;
  while (SDL_PollEvent(&sdl) == 1) {
    if (Translate(sdl, out)) {
      RouteInput(out);
      return true;
    }
  }
  return TakeTerminateRequest(out);
}

bool SdlEventQueue::TakeTerminateRequest(Event& out) {
  if (m_bQuitGiven || !TerminateRequested())
    return false;
  m_bQuitGiven = true;
  // Input not handled yet is dropped: the order to end goes ahead of it. What arrives later
  // is dropped as it comes (Translate).
  SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL);
  out = Event{};
  out.type = EventType::kQuit;
  return true;
}

void SdlEventQueue::Post(const Event& e) {
  std::uint32_t key = 0;
  {
    std::lock_guard<std::mutex> lock(m_postedLock);
    key = m_nNextPosted++;
    m_posted[key] = e;
  }
  SDL_Event sdl{};
  sdl.type = m_nPostType;
  sdl.user.code = static_cast<Sint32>(key);
  if (SDL_PushEvent(&sdl) != 1) {
    std::lock_guard<std::mutex> lock(m_postedLock);
    m_posted.erase(key);
  }
}

void SdlEventQueue::SetTimer(int id, std::uint32_t period_ms) {
  std::unique_ptr<TimerSlot>& slot = m_timers[id];
  if (!slot) {
    slot = std::make_unique<TimerSlot>();
    slot->id = id;
    slot->tick_event_type = m_nTickType;
  }
  if (slot->active)
    SDL_RemoveTimer(slot->sdl_timer);
  ++slot->generation;
  slot->tick_queued = false;
  slot->sdl_timer = SDL_AddTimer(period_ms == 0 ? 1 : period_ms, OnTimer, slot.get());
  slot->active = slot->sdl_timer != 0;
}

void SdlEventQueue::KillTimer(int id) {
  auto found = m_timers.find(id);
  if (found == m_timers.end() || !found->second->active)
    return;
  TimerSlot& slot = *found->second;
  SDL_RemoveTimer(slot.sdl_timer);
  slot.active = false;
  // A tick already queued is now stale and will be dropped.
  ++slot.generation;
}

bool SdlEventQueue::Translate(const SDL_Event& sdl, Event& out) {
  out = Event{};
  if (sdl.type == SDL_QUIT) {
    RequestTerminate();
    return TakeTerminateRequest(out);
  }
  if (m_bQuitGiven && sdl.type >= SDL_KEYDOWN && sdl.type <= SDL_MOUSEWHEEL)
    return false;
  if (sdl.type == m_nTickType && m_nTickType != 0) {
    auto found = m_timers.find(sdl.user.code);
    if (found == m_timers.end())
      return false;
    TimerSlot& slot = *found->second;
    const auto generation =
        static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(sdl.user.data1));
    if (!slot.active || generation != slot.generation)
      return false;
    slot.tick_queued = false;
    out.type = EventType::kTimer;
    out.id = slot.id;
    return true;
  }
  if (sdl.type == m_nPostType && m_nPostType != 0) {
    std::lock_guard<std::mutex> lock(m_postedLock);
    auto found = m_posted.find(static_cast<std::uint32_t>(sdl.user.code));
    if (found == m_posted.end())
      return false;
    out = std::move(found->second);
    m_posted.erase(found);
    return true;
  }
  switch (sdl.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      // Full screen is the platform's business: the game never sees F11, so switching cuts
      // no pause short and leaves every match, clock and question as it was.
      if (m_pWindows != nullptr && sdl.key.keysym.sym == SDLK_F11) {
        if (sdl.type == SDL_KEYDOWN && sdl.key.repeat == 0)
          m_pWindows->ToggleFullScreenFrom(sdl.key.windowID);
        return false;
      }
      out.type = sdl.type == SDL_KEYDOWN ? EventType::kKeyDown : EventType::kKeyUp;
      out.window = sdl.key.windowID;
      out.key = KeyOf(sdl.key.keysym.sym);
      out.shift = (sdl.key.keysym.mod & KMOD_SHIFT) != 0;
      out.ctrl = (sdl.key.keysym.mod & KMOD_CTRL) != 0;
      return true;
    case SDL_TEXTINPUT:
      out.type = EventType::kText;
      out.window = sdl.text.windowID;
      out.text = sdl.text.text;
      return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (!ButtonOf(sdl.button.button, out.button))
        return false;
      out.type = sdl.type == SDL_MOUSEBUTTONDOWN ? EventType::kMouseDown : EventType::kMouseUp;
      out.window = sdl.button.windowID;
      MousePosition(sdl.button.windowID, sdl.button.x, sdl.button.y, out);
      return true;
    case SDL_MOUSEMOTION:
      out.type = EventType::kMouseMove;
      out.window = sdl.motion.windowID;
      MousePosition(sdl.motion.windowID, sdl.motion.x, sdl.motion.y, out);
      return true;
    case SDL_WINDOWEVENT:
      out.window = sdl.window.windowID;
      switch (sdl.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          out.type = EventType::kClose;
          return true;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          out.type = EventType::kExpose;
          return true;
        default:
          return false;
      }
    default:
      return false;
  }
}

}  // namespace qz
