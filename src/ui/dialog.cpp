#include "ui/dialog.h"

namespace qz {
namespace {

// The dialog font: a plain sans about as tall as the templates' 8-point face.
constexpr int kDialogFontHeight = 13;

}  // namespace

Dialog::Dialog(Platform& platform, int template_id) : Panel(platform, template_id) {
  m_pTop = this;
}

Dialog::~Dialog() = default;

// --- Life of the window ---------------------------------------------------------------

int Dialog::RunModal(Dialog* owner) {
  m_pModalOwner = owner;
  m_bEnded = false;
  m_bKeyboardUsed = false;
  m_nEndResult = 0;
  if (!Build(m_nTemplateId)) {
    m_pModalOwner = nullptr;
    return -1;
  }
  m_bVisible = true;
  OnInitDialog();
  if (!Ended()) {
    NativeWindow* owner_window = owner != nullptr ? owner->Window() : nullptr;
    m_pWindow = m_platform.windows.OpenWindow(m_template.title, m_template.PixelWidth(),
                                              m_template.PixelHeight(), Icon(), owner_window);
    Invalidate();
  }
  while (!Ended()) {
    Event e;
    // Paint only when nothing is waiting, so queued work (the posted start message) runs
    // before the first frame.
    if (!m_platform.events.Poll(e)) {
      PaintIfDirty();
      // Only a handler ends the window, and handlers run on events: nothing to wake up for.
      if (!m_platform.events.Wait(e, kWaitForever))
        continue;
    }
    HandleEvent(e);
  }
  OnDestroy();
  m_pWindow.reset();
  m_pFocus = nullptr;
  m_pCapture = nullptr;
  m_pModalOwner = nullptr;
  if (owner != nullptr)
    owner->Invalidate();
  return m_nEndResult;
}

void Dialog::EndDialog(int result) {
  if (m_bEnded)
    return;
  m_bEnded = true;
  m_nEndResult = result;
  // Wakes a loop that waits for events, wherever the call came from.
  m_platform.events.Post(Event{});
}

bool Dialog::Ended() const {
  return m_bEnded || (m_pModalOwner != nullptr && m_pModalOwner->Ended());
}

// --- Drawing --------------------------------------------------------------------------

bool Dialog::IsDirty() const {
  return !m_dirty.Empty();
}

void Dialog::InvalidateWindowArea(const Rect& area) {
  m_dirty = m_dirty.Union(area.Intersect(WindowRect()));
}

// Only the rectangle around what changed is repainted and presented: a running match writes
// its displays thousands of times, and each write is on screen before the call returns.
void Dialog::PaintIfDirty() {
  if (m_dirty.Empty() || m_pWindow == nullptr)
    return;
  const Rect region = m_dirty;
  Canvas& canvas = m_pWindow->GetCanvas();
  m_dirty = {};
  PaintInto(canvas, region);
  PaintFocusMark(canvas, region);
  canvas.ResetClip();
  if (!m_pWindow->Present(region)) {
    PaintAll();
    m_pWindow->Present(WindowRect());
  }
}

void Dialog::PaintAll() {
  if (m_pWindow == nullptr)
    return;
  Canvas& canvas = m_pWindow->GetCanvas();
  m_dirty = {};
  PaintInto(canvas, WindowRect());
  PaintFocusMark(canvas, WindowRect());
  canvas.ResetClip();
}

// --- ControlOwner ---------------------------------------------------------------------

void Dialog::OnCommand(int id, int code) {
  if (id == kIdOk && code == kBnClicked)
    OnOK();
  if (id == kIdCancel && code == kBnClicked)
    OnCancel();
}

void Dialog::OnOK() {
  UpdateData(true);
  EndDialog(kIdOk);
}

void Dialog::OnCancel() {
  EndDialog(kIdCancel);
}

Font* Dialog::DefaultFont() {
  if (!m_bDefaultFontTried) {
    m_bDefaultFontTried = true;
    m_pDefaultFont = MakeFont(FontFace::kSans, kDialogFontHeight);
  }
  return m_pDefaultFont;
}

}  // namespace qz
