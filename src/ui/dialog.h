#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/event.h"
#include "platform/pause.h"
#include "platform/platform.h"
#include "platform/window_system.h"
#include "ui/control.h"
#include "ui/dialog_template.h"

namespace qz {

// A window built from a dialog template at run time: it owns its controls, routes input to
// them, keeps the keyboard focus and paints itself and them on its canvas.
//
// Two kinds: a top-level dialog has its own native window and runs modally (RunModal); a
// child dialog (a panel) lives inside its parent's window and is drawn and routed by it.
//
// Event flow: the modal loop takes an event, lets the window pre-translate it (the keyboard
// keys of a dialog: Tab, Return, Space, Escape), dispatches it and repaints the whole canvas
// once if something changed. A pause (WaitPumping) dispatches without pre-translating. While a
// modal box is open, the windows under it still get their timers, posted messages and
// repaints, but no input; an order to quit goes to the window at the bottom. EndDialog makes
// every loop running in or above this dialog return.
class Dialog : public ControlOwner, public PumpTarget {
 public:
  Dialog(Platform& platform, int template_id);
  ~Dialog() override;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // --- Life of the window -------------------------------------------------------------
  // Builds the window, runs OnInitDialog, opens the native window (modal over `owner`'s, when
  // given) and runs the loop until EndDialog. Returns the EndDialog result, or -1 when the
  // template could not be read (LastError says why).
  int RunModal(Dialog* owner = nullptr);
  void EndDialog(int result);
  bool Ended() const override;
  // Builds this dialog as a hidden child of `parent` at its client origin from template
  // `template_id` (low 16 bits) and runs OnInitDialog. False, with LastError, on failure.
  bool CreateChild(int template_id, Dialog& parent);
  bool HasWindow() const { return m_bBuilt; }
  const std::string& LastError() const { return m_strError; }
  int TemplateId() const { return m_nTemplateId; }

  // Child placement and visibility. Positions are in the parent's client coordinates.
  void ShowWindow(bool show);
  bool IsWindowVisible() const { return m_bVisible; }
  void MoveWindow(int x, int y);
  // The window's rectangle in the coordinates of the top-level window.
  Rect WindowRect() const;

  // --- Controls -----------------------------------------------------------------------
  // Binds a member object to the template control `id`: the window
  // uses it instead of making its own. Call before the window is built.
  void Bind(int id, Control& member);
  Control* GetItem(int id) const;
  // This window's control `id`, else the first one of that id in its child panels.
  Control* FindControl(int id) const;
  // Direct write; the change is on screen when the call returns.
  void SetItemText(int id, const std::string& text);
  std::string GetItemText(int id) const;
  void ShowItem(int id, bool show);
  void EnableItem(int id, bool enable);
  void FocusItem(int id);
  // The control's colours or look depend on the window's state, which changed.
  void InvalidateItem(int id);
  // Whether the control and every window it lies in are shown.
  bool IsShown(const Control& control) const;
  // Whether it is shown and enabled.
  bool IsUsable(const Control& control) const;
  // The control's rectangle in the coordinates of the top-level window.
  Rect ItemRectInWindow(const Control& control) const;
  // Pushes (save false) or pulls (save true) the bound texts.
  void UpdateData(bool save);

  // The focus mark: a frame around the focused control, drawn as desktop toolkits draw theirs
  // once a key has been pressed in the window (never on a hidden or disabled control), so the
  // keyboard's user sees where Return and Space will go. Its rings, from the outside in: dark,
  // light, dark. Whatever the control and its background are made of, amber, black or the grey
  // of the metal, one dark ring parts the frame from it and the light ring stands out.
  static constexpr int kFocusMarkGap = 0;  // logical pixels between the control and the frame
  static constexpr int kFocusMarkRingWidths[] = {1, 2, 1};  // logical pixels, outside first
  static constexpr ColorRef kFocusMarkRingColors[] = {Rgb(0, 0, 0), Rgb(255, 255, 255),
                                                      Rgb(0, 0, 0)};
  static constexpr int kFocusMarkWidth =
      kFocusMarkRingWidths[0] + kFocusMarkRingWidths[1] + kFocusMarkRingWidths[2];
  bool ShowsFocusMark() const;
  // The focused control's rectangle in the top-level window grown by the mark.
  Rect FocusMarkArea(const Control& control) const;

  // A font kept alive as long as the window, at the window system's scale; nothing when the
  // font files are missing.
  Font* MakeFont(FontFace face, int height);

  // --- Time, events, drawing ----------------------------------------------------------
  // The game's pause: dispatches to this window for `ms` milliseconds; true when a key or
  // mouse press cut it short (or the window ended).
  bool WaitPumping(std::uint32_t ms);
  // Puts the current frame on screen, then blocks without dispatching anything.
  void Sleep(std::uint32_t ms);
  // Sends this window a kApp event with `id` through the queue.
  void PostApp(int id);
  void SetTimer(int id, std::uint32_t period_ms);
  void KillTimer(int id);

