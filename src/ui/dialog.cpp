#include "ui/dialog.h"

#include <algorithm>

#include "platform/scale_following_font.h"
#include "ui/bitmap_static.h"
#include "ui/edit_box.h"
#include "ui/palette.h"
#include "ui/picture_button.h"
#include "ui/text_static.h"

namespace qz {
namespace {

// The colours every dialog of the game starts from: black background, amber text.
constexpr ColorRef kDialogBack = kBlack;
constexpr ColorRef kDialogText = kAmber;
// The dialog font: a plain sans about as tall as the templates' 8-point face.
constexpr int kDialogFontHeight = 13;

}  // namespace

Dialog::Dialog(Platform& platform, int template_id)
    : m_platform(platform), m_nTemplateId(template_id) {}

Dialog::~Dialog() {
  for (Dialog* child : m_children)
    child->m_pParent = nullptr;
  if (m_pParent != nullptr) {
    m_pParent->Root()->ForgetControlsOf(*this);
    m_pParent->RemoveChild(*this);
  }
}

// --- Life of the window ---------------------------------------------------------------

bool Dialog::Build(int template_id) {
  std::string error;
  std::optional<DialogTemplate> t = LoadDialogTemplate(m_platform.assets, template_id, &error);
  if (!t) {
    m_strError = error;
    return false;
  }
  m_template = std::move(*t);
  m_owned.clear();
  m_controls.clear();
  for (const ControlTemplate& ct : m_template.controls) {
    Control* control = nullptr;
    auto bound = m_bound.find(ct.id);
    if (bound != m_bound.end() && ct.id != -1) {
      control = bound->second;
      if (control->Kind() != ct.kind) {
        m_strError = std::to_string(template_id) + ".dlg, line " + std::to_string(ct.line) +
                     ": control " + std::to_string(ct.id) + " is a " + ct.kind +
                     " but the window binds a " + std::string(control->Kind());
        m_controls.clear();
        return false;
      }
    } else {
      m_owned.push_back(MakeControl(ct));
      control = m_owned.back().get();
    }
    control->ApplyTemplate(ct, this);
    m_controls.push_back(control);
  }
  m_bBuilt = true;
  m_bVisible = m_template.Has(kStyleVisible);
  return true;
}

std::unique_ptr<Control> Dialog::MakeControl(const ControlTemplate& t) {
  if (t.kind == "button")
    return std::make_unique<PictureButton>();
  if (t.kind == "edit")
    return std::make_unique<EditBox>();
  if (t.Has(kStyleBitmap))
    return std::make_unique<BitmapStatic>();
  return std::make_unique<TextStatic>();
}

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
    NativeWindow* owner_window = owner != nullptr ? owner->Root()->Window() : nullptr;
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
    owner->Root()->Invalidate();
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
  if (m_pParent != nullptr)
    return m_pParent->Ended();
  return m_bEnded || (m_pModalOwner != nullptr && m_pModalOwner->Ended());
}

bool Dialog::CreateChild(int template_id, Dialog& parent) {
  if (m_bBuilt)
    return false;
  if (!Build(template_id & 0xFFFF))
    return false;
  m_pParent = &parent;
  m_origin = {0, 0};
  parent.m_children.push_back(this);
  OnInitDialog();
  Invalidate();
  return true;
}

void Dialog::ShowWindow(bool show) {
  if (show == m_bVisible)
    return;
  m_bVisible = show;
  Invalidate();
  if (!show) {
    Dialog* root = Root();
    if (root->m_pFocus != nullptr && !IsUsable(*root->m_pFocus)) {
      root->OnControlUnusable(*root->m_pFocus);
    }
  }
  OnShowWindow(show);
}

void Dialog::MoveWindow(int x, int y) {
  if (x == m_origin.x && y == m_origin.y)
    return;
  Invalidate();  // where it was
  m_origin = {x, y};
  Invalidate();
}

