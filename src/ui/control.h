#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/asset_store.h"
#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/event.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/window_system.h"
#include "ui/dialog_template.h"

namespace qz {

class Control;

// Command ids and notification codes as the owner receives them in OnCommand.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kBnClicked = 0;
inline constexpr int kStnClicked = 0;
inline constexpr int kEnSetFocus = 0x0100;
inline constexpr int kEnKillFocus = 0x0200;
inline constexpr int kEnUpdate = 0x0400;

// What the owner answers when a static or an edit asks for its colours. `background` fills the
// control before the text is drawn; without one the window's picture shows through.
struct CtlColor {
  ColorRef text = 0;
  std::optional<ColorRef> background;
};

// What a control needs from the window that holds it. Controls report, their owner decides.
class ControlOwner {
 public:
  virtual ~ControlOwner() = default;
  // A notification from a control: its id and what happened (the codes above).
  virtual void OnCommand(int id, int code) = 0;
  virtual CtlColor OnCtlColor(Control& control) = 0;
  // Something changed on screen inside `client_rect` (the owner's client coordinates): the
  // window repaints that part in the next paint cycle.
  virtual void Invalidate(const Rect& client_rect) = 0;
  // Paints and presents what changed, now.
  virtual void PresentNow() = 0;
  // Picture by name; nothing when the picture is missing or unreadable.
  virtual const Bitmap* FindPicture(const std::string& name) = 0;
  virtual std::string ClipboardText() = 0;
  // The focused box takes `entry` (TextEntry::kNone: the box lost the focus).
  virtual void NoteTextEntry(TextEntry /*entry*/) {}
  // Output pixels per logical pixel of the window's canvas.
  virtual int Scale() = 0;
  // The font for controls that were given none; may be nothing.
  virtual Font* DefaultFont() = 0;
  // Keyboard focus of the whole top-level window.
  virtual void SetFocus(Control* control) = 0;
  virtual Control* GetFocus() = 0;
  // The control became hidden or disabled: a focus on it must move elsewhere.
  virtual void OnControlUnusable(Control& control) = 0;
};

// A child control of a window: an id, a place in logical pixels within its window, a text and
// the visible and enabled states. Created from a template line; the window owns it (or binds a
// member object in its place).
class Control {
 public:
  Control() = default;
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // The template word this class takes the place of: "static", "button" or "edit".
  virtual std::string_view Kind() const = 0;
  // Takes id, place, text and styles from the template line. Called once, before use.
  virtual void ApplyTemplate(const ControlTemplate& t, ControlOwner* owner);

  int Id() const { return m_nId; }
  const Rect& GetRect() const { return m_rect; }
  // Keeps the top left corner, changes the size; both extents are drawn again.
  void Resize(int width, int height);
  std::uint32_t Styles() const { return m_nStyles; }
  bool HasStyle(std::uint32_t style) const { return (m_nStyles & style) != 0; }

  bool IsVisible() const { return m_bVisible; }
  bool IsEnabled() const { return m_bEnabled; }
  void Show(bool visible);
  void Enable(bool enabled);

  const std::string& GetText() const { return m_strText; }
  // Replaces the text; repaints in the next cycle.
  virtual void SetText(std::string_view text);

  void SetFont(Font* font);
  Font* GetFont() const;

  // Whether a mouse press at `p` (window coordinates) belongs to this control.
  virtual bool HitTest(Point p) const { return m_rect.Contains(p); }
  // Whether the control takes the focus when clicked.
  virtual bool TakesFocusOnClick() const { return false; }
  bool IsTabStop() const { return HasStyle(kStyleTabStop); }

  // Drawing: `where` is the control's rectangle on the canvas; the clip is set to it.
  virtual void Paint(Canvas& canvas, const Rect& where) = 0;

  // Input, in the control's own coordinates (0, 0 is its top left corner). A control that
  // took a press also gets the moves and the release.
  virtual void OnMouseDown(Point) {}
  virtual void OnMouseMove(Point) {}
  virtual void OnMouseUp(Point) {}
  // The press it took will get no release (the window gave the mouse to another control).
  virtual void OnCancelMode() {}
  virtual void OnKeyDown(const Event&) {}
  // Return or Space pressed while the control has the focus, before the key is routed: a
  // control that clicks on it does so and answers true; the others leave the key alone.
  virtual bool OnKeyClick(Key) { return false; }
  virtual void OnText(std::string_view) {}
  virtual void OnSetFocus() {}
  virtual void OnKillFocus() {}
  bool HasFocus() const;

  ControlOwner* Owner() const { return m_pOwner; }

 protected:
  void Notify(int code);
  void Invalidate();
  // Paints now: for the writes that must appear at once.
  void PresentNow();
  CtlColor AskColors();

  ControlOwner* m_pOwner = nullptr;
  int m_nId = 0;
  Rect m_rect;
  std::uint32_t m_nStyles = 0;
  bool m_bVisible = true;
  bool m_bEnabled = true;
  std::string m_strText;
  Font* m_pFont = nullptr;
};

}  // namespace qz