  // One event, dispatched without pre-translation (what a pause does).
  void Dispatch(const Event& e) override;
  // One event as the modal loop handles it: pre-translate, then dispatch.
  void HandleEvent(const Event& e);
  bool IsDirty() const;
  // Repaints and presents what changed since the last frame.
  void PaintIfDirty();
  // Paints the whole canvas now, without presenting.
  void PaintAll();
  NativeWindow* Window() const;

  // --- ControlOwner -------------------------------------------------------------------
  void OnCommand(int id, int code) override;
  CtlColor OnCtlColor(Control& control) override;
  // This whole window (a panel: its own area) repaints in the next paint cycle.
  void Invalidate();
  void Invalidate(const Rect& client_rect) override;
  void PresentNow() override;
  const Bitmap* FindPicture(const std::string& name) override;
  std::string ClipboardText() override;
  void NoteTextEntry(TextEntry entry) override;
  int Scale() override;
  Font* DefaultFont() override;
  void SetFocus(Control* control) override;
  Control* GetFocus() override;
  void OnControlUnusable(Control& control) override;

 protected:
  // Handlers: what the window does on each event.
  virtual bool OnInitDialog() { return true; }
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
  // Draws the window's background over `client` (canvas coordinates); the controls follow.
  virtual void OnPaint(Canvas& canvas, const Rect& client);
  virtual void OnShowWindow(bool) {}
  virtual void DoDataExchange(bool) {}
  // Where the focus goes when its control is hidden or disabled; the base: the first usable
  // tab stop.
  virtual Control* FocusFallback();
  // Whether a click on `control`, which takes the focus when clicked, may take it now; the
  // base: always.
  virtual bool ClickMayTakeFocus(const Control&) { return true; }
  // Whether the focused `control` carries the focus mark before any key was pressed; the
  // base: never.
  virtual bool MarksFocusWithoutKeyboard(const Control&) const { return false; }
  // The window's icon, for a top-level window.
  virtual const Bitmap* Icon() { return nullptr; }

  Platform& m_platform;

 private:
  bool Build(int template_id);
  std::unique_ptr<Control> MakeControl(const ControlTemplate& t);
  Dialog* Root();
  const Dialog* Root() const;
  Dialog* BottomOwner();
  Dialog* FindOwnerWindow(std::uint32_t window_id);
  bool IsForMe(const Event& e) const;
  // Marks `area` (top-level window coordinates) for the next paint cycle.
  void InvalidateWindowArea(const Rect& area);
  // Paints this window and its panels, limited to `region` (top-level window coordinates).
  void PaintInto(Canvas& canvas, const Rect& region);
  // Input routing, in top-level window coordinates.
  Control* ControlAt(Point p);
  void RouteMouse(const Event& e);
  void RouteKey(const Event& e);
  Control* UsableFocus();
  void TabOrder(std::vector<Control*>* chain);
  void MoveFocusByTab(bool backward);
  void NoteKeyboardUse();
  // Whether the focus mark may be on screen now, on whichever control has the focus.
  bool FocusMarkMayShow() const;
  // Drawn after the controls and panels, so no neighbour covers it.
  void PaintFocusMark(Canvas& canvas, const Rect& region);
  void ForgetControlsOf(Dialog& child);
  void ReleaseCapture();
  void RemoveChild(Dialog& child);

  int m_nTemplateId;
  DialogTemplate m_template;
  bool m_bBuilt = false;
  std::string m_strError;
  std::map<int, Control*> m_bound;
  std::vector<std::unique_ptr<Control>> m_owned;
  std::vector<Control*> m_controls;  // template order: painting order, bottom first
  std::vector<std::unique_ptr<Font>> m_fonts;
  Font* m_pDefaultFont = nullptr;
  bool m_bDefaultFontTried = false;

  Dialog* m_pParent = nullptr;      // for a child
  std::vector<Dialog*> m_children;  // panels, not owned
  Point m_origin;                   // in the parent's client coordinates
  bool m_bVisible = false;

  Dialog* m_pModalOwner = nullptr;  // for a top-level window run over another one
  std::unique_ptr<NativeWindow> m_pWindow;
  bool m_bEnded = false;
  int m_nEndResult = 0;
  Rect m_dirty;  // top-level only: what changed since the last frame; empty when nothing
  Control* m_pFocus = nullptr;    // top-level only
  bool m_bKeyboardUsed = false;   // top-level only: a key was pressed, the focus mark shows
  Control* m_pCapture = nullptr;  // top-level only
};

}  // namespace qz