Rect Dialog::WindowRect() const {
  int x = 0;
  int y = 0;
  for (const Dialog* d = this; d != nullptr; d = d->m_pParent) {
    x += d->m_origin.x;
    y += d->m_origin.y;
  }
  return Rect::FromSize(x, y, m_template.PixelWidth(), m_template.PixelHeight());
}

Dialog* Dialog::Root() {
  Dialog* d = this;
  while (d->m_pParent != nullptr)
    d = d->m_pParent;
  return d;
}

const Dialog* Dialog::Root() const {
  const Dialog* d = this;
  while (d->m_pParent != nullptr)
    d = d->m_pParent;
  return d;
}

void Dialog::RemoveChild(Dialog& child) {
  m_children.erase(std::remove(m_children.begin(), m_children.end(), &child), m_children.end());
  Invalidate();
}

// --- Controls -------------------------------------------------------------------------

void Dialog::Bind(int id, Control& member) {
  m_bound[id] = &member;
}

Control* Dialog::GetItem(int id) const {
  for (Control* c : m_controls) {
    if (c->Id() == id)
      return c;
  }
  return nullptr;
}

void Dialog::SetItemText(int id, const std::string& text) {
  Control* c = GetItem(id);
  if (c == nullptr)
    return;
  c->SetText(text);
  Root()->PaintIfDirty();
}

void Dialog::InvalidateItem(int id) {
  if (Control* c = GetItem(id))
    InvalidateWindowArea(ItemRectInWindow(*c));
}

std::string Dialog::GetItemText(int id) const {
  const Control* c = GetItem(id);
  return c != nullptr ? c->GetText() : std::string();
}

void Dialog::ShowItem(int id, bool show) {
  if (Control* c = GetItem(id))
    c->Show(show);
}

void Dialog::EnableItem(int id, bool enable) {
  if (Control* c = GetItem(id))
    c->Enable(enable);
}

void Dialog::FocusItem(int id) {
  if (Control* c = GetItem(id))
    SetFocus(c);
}

Control* Dialog::FindControl(int id) const {
  if (Control* c = GetItem(id))
    return c;
  for (const Dialog* child : m_children) {
    if (Control* c = child->FindControl(id))
      return c;
  }
  return nullptr;
}

bool Dialog::IsUsable(const Control& control) const {
  return control.IsEnabled() && IsShown(control);
}

bool Dialog::IsShown(const Control& control) const {
  if (!control.IsVisible())
    return false;
  const Dialog* d = static_cast<const Dialog*>(control.Owner());
  for (; d != nullptr; d = d->m_pParent) {
    if (!d->m_bVisible)
      return false;
  }
  return true;
}

Rect Dialog::ItemRectInWindow(const Control& control) const {
  const auto* owner = static_cast<const Dialog*>(control.Owner());
  const Rect origin = owner != nullptr ? owner->WindowRect() : Rect{};
  return control.GetRect().Offset(origin.left, origin.top);
}

void Dialog::UpdateData(bool save) {
  DoDataExchange(save);
}

Font* Dialog::MakeFont(FontFace face, int height) {
  std::unique_ptr<Font> font =
      ScaleFollowingFont::Open(m_platform.fonts, face, height, m_platform.windows);
  if (font == nullptr)
    return nullptr;
  m_fonts.push_back(std::move(font));
  return m_fonts.back().get();
}

// --- Time and drawing -----------------------------------------------------------------

bool Dialog::WaitPumping(std::uint32_t ms) {
  Dialog* root = Root();
  root->PaintIfDirty();
  return qz::WaitPumping(m_platform.clock, m_platform.events, *root, ms);
}

void Dialog::Sleep(std::uint32_t ms) {
  Root()->PaintIfDirty();
  m_platform.clock.Sleep(ms);
}

void Dialog::PostApp(int id) {
  Event e;
  e.type = EventType::kApp;
  e.id = id;
  NativeWindow* window = Root()->Window();
  e.window = window != nullptr ? window->Id() : 0;
  m_platform.events.Post(e);
}

void Dialog::SetTimer(int id, std::uint32_t period_ms) {
  m_platform.events.SetTimer(id, period_ms);
}

