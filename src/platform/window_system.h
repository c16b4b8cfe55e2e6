#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/geometry.h"

namespace qz {

// A top-level window showing one canvas. Closing it is the owner's business: the window
// manager's close button arrives as a kClose event.
class NativeWindow {
 public:
  virtual ~NativeWindow() = default;
  virtual std::uint32_t Id() const = 0;
  virtual Canvas& GetCanvas() = 0;
  // Puts the part of the canvas inside `area` (logical pixels) on screen now. False when the
  // canvas lost its pixels first (the window system replaced the memory it draws into): the
  // caller paints the whole canvas again and presents it.
  virtual bool Present(const Rect& area) = 0;
  virtual void Raise() = 0;
};

// What the box with the keyboard focus takes: nothing (no box has it), digits only, or any
// text.
enum class TextEntry { kNone, kDigits, kText };

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // Opens a fixed-size window of width x height logical pixels at Scale(); `owner`, when
  // given, is the window this one is modal over.
  virtual std::unique_ptr<NativeWindow> OpenWindow(const std::string& title, int width, int height,
                                                   const Bitmap* icon, NativeWindow* owner) = 0;
  // Whole output pixels per logical pixel, chosen from the screen at start-up.
  virtual int Scale() const = 0;
  virtual std::string ClipboardText() = 0;
  // Told when a match begins (its Get Ready) and when it ends: the page around the game in a
  // browser keeps its own views from covering a running clock. Nothing else needs it.
  virtual void NoteMatchRunning(bool /*running*/) {}
  // Told when a box that takes typed text gets or loses the keyboard focus: a page on a
  // device without keys opens the device's own keyboard for text and gives digits from a pad
  // of its own. Nothing else needs it.
  virtual void NoteTextEntry(TextEntry /*entry*/) {}
};

}  // namespace qz
