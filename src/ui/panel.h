#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/window_system.h"
#include "ui/control.h"
#include "ui/dialog_template.h"
#include "ui/palette.h"

namespace qz {

class Dialog;

// A part of a window built from a dialog template at run time: it owns its controls (or binds
// member objects in their place) and may hold child panels, and paints itself and them. A
// panel lies in one top-level window (a Dialog, itself the outermost panel), which keeps the
// focus, the capture and what must be repainted, and runs the loop; what a panel does about
// those, it asks its window.
class Panel : public ControlOwner {
 public:
  Panel(Platform& platform, int template_id);
  ~Panel() override;
  Panel(const Panel&) = delete;
  Panel& operator=(const Panel&) = delete;

  // Builds this panel as a hidden child of `parent` at its client origin from template
  // `template_id` (low 16 bits) and runs OnInitDialog. False, with LastError, on failure.
  bool CreateChild(int template_id, Panel& parent);
  bool HasWindow() const { return m_bBuilt; }
  const std::string& LastError() const { return m_strError; }
  int TemplateId() const { return m_nTemplateId; }
  // The window was told to end (a panel: the window it lies in).
  virtual bool Ended() const;

  // Child placement and visibility. Positions are in the parent's client coordinates.
  void ShowWindow(bool show);
  bool IsWindowVisible() const { return m_bVisible; }
  void MoveWindow(int x, int y);
  // The panel's rectangle in the coordinates of the top-level window.
  Rect WindowRect() const;

  // --- Controls -----------------------------------------------------------------------
  // Binds a member object to the template control `id`: the panel uses it instead of making
  // its own. Call before the panel is built.
  void Bind(int id, Control& member);
  Control* GetItem(int id) const;
  // This panel's control `id`, else the first one of that id in its child panels.
  Control* FindControl(int id) const;
  // Direct write; the change is on screen when the call returns.
  void SetItemText(int id, const std::string& text);
  std::string GetItemText(int id) const;
  void ShowItem(int id, bool show);
  void EnableItem(int id, bool enable);
  void FocusItem(int id);
  // The control's colours or look depend on the panel's state, which changed.
  void InvalidateItem(int id);
  // Whether the control and every panel it lies in are shown.
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
  static constexpr ColorRef kFocusMarkRingColors[] = {kBlack, kWhite, kBlack};
  static constexpr int kFocusMarkWidth =
      kFocusMarkRingWidths[0] + kFocusMarkRingWidths[1] + kFocusMarkRingWidths[2];
  // The control's rectangle in the top-level window grown by the mark.
  Rect FocusMarkArea(const Control& control) const;

  // A font kept alive as long as the panel, at the window system's scale; nothing when the
  // font files are missing.
  Font* MakeFont(FontFace face, int height);

  // --- Time, events (of the window the panel lies in) ----------------------------------
  // The game's pause: dispatches to the window for `ms` milliseconds; true when a key or
  // mouse press cut it short (or the window ended).
  bool WaitPumping(std::uint32_t ms);
  // Puts the current frame on screen, then blocks without dispatching anything.
  void Sleep(std::uint32_t ms);
  // Sends the window a kApp event with `id` through the queue.
  void PostApp(int id);
  void SetTimer(int id, std::uint32_t period_ms);
  void KillTimer(int id);
  // The native window the panel is shown in; nothing before it opens.
  NativeWindow* Window() const;

  // --- ControlOwner -------------------------------------------------------------------
  // The focus, the repaint and the default font are the window's: a panel asks it.
  void OnCommand(int id, int code) override;
  CtlColor OnCtlColor(Control& control) override;
  // This whole panel repaints in the next paint cycle.
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
  // Handlers.
  virtual bool OnInitDialog() { return true; }
  // Draws the panel's background over `client` (canvas coordinates); the controls follow.
  virtual void OnPaint(Canvas& canvas, const Rect& client);
  virtual void OnShowWindow(bool) {}
  virtual void DoDataExchange(bool) {}

  Platform& m_platform;

 private:
  // The window works its panels' controls: building, painting, hit tests, the tab order.
  friend class Dialog;

  bool Build(int template_id);
  std::unique_ptr<Control> MakeControl(const ControlTemplate& t);
  // Paints this panel and its children, limited to `region` (top-level window coordinates).
  void PaintInto(Canvas& canvas, const Rect& region);
  // The enabled control under `p` (top-level window coordinates), children first.
  Control* ControlAt(Point p);
  // The tab stops of this panel, then of its children, in order.
  void TabOrder(std::vector<Control*>* chain);
  void RemoveChild(Panel& child);

  int m_nTemplateId;
  DialogTemplate m_template;
  bool m_bBuilt = false;
  std::string m_strError;
  std::map<int, Control*> m_bound;
  std::vector<std::unique_ptr<Control>> m_owned;
  std::vector<Control*> m_controls;  // template order: painting order, bottom first
  std::vector<std::unique_ptr<Font>> m_fonts;

  Dialog* m_pTop = nullptr;        // the top-level window the panel lies in; null when none
  Panel* m_pParent = nullptr;      // for a child
  std::vector<Panel*> m_children;  // not owned
  Point m_origin;                  // in the parent's client coordinates
  bool m_bVisible = false;
};

}  // namespace qz
