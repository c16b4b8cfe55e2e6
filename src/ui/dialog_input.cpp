// Input routing, keyboard focus and the focus mark of a top-level window.
#include <algorithm>
#include <iterator>
#include <limits>

#include "ui/dialog.h"
#include "ui/edit_box.h"

namespace qz {
namespace {

bool IsInput(const Event& e) {
  switch (e.type) {
    case EventType::kKeyDown:
    case EventType::kKeyUp:
    case EventType::kText:
    case EventType::kMouseDown:
    case EventType::kMouseUp:
    case EventType::kMouseMove:
    case EventType::kClose:
      return true;
    default:
      return false;
  }
}

}  // namespace

bool Dialog::IsForMe(const Event& e) const {
  const NativeWindow* window = Window();
  return e.window == 0 || (window != nullptr && e.window == window->Id());
}

Dialog* Dialog::BottomOwner() {
  Dialog* d = this;
  while (d->m_pModalOwner != nullptr)
    d = d->m_pModalOwner;
  return d;
}

Dialog* Dialog::FindOwnerWindow(std::uint32_t window_id) {
  for (Dialog* d = m_pModalOwner; d != nullptr; d = d->m_pModalOwner) {
    const NativeWindow* window = d->Window();
    if (window != nullptr && window->Id() == window_id)
      return d;
  }
  return nullptr;
}

void Dialog::HandleEvent(const Event& e) {
  if (IsForMe(e) && e.type == EventType::kKeyDown)
    NoteKeyboardUse();
  if (IsForMe(e) && PreTranslateMessage(e)) {
    PaintIfDirty();
    return;
  }
  Dispatch(e);
}

void Dialog::Dispatch(const Event& e) {
  if (!IsForMe(e)) {
    // A window under a modal box gets its repaints, timers and posted messages, no input.
    Dialog* other = FindOwnerWindow(e.window);
    if (other != nullptr && !IsInput(e))
      other->Dispatch(e);
    return;
  }
  if (e.window == 0 &&
      (e.type == EventType::kTimer || e.type == EventType::kApp || e.type == EventType::kQuit) &&
      m_pModalOwner != nullptr) {
    // Timers and messages posted before a window existed belong to the window at the bottom,
    // and so does an order to quit: ending the bottom window ends every box over it.
    BottomOwner()->Dispatch(e);
    PaintIfDirty();
    return;
  }
  switch (e.type) {
    case EventType::kKeyDown:
      NoteKeyboardUse();
      RouteKey(e);
      break;
    case EventType::kText:
      RouteKey(e);
      break;
    case EventType::kMouseDown:
    case EventType::kMouseMove:
    case EventType::kMouseUp:
      RouteMouse(e);
      break;
    case EventType::kTimer:
      OnTimer(e.id);
      break;
    case EventType::kApp:
      OnApp(e.id);
      break;
    case EventType::kClose:
      OnClose();
      break;
    case EventType::kQuit:
      OnQuit();
      break;
    case EventType::kExpose:
      Invalidate();
      break;
    default:
      break;
  }
  PaintIfDirty();
}

bool Dialog::PreTranslateMessage(const Event& e) {
  if (e.type != EventType::kKeyDown)
    return false;
  switch (e.key) {
    case Key::kTab:
      MoveFocusByTab(e.shift);
      return true;
    case Key::kReturn:
    case Key::kSpace: {
      Control* focus = UsableFocus();
      if (focus != nullptr && IsUsable(*focus) && focus->OnKeyClick(e.key))
        return true;
      // The game's windows have no default button: Return elsewhere does nothing.
      return e.key == Key::kReturn;
    }
    case Key::kEscape:
      OnCancel();
      return true;
    default:
      return false;
  }
}

void Dialog::RouteMouse(const Event& e) {
  const Point p{e.x, e.y};
  if (e.type == EventType::kMouseDown) {
    if (e.button != MouseButton::kLeft)
      return;
    // A press whose release never came (it went to another window) is given up.
    ReleaseCapture();
    Control* target = ControlAt(p);
    if (target == nullptr)
      return;
    if (target->TakesFocusOnClick() && ClickMayTakeFocus(*target))
      SetFocus(target);
    m_pCapture = target;
    const Rect r = ItemRectInWindow(*target);
    target->OnMouseDown({p.x - r.left, p.y - r.top});
    return;
  }
  Control* target = m_pCapture;
  if (target == nullptr)
    return;
  const Rect r = ItemRectInWindow(*target);
  const Point local{p.x - r.left, p.y - r.top};
  if (e.type == EventType::kMouseMove) {
    target->OnMouseMove(local);
  } else if (e.button == MouseButton::kLeft) {
    m_pCapture = nullptr;
    target->OnMouseUp(local);
  }
}

void Dialog::RouteKey(const Event& e) {
  Control* target = UsableFocus();
  if (target == nullptr || !IsUsable(*target))
    return;
  if (e.type == EventType::kText) {
    target->OnText(e.text);
  } else {
    target->OnKeyDown(e);
  }
}

Control* Dialog::UsableFocus() {
  if (m_pFocus == nullptr || !IsUsable(*m_pFocus)) {
    Control* fallback = FocusFallback();
    if (fallback != nullptr && fallback != m_pFocus)
      SetFocus(fallback);
  }
  return m_pFocus;
}

void Dialog::MoveFocusByTab(bool backward) {
  std::vector<Control*> chain;
  TabOrder(&chain);
  std::vector<Control*> usable;
  for (Control* c : chain) {
    if (IsUsable(*c))
      usable.push_back(c);
  }
  if (usable.empty())
    return;
  auto at = std::find(usable.begin(), usable.end(), m_pFocus);
  Control* next = nullptr;
  if (at == usable.end()) {
    next = backward ? usable.back() : usable.front();
  } else {
    const size_t n = usable.size();
    const size_t index = static_cast<size_t>(at - usable.begin());
    next = usable[backward ? (index + n - 1) % n : (index + 1) % n];
  }
  SetFocus(next);
  // A box reached with Tab has its whole text selected, so typing replaces it.
  if (auto* edit = dynamic_cast<EditBox*>(next))
    edit->SetSel(0, std::numeric_limits<int>::max());
}

Control* Dialog::FocusFallback() {
  std::vector<Control*> chain;
  TabOrder(&chain);
  for (Control* c : chain) {
    if (IsUsable(*c))
      return c;
  }
  return nullptr;
}

void Dialog::SetFocus(Control* control) {
  if (control == m_pFocus)
    return;
  Control* old = m_pFocus;
  m_pFocus = control;
  if (old != nullptr)
    InvalidateWindowArea(FocusMarkArea(*old));
  if (control != nullptr)
    InvalidateWindowArea(FocusMarkArea(*control));
  // The handlers may move the focus again; each side hears of its own change once.
  if (old != nullptr)
    old->OnKillFocus();
  if (control != nullptr && m_pFocus == control)
    control->OnSetFocus();
}

void Dialog::NoteKeyboardUse() {
  if (m_bKeyboardUsed)
    return;
  m_bKeyboardUsed = true;
  if (m_pFocus != nullptr)
    InvalidateWindowArea(FocusMarkArea(*m_pFocus));
}

bool Dialog::FocusMarkMayShow() const {
  return m_bKeyboardUsed || (m_pFocus != nullptr && MarksFocusWithoutKeyboard(*m_pFocus));
}

bool Dialog::ShowsFocusMark() const {
  return m_pFocus != nullptr && IsUsable(*m_pFocus) && FocusMarkMayShow();
}

void Dialog::PaintFocusMark(Canvas& canvas, const Rect& region) {
  if (!ShowsFocusMark())
    return;
  Rect ring = FocusMarkArea(*m_pFocus);
  canvas.ResetClip();
  canvas.SetClip(ring.Intersect(region).Intersect(WindowRect()));
  if (canvas.Clip().Empty())
    return;
  for (size_t i = 0; i < std::size(kFocusMarkRingWidths); ++i) {
    const int w = kFocusMarkRingWidths[i];
    const ColorRef color = kFocusMarkRingColors[i];
    canvas.FillRect({ring.left, ring.top, ring.right, ring.top + w}, color);
    canvas.FillRect({ring.left, ring.bottom - w, ring.right, ring.bottom}, color);
    canvas.FillRect({ring.left, ring.top, ring.left + w, ring.bottom}, color);
    canvas.FillRect({ring.right - w, ring.top, ring.right, ring.bottom}, color);
    ring = ring.Inflate(-w);
  }
}

void Dialog::ReleaseCapture() {
  Control* captured = m_pCapture;
  m_pCapture = nullptr;
  if (captured != nullptr)
    captured->OnCancelMode();
}

void Dialog::OnControlUnusable(Control& control) {
  if (m_pCapture == &control)
    ReleaseCapture();
  if (m_pFocus != &control || IsUsable(control))
    return;
  Control* fallback = FocusFallback();
  if (fallback != nullptr && fallback != &control)
    SetFocus(fallback);
}

void Dialog::ForgetControlsOf(Panel& panel) {
  for (Control* c : panel.m_controls) {
    if (m_pFocus == c)
      m_pFocus = nullptr;
    if (m_pCapture == c)
      m_pCapture = nullptr;
  }
}

}  // namespace qz