void Dialog::KillTimer(int id) {
  m_platform.events.KillTimer(id);
}

bool Dialog::IsDirty() const {
  return !Root()->m_dirty.Empty();
}

void Dialog::Invalidate() {
  InvalidateWindowArea(WindowRect());
}

void Dialog::Invalidate(const Rect& client_rect) {
  const Rect area = WindowRect();
  // A control that changes may carry the focus mark around it, outside its own rectangle.
  if (Root()->FocusMarkMayShow()) {
    InvalidateWindowArea(
        client_rect.Inflate(kFocusMarkGap + kFocusMarkWidth).Offset(area.left, area.top));
    return;
  }
  InvalidateWindowArea(client_rect.Offset(area.left, area.top).Intersect(area));
}

void Dialog::InvalidateWindowArea(const Rect& area) {
  Dialog* root = Root();
  root->m_dirty = root->m_dirty.Union(area.Intersect(root->WindowRect()));
}

// Only the rectangle around what changed is repainted and presented: a running match writes
// its displays thousands of times, and each write is on screen before the call returns.
void Dialog::PaintIfDirty() {
  Dialog* root = Root();
  if (root->m_dirty.Empty() || root->m_pWindow == nullptr)
    return;
  const Rect region = root->m_dirty;
  Canvas& canvas = root->m_pWindow->GetCanvas();
  root->m_dirty = {};
  root->PaintInto(canvas, region);
  root->PaintFocusMark(canvas, region);
  canvas.ResetClip();
  if (!root->m_pWindow->Present(region)) {
    root->PaintAll();
    root->m_pWindow->Present(root->WindowRect());
  }
}

void Dialog::PresentNow() {
  PaintIfDirty();
}

void Dialog::PaintAll() {
  Dialog* root = Root();
  if (root->m_pWindow == nullptr)
    return;
  Canvas& canvas = root->m_pWindow->GetCanvas();
  root->m_dirty = {};
  root->PaintInto(canvas, root->WindowRect());
  root->PaintFocusMark(canvas, root->WindowRect());
  canvas.ResetClip();
}

void Dialog::PaintInto(Canvas& canvas, const Rect& region) {
  const Rect window = WindowRect();
  const Rect area = window.Intersect(region);
  if (area.Empty())
    return;
  canvas.ResetClip();
  canvas.SetClip(area);
  OnPaint(canvas, window);
  for (Control* c : m_controls) {
    if (!c->IsVisible())
      continue;
    const Rect where = c->GetRect().Offset(window.left, window.top);
    canvas.ResetClip();
    canvas.SetClip(where.Intersect(area));
    if (canvas.Clip().Empty())
      continue;
    c->Paint(canvas, where);
  }
  for (Dialog* child : m_children) {
    if (child->m_bVisible)
      child->PaintInto(canvas, area);
  }
}

NativeWindow* Dialog::Window() const {
  return Root()->m_pWindow.get();
}

void Dialog::OnPaint(Canvas& canvas, const Rect& client) {
  canvas.FillRect(client, kDialogBack);
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

CtlColor Dialog::OnCtlColor(Control&) {
  return CtlColor{kDialogText, kDialogBack};
}

const Bitmap* Dialog::FindPicture(const std::string& name) {
  try {
    return &m_platform.assets.GetBitmap(name);
  } catch (const AssetError&) {
    return nullptr;
  }
}

std::string Dialog::ClipboardText() {
  return m_platform.windows.ClipboardText();
}

void Dialog::NoteTextEntry(TextEntry entry) {
  m_platform.windows.NoteTextEntry(entry);
}

int Dialog::Scale() {
  return m_platform.windows.Scale();
}

Font* Dialog::DefaultFont() {
  Dialog* root = Root();
  if (!root->m_bDefaultFontTried) {
    root->m_bDefaultFontTried = true;
    root->m_pDefaultFont = root->MakeFont(FontFace::kSans, kDialogFontHeight);
  }
  return root->m_pDefaultFont;
}

}  // namespace qz
