#pragma once

#include <cstdint>
#include <memory>

#include "platform/event.h"
#include "platform/pause.h"
#include "platform/platform.h"
#include "platform/window_system.h"
#include "ui/control.h"
#include "ui/panel.h"

namespace qz {

// A top-level window built from a dialog template at run time: the outermost panel of its
// window. It has its own native window and runs modally (RunModal); it keeps the keyboard
// focus, the mouse capture and what must be repainted for itself and every panel in it, routes
// input to their controls and paints them all on its canvas.
//
// Event flow: the modal loop takes an event, lets the window pre-translate it (the keyboard
// keys of a dialog: Tab, Return, Space, Escape), dispatches it and repaints what changed (the
// dirty rectangle) once. A pause (WaitPumping) dispatches without pre-translating. While a
// modal box is open, the windows under it still get their timers, posted messages and
// repaints, but no input; an order to quit goes to the window at the bottom. EndDialog makes
// every loop running in or above this window return.
class Dialog : public Panel, public PumpTarget {
 public:
  Dialog(Platform& platform, int template_id);
  ~Dialog() override;

  // --- Life of the window -------------------------------------------------------------
  // Builds the window, runs OnInitDialog, opens the native window (modal over `owner`'s, when
  // given) and runs the loop until EndDialog. Returns the EndDialog result, or -1 when the
  // template could not be read (LastError says why).
  int RunModal(Dialog* owner = nullptr);
  void EndDialog(int result);
  bool Ended() const override;

  // --- Focus ----------------------------------------------------------------------------
  // Whether the focus mark is on screen now, around the focused control.
  bool ShowsFocusMark() const;

  // --- Events and drawing -------------------------------------------------------------
  // One event, dispatched without pre-translation (what a pause does).
  void Dispatch(const Event& e) override;
  // One event as the modal loop handles it: pre-translate, then dispatch.
  void HandleEvent(const Event& e);
  bool IsDirty() const;
  // Repaints and presents what changed since the last frame.
  void PaintIfDirty();
  // Paints the whole canvas now, without presenting.
  void PaintAll();

  // --- ControlOwner: the window's own ---------------------------------------------------
  void OnCommand(int id, int code) override;
  Font* DefaultFont() override;
  void SetFocus(Control* control) override;
  void OnControlUnusable(Control& control) override;

 protected:
  // Handlers: what the window does on each event.
  // True when the event was handled here and must not be dispatched. The base does the
  // dialog keys: Tab and Shift+Tab move the focus between tab stops, Return or Space click
  // the focused picture button (Return elsewhere does nothing), Escape is OnCancel.
  virtual bool PreTranslateMessage(const Event& e);
  virtual void OnOK();
  virtual void OnCancel();
  virtual void OnClose() { OnCancel(); }
  // The program is told to end (kQuit): it reaches the window at the bottom of the modal
  // stack, whichever loop takes it. The base ends this window.
  virtual void OnQuit() { EndDialog(kIdCancel); }
  // The modal loop has ended and every handler it ran has returned; the window is still open.
  virtual void OnDestroy() {}
  virtual void OnTimer(int) {}
  virtual void OnApp(int) {}
  // Where the focus goes when its control is hidden or disabled; the base: the first usable
  // tab stop.
  virtual Control* FocusFallback();
  // Whether a click on `control`, which takes the focus when clicked, may take it now; the
  // base: always.
  virtual bool ClickMayTakeFocus(const Control&) { return true; }
  // Whether the focused `control` carries the focus mark before any key was pressed; the
  // base: never.
  virtual bool MarksFocusWithoutKeyboard(const Control&) const { return false; }
  // The window's icon.
  virtual const Bitmap* Icon() { return nullptr; }

 private:
  // Its panels mark what changed and ask whether the focus mark may show.
  friend class Panel;

  Dialog* BottomOwner();
  Dialog* FindOwnerWindow(std::uint32_t window_id);
  bool IsForMe(const Event& e) const;
  // Marks `area` (window coordinates) for the next paint cycle.
  void InvalidateWindowArea(const Rect& area);
  // Input routing, in window coordinates.
  void RouteMouse(const Event& e);
  void RouteKey(const Event& e);
  Control* UsableFocus();
  void MoveFocusByTab(bool backward);
  void NoteKeyboardUse();
  // Whether the focus mark may be on screen now, on whichever control has the focus.
  bool FocusMarkMayShow() const;
  // Drawn after the controls and panels, so no neighbour covers it.
  void PaintFocusMark(Canvas& canvas, const Rect& region);
  // A panel goes: the focus and the capture let go of its controls.
  void ForgetControlsOf(Panel& panel);
  void ReleaseCapture();

  Dialog* m_pModalOwner = nullptr;  // for a window run over another one
  std::unique_ptr<NativeWindow> m_pWindow;
  bool m_bEnded = false;
  int m_nEndResult = 0;
  Rect m_dirty;  // what changed since the last frame; empty when nothing
  Control* m_pFocus = nullptr;
  bool m_bKeyboardUsed = false;  // a key was pressed: the focus mark shows
  Control* m_pCapture = nullptr;
  Font* m_pDefaultFont = nullptr;
  bool m_bDefaultFontTried = false;
};

}  // namespace qz
