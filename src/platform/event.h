#pragma once

#include <cstdint>
#include <string>

namespace qz {

enum class EventType {
  kNone,
  kKeyDown,
  kKeyUp,
  kText,  // characters typed, UTF-8 in `text`
  kMouseDown,
  kMouseUp,
  kMouseMove,
  kTimer,   // a window timer fired; `id` is the timer id
  kClose,   // the window manager asks the window to close
  kQuit,    // the program is told to end from outside (a terminate signal, the desktop
            // session ending): nobody is there to answer a question; `window` is 0
  kApp,     // a message the game posted to itself; `id` says which
  kExpose,  // the window must be shown again (uncovered, resized)
};

enum class Key {
  kNone,
  kReturn,
  kEscape,
  kTab,
  kBackspace,
  kDelete,
  kLeft,
  kRight,
  kUp,
  kDown,
  kHome,
  kEnd,
  kSpace,
  kF1,
  kV,  // with `ctrl`, paste
  kA,  // with `ctrl`, select all
  kOther,
};

enum class MouseButton { kLeft, kRight, kMiddle };

struct Event {
  EventType type = EventType::kNone;
  std::uint32_t window = 0;  // which native window; 0 when it does not matter
  Key key = Key::kNone;
  bool shift = false;
  bool ctrl = false;
  std::string text;
  int x = 0;  // mouse position in logical canvas pixels of `window`
  int y = 0;
  MouseButton button = MouseButton::kLeft;
  int id = 0;
};

// The presses that cut a pause short: any key press or mouse-button press.
inline bool EndsPause(const Event& e) {
  return e.type == EventType::kKeyDown || e.type == EventType::kMouseDown;
}

}  // namespace qz
